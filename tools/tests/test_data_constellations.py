"""Tests of konst.dta, konstgra.dta, konnamn.dta and stjabild.dta against published facts."""
import unittest

from data_helpers import cols, read_lines

# The 88 constellations of the IAU with their abbreviations.
IAU = {
    "And": "Andromeda", "Ant": "Antlia", "Aps": "Apus", "Aqr": "Aquarius", "Aql": "Aquila",
    "Ara": "Ara", "Ari": "Aries", "Aur": "Auriga", "Boo": "Bootes", "Cae": "Caelum",
    "Cam": "Camelopardalis", "Cnc": "Cancer", "CVn": "Canes Venatici", "CMa": "Canis Major",
    "CMi": "Canis Minor", "Cap": "Capricornus", "Car": "Carina", "Cas": "Cassiopeia",
    "Cen": "Centaurus", "Cep": "Cepheus", "Cet": "Cetus", "Cha": "Chamaeleon",
    "Cir": "Circinus", "Col": "Columba", "Com": "Coma Berenices", "CrA": "Corona Australis",
    "CrB": "Corona Borealis", "Crv": "Corvus", "Crt": "Crater", "Cru": "Crux",
    "Cyg": "Cygnus", "Del": "Delphinus", "Dor": "Dorado", "Dra": "Draco", "Equ": "Equuleus",
    "Eri": "Eridanus", "For": "Fornax", "Gem": "Gemini", "Gru": "Grus", "Her": "Hercules",
    "Hor": "Horologium", "Hya": "Hydra", "Hyi": "Hydrus", "Ind": "Indus", "Lac": "Lacerta",
    "Leo": "Leo", "LMi": "Leo Minor", "Lep": "Lepus", "Lib": "Libra", "Lup": "Lupus",
    "Lyn": "Lynx", "Lyr": "Lyra", "Men": "Mensa", "Mic": "Microscopium", "Mon": "Monoceros",
    "Mus": "Musca", "Nor": "Norma", "Oct": "Octans", "Oph": "Ophiuchus", "Ori": "Orion",
    "Pav": "Pavo", "Peg": "Pegasus", "Per": "Perseus", "Phe": "Phoenix", "Pic": "Pictor",
    "Psc": "Pisces", "PsA": "Piscis Austrinus", "Pup": "Puppis", "Pyx": "Pyxis",
    "Ret": "Reticulum", "Sge": "Sagitta", "Sgr": "Sagittarius", "Sco": "Scorpius",
    "Scl": "Sculptor", "Sct": "Scutum", "Ser": "Serpens", "Sex": "Sextans", "Tau": "Taurus",
    "Tel": "Telescopium", "Tri": "Triangulum", "TrA": "Triangulum Australe",
    "Tuc": "Tucana", "UMa": "Ursa Major", "UMi": "Ursa Minor", "Vel": "Vela", "Vir": "Virgo",
    "Vol": "Volans", "Vul": "Vulpecula",
}


def parse_deg_min(text):
    """Hours (or degrees) and minutes as the chart reads them: of the first 6 characters,
    1-2 are the hours, 3-6 the minutes (with a decimal point)."""
    t = text[:6]
    return float(t[0:2]) + float(t[2:6]) / 60.0


def parse_signed_deg_min(text):
    """Of the first characters: 1 the sign, 2-3 degrees, 4-6 minutes."""
    t = text[:6]
    v = float(t[1:3]) + float(t[3:6]) / 60.0
    return -v if t[0] == "-" else v


def hms(h, m, s):
    return h + m / 60 + s / 3600


def dms(sign, d, m, s):
    return sign * (d + m / 60 + s / 3600)


class FiguresTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lines = read_lines("konst.dta")
        cls.points = [(parse_deg_min(cols(line, 1, 6)), parse_signed_deg_min(cols(line, 7, 11)))
                      for line in cls.lines]

    def test_layout(self):
        self.assertEqual(self.lines[0][12], "p")
        for line in self.lines:
            self.assertRegex(line, r"^[0-2]\d[0-5]\d\.\d[+-]\d{2}[0-5]\d [pd]$")
            self.assertLessEqual(len(line), 37)
        self.assertGreater(sum(line[12] == "p" for line in self.lines), 88)

    def test_figures_pass_through_the_bright_stars(self):
        # J2000 positions (SIMBAD): the figure lines meet at these stars
        stars = {
            "Alnitak": (hms(5, 40, 45.5), dms(-1, 1, 56, 34)),
            "Alnilam": (hms(5, 36, 12.8), dms(-1, 1, 12, 7)),
            "Mintaka": (hms(5, 32, 0.4), dms(-1, 0, 17, 57)),
            "Betelgeuse": (hms(5, 55, 10.3), dms(1, 7, 24, 25)),
            "Polaris": (hms(2, 31, 49.1), dms(1, 89, 15, 51)),
            "Deneb": (hms(20, 41, 25.9), dms(1, 45, 16, 49)),
            "Acrux": (hms(12, 26, 35.9), dms(-1, 63, 5, 57)),
        }
        for name, (ra, dec) in stars.items():
            found = any(abs(ra - r) < 0.2 / 60 * (1 + 60 * (abs(dec) > 85)) and
                        abs(dec - d) < 1.5 / 60 for r, d in self.points)
            self.assertTrue(found, name)


class BoundariesTest(unittest.TestCase):
    def test_layout_and_ranges(self):
        lines = read_lines("konstgra.dta")
        self.assertGreater(len(lines), 5000)
        self.assertEqual(lines[0][27], "p")
        segments = 0
        for line in lines:
            self.assertEqual(len(line), 30, line)
            self.assertEqual(cols(line, 11, 11) + cols(line, 23, 27) + line[28], " " * 7)
            self.assertIn(line[27], "pd")
            self.assertEqual(line[29], "s")
            ra, dec = float(cols(line, 1, 10)), float(cols(line, 12, 22))
            self.assertTrue(0.0 <= ra < 24.0, line)
            self.assertTrue(-90.0 <= dec <= 90.0, line)
            segments += line[27] == "p"
        self.assertGreater(segments, 700)


class NamesTest(unittest.TestCase):
    def test_labels(self):
        lines = read_lines("konnamn.dta")
        self.assertEqual(len(lines), 89)   # 88 constellations, Serpens in two parts
        labels = {}
        for line in lines:
            self.assertRegex(line, r"^[0-2]\d[0-5]\d\.\d[+-]\d{4} \S")
            self.assertLessEqual(len(line), 31)
            labels.setdefault(cols(line, 13, 31), []).append(
                (parse_deg_min(cols(line, 1, 6)), parse_signed_deg_min(cols(line, 7, 11))))
        for abbr, name in IAU.items():
            if abbr != "Ser":
                self.assertIn(name, labels)
        self.assertIn("Serpens Caput", labels)
        self.assertIn("Serpens Cauda", labels)
        # labels inside the constellations' extents (IAU: RA range in hours, Dec range)
        for name, ra0, ra1, dec0, dec1 in (("Ursa Major", 7.97, 14.45, 28.0, 73.5),
                                           ("Orion", 4.7, 6.4, -11.0, 23.0),
                                           ("Crux", 11.9, 12.95, -65.0, -55.0),
                                           ("Cassiopeia", 0.0, 23.99, 46.0, 78.0)):
            ra, dec = labels[name][0]
            self.assertTrue(ra0 <= ra <= ra1 and dec0 <= dec <= dec1, (name, ra, dec))

    def test_abbreviations_latin_and_swedish_names(self):
        lines = read_lines("stjabild.dta")
        self.assertEqual(len(lines), 88)
        table = {}
        for line in lines:
            self.assertLessEqual(len(line), 39)
            self.assertEqual(line[3] + line[23], "  ")
            table[cols(line, 1, 3)] = (cols(line, 5, 23).rstrip(), cols(line, 25, 39).rstrip())
        self.assertEqual(set(table), set(IAU))
        for abbr, name in IAU.items():
            self.assertEqual(table[abbr][0], name)
            self.assertTrue(table[abbr][1], abbr)
        for abbr, swedish in (("Aql", "Örnen"), ("Cet", "Valfisken"), ("Cep", "Cepheus"),
                              ("Cru", "Södra korset"), ("UMa", "Stora björnen"),
                              ("Cyg", "Svanen"), ("Sco", "Skorpionen"), ("Leo", "Lejonet"),
                              ("Lyr", "Lyran"), ("Gem", "Tvillingarna")):
            self.assertEqual(table[abbr][1], swedish, abbr)


if __name__ == "__main__":
    unittest.main()
