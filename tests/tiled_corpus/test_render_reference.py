#!/usr/bin/python3
"""Self-test of render_reference.py on small maps made here.

    /usr/bin/python3 tests/tiled_corpus/test_render_reference.py
"""
import base64, gzip, json, os, struct, subprocess, tempfile, unittest, zlib
import xml.etree.ElementTree as ET
from PIL import Image

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'render_reference.py')
H, V, D = 0x80000000, 0x40000000, 0x20000000
# A 2x3 tile with six different opaque colours, rows top to bottom: a b / c d / e f.
A, B, C, Dc, E, F = [(10 * i + 5, 200 - 20 * i, 40 * i, 255) for i in range(6)]
MAGENTA = (255, 0, 255, 255)


def b64(gids, comp=None):
    raw = struct.pack('<%dI' % len(gids), *gids)
    raw = {None: raw, 'zlib': zlib.compress(raw), 'gzip': gzip.compress(raw)}[comp]
    return base64.b64encode(raw).decode()


class RenderReference(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        # atlas: margin 1, spacing 1, tiles 2x3; tile 0 = a..f, tile 1 = solid blue,
        # tile 2 = solid red with one magenta (trans) pixel; the rest of the image is magenta.
        img = Image.new('RGBA', (1 + 3 * 3, 1 + 4), MAGENTA)
        for (x, y), c in zip([(0, 0), (1, 0), (0, 1), (1, 1), (0, 2), (1, 2)], [A, B, C, Dc, E, F]):
            img.putpixel((1 + x, 1 + y), c)
        for x in range(2):
            for y in range(3):
                img.putpixel((4 + x, 1 + y), (0, 0, 255, 255))
                img.putpixel((7 + x, 1 + y), (255, 0, 0, 255))
        img.putpixel((7, 1), MAGENTA)
        img.save(self.path('atlas.png'))
        Image.new('RGBA', (4, 6), (0, 255, 0, 255)).save(self.path('tall.png'))
        sheet = Image.new('RGBA', (6, 6), (0, 0, 0, 0))
        sheet.paste((9, 9, 9, 255), (2, 1, 4, 4))   # the 2x3 sub-rectangle at (2, 1)
        sheet.save(self.path('sheet.png'))

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, text):
        with open(self.path(name), 'w') as f:
            f.write(text if isinstance(text, str) else json.dumps(text))
        return self.path(name)

    def run_script(self, map_name, *extra, status=0):
        out = self.path('out.png')
        if os.path.exists(out):
            os.remove(out)
        p = subprocess.run(['/usr/bin/python3', SCRIPT, self.path(map_name), out] + list(extra),
                           capture_output=True, text=True)
        self.assertEqual(p.returncode, status, p.stderr)
        img = Image.open(out).convert('RGBA') if os.path.exists(out) else None
        return p.stdout.strip(), img

    ATLAS = ('<tileset firstgid="1" name="a" tilewidth="2" tileheight="3" margin="1" spacing="1" '
             'tilecount="3" columns="3"><image source="atlas.png" trans="ff00ff" width="10" height="5"/>'
             '{extra}</tileset>')

    def tmx(self, layers, w=8, h=1, tw=4, th=4, tilesets=None, attrs=''):
        return ('<?xml version="1.0" encoding="UTF-8"?>\n<map version="1.10" orientation="orthogonal" '
                'renderorder="right-down" width="%d" height="%d" tilewidth="%d" tileheight="%d" %s>'
                '%s%s</map>\n' % (w, h, tw, th, attrs,
                                  tilesets if tilesets is not None else self.ATLAS.format(extra=''), layers))

    def test_all_eight_flip_combinations(self):
        combos = [0, H, V, H | V, D, D | H, D | V, D | H | V]
        gids = ','.join(str(1 | f) for f in combos)
        self.write('m.tmx', self.tmx('<layer id="1" name="l" width="8" height="1">'
                                     '<data encoding="csv">%s</data></layer>' % gids))
        out, img = self.run_script('m.tmx')
        self.assertEqual(out, 'bbox 0 1 31 4')
        expect = {0: [[A, B], [C, Dc], [E, F]], H: [[B, A], [Dc, C], [F, E]],
                  V: [[E, F], [C, Dc], [A, B]], H | V: [[F, E], [Dc, C], [B, A]],
                  D: [[A, C, E], [B, Dc, F]],            # transpose
                  D | H: [[E, C, A], [F, Dc, B]],        # a quarter turn clockwise
                  D | V: [[B, Dc, F], [A, C, E]],        # a quarter turn anticlockwise
                  D | H | V: [[F, Dc, B], [E, C, A]]}    # anti-diagonal mirror
        for i, f in enumerate(combos):
            rows = expect[f]
            top = 4 - len(rows)                          # bottom-left of a 4x4 cell
            for y, row in enumerate(rows):
                for x, c in enumerate(row):
                    self.assertEqual(img.getpixel((4 * i + x, top + y - 1)), c, (hex(f), x, y))

    def test_every_data_encoding_draws_the_same(self):
        gids = [1, 0, 2, 3 | H, 0, 1 | D, 2, 1]
        datas = ['<data encoding="csv">\n%s\n</data>' % ','.join(map(str, gids)),
                 '<data encoding="base64">%s</data>' % b64(gids),
                 '<data encoding="base64" compression="zlib">%s</data>' % b64(gids, 'zlib'),
                 '<data encoding="base64" compression="gzip">\n   %s\n  </data>' % b64(gids, 'gzip'),
                 '<data>%s</data>' % ''.join('<tile gid="%d"/>' % g if g else '<tile/>' for g in gids)]
        results = []
        for i, data in enumerate(datas):
            self.write('m%d.tmx' % i, self.tmx('<layer id="1" name="l" width="8" height="1">%s</layer>' % data))
            results.append(self.run_script('m%d.tmx' % i))
        ts = {'firstgid': 1, 'tilewidth': 2, 'tileheight': 3, 'margin': 1, 'spacing': 1,
              'image': 'atlas.png', 'transparentcolor': '#ff00ff', 'imagewidth': 10, 'imageheight': 5}
        for i, layer in enumerate([{'data': gids}, {'data': b64(gids, 'zlib'), 'encoding': 'base64',
                                                    'compression': 'zlib'}]):
            layer.update(type='tilelayer', width=8, height=1, name='l', visible=True, opacity=1)
            self.write('m%d.tmj' % i, {'orientation': 'orthogonal', 'width': 8, 'height': 1, 'tilewidth': 4,
                                       'tileheight': 4, 'tilesets': [ts], 'layers': [layer]})
            results.append(self.run_script('m%d.tmj' % i))
        self.assertEqual(results[0][0], 'bbox 0 1 30 4')
        for out, img in results[1:]:
            self.assertEqual(out, results[0][0])
            self.assertEqual(img.tobytes(), results[0][1].tobytes())
        img = results[0][1]
        self.assertEqual(img.getpixel((8, 0)), (0, 0, 255, 255))
        self.assertEqual(img.getpixel((13, 0)), (0, 0, 0, 0))       # trans pixel keyed out, flipped
        self.assertEqual(img.getpixel((12, 0)), (255, 0, 0, 255))

    def test_chunks_at_negative_coordinates(self):
        chunk = [0] * 15 + [2]                                 # tile (-1, -1) in a 4x4 chunk
        self.write('inf.tmx', self.tmx(
            '<layer id="1" name="l" width="8" height="4"><data encoding="base64" compression="zlib">'
            '<chunk x="-4" y="-4" width="4" height="4">%s</chunk>'
            '<chunk x="0" y="0" width="4" height="4">%s</chunk></data></layer>'
            % (b64(chunk, 'zlib'), b64([1] + [0] * 15, 'zlib')), attrs='infinite="1"'))
        out, img = self.run_script('inf.tmx')
        self.assertEqual(out, 'bbox -4 -3 2 4')
        self.assertEqual(img.getpixel((0, 0)), (0, 0, 255, 255))
        self.assertEqual(img.getpixel((4, 4)), A)
        self.write('inf.json', {'orientation': 'orthogonal', 'infinite': True, 'width': 8, 'height': 4,
                                'tilewidth': 4, 'tileheight': 4, 'tilesets': [{'firstgid': 1, 'source': 'a.tsx'}],
                                'layers': [{'type': 'tilelayer', 'name': 'l', 'chunks': [
                                    {'x': -4, 'y': -4, 'width': 4, 'height': 4, 'data': chunk}]}]})
        self.write('a.tsx', self.ATLAS.format(extra='').replace(' firstgid="1"', ''))
        self.assertEqual(self.run_script('inf.json')[0], 'bbox -4 -3 -2 0')

    def test_collection_offset_tall_tile_and_animation(self):
        tsj = {'type': 'tileset', 'tilewidth': 4, 'tileheight': 6, 'tileoffset': {'x': 1, 'y': -2},
               'tiles': [{'id': 0, 'image': 'tall.png', 'imagewidth': 4, 'imageheight': 6},
                         {'id': 3, 'image': 'sheet.png', 'x': 2, 'y': 1, 'width': 2, 'height': 3},
                         {'id': 5, 'image': 'tall.png', 'animation': [{'tileid': 3, 'duration': 100},
                                                                      {'tileid': 0, 'duration': 100}]}]}
        self.write('c.tsj', tsj)
        ts = self.ATLAS.format(extra='') + '<tileset firstgid="10" source="c.tsj"/>'
        self.write('m.tmx', self.tmx('<layer id="1" name="l" width="3" height="2"><data encoding="csv">'
                                     '0,0,0,10,13,15</data></layer>', w=3, h=2, tilesets=ts))
        out, img = self.run_script('m.tmx')
        # tall tile: cell (0,1) bottom at y=8, 6 high -> y 2..8, moved by (1, -2)
        self.assertEqual(out, 'bbox 1 0 11 6')
        self.assertEqual(img.getpixel((0, 0)), (0, 255, 0, 255))
        self.assertEqual(img.getpixel((3, 5)), (0, 255, 0, 255))
        # sub-rectangle tile at cell (1,1): x 4+1, y 8-3-2; the animated one shows frame 3
        for x0 in (5, 9):
            self.assertEqual(img.getpixel((x0 - 1, 3 - 0)), (9, 9, 9, 255))
            self.assertEqual(img.getpixel((x0 - 1 + 1, 5)), (9, 9, 9, 255))
        self.assertEqual(img.getpixel((4, 2)), (0, 0, 0, 0))

    def test_opacity_tint_offsets_through_groups_and_strip(self):
        layers = ('<group id="1" name="g" opacity="0.5" tintcolor="#ffff8080" offsetx="0.5" offsety="-4">'
                  '<layer id="2" name="l" width="8" height="1" opacity="0.5" tintcolor="#80ffffff" offsetx="1">'
                  '<data encoding="csv">2,0,0,0,0,0,0,0</data></layer>'
                  '<layer id="3" name="hidden" visible="0" width="8" height="1"><data encoding="csv">'
                  '2,2,2,2,2,2,2,2</data></layer>'
                  '<objectgroup id="4" name="o"><object id="1" x="0" y="0" width="4" height="4"/></objectgroup>'
                  '</group>'
                  '<layer id="5" name="far" parallaxx="0.5" width="8" height="1"><data encoding="base64" '
                  'compression="zstd">AAAA</data></layer>'
                  '<group id="6" name="fg" parallaxy="2"><layer id="7" name="f" width="8" height="1">'
                  '<data encoding="csv">2,2,2,2,2,2,2,2</data></layer></group>'
                  '<imagelayer id="8" name="i"><image source="tall.png"/></imagelayer>'
                  '<layer id="9" name="top" width="8" height="1"><data encoding="csv">0,0,0,0,0,0,0,3'
                  '</data></layer>')
        self.write('m.tmx', self.tmx(layers))
        out, img = self.run_script('m.tmx', '--strip', self.path('m.stripped.tmx'))
        # offset 1.5 rounds to 2, -4 stays: tile 2 (blue) at x 2..4, y -3..0; tile 3 at x 28..30
        self.assertEqual(out, 'bbox 2 -3 30 4')
        r, g, b, a = img.getpixel((0, 0))
        self.assertEqual((r, g, b), (0, 0, 128))                 # blue * 0x80 from the group tint
        self.assertEqual(a, 32)                                  # 255 * 0.5 * 0.5 * 0x80/255
        self.assertEqual(img.getpixel((27, 4)), (255, 0, 0, 255))
        self.assertEqual(img.getpixel((26, 4)), (0, 0, 0, 0))
        root = ET.parse(self.path('m.stripped.tmx')).getroot()
        self.assertEqual([(e.tag, e.get('id')) for e in root.iter() if e.tag in ('layer', 'group', 'objectgroup',
                                                                            'imagelayer')],
                         [('group', '1'), ('layer', '2'), ('group', '6'), ('layer', '9')])
        self.assertEqual(self.run_script('m.stripped.tmx')[1].tobytes(), img.tobytes())
        p = subprocess.run(['/usr/bin/python3', SCRIPT, self.path('m.tmx'), self.path('o.png'), '--strip',
                            '/tmp/elsewhere.tmx'], capture_output=True, text=True)
        self.assertEqual(p.returncode, 2)

    def test_json_strip_and_half_pixel_rounding(self):
        ts = {'firstgid': 1, 'tilewidth': 2, 'tileheight': 3, 'image': 'atlas.png', 'margin': 1, 'spacing': 1}
        doc = {'orientation': 'orthogonal', 'width': 1, 'height': 1, 'tilewidth': 4, 'tileheight': 4,
               'renderorder': 'right-down', 'tilesets': [ts], 'layers': [
                   {'type': 'group', 'name': 'g', 'offsetx': -2.5, 'layers': [
                       {'type': 'tilelayer', 'name': 'a', 'width': 1, 'height': 1, 'data': [2],
                        'offsety': 0.5},
                       {'type': 'objectgroup', 'name': 'o', 'objects': []},
                       {'type': 'tilelayer', 'name': 'h', 'visible': False, 'width': 1, 'height': 1,
                        'data': [1]}]},
                   {'type': 'imagelayer', 'name': 'i', 'image': 'tall.png'}]}
        self.write('m.json', doc)
        out, _ = self.run_script('m.json', '--strip', self.path('s.json'))
        self.assertEqual(out, 'bbox -3 2 -1 5')                   # -2.5 -> -3, 1.5 -> 2
        with open(self.path('s.json')) as f:
            s = json.load(f)
        self.assertEqual([l['name'] for l in s['layers']], ['g'])
        self.assertEqual([l['name'] for l in s['layers'][0]['layers']], ['a'])

    def test_render_order_of_overlapping_tiles_and_embedded_picture(self):
        with open(self.path('tall.png'), 'rb') as f:
            tall = base64.b64encode(f.read()).decode()
        ts = self.ATLAS.format(extra='') + (
            '<tileset firstgid="4" name="c" tilewidth="4" tileheight="6" tilecount="1" columns="0">'
            '<tile id="0"><image format="png"><data encoding="base64">%s</data></image></tile></tileset>' % tall)
        layer = '<layer id="1" name="l" width="1" height="2"><data encoding="csv">2,4</data></layer>'
        # green 4x6 tile in row 1 reaches up over the blue 2x3 tile of row 0 (x 0..2, y 2..4)
        for order, colour in (('right-down', (0, 255, 0, 255)), ('right-up', (0, 0, 255, 255))):
            self.write('o.tmx', self.tmx(layer, w=1, h=2, tilesets=ts).replace('right-down', order))
            out, img = self.run_script('o.tmx')
            self.assertEqual(out, 'bbox 0 1 4 8')
            self.assertEqual(img.getpixel((1, 2)), colour, order)
            self.assertEqual(img.getpixel((3, 2)), (0, 255, 0, 255))

    def test_empty_and_unsupported(self):
        self.write('e.tmx', self.tmx('<layer id="1" name="l" width="8" height="1"><data encoding="csv">'
                                     '0,0,0,0,0,0,0,0</data></layer>'))
        self.assertEqual(self.run_script('e.tmx'), ('empty', None))
        self.write('z.tmx', self.tmx('<layer id="1" name="l" width="8" height="1"><data encoding="base64" '
                                     'compression="zstd">AAAA</data></layer>'))
        self.run_script('z.tmx', status=3)
        self.write('iso.tmx', self.tmx('').replace('orthogonal', 'isometric'))
        self.run_script('iso.tmx', status=3)


if __name__ == '__main__':
    unittest.main()
