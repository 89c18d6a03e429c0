#!/usr/bin/env python3
"""Gives a symbol font the Windows symbol character map it lacks.

Wine's own Symbol font maps its glyphs only by Macintosh byte codes and by a Unicode table keyed
by those bytes read as Mac Roman text, so text in the symbol character set (codes 0x20 to 0xFF,
which Windows looks up at U+F020 to U+F0FF) shows the wrong glyphs for codes above 0x7F. This
writes a copy whose character maps are the Macintosh byte table and a Windows symbol table
(platform 3, encoding 0) built from it, as the fonts of that kind that Windows ships have.

    symbol-font-cmap.py in.ttf out.ttf
"""
import struct
import sys


def tables_of(font):
    count = struct.unpack('>H', font[4:6])[0]
    tables = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack('>4sIII', font[12 + 16 * i:28 + 16 * i])
        tables[tag] = font[offset:offset + length]
    return tables


def mac_byte_map(cmap):
    count = struct.unpack('>H', cmap[2:4])[0]
    for i in range(count):
        platform, encoding, offset = struct.unpack('>HHI', cmap[4 + 8 * i:12 + 8 * i])
        if (platform, encoding) == (1, 0) and struct.unpack('>H', cmap[offset:offset + 2])[0] == 0:
            length = struct.unpack('>H', cmap[offset + 2:offset + 4])[0]
            return cmap[offset:offset + length], cmap[offset + 6:offset + 6 + 256]
    raise SystemExit('no Macintosh byte table in the font')


def symbol_subtable(glyphs):
    codes = [c for c in range(0x20, 0x100) if glyphs[c]]
    starts = [0xF000 + c for c in codes] + [0xFFFF]
    deltas = [(glyphs[c] - (0xF000 + c)) & 0xFFFF for c in codes] + [1]
    segments = len(starts)
    search = 2 ** (segments.bit_length() - 1)
    body = struct.pack('>HHHH', segments * 2, search * 2, search.bit_length() - 1,
                       segments * 2 - search * 2)
    body += struct.pack('>%dH' % segments, *starts)  # ends equal starts: one code a segment
    body += b'\0\0' + struct.pack('>%dH' % segments, *starts)
    body += struct.pack('>%dH' % segments, *deltas) + b'\0\0' * segments
    return struct.pack('>HHH', 4, 6 + len(body), 0) + body


def checksum(data):
    data += b'\0' * (-len(data) % 4)
    return sum(struct.unpack('>%dI' % (len(data) // 4), data)) & 0xFFFFFFFF


def write_font(version, tables):
    tags = sorted(tables)
    count = len(tags)
    search = 2 ** (count.bit_length() - 1)
    header = version + struct.pack('>HHHH', count, search * 16, search.bit_length() - 1,
                                   count * 16 - search * 16)
    offset = len(header) + 16 * count
    directory, body = b'', b''
    for tag in tags:
        data = tables[tag]
        directory += struct.pack('>4sIII', tag, checksum(data), offset + len(body), len(data))
        body += data + b'\0' * (-len(data) % 4)
    font = bytearray(header + directory + body)
    head = offset + sum(len(tables[t]) + (-len(tables[t]) % 4) for t in tags[:tags.index(b'head')])
    struct.pack_into('>I', font, head + 8, (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF)
    return bytes(font)


def main():
    source, target = sys.argv[1:3]
    font = open(source, 'rb').read()
    tables = tables_of(font)
    mac, glyphs = mac_byte_map(tables[b'cmap'])
    symbol = symbol_subtable(glyphs)
    cmap = struct.pack('>HH', 0, 2) + struct.pack('>HHI', 1, 0, 20)
    cmap += struct.pack('>HHI', 3, 0, 20 + len(mac)) + mac + symbol
    tables[b'cmap'] = cmap
    head = bytearray(tables[b'head'])
    struct.pack_into('>I', head, 8, 0)
    tables[b'head'] = bytes(head)
    open(target, 'wb').write(write_font(font[0:4], tables))


if __name__ == '__main__':
    main()
