#!/usr/bin/env python3
"""Checks the corpus of third-party Tiled maps listed in corpus.json.

For every map it follows what the map refers to (external tilesets .tsx/.tsj,
tileset and tile images, image-layer images, object templates .tx/.tj and the
tilesets those templates name) and reports any file that is not in the corpus.
It also checks that each map file still has the SHA-256 recorded in
corpus.json, i.e. that nobody edited the authors' files, and lists files in a
map's folder that nothing refers to (other than LICENSE*).

Standard library only:  python3 tests/tiled_corpus/check_refs.py
Exit status 0 when everything is present and unchanged, 1 otherwise.
"""
import hashlib
import json
import os
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))


class Walker:
    def __init__(self):
        self.seen = set()
        self.missing = []

    def ref(self, base, rel, kind):
        path = os.path.normpath(os.path.join(os.path.dirname(base), rel))
        if path in self.seen:
            return None
        self.seen.add(path)
        if not os.path.isfile(path):
            self.missing.append((base, rel))
            return None
        if kind == 'image':
            return None
        with open(path, 'rb') as f:
            data = f.read()
        if kind == 'xml':
            return ET.fromstring(data)
        return json.loads(data)

    # ---- XML (TMX, TSX, TX) ----
    def xml_tileset(self, ts, path):
        src = ts.get('source')
        if src:
            if src.endswith(('.tsj', '.json')):
                doc = self.ref(path, src, 'json')
                if doc is not None:
                    self.json_tileset_body(doc, os.path.normpath(os.path.join(os.path.dirname(path), src)))
            else:
                doc = self.ref(path, src, 'xml')
                if doc is not None:
                    self.xml_tileset_body(doc, os.path.normpath(os.path.join(os.path.dirname(path), src)))
        else:
            self.xml_tileset_body(ts, path)

    def xml_tileset_body(self, ts, path):
        for img in ts.iter('image'):
            if img.get('source'):
                self.ref(path, img.get('source'), 'image')

    def xml_object(self, obj, path):
        tpl = obj.get('template')
        if not tpl:
            return
        tpath = os.path.normpath(os.path.join(os.path.dirname(path), tpl))
        if tpl.endswith('.tj'):
            doc = self.ref(path, tpl, 'json')
            if doc is not None:
                self.json_template_body(doc, tpath)
        else:
            doc = self.ref(path, tpl, 'xml')
            if doc is not None:
                self.xml_template_body(doc, tpath)

    def xml_template_body(self, doc, path):
        for ts in doc.findall('tileset'):
            self.xml_tileset(ts, path)

    def xml_layers(self, parent, path):
        for el in parent:
            if el.tag == 'objectgroup':
                for obj in el.findall('object'):
                    self.xml_object(obj, path)
            elif el.tag == 'imagelayer':
                img = el.find('image')
                if img is not None and img.get('source'):
                    self.ref(path, img.get('source'), 'image')
            elif el.tag == 'group':
                self.xml_layers(el, path)

    def tmx(self, path):
        with open(path, 'rb') as f:
            root = ET.fromstring(f.read())
        for ts in root.findall('tileset'):
            self.xml_tileset(ts, path)
        self.xml_layers(root, path)

    # ---- JSON (TMJ, TSJ, TJ) ----
    def json_tileset(self, ts, path):
        src = ts.get('source')
        if src:
            spath = os.path.normpath(os.path.join(os.path.dirname(path), src))
            if src.endswith(('.tsx', '.xml')):
                doc = self.ref(path, src, 'xml')
                if doc is not None:
                    self.xml_tileset_body(doc, spath)
            else:
                doc = self.ref(path, src, 'json')
                if doc is not None:
                    self.json_tileset_body(doc, spath)
        else:
            self.json_tileset_body(ts, path)

    def json_tileset_body(self, ts, path):
        if ts.get('image'):
            self.ref(path, ts['image'], 'image')
        tiles = ts.get('tiles') or []
        if isinstance(tiles, dict):  # very old JSON: {"id": {...}}
            tiles = list(tiles.values())
        for t in tiles:
            if t.get('image'):
                self.ref(path, t['image'], 'image')

    def json_template_body(self, doc, path):
        if 'tileset' in doc:
            self.json_tileset(doc['tileset'], path)

    def json_layers(self, layers, path):
        for layer in layers:
            kind = layer.get('type')
            if kind == 'objectgroup':
                for obj in layer.get('objects', []):
                    tpl = obj.get('template')
                    if not tpl:
                        continue
                    tpath = os.path.normpath(os.path.join(os.path.dirname(path), tpl))
                    if tpl.endswith('.tx'):
                        doc = self.ref(path, tpl, 'xml')
                        if doc is not None:
                            self.xml_template_body(doc, tpath)
                    else:
                        doc = self.ref(path, tpl, 'json')
                        if doc is not None:
                            self.json_template_body(doc, tpath)
            elif kind == 'imagelayer':
                if layer.get('image'):
                    self.ref(path, layer['image'], 'image')
            elif kind == 'group':
                self.json_layers(layer.get('layers', []), path)

    def tmj(self, path):
        with open(path, 'rb') as f:
            doc = json.loads(f.read())
        for ts in doc.get('tilesets', []):
            self.json_tileset(ts, path)
        self.json_layers(doc.get('layers', []), path)


def main():
    with open(os.path.join(HERE, 'corpus.json')) as f:
        corpus = json.load(f)
    bad = 0
    for entry in corpus:
        path = os.path.normpath(os.path.join(HERE, entry['map']))
        folder = os.path.join(HERE, entry['id'])
        if not os.path.isfile(path):
            print('%s: map file %s is missing' % (entry['id'], entry['map']))
            bad += 1
            continue
        with open(path, 'rb') as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        if entry.get('sha256') and digest != entry['sha256']:
            print('%s: %s differs from the file its authors saved' % (entry['id'], entry['map']))
            bad += 1
        w = Walker()
        w.seen.add(path)
        try:
            (w.tmj if entry['format'] == 'json' else w.tmx)(path)
        except (ET.ParseError, ValueError) as e:
            print('%s: cannot parse: %s' % (entry['id'], e))
            bad += 1
            continue
        for base, rel in w.missing:
            print('%s: %s refers to %s, which is missing' % (entry['id'], os.path.relpath(base, HERE), rel))
            bad += 1
        for f in w.seen:
            if not f.startswith(folder + os.sep):
                print('%s: %s lies outside the map\'s folder' % (entry['id'], os.path.relpath(f, HERE)))
                bad += 1
        for dirpath, _, names in os.walk(folder):
            for n in names:
                full = os.path.normpath(os.path.join(dirpath, n))
                if full not in w.seen and not n.startswith('LICENSE'):
                    print('%s: note: %s is not referred to' % (entry['id'], os.path.relpath(full, HERE)))
        print('%s: %d files, ok' % (entry['id'], len(w.seen)) if not w.missing else '', end='\n' if not w.missing else '')
    print('%d maps checked, %d problem(s)' % (len(corpus), bad))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
