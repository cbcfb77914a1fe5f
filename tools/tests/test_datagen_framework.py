"""Tests of the shared pieces of tools/datagen: text output, SOURCES.md sections, the package
lock, the .qm reader and the polygon geometry."""
import math
import os
import struct
import tempfile
import unittest
import pathlib

import data_helpers  # noqa: F401  (puts tools/ on the path)
from datagen import fetch, geo, qm, sources, textout


class TextOutTest(unittest.TestCase):
    def test_transliterate(self):
        cases = [
            ("Göteborg", "Göteborg"),       # in Windows-1252: kept
            ("Malmö", "Malmö"),
            ("Niš", "Niš"),                 # š is 0x9A in Windows-1252
            ("Čačak", "Cacak"),
            ("Łódź", "Lódz"),              # ó is in Windows-1252, Ł and ź are not
            ("İstanbul", "Istanbul"),
            ("Tehrān", "Tehran"),
            ("Đakovo", "Dakovo"),
            ("Hà Nội", "Hà Noi"),           # à is in Windows-1252, ộ is not
        ]
        for text, want in cases:
            self.assertEqual(textout.transliterate(text), want, text)
        with self.assertRaises(ValueError):
            textout.transliterate("Москва")

    def test_columns_places_fields_at_byte_columns(self):
        line = textout.columns((1, 30, "Stockholm [SE] H"), (33, 6, "59.20", "right"),
                               (40, 7, "18.04", "right"), (48, 6, "+1*"))
        self.assertEqual(line[0:16], "Stockholm [SE] H")
        self.assertEqual(line[32:38], " 59.20")
        self.assertEqual(line[39:46], "  18.04")
        self.assertEqual(line[47:], "+1*")
        with self.assertRaises(ValueError):
            textout.columns((1, 3, "abcd"))
        with self.assertRaises(ValueError):
            textout.columns((1, 5, "ab"), (4, 2, "cd"))
        self.assertEqual(textout.columns((1, 2, "ab"), (5, 3, "")), "ab")
        self.assertEqual(textout.columns((1, 2, "ab"), (5, 3, ""), keep_trailing=True), "ab     ")

    def test_text_file_is_cp1252_with_crlf(self):
        self.assertEqual(textout.text_file(["Malmö", "Åre"]), b"Malm\xf6\r\n\xc5re\r\n")
        with self.assertRaises(UnicodeEncodeError):
            textout.text_file(["Čačak"])

    def test_fixed_never_writes_minus_zero(self):
        self.assertEqual(textout.fixed(-0.04, 1), "0.0")
        self.assertEqual(textout.fixed(-0.06, 1), "-0.1")
        self.assertEqual(textout.fixed(2.25, 1), "2.2")   # ties by the binary value

    def test_cut_words(self):
        cases = [
            ("Stockholm", 23, "Stockholm"),
            ("Saint Helena, Ascension och Tristan da Cunha", 28, "Saint Helena, Ascension"),
            ("Sint Maarten (nederländska delen)", 28, "Sint Maarten"),
            ("Förenta staternas mindre öar i Oceanien och Västindien", 28,
             "Förenta staternas mindre öar"),
            ("Abcdefghijklmnopqrstuvwxyz", 10, "Abcdefghij"),
        ]
        for text, width, want in cases:
            got = textout.cut_words(text, width)
            self.assertEqual(got, want, text)
            self.assertLessEqual(len(got), width)

    def test_write_atomic_replaces_and_leaves_no_temporary_file(self):
        with tempfile.TemporaryDirectory() as d:
            p = pathlib.Path(d) / "x.dta"
            textout.write_atomic(p, b"one")
            textout.write_atomic(p, b"two")
            self.assertEqual(p.read_bytes(), b"two")
            self.assertEqual(os.listdir(d), ["x.dta"])


