"""Reader of Qt's compiled translation files (.qm), as Stellarium ships its translations.

A .qm file is a 16-byte magic followed by tagged blocks (uint8 tag, uint32 big-endian length).
The messages block (tag 0x69) holds the messages as tagged fields: 1 ends a message,
3 translation (uint32 length + UTF-16BE; 0xFFFFFFFF = none), 6 source text (UTF-8),
7 context, 8 comment, 2/4/5 are followed by 4 bytes.
"""
import struct

MAGIC = bytes.fromhex("3CB86418CAEF9C95CD211CBF60A1BDDD")
MESSAGES = 0x69


def read_qm(path):
    """{source text: [(context, comment, translation), ...]} of a .qm file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:16] != MAGIC:
        raise ValueError(f"{path}: not a Qt .qm file")
    out = {}
    pos = 16
    while pos + 5 <= len(data):
        tag = data[pos]
        length = struct.unpack_from(">I", data, pos + 1)[0]
        block = data[pos + 5:pos + 5 + length]
        pos += 5 + length
        if tag != MESSAGES:
            continue
        p = 0
        tr = src = ctx = com = None
        while p < len(block):
            t = block[p]
            p += 1
            if t == 1:
                if src is not None and tr is not None:
                    out.setdefault(src, []).append((ctx or "", com or "", tr))
                tr = src = ctx = com = None
            elif t == 3:
                n = struct.unpack_from(">I", block, p)[0]
                p += 4
                if n == 0xFFFFFFFF:
                    tr = ""
                else:
                    tr = block[p:p + n].decode("utf-16-be")
                    p += n
            elif t in (6, 7, 8):
                n = struct.unpack_from(">I", block, p)[0]
                p += 4
                text = block[p:p + n].decode("utf-8")
                p += n
                if t == 6:
                    src = text
                elif t == 7:
                    ctx = text
                else:
                    com = text
            elif t in (2, 4, 5):
                p += 4
            elif t == 0:
                pass
            else:
                raise ValueError(f"{path}: unknown message field tag {t}")
    return out


def translation(messages, source, comment=""):
    """The translation of `source` with the given comment (disambiguation), else None."""
    for ctx, com, tr in messages.get(source, ()):
        if com == comment and tr:
            return tr
    return None
