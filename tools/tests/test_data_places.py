"""Tests of the generated ortsnamn.dta and land.dta against published facts."""
import re
import unittest

from data_helpers import cols, deg_min, read_lines

# Sweden's 21 county seats (residensstäder).
COUNTY_SEATS = ["Stockholm", "Uppsala", "Nyköping", "Linköping", "Jönköping", "Växjö",
                "Kalmar", "Visby", "Karlskrona", "Malmö", "Halmstad", "Göteborg", "Karlstad",
                "Örebro", "Västerås", "Falun", "Gävle", "Härnösand", "Östersund", "Umeå",
                "Luleå"]


def first_match(lines, key):
    """The first line whose name columns contain `key`, as the look-up by name finds it."""
    for line in lines:
        if key in cols(line, 1, 30):
            return line
    return None


class PlacesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lines = read_lines("ortsnamn.dta")

    def test_layout_of_every_line(self):
        self.assertLessEqual(len(self.lines), 2000)   # the Earth map keeps 2000 places
        self.assertGreater(len(self.lines), 1500)
        for line in self.lines:
            self.assertLessEqual(len(line), 54, line)
            name = cols(line, 1, 30)
            self.assertRegex(name, r"^\S.*? \[[A-Z]{2}\]( H)? *$", line)
            self.assertEqual(cols(line, 31, 32), "  ", line)
            self.assertEqual(cols(line, 39, 39), " ", line)
            self.assertEqual(cols(line, 47, 47), " ", line)
            lat, lon = cols(line, 33, 38), cols(line, 40, 46)
            self.assertRegex(lat, r"^ *-?\d{1,2}\.[0-5]\d$", line)
            self.assertRegex(lon, r"^ *-?\d{1,3}\.[0-5]\d$", line)
            self.assertLessEqual(abs(deg_min(lat)), 90.0)
            self.assertLessEqual(abs(deg_min(lon)), 180.0)
            self.assertRegex(cols(line, 48, 53), r"^[+-]\d{1,2}(\.25|\.5|\.75)?\*?$", line)

    def test_published_places(self):
        # (key, name field start, latitude, longitude (deg, min; published), zone text)
        # Zone texts: Sweden CET (UTC+1) with summer time; Australian Capital Territory
        # AEST (UTC+10) with daylight saving; Nepal UTC+5:45; India UTC+5:30; Iran UTC+3:30
        # without summer time since 2022; Japan UTC+9; Iceland UTC+0; Chile UTC-4 with
        # summer time; Hawaii UTC-10.
        cases = [
            ("Stockholm", "Stockholm [SE] H", (59, 20), (18, 3), "+1*"),
            ("Kiruna", "Kiruna [SE]", (67, 51), (20, 13), "+1*"),
            ("Göteborg", "Göteborg [SE]", (57, 42), (11, 58), "+1*"),
            ("Canberra", "Canberra [AU] H", (-35, -17.6), (149, 7.6), "+10*"),
            ("Kathmandu", "Kathmandu [NP] H", (27, 42.6), (85, 19.2), "+5.75"),
            ("New Delhi", "New Delhi [IN] H", (28, 36.8), (77, 12.5), "+5.5"),
            ("Tehran", "Tehran [IR] H", (35, 41), (51, 23), "+3.5"),
            ("Tokyo", "Tokyo [JP] H", (35, 41.4), (139, 41.5), "+9"),
            ("Reykjav", "Reykjavík [IS] H", (64, 8), (-21, -56), "+0"),
            ("Santiago", "Santiago [CL] H", (-33, -27), (-70, -40), "-4*"),
            ("Honolulu", "Honolulu [US]", (21, 18), (-157, -51), "-10"),
        ]
        for key, start, (ld, lm), (od, om), zone in cases:
            line = first_match(self.lines, key)
            self.assertIsNotNone(line, key)
            self.assertTrue(line.startswith(start), line)
            lat = deg_min(cols(line, 33, 38))
            lon = deg_min(cols(line, 40, 46))
            # a city's published position and GeoNames' point differ by a minute or two
            self.assertAlmostEqual(lat, ld + lm / 60, delta=3 / 60, msg=key)
            self.assertAlmostEqual(lon, od + om / 60, delta=3 / 60, msg=key)
            self.assertEqual(cols(line, 48, 53), zone, key)

    def test_swedish_county_seats_and_capitals(self):
        for town in COUNTY_SEATS:
            line = first_match(self.lines, town + " [SE]")
            self.assertIsNotNone(line, town)
        capitals = [line for line in self.lines if re.search(r"\] H *$", cols(line, 1, 30))]
        self.assertGreaterEqual(len(capitals), 193)   # at least every UN member's capital
        for town in ("Oslo [NO] H", "Helsinki [FI] H", "Ottawa [CA] H", "Wellington [NZ] H",
                     "Nairobi [KE] H", "Brasília [BR] H", "Reykjavík [IS] H"):
            self.assertIsNotNone(first_match(self.lines, town), town)

    def test_look_up_by_name_finds_the_larger_place_first(self):
        for key, want in (("London", "London [GB] H"), ("Lima", "Lima [PE] H"),
                          ("Paris", "Paris [FR] H"), ("Santiago", "Santiago [CL] H")):
            self.assertTrue(first_match(self.lines, key).startswith(want), key)

    def test_a_click_on_stockholm_names_stockholm(self):
        # The map names the site after the last line within half a degree of the click.
        lat, lon = 59 + 20 / 60, 18 + 4 / 60
        last = None
        for line in self.lines:
            la, lo = deg_min(cols(line, 33, 38)), deg_min(cols(line, 40, 46))
            if lat - 0.5 <= la < lat + 0.5 and lon - 0.5 <= lo < lon + 0.5:
                last = line
        self.assertTrue(last.startswith("Stockholm [SE] H"), last)

    def test_every_country_code_is_in_land(self):
        land = {cols(line, 1, 2) for line in read_lines("land.dta")}
        for line in self.lines:
            code = re.search(r"\[([A-Z]{2})\]", line).group(1)
            self.assertIn(code, land, line)


class LandTest(unittest.TestCase):
    def test_layout_and_swedish_names(self):
        lines = read_lines("land.dta")
        self.assertGreaterEqual(len(lines), 249)   # every ISO 3166-1 code
        codes = [cols(line, 1, 2) for line in lines]
        self.assertEqual(codes, sorted(set(codes)))
        for line in lines:
            self.assertRegex(line, r"^[A-Z]{2} \S")
            self.assertLessEqual(len(line), 31)
        names = {cols(line, 1, 2): cols(line, 4, 31) for line in lines}
        for code, name in (("SE", "Sverige"), ("NO", "Norge"), ("FI", "Finland"),
                           ("DK", "Danmark"), ("DE", "Tyskland"), ("US", "USA"),
                           ("AX", "Åland"), ("GB", "Förenade kungariket"),
                           ("KP", "Nordkorea"), ("XK", "Kosovo")):
            self.assertEqual(names[code], name, code)


if __name__ == "__main__":
    unittest.main()
