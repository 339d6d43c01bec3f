#include "data/StatusScreen.h"

#include "data/Console.h"
#include "data/DataFields.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "platform/Paths.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

enum StatusKind {
  kRemark = 0,
  kPicture = 1,
  kPictureRow = 2,
  kPictureColumn = 3,
  kRectangle = 4,
  kLine = 5,
  kText = 6,
  kRightText = 7,
  kCentredText = 8
};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  size_t at = 0;
  while ((at = text.find(from, at)) != std::string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
}

}  // namespace

Loaded<std::vector<TStatus>> ReadStatusScreen(Engine& engine, const std::string& archive,
                                              const std::string& entryName) {
  Loaded<std::vector<TStatus>> loaded;
  std::vector<TStatus>& elements = loaded.value;
  EntryReader entry(engine, VXR_Open(engine.vxr, archive, entryName, "", 0));
  GameData& data = engine.data;
  static const EntryFormat& format = EntryFormatTitled("Score");
  static const RecordBinder<TStatus> elementBinder(format, StatusElementFields());
  static const RecordBinder<TCondition> conditionBinder(format, StatusConditionFields());
  EntryRecordReader reader(format, entry);
  EntryRecord record;
  // Fields that come before the first element have nowhere to go; they are read and dropped.
  TStatus orphan;
  auto current = [&]() -> TStatus& { return elements.empty() ? orphan : elements.back(); };
  auto corrupted = [&](int tag) {
    loaded.error = Fault("Status file: " + entryName + " corrupted - " + std::to_string(tag));
    return loaded;
  };
  size_t conditions = 0;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) return loaded;
    if (step == ReadStep::Fault) return corrupted(reader.Fault().tag);
    if (record.format->keyword) {
      if (elements.size() >= kMaxStatusElements) return corrupted(record.tag());
      TStatus element;
      element.ID = data.NextStatusId++;
      elements.push_back(std::move(element));
    } else if (record.format == &format.records.back()) {
      // The last record of the format is a condition of the element.
      if (++conditions > kMaxStatusConditions) return corrupted(record.tag());
      TCondition condition;
      conditionBinder.Fill(condition, record);
      condition.ID = data.NextConditionId++;
      current().Condition.push_back(std::move(condition));
    } else {
      elementBinder.Fill(current(), record);
    }
  }
}

std::vector<TStatus> LoadStatusScreen(Engine& engine, const std::string& archive,
                                      const std::string& entryName) {
  Loaded<std::vector<TStatus>> loaded = ReadStatusScreen(engine, archive, entryName);
  EndOnLoadError(engine, loaded.error);
  return std::move(loaded.value);
}

bool ConditionSatisfied(const SessionState& session, const RunningLevel& run, const TCondition& c) {
  const int32_t hp = run.HudHP;
  bool holds = true;
  switch (c.Eis) {
    case 0:
      holds = hp == c.Value;
      break;
    case 1:
      holds = hp < c.Value;
      break;
    case 2:
      holds = hp > c.Value;
      break;
    case 3:
      holds = hp <= c.Value;
      break;
    case 4:
      holds = hp >= c.Value;
      break;
    case 5:
      holds = session.SelectedWeapon == c.Value;
      break;
    case 6:
      // There are ten key counters; any other number is a key nobody holds.
      holds = c.Value >= 0 && c.Value < 10 && run.Keys[c.Value] != 0;
      break;
    default:
      holds = true;
  }
  return c.CNot == 0 ? holds : !holds;
}

std::string StatusText(const SessionState& session, const LevelState& level,
                       const RunningLevel& run, const std::string& text) {
  std::string result = text;
  ReplaceAll(result, "[SCORE]", std::to_string(session.Score));
  ReplaceAll(result, "[LEVELNAME]", level.LevelTitle);
  ReplaceAll(result, "[AMMO]", run.WeaponStatusText);
  return result;
}

void DrawStatusScreen(Engine& engine, std::vector<TStatus>& elements) {
  Platform& p = engine.platform;
  for (TStatus& e : elements) {
    bool visible = true;
    for (const TCondition& c : e.Condition)
      visible = visible && ConditionSatisfied(engine.session, engine.run, c);
    if (!visible) continue;
    p.SetDrawColor(e.R, e.G, e.B);
    const bool opaque = e.Alpha == 100.0f;
    if (opaque) {
      p.SetDrawBlend(1);
    } else {
      p.SetDrawBlend(3);
      p.SetDrawAlpha(e.Alpha / 100.0f);
    }
    if ((e.Com == kPicture || e.Com == kPictureRow || e.Com == kPictureColumn) &&
        e.PicLoaded == 0) {
      e.PicLoaded = 1;
      e.Image = p.LoadPicture(JoinDataName(engine.folders.DataFolder + "GFX/Status/", e.Txt).path);
    }
    switch (e.Com) {
      case kPicture:
        if (e.Image) p.DrawPicture(*e.Image, static_cast<float>(e.X), static_cast<float>(e.Y), 0);
        break;
      case kPictureRow:
        // A picture without width would repeat forever.
        if (e.Image && e.Image->width > 0) {
          for (int64_t x = 0; x <= engine.project.PDD.DW; x += e.Image->width) {
            p.DrawPicture(*e.Image, static_cast<float>(x), static_cast<float>(e.Y), 0);
          }
        }
        break;
      case kPictureColumn:
        if (e.Image && e.Image->height > 0) {
          for (int64_t y = 0; y <= engine.project.PDD.DH; y += e.Image->height) {
            p.DrawPicture(*e.Image, static_cast<float>(e.X), static_cast<float>(y), 0);
          }
        }
        break;
      case kRectangle:
        p.DrawFilledRect(static_cast<float>(e.X), static_cast<float>(e.Y), static_cast<float>(e.W),
                         static_cast<float>(e.H));
        break;
      case kLine:
        p.DrawLineSegment(static_cast<float>(e.X), static_cast<float>(e.Y), static_cast<float>(e.W),
                          static_cast<float>(e.H));
        break;
      case kText:
      case kRightText:
      case kCentredText: {
        const std::string text = StatusText(engine.session, engine.level, engine.run, e.Txt);
        int32_t x = e.X;
        if (e.Com == kRightText) x = SatSub(e.X, p.MeasureTextWidth(text));
        if (e.Com == kCentredText) x = SatSub(e.X, p.MeasureTextWidth(text) / 2);
        p.DrawTextAt(text, static_cast<float>(x), static_cast<float>(e.Y));
        break;
      }
      default:
        break;
    }
    if (!opaque) {
      p.SetDrawAlpha(1.0f);
      p.SetDrawBlend(1);
    }
  }
}

}  // namespace hopwerk
