#!/usr/bin/python3
"""Draws the tile layers of a Tiled map (TMX or JSON) with Pillow, without the
importer, so that what the engine draws for the imported level can be compared
with it pixel by pixel.

Run it with Debian's interpreter, which has Pillow (package python3-pil):

    /usr/bin/python3 tests/tiled_corpus/render_reference.py MAP OUT.png [--strip OUT_MAP]

It draws every visible tile layer (groups included, bottom first) whose
effective parallax factor is 1 on both axes and whose blend mode is normal,
in world pixels, crops the picture to the pixels with alpha > 0, writes it to
OUT.png and prints `bbox X0 Y0 X1 Y1` (X1, Y1 exclusive), or `empty` and writes
no picture.  --strip writes, next to MAP, a copy of it without object layers,
image layers and the tile layers that were not drawn; that copy is what the
importer gets, so its level holds exactly the tiles drawn here.

Rules, from Tiled's documentation of the formats and of its renderer:
- gid flags: 0x80000000 horizontal, 0x40000000 vertical, 0x20000000 diagonal
  (a transpose, done before the other two); 0x10000000 is ignored.
- a tile's picture (an atlas cell, or a collection tile's picture or its x/y/
  width/height sub-rectangle), after flipping, has its bottom-left corner at
  the bottom-left corner of its cell, moved by the tileset's tile offset and by
  the layer's offset summed through its groups.  Offsets may be fractional:
  Tiled draws at fractional positions without smoothing; here the total
  position is rounded half away from zero (floor(v + 0.5) for v >= 0,
  -floor(-v + 0.5) below), which is what Tiled shows for unflipped tiles.
- opacity and tint colour multiply through groups; a tile's pixels are multiplied
  by the tint (alpha too) and their alpha by the opacity, in straight alpha, and
  the result is composited source-over.
- an animated tile shows its first frame; an atlas's `trans` colour is keyed
  out (Tiled keys it out of atlases only, not of collection pictures).
- JSON layers without "visible" or "opacity" are visible and opaque, as the
  format's documentation says.
- cells are drawn in the map's render order (it matters when tiles overlap).

Exit status: 0 done, 1 a file could not be read, 2 bad arguments,
3 a map this script does not draw (not orthogonal, zstd, tiles scaled to the grid).
"""
import argparse, base64, gzip, io, json, math, os, struct, sys, zlib
import xml.etree.ElementTree as ET
from PIL import Image

Image.MAX_IMAGE_PIXELS = None   # big maps are fine here

FLIP_H, FLIP_V, FLIP_D = 0x80000000, 0x40000000, 0x20000000
ID_MASK = 0x0FFFFFFF   # also clears 0x10000000 (hexagonal 120 degree turn), ignored here


class Unsupported(Exception):
    pass


def warn(msg):
    print('render_reference: ' + msg, file=sys.stderr)


def round_half_away(v):
    return math.floor(v + 0.5) if v >= 0 else -math.floor(-v + 0.5)


def parse_color(text):
    """'#AARRGGBB', '#RRGGBB' (the '#' optional) -> (r, g, b, a)."""
    s = text.strip().lstrip('#')
    if len(s) == 6:
        return int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16), 255
    if len(s) == 8:
        return int(s[2:4], 16), int(s[4:6], 16), int(s[6:8], 16), int(s[0:2], 16)
    raise ValueError('bad colour %r' % text)


def is_json_file(path):
    if path.lower().endswith(('.json', '.tmj', '.tsj')):
        return True
    if path.lower().endswith(('.tmx', '.tsx')):
        return False
    with open(path, 'rb') as f:
        return f.read(64).lstrip().startswith(b'{')


