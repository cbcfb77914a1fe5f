"""Tests of the generated karta.dta: its layout, closed coastlines, marks inside their land
(checked with a winding-number test independent of the generator's geometry), and a drawing
of the globe as the Earth map draws it, whose flood fills must colour land and never the sea.
"""
import math
import random
import unittest

from data_helpers import angle_deg, inside, read_lines

CODES = "P ,gV"


def parse(lines):
    """(rings, lakes, marks): rings and lakes as lists of (lat, lon) without the closing
    repeat; marks as (code, lat, lon)."""
    rings, lakes, marks, current, kind = [], [], [], None, None
    for line in lines:
        lat, code, lon = float(line[0:5]), line[5], float(line[6:12])
        if code == "P":
            current = [(lat, lon)]
            kind = None
        elif code in " ,":
            if kind is None:
                kind = code
                (rings if code == " " else lakes).append(current)
            current.append((lat, lon))
        else:
            marks.append((code, lat, lon))
    return rings, lakes, marks


class KartaLayoutTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lines = read_lines("karta.dta")
        cls.rings, cls.lakes, cls.marks = parse(cls.lines)

    def test_every_line(self):
        self.assertLess(len(self.lines), 25000)   # small enough to draw at once
        for line in self.lines:
            self.assertEqual(len(line), 12, line)
            self.assertRegex(line, r"^ *-?\d{1,2}\.\d[P ,gV] *-?\d{1,3}\.\d$")
            self.assertIn(line[5], CODES)
            self.assertLessEqual(abs(float(line[0:5])), 90.0)
            self.assertLessEqual(abs(float(line[6:12])), 180.0)

    def test_rings_are_closed_and_marks_come_last(self):
        self.assertGreater(len(self.rings), 300)
        self.assertGreater(len(self.lakes), 50)
        for ring in self.rings + self.lakes:
            self.assertGreaterEqual(len(ring), 4)
            self.assertEqual(ring[0], ring[-1])
        codes = "".join(line[5] for line in self.lines)
        self.assertRegex(codes, r"^(P[ ]+)+(P[,]+)+g+V+$")

    def test_continents_are_there(self):
        # a point well inside each continent lies inside some ring (the winding test holds for
        # rings that do not reach the point's antipode: those centred near the point)
        rings = [(r[:-1], _centre(r)) for r in self.rings]

        def on_land(lat, lon):
            return any(inside(lat, lon, r) for r, (c, reach) in rings
                       if angle_deg((lat, lon), c) < reach + 1.0)

        for name, lat, lon in (("Africa", 5.0, 20.0), ("Asia", 50.0, 90.0),
                               ("North America", 45.0, -100.0), ("South America", -10.0, -60.0),
                               ("Australia", -25.0, 135.0), ("Antarctica", -80.0, 30.0),
                               ("Greenland", 72.0, -40.0), ("Europe", 50.0, 10.0)):
            self.assertTrue(on_land(lat, lon), name)
        for name, lat, lon in (("Atlantic", 30.0, -40.0), ("Pacific", 0.0, -150.0),
                               ("Indian Ocean", -30.0, 80.0), ("Arctic Ocean", 88.0, 0.0)):
            self.assertFalse(on_land(lat, lon), name)
        # Vänern, Victoria and Lake Superior are lakes
        for lat, lon in ((58.9, 13.3), (-1.0, 33.0), (47.7, -87.5)):
            self.assertTrue(any(inside(lat, lon, k[:-1]) for k in self.lakes
                                if angle_deg((lat, lon), _centre(k)[0]) < 30.0), (lat, lon))

    def test_marks_lie_inside_land_outside_lakes_away_from_every_line(self):
        self.assertGreater(len(self.marks), 300)
        rings = [(r[:-1], _centre(r)) for r in self.rings]
        lakes = [(k[:-1], _centre(k)) for k in self.lakes]
        for code, lat, lon in self.marks:
            near = [r for r, (c, reach) in rings if angle_deg((lat, lon), c) < reach + 1.0]
            hits = sum(inside(lat, lon, r) for r in near)
            self.assertEqual(hits, 1, (code, lat, lon))
            for k, (c, reach) in lakes:
                if angle_deg((lat, lon), c) < reach + 1.0:
                    self.assertFalse(inside(lat, lon, k), (code, lat, lon))
            # no drawn point closer than the margin (0.9 degree for "g", 1.8 for "V")
            margin = 0.9 if code == "g" else 1.8
            for r in near + [k for k, (c, reach) in lakes
                             if angle_deg((lat, lon), c) < reach + margin]:
                closest = min(angle_deg((lat, lon), p) for p in r)
                self.assertGreaterEqual(closest, margin - 0.05, (code, lat, lon))

    def test_ice_marks_on_antarctica_and_greenland_only(self):
        for code, lat, lon in self.marks:
            if code == "V":
                self.assertTrue(lat < -60.0 or (59.0 < lat < 84.0 and -75.0 < lon < -10.0),
                                (lat, lon))


def _centre(ring):
    """(lat, lon) of the mean direction of a ring and its largest distance from it."""
    x = y = z = 0.0
    for lat, lon in ring:
        cl = math.cos(math.radians(lat))
        x += cl * math.cos(math.radians(lon))
        y += cl * math.sin(math.radians(lon))
        z += math.sin(math.radians(lat))
    r = math.sqrt(x * x + y * y + z * z) or 1.0
    c = (math.degrees(math.asin(z / r)), math.degrees(math.atan2(y, x)))
    return c, max(angle_deg(c, p) for p in ring)


NAVY, BLACK, GREEN, GREY, TEAL = (0, 0, 128), (0, 0, 0), (0, 128, 0), (192, 192, 192), (0, 128, 128)
R, CX, CY, W, H = 310, 365, 330, 730, 660


