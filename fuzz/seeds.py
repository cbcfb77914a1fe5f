#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target from the real data files.

Usage: seeds.py DATA_DIR OUT_DIR

Each target gets a folder OUT_DIR/<target> of small inputs cut from data/: records of every
catalog, lines of the element files, the geographic and constellation files and the zone
definition and name files, a parameter file, and the planetary series files. Files that are
missing are passed over.
"""
import os
import sys

# The catalogs in the order of kCatalogs (catalogs/catalog_records.h): key, zone directory,
# digits of the zone number, number of zones, record size.
CATALOGS = [
    ("pgc", "pgc2000", 2, 50, 44),
    ("rc3", "rc32000", 2, 50, 64),
    ("bsc", "bsc2000", 2, 50, 52),
    ("sky", "sky2000", 3, 184, 40),
    ("wds", "wds2000", 2, 50, 52),
    ("gcvs", "gcvs2000", 2, 50, 44),
    ("ngc", "ngc2000", 2, 50, 76),
    ("sac", "sac2000", 2, 50, 204),
    ("gpn", "gpn2000", 2, 50, 56),
    ("lbn", "lbn2000", 2, 50, 32),
    ("ocl", "ocl2000", 2, 50, 32),
    ("gcm", "gcm2000", 2, 1, 48),
]

# The element files by the layout byte of element_line_fuzz (0 asteroid, 1 comet, 2 probe).
ELEMENT_FILES = [("asteroid.dta", 0), ("asteroi2.dta", 0), ("komet.dta", 1),
                 ("rymdsond.dta", 2)]


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def lines_of(data):
    return [line for line in data.split(b"\n") if line]


class Corpus:
    def __init__(self, out, target):
        self.folder = os.path.join(out, target)
        os.makedirs(self.folder, exist_ok=True)
        self.count = 0

    def add(self, data):
        self.count += 1
        with open(os.path.join(self.folder, "seed-%03d" % self.count), "wb") as f:
            f.write(data)


def catalog_records(data_dir, out):
    corpus = Corpus(out, "catalog_record_fuzz")
    for index, (_, directory, digits, zones, size) in enumerate(CATALOGS):
        for zone in sorted({1, (zones + 1) // 2, zones}):
            name = os.path.join(data_dir, directory, "%0*d.dat" % (digits, zone))
            data = read(name)
            if not data or len(data) < size:
                continue
            corpus.add(bytes([index]) + data[:size])          # one record
            corpus.add(bytes([index]) + data[: 4 * size + 7])  # four and a partial one
    return corpus.count


def text_samples(corpus, data, first=8, step=None):
    """Adds the first lines, a few lines from further on, and the whole head of a file."""
    lines = lines_of(data)
    for line in lines[:first]:
        corpus.add(line + b"\n")
    if step is None:
        step = max(1, len(lines) // 6)
    for line in lines[first::step]:
        corpus.add(line + b"\n")
    corpus.add(b"".join(line + b"\n" for line in lines[:40]))


def catalog_texts(data_dir, out):
    corpus = Corpus(out, "catalog_text_fuzz")
    for name in ("fil50.dta", "fil184.dta", "Stjanamn.dta", "Objnamn.dta"):
        data = read(os.path.join(data_dir, name))
        if data:
            text_samples(corpus, data, first=4)
    return corpus.count


def element_lines(data_dir, out):
    corpus = Corpus(out, "element_line_fuzz")
    for name, kind in ELEMENT_FILES:
        data = read(os.path.join(data_dir, name))
        if not data:
            continue
        lines = lines_of(data)
        comments = [line for line in lines if line.startswith(b";")]
        bodies = [line for line in lines if not line.startswith(b";")]
        for line in comments[:1] + bodies[:4] + bodies[4::max(1, len(bodies) // 6)]:
            corpus.add(bytes([kind]) + line.rstrip(b"\r"))
        corpus.add(bytes([kind]) + b"\n".join(lines[:12]))
    return corpus.count


def geo_files(data_dir, out):
    corpus = Corpus(out, "geo_files_fuzz")
    for name in ("karta.dta", "ortsnamn.dta", "land.dta"):
        data = read(os.path.join(data_dir, name))
        if data:
            text_samples(corpus, data, first=6)
    return corpus.count


def constellation_files(data_dir, out):
    corpus = Corpus(out, "constellation_files_fuzz")
    for name in ("konst.dta", "konstgra.dta", "konnamn.dta", "stjabild.dta"):
        data = read(os.path.join(data_dir, name))
        if data:
            text_samples(corpus, data, first=6)
    return corpus.count


def parameter_files(data_dir, out):
    corpus = Corpus(out, "parameter_file_fuzz")

    def real(x):
        # The file's real form: 15 significant digits, four exponent digits.
        mantissa, exponent = ("%.14E" % x).split("E")
        sign = "-" if x < 0 else " "
        return "%s%sE%s%04d" % (sign, mantissa.lstrip("-"), exponent[0], abs(int(exponent)))

    lines = ["1", real(1.0), "0", "1", " 1 tim", real(1.0 / 24.0), "0",
             "Stockholm [SE] H", real(59.0 + 20.0 / 60.0), real(18.0 + 4.0 / 60.0), real(25.0),
             "2", "0", "0", "0"]
    lines += ["1" if k % 3 else "0" for k in range(16, 55)]  # the switches, lines 16-54
    lines += ["", real(-12.5), real(0.0), "1"]
    assert len(lines) == 58
    whole = "".join(line + "\r\n" for line in lines).encode("cp1252")
    corpus.add(whole)
    corpus.add(whole[: len(whole) // 3])                  # a short file
    corpus.add(whole.replace(b"Stockholm", b"G\xf6teborg"))
    corpus.add(b"CoordSystem=4\r\n" + whole)              # setting a field by name
    corpus.add(b"PlaceName=\xc5re\n")
    return corpus.count


def planet_files(data_dir, out):
    corpus = Corpus(out, "planet_files_fuzz")
    index = read(os.path.join(data_dir, "PLANETS2.NDX"))
    terms = read(os.path.join(data_dir, "PLANETS.DAT"))
    if not index or not terms:
        return corpus.count

    def add(index_part, terms_part):
        corpus.add(len(index_part).to_bytes(2, "little") + index_part + terms_part)

    add(index, terms)                       # the real files
    add(index, terms[: 168 * 24])           # the terms of the first record only
    add(index[: 2 * 144], terms[: 299 * 24])  # two records and their terms
    add(index[:144], terms[:24] * 3)        # one record, three terms
    return corpus.count


def observation_files(data_dir, out):
    corpus = Corpus(out, "observation_file_fuzz")
    data = read(os.path.join(data_dir, "observ.dta"))
    if data:
        corpus.add(data)
        corpus.add(data.replace(b"-24 18", b"-00 18"))
        corpus.add(b"\n".join(lines_of(data)[:3]))
    return corpus.count


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data_dir, out = sys.argv[1], sys.argv[2]
    for make in (catalog_records, catalog_texts, element_lines, geo_files, constellation_files,
                 parameter_files, planet_files, observation_files):
        count = make(data_dir, out)
        print("%-28s %d seeds" % (make.__name__, count))


if __name__ == "__main__":
    main()
