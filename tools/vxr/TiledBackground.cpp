// The level's background: the layers at the back of the map that scroll slower than the camera
// (image layers, and tile layers with a parallax factor) drawn into the one picture the engine
// repeats behind everything at one speed; image layers elsewhere become pictures in the world.
#include <cmath>

#include "TiledImporter.h"
#include "VxrTool.h"

namespace hopwerk {

namespace {

bool Parallaxed(const TiledLayer& layer) {
  return layer.parallaxX != 1 || layer.parallaxY != 1;
}

bool Empty(const TiledLayer& layer) {
  return (layer.kind == TiledLayerKind::Tiles && layer.cells.empty()) ||
         (layer.kind == TiledLayerKind::Objects && layer.objects.empty());
}

// Pictures larger than this are not drawn as one background: 16 million pixels, 64 MiB.
constexpr int64_t kMaxBackgroundPixels = int64_t{1} << 24;

}  // namespace

int TiledImporter::Divisor(double speed, bool& exact) {
  if (speed <= 0) {
    exact = speed == 0;
    return kStillBackgroundDivisor;
  }
  const double d = 1.0 / speed;
  const int n = static_cast<int>(std::clamp<double>(std::round(d), 1, kStillBackgroundDivisor));
  exact = std::fabs(d - n) <= 1e-6;
  return n;
}

void TiledImporter::PlanBackground() {
  // An image the tool cannot read (a JPEG, say) leaves its layer out, not the whole map.
  for (const TiledLayer& layer : map.layers) {
    if (layer.kind == TiledLayerKind::Image && !ImageReadable(layer)) leftOut.insert(&layer);
  }
  std::vector<const TiledLayer*> group;
  for (const TiledLayer& layer : map.layers) {
    if (Empty(layer) || leftOut.count(&layer)) continue;
    if (layer.kind != TiledLayerKind::Image &&
        !(layer.kind == TiledLayerKind::Tiles && Parallaxed(layer))) {
      break;
    }
    group.push_back(&layer);
  }
  if (group.empty()) {
    // An image layer further up still makes the background, drawn behind all the rest.
    for (const TiledLayer& layer : map.layers) {
      if (layer.kind != TiledLayerKind::Image || leftOut.count(&layer)) continue;
      report.Warning(LayerWhere(layer) +
                     ": drawn behind every other layer, as the level's background");
      group.push_back(&layer);
      break;
    }
  }
  if (group.empty()) return;
  // One speed a layer: the background's has no second for down.
  auto speedText = [](const TiledLayer& layer) {
    return layer.parallaxX == layer.parallaxY ? TiledNumber(layer.parallaxX)
                                              : TiledNumber(layer.parallaxX) + " across and " +
                                                    TiledNumber(layer.parallaxY) + " down";
  };
  const TiledLayer& back = *group[0];
  bool exact = true;
  backgroundDivisor = Divisor(back.parallaxX, exact);
  backgroundSpeed = backgroundDivisor == kStillBackgroundDivisor ? 0 : 1.0 / backgroundDivisor;
  const std::string backgroundText = backgroundSpeed == 0 ? "0"
                                     : backgroundDivisor == 1
                                         ? "1"
                                         : "1/" + std::to_string(backgroundDivisor);
  if (!exact || back.parallaxX != back.parallaxY) {
    report.Warning(LayerWhere(back) + ": scrolls at " + speedText(back) +
                   " of the camera's speed; the background scrolls at " + backgroundText);
  }
  backgroundLayer = back.name;
  backgroundLayers.push_back(&back);
  inBackground.insert(&back);
  for (size_t i = 1; i < group.size(); ++i) {
    const TiledLayer& layer = *group[i];
    const double own = layer.parallaxX;
    bool ownExact = true;
    const int divisor = Divisor(own, ownExact);
    // The nearest of the two speeds the engine has: the background's and the camera's.
    if (std::fabs(own - 1) < std::fabs(own - backgroundSpeed)) continue;
    if (divisor != backgroundDivisor || !ownExact || layer.parallaxX != layer.parallaxY) {
      report.Warning(LayerWhere(layer) + ": scrolls at " + speedText(layer) +
                     " of the camera's speed; drawn into the background, which scrolls at " +
                     backgroundText);
    }
    backgroundLayers.push_back(&layer);
    inBackground.insert(&layer);
  }
}

void TiledImporter::DrawBackground() {
  if (backgroundLayers.empty() || report.HasErrors()) return;
  // Moving the map moves the camera with it; the background, slower, moves by less.
  const int sx = RoundTiled(static_cast<double>(shiftX) * backgroundSpeed);
  const int sy = RoundTiled(static_cast<double>(shiftY) * backgroundSpeed);
  try {
    if (backgroundLayers.size() == 1 && backgroundLayers[0]->kind == TiledLayerKind::Image) {
      // One image alone: the engine repeats it as Tiled repeats it, so its offset is a turn
      // of the picture.
      const TiledLayer& l = *backgroundLayers[0];
      backgroundPic =
          out.pictures
              ->Image(l.imagePath, l.imageTrans, Alpha(l), l.tint, RoundTiled(l.offsetX) + sx,
                      RoundTiled(l.offsetY) + sy, "Tiles", LayerWhere(l))
              .file;
      return;
    }
    // Several layers, or tiles: drawn into one picture as large as the world the camera shows.
    const int64_t w = std::clamp<int64_t>(contentWidth, 1, kTiledWorldSize);
    const int64_t h = std::clamp<int64_t>(contentHeight, 1, kTiledWorldSize);
    if (w * h > kMaxBackgroundPixels) {
      report.Error(LayerWhere(*backgroundLayers[0]) + ": a background of " + std::to_string(w) +
                   " x " + std::to_string(h) + " pixels would be too large");
      return;
    }
    CutPicture& canvas = out.pictures->Canvas(levelName + "_Background", static_cast<int>(w),
                                              static_cast<int>(h), levelName);
    for (const TiledLayer* l : backgroundLayers) {
      const std::string where = LayerWhere(*l);
      const int ox = RoundTiled(l->offsetX) + sx, oy = RoundTiled(l->offsetY) + sy;
      if (l->kind == TiledLayerKind::Image) {
        out.pictures->DrawImageOnto(canvas, l->imagePath, l->imageTrans, ox, oy, l->repeatX,
                                    l->repeatY, Alpha(*l), l->tint, where);
        continue;
      }
      for (const TiledCell& cell : l->cells) {
        const std::string at = where + ", tile at column " + std::to_string(cell.x) + ", row " +
                               std::to_string(cell.y);
        const TiledTileset* set = nullptr;
        int tileId = 0;
        if (!Lookup(cell.gid, set, tileId, at)) continue;
        const CutPicture& pic =
            out.pictures->Cut(CellLook(*set, tileId, cell.gid, 255), "", at, false);
        TiledPictures::DrawOnto(canvas, pic, ox + cell.x * map.tileWidth + set->offsetX,
                                oy + (cell.y + 1) * map.tileHeight - pic.frameHeight + set->offsetY,
                                Alpha(*l), l->tint);
      }
    }
    backgroundPic = canvas.file;
  } catch (const ToolError& e) {
    report.Error(e.message);
  }
}

bool TiledImporter::ImageReadable(const TiledLayer& layer) {
  try {
    out.pictures->Probe(layer.imagePath, layer.imageTrans, LayerWhere(layer));
    return true;
  } catch (const ToolError& e) {
    report.Warning(e.message + "; the layer is left out");
    return false;
  }
}

void TiledImporter::ImageLayerObjects(const TiledLayer& layer) {
  const std::string where = LayerWhere(layer);
  if (Parallaxed(layer)) {
    report.Warning(where + ": scrolls at " + TiledNumber(layer.parallaxX) + " across and " +
                   TiledNumber(layer.parallaxY) +
                   " down of the camera's speed; drawn with the map, at the camera's speed");
  }
  try {
    const CutPicture& pic = out.pictures->Image(layer.imagePath, layer.imageTrans, Alpha(layer),
                                                layer.tint, 0, 0, "Pictures", where);
    int64_t x = RoundTiled(layer.offsetX), y = RoundTiled(layer.offsetY);
    int64_t repX = 0, repY = 0;
    // A repeating image is repeated over the whole map, as far as one object's copies reach.
    const int64_t mapW = std::max<int64_t>(contentWidth, int64_t{map.width} * map.tileWidth);
    const int64_t mapH = std::max<int64_t>(contentHeight, int64_t{map.height} * map.tileHeight);
    if (layer.repeatX) {
      const int64_t w = pic.frameWidth;
      x -= (x > 0 ? (x + w - 1) / w : 0) * w;
      repX = std::clamp<int64_t>((mapW - x + w - 1) / w - 1, 0, 255);
    }
    if (layer.repeatY) {
      const int64_t h = pic.frameHeight;
      y -= (y > 0 ? (y + h - 1) / h : 0) * h;
      repY = std::clamp<int64_t>((mapH - y + h - 1) / h - 1, 0, 255);
    }
    PlacedObject o;
    o.x = x;
    o.y = y;
    o.values["RepX"] = NumberValue(repX);
    o.values["RepY"] = NumberValue(repY);
    o.values["OType"] = NumberValue(kDecoration);
    SetTiledPicture(o.values, pic);
    SetTiledColour(o.values, 0xFFFFFF);
    NewLayer(layer.name, false).objects.push_back(std::move(o));
  } catch (const ToolError& e) {
    report.Error(e.message);
  }
}

}  // namespace hopwerk
