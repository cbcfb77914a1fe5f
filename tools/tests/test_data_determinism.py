"""The generators give the same bytes every time: rebuilt from the pinned packages in the
cache, the files equal the committed ones. Skipped when the cache lacks the packages (the
tests never download anything)."""
import importlib
import subprocess
import sys
import unittest

from data_helpers import DATA, TOOLS
from datagen import fetch

GENERATORS = ["karta", "ortsnamn", "land", "constellations"]


def offline_fetcher():
    return fetch.Fetcher(offline=True, lock=fetch.Lock(), log=lambda m: None)


class DeterminismTest(unittest.TestCase):
    def build(self, name):
        mod = importlib.import_module(f"datagen.{name}")
        try:
            return mod.generate(offline_fetcher())
        except fetch.FetchError as e:
            raise unittest.SkipTest(f"{name}: {e}")

    def test_rebuilt_files_equal_the_committed_ones(self):
        for name in GENERATORS:
            with self.subTest(generator=name):
                for out in self.build(name):
                    path = DATA / out.name
                    self.assertTrue(path.exists(), out.name)
                    self.assertEqual(out.data, path.read_bytes(), out.name)
                    self.assertIn(out.name, (DATA / "SOURCES.md").read_text(encoding="utf-8"))

    def test_two_runs_give_identical_bytes(self):
        for name in ("land", "constellations"):
            first = [(o.name, o.data, o.section) for o in self.build(name)]
            second = [(o.name, o.data, o.section) for o in self.build(name)]
            self.assertEqual(first, second, name)

    def test_make_data_check(self):
        try:
            self.build("land")
        except unittest.SkipTest:
            raise
        r = subprocess.run([sys.executable, str(TOOLS / "make-data"), "--only", "land.dta",
                            "--check", "--offline"], capture_output=True, text=True)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("0 out of date", r.stdout)


if __name__ == "__main__":
    unittest.main()
