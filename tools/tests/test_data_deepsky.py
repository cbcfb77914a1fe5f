"""Tests of the deep-sky catalogs (ngc2000 ... gcm2000, Objnamn.dta) and their generators
against published facts: the constellations that NGC 2000.0 and OpenNGC give, the RC3's
definition of the Hubble stage T, and the generators' determinism."""
import importlib
import struct
import unittest

from data_helpers import DATA
from datagen import dsosources, fetch, zones

NGC_RECORD = struct.Struct("<iih1s3sx1shh3s50s3x")


def ngc_records():
    """{(catalogue, number): (ra, dec, type, constellation)} of data/ngc2000."""
    if not (DATA / "ngc2000" / "01.dat").exists():
        raise unittest.SkipTest("data/ngc2000 not generated (run tools/make-data)")
    out = {}
    for z in range(1, 51):
        data = (DATA / zones.zone_file_name("ngc2000", z, 2)).read_bytes()
        for i in range(0, len(data), NGC_RECORD.size):
            ra, dec, number, cat, code, _flag, _mag, _size, const, _desc = NGC_RECORD.unpack_from(
                data, i)
            out[("IC" if cat == b"I" else "NGC", number)] = (
                ra / 1e5, dec / 1e5, code.decode("cp1252"), const.decode("cp1252"))
    return out


class ConstellationTest(unittest.TestCase):
    def test_objects_lie_in_their_published_constellations(self):
        records = ngc_records()
        # NGC 2000.0 / OpenNGC constellations, chosen near boundaries, near the poles and on
        # both parts of Serpens.
        cases = {
            ("NGC", 1952): "Tau",    # M 1
            ("NGC", 6611): "Ser",    # M 16, Serpens Cauda
            ("NGC", 5904): "Ser",    # M 5, Serpens Caput
            ("NGC", 6523): "Sgr",    # M 8
            ("NGC", 6705): "Sct",    # M 11
            ("NGC", 2632): "Cnc",    # M 44
            ("NGC", 5194): "CVn",    # M 51
            ("NGC", 4826): "Com",    # M 64
            ("NGC", 5457): "UMa",    # M 101
            ("NGC", 4594): "Vir",    # M 104
            ("NGC", 188): "Cep",     # dec +85
            ("NGC", 2573): "Oct",    # dec -89
            ("NGC", 2070): "Dor",    # Tarantula, in the LMC
            ("NGC", 104): "Tuc",     # 47 Tuc
            ("NGC", 5139): "Cen",    # omega Cen
            ("NGC", 7000): "Cyg",
            ("NGC", 869): "Per",     # h Persei
            ("IC", 434): "Ori",
            ("IC", 1396): "Cep",
            ("IC", 2602): "Car",
        }
        for key, const in cases.items():
            with self.subTest(key=key):
                self.assertEqual(records[key][3], const)

    def test_every_number_once_with_a_constellation(self):
        records = ngc_records()
        self.assertEqual(len(records), 7840 + 5386)
        self.assertEqual(sum(1 for k in records if k[0] == "NGC"), 7840)
        self.assertTrue(all(len(r[3].strip()) == 3 for r in records.values()))
        self.assertEqual(len({r[3] for r in records.values()}), 88)


class HubbleStageTest(unittest.TestCase):
    def test_rc3_stages(self):
        # de Vaucouleurs et al., RC3 (1991), section 3.3: the revised Hubble stage T.
        cases = {
            "E": -5, "E2": -5, "E+": -4, "E-S0": -3, "S0-": -3, "S0": -2, "S0^+": -1, "S0/a": 0,
            "S0-a": 0, "Sa": 1, "SAa": 1, "Sab": 2, "SA(s)b": 3, "SBb": 3, "SAB(rs)bc": 4,
            "Sc": 5, "SB(s)cd": 6, "Sd": 7, "Sdm": 8, "SB(s)m": 9, "Im": 10, "IB(s)m": 10,
            "cE": -6, "3": 3, "-4.9": -4.9, "S": None, "S?": None, "": None, "dG": None,
        }
        for morph, stage in cases.items():
            with self.subTest(morph=morph):
                self.assertEqual(dsosources.hubble_stage(morph), stage)


class CatalogContentTest(unittest.TestCase):
    def read(self, name):
        path = DATA / name
        if not path.exists():
            raise unittest.SkipTest(f"data/{name} not generated (run tools/make-data)")
        return path.read_bytes()

    def test_gcm_holds_every_globular_cluster_of_its_source(self):
        # Stellarium's catalogue 3.16 types 168 objects as globular clusters, among them the
        # clusters of the Magellanic Clouds, such as NGC 1866 (LMC) and NGC 121 (SMC).
        data = self.read("gcm2000/01.dat")
        self.assertEqual(len(data) % 48, 0)
        names = {data[i + 22:i + 31].rstrip(b"\0 ").decode("cp1252")
                 for i in range(0, len(data), 48)}
        self.assertEqual(len(data) // 48, 168)
        for name in ("NGC 1866", "NGC 121", "NGC 104", "NGC 5139"):
            self.assertIn(name, names)

    def test_dark_nebulae_have_no_magnitude(self):
        # A dark nebula is seen against the light behind it: no magnitude (99 = unknown).
        dark = 0
        for z in range(1, 51):
            data = self.read(zones.zone_file_name("sac2000", z, 2))
            for i in range(0, len(data), 204):
                code = data[i + 63:i + 63 + data[i + 62]]
                if code == b"Drk":
                    dark += 1
                    self.assertEqual(struct.unpack_from("<f", data, i + 8)[0], 99.0)
        self.assertGreater(dark, 1000)

    def test_object_names_fit_the_identification_table(self):
        # The chart identifies at most 300 named objects; the best known are kept.
        lines = self.read("Objnamn.dta").decode("cp1252").splitlines()
        self.assertEqual(len(lines), 300)
        names = {line[13:].strip() for line in lines}
        for name in ("Andromedagalaxen", "Ringnebulosan", "Krabbnebulosan"):
            self.assertIn(name, names)


class DeterminismTest(unittest.TestCase):
    def build(self, name):
        mod = importlib.import_module(f"datagen.{name}")
        try:
            return mod.generate(fetch.Fetcher(offline=True, lock=fetch.Lock(),
                                              log=lambda m: None))
        except fetch.FetchError as e:
            raise unittest.SkipTest(f"{name}: {e}")

    def test_rebuilt_files_equal_the_committed_ones(self):
        for name in ("ngc", "lbn", "gcm", "objnamn"):
            first = self.build(name)
            second = self.build(name)
            self.assertEqual([(o.name, o.data) for o in first],
                             [(o.name, o.data) for o in second], name)
            for out in first:
                path = DATA / out.name
                if not path.exists():
                    raise unittest.SkipTest(f"data/{out.name} not generated")
                self.assertEqual(out.data, path.read_bytes(), out.name)


if __name__ == "__main__":
    unittest.main()