def project(lat, lon, latc, lonc):
    """The globe projection: screen point and depth of (lat, lon) about (latc, lonc)."""
    d2r = math.pi / 180.0
    x = R * math.cos(lat * d2r) * math.sin((lon - lonc) * d2r)
    y = R * math.sin(lat * d2r)
    z = R * math.cos(lat * d2r) * math.cos((lon - lonc) * d2r)
    r = math.hypot(y, z)
    a = math.atan2(y, z)
    v = r * math.sin(a - latc * d2r)
    d = r * math.cos(a - latc * d2r)
    return CX + round(x), CY - round(v), d


def draw_globe(lines, latc, lonc):
    """The Earth map's drawing of karta.dta with the land colours on: a dark-blue disk with a
    black rim, coastlines as lines (steps to hidden points not drawn), and 4-connected flood
    fills of the dark-blue area at the land and ice marks deep enough on the visible side."""
    pix = [[(255, 255, 255)] * W for _ in range(H)]
    for yy in range(H):
        dy = yy - CY
        if abs(dy) <= R + 1:
            hw = int(math.sqrt((R + 1) ** 2 - dy * dy))
            row = pix[yy]
            for xx in range(max(0, CX - hw), min(W, CX + hw + 1)):
                row[xx] = NAVY
    for k in range(4000):
        a = 2 * math.pi * k / 4000
        pix[CY + round(R * math.sin(a))][CX + round(R * math.cos(a))] = BLACK

    def put(xx, yy, c):
        if 0 <= xx < W and 0 <= yy < H:
            pix[yy][xx] = c

    def line_to(x0, y0, x1, y1, c):      # Bresenham, end point excluded
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while (x0, y0) != (x1, y1):
            put(x0, y0, c)
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def fill(xx, yy, surface, c):
        stack = [(xx, yy)]
        while stack:
            xx, yy = stack.pop()
            if 0 <= xx < W and 0 <= yy < H and pix[yy][xx] == surface:
                pix[yy][xx] = c
                stack.extend(((xx + 1, yy), (xx - 1, yy), (xx, yy + 1), (xx, yy - 1)))

    pen = (0, 0)
    dprev = 0.0
    for text in lines:
        lat, code, lon = float(text[0:5]), text[5], float(text[6:12])
        if lat == 0.0:
            lat = 0.001
        if lon == 90.0:
            lon = 89.999
        X, Y, d = project(lat, lon, latc, lonc)
        if (code == "P" and d >= 0) or (dprev < 0 <= d):
            pen = (X, Y)
        if code == "P" and d >= 0:
            put(X, Y, BLACK)
        if code in " ,":
            if d >= 0:
                line_to(pen[0], pen[1], X, Y, BLACK if code == " " else TEAL)
            pen = (X, Y)
        elif code == "g" and d > 100:
            fill(X, Y, NAVY, GREEN)
            put(X, Y, GREEN)
        elif code == "V" and d > 50:
            fill(X, Y, NAVY, GREY)
            fill(X, Y, GREEN, GREY)
            put(X, Y, GREY)
        dprev = d
    return pix


OCEAN = [(0, -150), (30, -40), (-30, 80), (-60, 0), (-60, -120), (85, 0), (15, -130),
         (-40, -20), (40, 165), (10, 60), (-20, -100), (50, -150), (-45, 120), (20, -60)]


class KartaDrawingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lines = read_lines("karta.dta")

    def colour(self, pix, lat, lon, latc, lonc):
        X, Y, d = project(lat, lon, latc, lonc)
        self.assertGreater(d, 100, (lat, lon))
        return pix[Y][X]

    def assert_sea_stays_dark_blue(self, pix, latc, lonc):
        for lat, lon in OCEAN:
            X, Y, d = project(lat, lon, latc, lonc)
            if d > 20:
                self.assertNotIn(pix[Y][X], (GREEN, GREY), f"sea at {lat, lon} filled in the "
                                 f"view from {latc, lonc}")

    def test_view_from_stockholm(self):
        latc, lonc = 59 + 20 / 60, 18 + 3 / 60
        pix = draw_globe(self.lines, latc, lonc)
        self.assert_sea_stays_dark_blue(pix, latc, lonc)
        for lat, lon in ((23.0, 12.0), (60.0, 40.0), (62.0, 15.0), (52.5, -1.5), (64.8, -18.5)):
            self.assertEqual(self.colour(pix, lat, lon, latc, lonc), GREEN, (lat, lon))
        self.assertEqual(self.colour(pix, 75.0, -40.0, latc, lonc), GREY)   # Greenland
        for lat, lon in ((45.0, -30.0), (58.0, 20.0), (58.9, 13.3), (38.0, 18.0)):
            # the Atlantic, the Baltic, Vänern, the Mediterranean
            self.assertEqual(self.colour(pix, lat, lon, latc, lonc), NAVY, (lat, lon))

    def test_view_from_the_south_pole(self):
        pix = draw_globe(self.lines, -90.0, 0.0)
        self.assert_sea_stays_dark_blue(pix, -90.0, 0.0)
        self.assertEqual(self.colour(pix, -80.0, 60.0, -90.0, 0.0), GREY)
        self.assertEqual(self.colour(pix, -25.0, 135.0, -90.0, 0.0), GREEN)

    def test_no_view_floods_the_sea(self):
        rnd = random.Random(2024)
        for _ in range(4):
            latc = math.degrees(math.asin(rnd.uniform(-1.0, 1.0)))
            lonc = rnd.uniform(-180.0, 180.0)
            self.assert_sea_stays_dark_blue(draw_globe(self.lines, latc, lonc), latc, lonc)


if __name__ == "__main__":
    unittest.main()