class SourcesTest(unittest.TestCase):
    def test_sections_are_appended_then_replaced_and_other_text_kept(self):
        text = "# Data files\n\nWritten by hand.\n"
        text = sources.update(text, "a.dta", "## a.dta\n\nfirst\n")
        text = sources.update(text, "b.dta", "## b.dta\n\nb\n")
        text += "\n## Hand-written section\n\nkept\n"
        text = sources.update(text, "a.dta", "## a.dta\n\nsecond\n")
        self.assertTrue(text.startswith("# Data files\n\nWritten by hand.\n\n"))
        self.assertIn("second", text)
        self.assertNotIn("first", text)
        self.assertIn("## b.dta\n\nb\n", text)
        self.assertTrue(text.endswith("## Hand-written section\n\nkept\n"))
        self.assertEqual(text.count("<!-- make-data a.dta begin -->"), 1)
        self.assertEqual(sources.update(text, "a.dta", "## a.dta\n\nsecond\n"), text)


class LockTest(unittest.TestCase):
    def test_round_trip(self):
        with tempfile.TemporaryDirectory() as d:
            path = pathlib.Path(d) / "packages.lock"
            lock = fetch.Lock(path)
            lock.set("debian", "tzdata", "2024a-1", "ab" * 32)
            lock.set("npm", "d3-celestial", "0.7.35", "cd" * 32)
            self.assertTrue(lock.save())
            self.assertFalse(lock.save())   # unchanged: not written again
            again = fetch.Lock(path)
            self.assertEqual(again.get("debian", "tzdata"), ("2024a-1", "ab" * 32))
            self.assertEqual(again.get("npm", "d3-celestial"), ("0.7.35", "cd" * 32))
            self.assertIsNone(again.get("npm", "tzdata"))

    def test_offline_fetcher_refuses_what_the_cache_lacks(self):
        with tempfile.TemporaryDirectory() as d:
            lock = fetch.Lock(pathlib.Path(d) / "packages.lock")
            lock.set("debian", "tzdata", "2024a-1", "ab" * 32)
            f = fetch.Fetcher(cache=pathlib.Path(d) / "cache", lock=lock, offline=True,
                              log=lambda m: None)
            with self.assertRaises(fetch.FetchError):
                f.debian("tzdata")
            with self.assertRaises(fetch.FetchError):
                f.npm("not-pinned")


def _qm_file(messages):
    """A .qm file built by hand from (source, translation, comment) triples."""
    body = b""
    for src, tr, com in messages:
        t = tr.encode("utf-16-be")
        s = src.encode("utf-8")
        c = com.encode("utf-8")
        body += b"\x03" + struct.pack(">I", len(t)) + t
        body += b"\x06" + struct.pack(">I", len(s)) + s
        body += b"\x07" + struct.pack(">I", 0)
        body += b"\x08" + struct.pack(">I", len(c)) + c
        body += b"\x05" + b"\x00\x00\x00\x00"
        body += b"\x01"
    hashes = b"\x42" + struct.pack(">I", 8) + b"\x00" * 8
    return qm.MAGIC + hashes + b"\x69" + struct.pack(">I", len(body)) + body


class QmTest(unittest.TestCase):
    def test_reads_messages(self):
        with tempfile.TemporaryDirectory() as d:
            p = pathlib.Path(d) / "sv.qm"
            p.write_bytes(_qm_file([("Aquila", "Örnen", ""), ("Hydra", "Vattenormen", ""),
                                    ("Hydra", "Hydra", "moon")]))
            m = qm.read_qm(p)
            self.assertEqual(qm.translation(m, "Aquila"), "Örnen")
            self.assertEqual(qm.translation(m, "Hydra"), "Vattenormen")
            self.assertEqual(qm.translation(m, "Hydra", "moon"), "Hydra")
            self.assertIsNone(qm.translation(m, "Cetus"))
            p.write_bytes(b"not a qm file at all")
            with self.assertRaises(ValueError):
                qm.read_qm(p)


def _circle(lat0, lon0, radius_deg, n=360):
    """n points on a small circle of the sphere (as (lat, lon))."""
    pts = []
    c = geo.unit(lat0, lon0)
    # any vector perpendicular to c, then rotate it around c
    a = geo._norm(geo._cross(c, (0.0, 0.0, 1.0) if abs(c[2]) < 0.9 else (1.0, 0.0, 0.0)))
    b = geo._cross(c, a)
    r = math.radians(radius_deg)
    for k in range(n):
        t = 2 * math.pi * k / n
        v = tuple(math.cos(r) * c[i] + math.sin(r) * (math.cos(t) * a[i] + math.sin(t) * b[i])
                  for i in range(3))
        pts.append((math.degrees(math.asin(v[2])), math.degrees(math.atan2(v[1], v[0]))))
    return pts


