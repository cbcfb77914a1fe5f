"""Pictures for the picture window: a PNG decoder, a PPM reader, 24-bit BMP output, scaling
and the rendering of a globe from a map, in the Python standard library only.

Images are held as (width, height, pixels) with pixels a list of rows, each row a list of
(r, g, b) floats 0..255 (or (r, g, b, a) while an alpha channel is kept). Everything is
deterministic: the same input bytes give the same output bytes.
"""
import math
import struct
import zlib


class ImageError(ValueError):
    pass


# --- PNG ------------------------------------------------------------------------------------------

_PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
_CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(data, width, height, bpp):
    """The raw scanlines of a non-interlaced image (filters 0-4 of the PNG standard)."""
    stride = width * bpp
    rows = []
    prior = bytearray(stride)
    pos = 0
    for _ in range(height):
        if pos + 1 + stride > len(data):
            raise ImageError("PNG image data too short")
        kind = data[pos]
        cur = bytearray(data[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        if kind == 1:
            for i in range(bpp, stride):
                cur[i] = (cur[i] + cur[i - bpp]) & 0xFF
        elif kind == 2:
            for i in range(stride):
                cur[i] = (cur[i] + prior[i]) & 0xFF
        elif kind == 3:
            for i in range(stride):
                left = cur[i - bpp] if i >= bpp else 0
                cur[i] = (cur[i] + ((left + prior[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                left = cur[i - bpp] if i >= bpp else 0
                upleft = prior[i - bpp] if i >= bpp else 0
                cur[i] = (cur[i] + _paeth(left, prior[i], upleft)) & 0xFF
        elif kind != 0:
            raise ImageError(f"PNG filter type {kind}")
        rows.append(cur)
        prior = cur
    return rows


def read_png(path):
    """(width, height, rows of (r, g, b, a)) of a PNG file: 8-bit grey, RGB, palette (with
    tRNS transparency), grey + alpha and RGBA, not interlaced. Ancillary chunks are ignored."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(_PNG_SIGNATURE):
        raise ImageError(f"{path}: not a PNG file")
    pos = 8
    ihdr = None
    palette = []
    trns = b""
    idat = []
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise ImageError(f"{path}: truncated chunk {kind!r}")
        if zlib.crc32(kind + body) != struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]:
            raise ImageError(f"{path}: bad CRC in chunk {kind!r}")
        pos += 12 + length
        if kind == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    if ihdr is None:
        raise ImageError(f"{path}: no IHDR")
    width, height, depth, colour, _, _, interlace = ihdr
    if depth != 8 or colour not in _CHANNELS or interlace != 0:
        raise ImageError(f"{path}: unsupported PNG (depth {depth}, colour {colour}, "
                         f"interlace {interlace})")
    channels = _CHANNELS[colour]
    rows = _unfilter(zlib.decompress(b"".join(idat)), width, height, channels)
    out = []
    for raw in rows:
        row = []
        for x in range(width):
            px = raw[x * channels:(x + 1) * channels]
            if colour == 0:
                row.append((px[0], px[0], px[0], 255))
            elif colour == 2:
                row.append((px[0], px[1], px[2], 255))
            elif colour == 3:
                r, g, b = palette[px[0]]
                a = trns[px[0]] if px[0] < len(trns) else 255
                row.append((r, g, b, a))
            elif colour == 4:
                row.append((px[0], px[0], px[0], px[1]))
            else:
                row.append((px[0], px[1], px[2], px[3]))
        out.append(row)
    return width, height, out


def read_ppm(data):
    """(width, height, rows of (r, g, b)) of a binary PPM (P6, maxval 255)."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ImageError("not an 8-bit P6 PPM")
    width, height = int(fields[1]), int(fields[2])
    body = data[pos:pos + width * height * 3]
    if len(body) != width * height * 3:
        raise ImageError("PPM data too short")
    rows = []
    for y in range(height):
        line = body[y * width * 3:(y + 1) * width * 3]
        rows.append([(line[i], line[i + 1], line[i + 2]) for i in range(0, len(line), 3)])
    return width, height, rows


# --- pixels ---------------------------------------------------------------------------------------

def over_black(image):
    """An RGBA image with its alpha applied over a black background, as RGB."""
    w, h, rows = image
    return w, h, [[(r * a / 255.0, g * a / 255.0, b * a / 255.0) for (r, g, b, a) in row]
                  for row in rows]


def half(image):
    """Half size by averaging 2 x 2 blocks (an odd last row or column is dropped)."""
    w, h, rows = image
    out = []
    for y in range(0, h - 1, 2):
        r0, r1 = rows[y], rows[y + 1]
        out.append([tuple((r0[x][c] + r0[x + 1][c] + r1[x][c] + r1[x + 1][c]) / 4.0
                          for c in range(3)) for x in range(0, w - 1, 2)])
    return w // 2, h // 2, out


def sample(image, fx, fy, wrap_x=False):
    """Bilinear sample at pixel coordinates (fx, fy), pixel centres at whole numbers + 0.5."""
    w, h, rows = image
    x = fx - 0.5
    y = min(max(fy - 0.5, 0.0), h - 1.0)
    x0 = math.floor(x)
    y0 = min(int(y), h - 2) if h > 1 else 0
    tx, ty = x - x0, y - y0
    if wrap_x:
        xa, xb = x0 % w, (x0 + 1) % w
    else:
        x0 = min(max(x0, 0), w - 1)
        xa, xb = x0, min(x0 + 1, w - 1)
        tx = min(max(x - x0, 0.0), 1.0)
    yb = min(y0 + 1, h - 1)
    ra, rb = rows[y0], rows[yb]
    return tuple((ra[xa][c] * (1 - tx) + ra[xb][c] * tx) * (1 - ty) +
                 (rb[xa][c] * (1 - tx) + rb[xb][c] * tx) * ty for c in range(3))


def resize(image, width, height):
    """Bilinear resampling to width x height (for enlarging, or after half() for reducing)."""
    w, h, _ = image
    sx, sy = w / width, h / height
    return width, height, [[sample(image, (x + 0.5) * sx, (y + 0.5) * sy)
                            for x in range(width)] for y in range(height)]


def canvas(width, height, colour=(0.0, 0.0, 0.0)):
    return width, height, [[colour] * width for _ in range(height)]


def paste_centred(base, image):
    bw, bh, brows = base
    w, h, rows = image
    ox, oy = (bw - w) // 2, (bh - h) // 2
    for y in range(h):
        brows[oy + y][ox:ox + w] = rows[y]
    return base


# --- globes ---------------------------------------------------------------------------------------

def _normalise(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def render_body(texture, width, height, semi_axes, turn_deg, tilt_deg, light, fill=0.94,
                ambient=0.04, lon_offset_deg=0.0):
    """A body seen from afar (orthographic), its surface coloured from an equirectangular map
    (left edge at longitude -180 + lon_offset, top edge at latitude +90) and lit by Lambert's
    law from the unit vector `light` (x right, y up, z towards the viewer).
      semi_axes  (a, b, c) of the ellipsoid in body axes (x to longitude 0, z to the north
                 pole); (1, 1, 1) for a sphere
      turn_deg   the body turned about its polar axis: the longitude at the centre of the disc
      tilt_deg   the north pole tipped towards the viewer by this angle
    The largest semi-axis spans `fill` of the picture's half-width. Edge pixels are
    anti-aliased by 4 x 4 supersampling."""
    a, b, c = semi_axes
    scale = fill * (width / 2.0) / max(a, b, c)
    light = _normalise(light)
    tw, th, _ = texture
    # body -> view: turn about z by -(turn) (so that `turn` faces the viewer), then tilt
    ct, st = math.cos(math.radians(turn_deg)), math.sin(math.radians(turn_deg))
    ci, si = math.cos(math.radians(tilt_deg)), math.sin(math.radians(tilt_deg))

    def to_body(p):
        # view (x right, y up, z to viewer) -> body frame: undo the tilt about x, then the turn
        x, y, z = p
        y1, z1 = ci * y + si * z, -si * y + ci * z
        # body frame before the turn: x = towards the viewer, y = right, z = north
        bx, by, bz = z1, x, y1
        return (ct * bx - st * by, st * bx + ct * by, bz)

    def to_view(v):
        x, y, z = v
        bx, by = ct * x + st * y, -st * x + ct * y
        z1, x1, y1 = bx, by, z
        return (x1, ci * y1 - si * z1, si * y1 + ci * z1)

    d = (1.0 / (a * a), 1.0 / (b * b), 1.0 / (c * c))
    # The view direction in body axes, and the two other view axes, for the ray equation.
    ez = to_body((0.0, 0.0, 1.0))
    ex = to_body((1.0, 0.0, 0.0))
    ey = to_body((0.0, 1.0, 0.0))
    qa = sum(d[k] * ez[k] * ez[k] for k in range(3))

    def ray(vx, vy):
        o = tuple(vx * ex[k] + vy * ey[k] for k in range(3))
        qb = 2.0 * sum(d[k] * o[k] * ez[k] for k in range(3))
        qc = sum(d[k] * o[k] * o[k] for k in range(3)) - 1.0
        return o, qb, qb * qb - 4.0 * qa * qc

    def shade(vx, vy):
        o, qb, disc = ray(vx, vy)
        if disc < 0.0:
            return None
        t = (-qb + math.sqrt(disc)) / (2.0 * qa)
        p = tuple(o[k] + t * ez[k] for k in range(3))
        normal = _normalise(to_view(tuple(d[k] * p[k] for k in range(3))))
        lon = math.degrees(math.atan2(p[1], p[0]))
        lat = math.degrees(math.atan2(p[2], math.hypot(p[0], p[1])))
        u = ((lon + 180.0 - lon_offset_deg) % 360.0) / 360.0 * tw
        v = (90.0 - lat) / 180.0 * th
        colour = sample(texture, u, v, wrap_x=True)
        lit = ambient + (1.0 - ambient) * max(0.0, sum(n * l for n, l in zip(normal, light)))
        return tuple(ch * lit for ch in colour)

    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            vx, vy = (x + 0.5 - width / 2.0) / scale, (height / 2.0 - y - 0.5) / scale
            inside = [ray(vx + dx * 0.5 / scale, vy + dy * 0.5 / scale)[2] >= 0.0
                      for dx in (-1, 1) for dy in (-1, 1)]
            if not any(inside):
                row.append((0.0, 0.0, 0.0))
            elif all(inside):
                row.append(shade(vx, vy) or (0.0, 0.0, 0.0))
            else:
                total = [0.0, 0.0, 0.0]
                for sy in range(4):
                    for sx in range(4):
                        sub = shade(vx + (sx - 1.5) / 4.0 / scale, vy - (sy - 1.5) / 4.0 / scale)
                        if sub is not None:
                            for k in range(3):
                                total[k] += sub[k]
                row.append(tuple(t / 16.0 for t in total))
        rows.append(row)
    return width, height, rows


# --- BMP ------------------------------------------------------------------------------------------

def bmp_bytes(image):
    """A 24-bit uncompressed Windows bitmap (BITMAPINFOHEADER, bottom-up rows padded to four
    bytes, 96 dots per inch) of an RGB image; values are rounded half to even and clamped."""
    w, h, rows = image
    pad = (4 - (w * 3) % 4) % 4
    body = bytearray()
    for row in reversed(rows):
        for (r, g, b) in row:
            body += bytes((min(255, max(0, round(b))), min(255, max(0, round(g))),
                           min(255, max(0, round(r)))))
        body += b"\0" * pad
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(body), 0, 0,
                              14 + len(header))
    return file_header + header + bytes(body)