def decode_gids(data, encoding, compression):
    """Layer or chunk data (text, or a JSON list) -> list of gids."""
    if isinstance(data, list):
        return [int(g) for g in data]
    if encoding == 'csv':
        return [int(s) for s in data.split(',') if s.strip()]
    if encoding != 'base64':
        raise Unsupported('tile data encoding %r' % encoding)
    raw = base64.b64decode(''.join(data.split()))
    if compression == 'zlib':
        raw = zlib.decompress(raw)
    elif compression == 'gzip':
        raw = gzip.decompress(raw)
    elif compression:
        raise Unsupported('tile data compression %r' % compression)
    return list(struct.unpack('<%dI' % (len(raw) // 4), raw[:len(raw) // 4 * 4]))


# ---------------------------------------------------------------- pictures

PICTURES = {}


def load_picture(path, trans, embedded=None):
    """An RGBA picture; fully opaque pixels of colour `trans` become transparent."""
    key = (path, trans, embedded)
    if key not in PICTURES:
        img = Image.open(io.BytesIO(embedded) if embedded is not None else path).convert('RGBA')
        if trans:
            r, g, b, _ = parse_color(trans)
            img.putdata([(0, 0, 0, 0) if p == (r, g, b, 255) else p for p in img.getdata()])
        PICTURES[key] = img
    return PICTURES[key]


class Tileset:
    def __init__(self):
        self.tw = self.th = self.margin = self.spacing = 0
        self.offset = (0, 0)
        self.atlas = None          # the picture of a one-picture tileset
        self.tiles = {}            # local id -> dict(picture, rect, frame)
        self.render_grid = False   # tilerendersize="grid"
        self.rects = None
        self.cache = {}

    def atlas_rects(self):
        """Tile rectangles cut from the atlas the way Tiled cuts them."""
        rects, (w, h) = [], self.atlas.size
        y = self.margin
        while y <= h - self.th:
            x = self.margin
            while x <= w - self.tw:
                rects.append((x, y, x + self.tw, y + self.th))
                x += self.tw + self.spacing
            y += self.th + self.spacing
        return rects

    def picture(self, local_id):
        """The untransformed picture of a tile (its first frame when animated), or None."""
        frame = self.tiles.get(local_id, {}).get('frame')
        return self.base_picture(local_id if frame is None else frame)

    def base_picture(self, local_id):
        if local_id not in self.cache:
            tile, img = self.tiles.get(local_id, {}), None
            if tile.get('picture') is not None:
                img = tile['picture'].crop(tile['rect']) if tile['rect'] else tile['picture']
            elif self.atlas is not None:
                if self.rects is None:
                    self.rects = self.atlas_rects()
                if 0 <= local_id < len(self.rects):
                    img = self.atlas.crop(self.rects[local_id])
            self.cache[local_id] = img
        return self.cache[local_id]


def tile_rect(x, y, w, h):
    """The sub-rectangle of a collection tile's picture; None (the whole picture) when unset."""
    x, y, w, h = (int(v or 0) for v in (x, y, w, h))
    return None if w == 0 and h == 0 else (x, y, x + w, y + h)


def tileset_from_xml(el, base_dir):
    if el.get('source'):
        path = os.path.join(base_dir, el.get('source'))
        return load_tileset_file(path)
    ts = Tileset()
    ts.tw, ts.th = int(el.get('tilewidth', 0)), int(el.get('tileheight', 0))
    ts.margin, ts.spacing = int(el.get('margin', 0)), int(el.get('spacing', 0))
    ts.render_grid = el.get('tilerendersize') == 'grid'
    off = el.find('tileoffset')
    if off is not None:
        ts.offset = (int(off.get('x', 0)), int(off.get('y', 0)))

    def xml_picture(img_el, keyed):
        data = img_el.find('data')
        if data is not None and not (data.text or '').strip():
            return None   # an empty picture: the tile draws nothing
        embedded = base64.b64decode(''.join(data.text.split())) if data is not None else None
        src = os.path.join(base_dir, img_el.get('source', '')) if embedded is None else None
        return load_picture(src, img_el.get('trans') if keyed else None, embedded)

    img_el = el.find('image')
    if img_el is not None:
        ts.atlas = xml_picture(img_el, True)
    for t in el.findall('tile'):
        tile = {}
        if t.find('image') is not None:   # Tiled keys out `trans` on the atlas only
            picture = xml_picture(t.find('image'), False)
            if picture is not None:
                tile['picture'] = picture
            tile['rect'] = tile_rect(t.get('x'), t.get('y'), t.get('width'), t.get('height'))
        frames = t.findall('animation/frame')
        if frames:
            tile['frame'] = int(frames[0].get('tileid'))
        ts.tiles[int(t.get('id'))] = tile
    return ts


def tileset_from_json(d, base_dir):
    if d.get('source'):
        return load_tileset_file(os.path.join(base_dir, d['source']))
    ts = Tileset()
    ts.tw, ts.th = int(d.get('tilewidth', 0)), int(d.get('tileheight', 0))
    ts.margin, ts.spacing = int(d.get('margin', 0)), int(d.get('spacing', 0))
    ts.render_grid = d.get('tilerendersize') == 'grid'
    if 'tileoffset' in d:
        ts.offset = (int(d['tileoffset'].get('x', 0)), int(d['tileoffset'].get('y', 0)))
    if d.get('image'):
        ts.atlas = load_picture(os.path.join(base_dir, d['image']), d.get('transparentcolor'))
    tiles = d.get('tiles', [])
    if isinstance(tiles, dict):   # old JSON: {"id": {...}}
        tiles = [dict(v, id=int(k)) for k, v in tiles.items()]
    for t in tiles:
        tile = {}
        if t.get('image'):
            tile['picture'] = load_picture(os.path.join(base_dir, t['image']), None)
            tile['rect'] = tile_rect(t.get('x'), t.get('y'), t.get('width'), t.get('height'))
        if t.get('animation'):
            tile['frame'] = int(t['animation'][0]['tileid'])
        ts.tiles[int(t['id'])] = tile
    return ts


def load_tileset_file(path):
    base_dir = os.path.dirname(path)
    if is_json_file(path):
        with open(path, encoding='utf-8') as f:
            return tileset_from_json(json.load(f), base_dir)
    return tileset_from_xml(ET.parse(path).getroot(), base_dir)


# ---------------------------------------------------------------- layers

class Layer:
    """One layer of the map with what it inherits from its groups."""
    def __init__(self, kind, source, parent, visible, opacity, offset, parallax, tint, mode):
        self.kind, self.source, self.children, self.blocks = kind, source, [], []
        self.x = self.y = 0
        p = parent
        self.hidden = (not visible) or (p is not None and p.hidden)
        self.opacity = opacity * (p.opacity if p else 1.0)
        self.offset = (offset[0] + (p.offset[0] if p else 0.0), offset[1] + (p.offset[1] if p else 0.0))
        self.parallax = (parallax[0] * (p.parallax[0] if p else 1.0),
                         parallax[1] * (p.parallax[1] if p else 1.0))
        t = [c / 255.0 for c in parse_color(tint)] if tint else [1.0] * 4
        self.tint = [a * b for a, b in zip(t, p.tint)] if p else t
        self.normal_mode = mode in (None, '', 'normal') and (p is None or p.normal_mode)

    def drawn(self):
        """Whether this is a tile layer that is drawn (and kept by --strip)."""
        return (self.kind == 'tile' and not self.hidden and self.parallax == (1.0, 1.0)
                and self.normal_mode)


def layers_from_xml(parent_el, parent, out, map_el):
    for el in parent_el:
        kind = {'layer': 'tile', 'group': 'group', 'objectgroup': 'other',
                'imagelayer': 'other'}.get(el.tag)
        if kind is None:
            continue
        layer = Layer(kind, el, parent, el.get('visible', '1') != '0',
                      float(el.get('opacity', 1)),
                      (float(el.get('offsetx', 0)), float(el.get('offsety', 0))),
                      (float(el.get('parallaxx', 1)), float(el.get('parallaxy', 1))),
                      el.get('tintcolor'), el.get('mode'))
        out.append(layer)
        if kind == 'group':
            layers_from_xml(el, layer, layer.children, map_el)
        elif kind == 'tile' and layer.drawn():
            layer.x, layer.y = int(el.get('x', 0)), int(el.get('y', 0))
            data = el.find('data')
            if data is None:
                continue
            enc, comp = data.get('encoding'), data.get('compression')

            def gids(node):
                if enc is None:
                    return [int(t.get('gid', 0)) for t in node.findall('tile')]
                return decode_gids(node.text or '', enc, comp)
            chunks = data.findall('chunk')
            if chunks:
                for c in chunks:
                    layer.blocks.append((int(c.get('x')), int(c.get('y')), int(c.get('width')), gids(c)))
            else:
                width = int(el.get('width', map_el.get('width')))
                layer.blocks.append((0, 0, width, gids(data)))


def layers_from_json(items, parent, out):
    for d in items:
        kind = {'tilelayer': 'tile', 'group': 'group'}.get(d.get('type'), 'other')
        layer = Layer(kind, d, parent, d.get('visible', True), float(d.get('opacity', 1)),
                      (float(d.get('offsetx', 0)), float(d.get('offsety', 0))),
                      (float(d.get('parallaxx', 1)), float(d.get('parallaxy', 1))),
                      d.get('tintcolor'), d.get('mode'))
        out.append(layer)
        if kind == 'group':
            layers_from_json(d.get('layers', []), layer, layer.children)
        elif kind == 'tile' and layer.drawn():
            layer.x, layer.y = int(d.get('x', 0)), int(d.get('y', 0))
            enc, comp = d.get('encoding', 'csv'), d.get('compression')
            if 'chunks' in d:
                for c in d['chunks']:
                    layer.blocks.append((int(c['x']), int(c['y']), int(c['width']),
                                         decode_gids(c['data'], enc, comp)))
            elif 'data' in d:
                layer.blocks.append((0, 0, int(d['width']), decode_gids(d['data'], enc, comp)))


def walk(layers):
    for layer in layers:
        yield layer
        yield from walk(layer.children)


# ---------------------------------------------------------------- drawing

def transformed(img, flags):
    if flags & FLIP_D:
        img = img.transpose(Image.Transpose.TRANSPOSE)
    if flags & FLIP_H:
        img = img.transpose(Image.Transpose.FLIP_LEFT_RIGHT)
    if flags & FLIP_V:
        img = img.transpose(Image.Transpose.FLIP_TOP_BOTTOM)
    return img


def tinted(img, tint, opacity):
    factors = (tint[0], tint[1], tint[2], tint[3] * opacity)
    if all(f == 1.0 for f in factors):
        return img
    bands = [band.point([min(255, int(v * f + 0.5)) for v in range(256)])
             for band, f in zip(img.split(), factors)]
    return Image.merge('RGBA', bands)


def draw_ops(m):
    """(picture, x, y) for every drawn tile, bottom first."""
    tw, th, order = m['tilewidth'], m['tileheight'], m['renderorder']
    tilesets = sorted(m['tilesets'], key=lambda t: t[0])
    ops = []
    for layer in walk(m['layers']):
        if not layer.drawn():
            continue
        cells = {}
        for bx, by, bw, gids in layer.blocks:
            for i, gid in enumerate(gids):
                if gid & ID_MASK:
                    cells[(layer.x + bx + i % bw, layer.y + by + i // bw)] = gid
        keys = sorted(cells, key=lambda c: (c[1] if order.endswith('down') else -c[1],
                                            c[0] if order.startswith('right') else -c[0]))
        cache = {}
        for cx, cy in keys:
            gid = cells[(cx, cy)]
            if gid not in cache:
                cache[gid] = None
                flags, g = gid & (FLIP_H | FLIP_V | FLIP_D), gid & ID_MASK
                found = [t for t in tilesets if t[0] <= g]
                if not found:
                    warn('gid %d belongs to no tileset' % g)
                    continue
                first, ts = found[-1]
                img = ts.picture(g - first)
                if img is None:
                    warn('gid %d has no picture' % g)
                    continue
                if ts.render_grid and img.size != (tw, th):
                    raise Unsupported('tiles drawn at the grid size (tilerendersize="grid")')
                img = tinted(transformed(img, flags), layer.tint, layer.opacity)
                cache[gid] = (img, ts.offset)
            if cache[gid] is None:
                continue
            img, (ox, oy) = cache[gid]
            x = round_half_away(cx * tw + ox + layer.offset[0])
            y = round_half_away((cy + 1) * th - img.size[1] + oy + layer.offset[1])
            ops.append((img, x, y))
    return ops


def render(ops):
    """The composited picture cropped to alpha > 0 and its world box, or None."""
    if not ops:
        return None
    x0 = min(x for _, x, _ in ops)
    y0 = min(y for _, _, y in ops)
    x1 = max(x + img.size[0] for img, x, _ in ops)
    y1 = max(y + img.size[1] for img, _, y in ops)
    canvas = Image.new('RGBA', (x1 - x0, y1 - y0), (0, 0, 0, 0))
    for img, x, y in ops:
        canvas.alpha_composite(img, dest=(x - x0, y - y0))
    box = canvas.getchannel('A').getbbox()
    if box is None:
        return None
    if box != (0, 0) + canvas.size:
        canvas = canvas.crop(box)
    return canvas, (box[0] + x0, box[1] + y0, box[2] + x0, box[3] + y0)


# ---------------------------------------------------------------- map files

def load_map(path):
    base_dir = os.path.dirname(os.path.abspath(path))
    m = {'json': is_json_file(path), 'layers': []}
    if m['json']:
        with open(path, encoding='utf-8') as f:
            doc = json.load(f)
        if doc.get('type', 'map') != 'map' or 'layers' not in doc:
            raise ValueError('not a Tiled map')
        props = doc
        m['tilesets'] = [(int(t['firstgid']), tileset_from_json(t, base_dir))
                         for t in doc.get('tilesets', [])]
    else:
        doc = ET.parse(path)
        props = doc.getroot()
        if props.tag != 'map':
            raise ValueError('not a Tiled map')
        m['tilesets'] = [(int(t.get('firstgid')), tileset_from_xml(t, base_dir))
                         for t in props.findall('tileset')]
    m['doc'] = doc
    orientation = props.get('orientation', 'orthogonal')
    if orientation != 'orthogonal':
        raise Unsupported('%s map (orthogonal maps only)' % orientation)
    m['tilewidth'], m['tileheight'] = int(props.get('tilewidth')), int(props.get('tileheight'))
    m['renderorder'] = props.get('renderorder') or 'right-down'
    if m['json']:
        layers_from_json(doc.get('layers', []), None, m['layers'])
    else:
        layers_from_xml(props, None, m['layers'], props)
    return m


def write_stripped(m, out_path):
    """The map without object and image layers and without the tile layers not drawn."""
    kept = {id(layer.source) for layer in walk(m['layers'])
            if layer.kind == 'group' or layer.drawn()}
    if m['json']:
        def strip(items):
            items[:] = [d for d in items if id(d) in kept]
            for d in items:
                if d.get('type') == 'group':
                    strip(d.setdefault('layers', []))
        strip(m['doc'].setdefault('layers', []))
        with open(out_path, 'w', encoding='utf-8') as f:
            json.dump(m['doc'], f, indent=1)
            f.write('\n')
    else:
        def strip(parent):
            for el in list(parent):
                if el.tag in ('layer', 'objectgroup', 'imagelayer', 'group') and id(el) not in kept:
                    parent.remove(el)
                elif el.tag == 'group':
                    strip(el)
        strip(m['doc'].getroot())
        m['doc'].write(out_path, encoding='UTF-8', xml_declaration=True)


def main():
    ap = argparse.ArgumentParser(description='Draw the tile layers of a Tiled map with Pillow.')
    ap.add_argument('map')
    ap.add_argument('out_png')
    ap.add_argument('--strip', metavar='OUT_MAP')
    args = ap.parse_args()
    if args.strip and (os.path.realpath(os.path.dirname(os.path.abspath(args.strip))) !=
                       os.path.realpath(os.path.dirname(os.path.abspath(args.map)))):
        ap.error('--strip: OUT_MAP must be in the same folder as MAP')
    try:
        m = load_map(args.map)
        result = render(draw_ops(m))
    except Unsupported as e:
        warn('not drawn: ' + str(e))
        return 3
    except (OSError, ValueError, KeyError, TypeError, ET.ParseError, zlib.error) as e:
        warn('%s: %s' % (args.map, e))
        return 1
    if result is None:
        print('empty')
    else:
        img, box = result
        img.save(args.out_png)
        print('bbox %d %d %d %d' % box)
    if args.strip:
        write_stripped(m, args.strip)
    return 0


if __name__ == '__main__':
    sys.exit(main())