class GeoTest(unittest.TestCase):
    def test_area_of_a_spherical_cap(self):
        # cap of angular radius 20 degrees: 2 pi R^2 (1 - cos 20 deg)
        want = 2 * math.pi * 6371.0 ** 2 * (1 - math.cos(math.radians(20)))
        for centre in ((50.0, 10.0), (-90.0, 0.0), (10.0, 179.0)):
            got = geo.Ring(_circle(*centre, 20.0, 720)).area_km2()
            self.assertAlmostEqual(got / want, 1.0, delta=1e-3, msg=str(centre))

    def test_point_in_polygon_across_the_antimeridian_and_around_a_pole(self):
        dateline = geo.Ring([(60.0, 170.0), (60.0, -170.0), (70.0, -170.0), (70.0, 170.0)])
        self.assertTrue(dateline.contains(65.0, 179.9))
        self.assertTrue(dateline.contains(65.0, -175.0))
        self.assertFalse(dateline.contains(65.0, 160.0))
        self.assertFalse(dateline.contains(65.0, 0.0))
        antarctic = geo.Ring([(-70.0, lon) for lon in range(-180, 180, 5)])
        self.assertTrue(antarctic.contains(-89.0, 45.0))
        self.assertTrue(antarctic.contains(-71.0, 170.0))
        self.assertFalse(antarctic.contains(-60.0, 0.0))
        self.assertFalse(antarctic.contains(80.0, 0.0))

    def test_clearance_is_the_angular_distance_to_the_outline(self):
        ring = geo.Ring(_circle(0.0, 0.0, 10.0, 720))
        self.assertAlmostEqual(ring.clearance_deg(0.0, 0.0, 20.0), 10.0, delta=0.01)
        self.assertAlmostEqual(ring.clearance_deg(0.0, 7.0, 20.0), 3.0, delta=0.01)
        self.assertEqual(ring.clearance_deg(0.0, 0.0, 2.0), 2.0)   # capped

    def test_pole_of_inaccessibility(self):
        # an L-shaped region of arms 2 degrees wide: the largest inscribed circle sits in the
        # corner at (a, a), touching both outer edges (distance a) and the inner corner (2, 2)
        # (distance sqrt(2) (2 - a)), so a = 2 sqrt(2) / (1 + sqrt(2))
        ring = geo.Ring([(0, 0), (0, 6), (2, 6), (2, 2), (6, 2), (6, 0)])
        lat, lon, clear = ring.pole_of_inaccessibility(precision_deg=0.001)
        a = 2 * math.sqrt(2) / (1 + math.sqrt(2))
        self.assertTrue(ring.contains(lat, lon))
        self.assertAlmostEqual(clear, a, delta=0.01)
        self.assertAlmostEqual(lat, a, delta=0.05)
        self.assertAlmostEqual(lon, a, delta=0.05)
        circle = geo.Ring(_circle(-75.0, 100.0, 5.0, 360))
        lat, lon, clear = circle.pole_of_inaccessibility()
        self.assertLess(data_helpers.angle_deg((lat, lon), (-75.0, 100.0)), 0.05)
        self.assertAlmostEqual(clear, 5.0, delta=0.05)

    def test_simplify_keeps_the_shape_within_the_tolerance(self):
        pts = _circle(45.0, 0.0, 10.0, 3600)
        simple = geo.simplify_ring(pts, 0.1)
        self.assertLess(len(simple), 200)
        self.assertEqual(simple[0], pts[0])
        ring = geo.Ring(simple)
        for p in pts[::37]:
            # every dropped point lies within the tolerance of the simplified outline
            self.assertLess(ring.clearance_deg(p[0], p[1], 1.0), 0.1 + 1e-9)


if __name__ == "__main__":
    unittest.main()
