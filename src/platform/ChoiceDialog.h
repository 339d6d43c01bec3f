// The choice dialog's behaviour and look, apart from any window: what a click or a key does, and
// how the dialog is drawn into a compositor of its client size. The window platform feeds it
// events; tests feed it directly.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "render/Compositor.h"

namespace hopwerk {

struct ChoiceDialogState {
  int selected = 0;
  bool buttonHeld = false;  // the mouse went down on the button and has not been released
  bool confirmed = false;
  bool closed = false;
};

ChoiceDialogState StartChoiceDialog(const ChoiceDialogSpec& spec);

enum class DialogPart { None, Choice, Button };
struct DialogHit {
  DialogPart part = DialogPart::None;
  int index = -1;  // the choice, for DialogPart::Choice
};
DialogHit HitTestChoiceDialog(const ChoiceDialogSpec& spec, int x, int y);

// key: a Windows virtual-key code. Up/Left and Down/Right move the selection round the group,
// Enter and Space confirm (the button is the default button), Escape closes the dialog.
void ChoiceDialogKey(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int key);
// A left click selects a choice at once; the button confirms when the mouse is released over
// it, as a native button does, so a press can still be taken back by moving off.
void ChoiceDialogMouseDown(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int x, int y);
void ChoiceDialogMouseUp(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int x, int y);

// Lines of text no wider than maxWidth pixels in the built-in font: "\n" breaks a line, words
// move to the next line when they do not fit, and a word wider than a line is cut.
std::vector<std::string> WrapText(const std::string& text, int maxWidth);

// Draws the whole client area: resizes the compositor to the client size.
void DrawChoiceDialog(Compositor& compositor, const ChoiceDialogSpec& spec,
                      const ChoiceDialogState& state);

}  // namespace hopwerk
