"""The zone schemes of the catalogs: "fil50.dta" (50 zones, every catalog but "sky") and
"fil184.dta" (184 zones, "sky"), and the binning of a position into its zone.

The schemes are our own. Both cut the sky into declination bands of equal width and each band
into right-ascension slices of equal width, fewer towards the poles so that the zones keep
roughly the same area:

    fil50   bands of 30 degrees; from the equator outwards 12, 8, 5 slices (25 + 25 zones)
    fil184  bands of 15 degrees; from the equator outwards 24, 20, 20, 15, 10, 3 slices
            (92 + 92 zones)

Every slice count divides 2400 (hundredths of an hour), so each bound is a whole number in the
file's units (hundredths of an hour, hundredths of a degree) and a whole number of the records'
position unit (0.00001 degree). Binning compares the records' stored integers with those
bounds, so the zone files and the zone definitions agree bit for bit.

Zone order: bands from the north pole to the south pole; inside a band, right ascension from
0h upwards. Intervals are half-open, [start, end) in both coordinates, with declination start
below end; declination +90 belongs to the top band and -90 to the bottom band.

Line format (the first 25 columns are read; columns counted from 1):

     1- 3  zone number, right-aligned
     5- 8  right ascension where the zone begins, hundredths of an hour
    10-13  right ascension where it ends
    15-19  declination where it begins, hundredths of a degree, signed
    21-25  declination where it ends
"""
import bisect
import dataclasses

from . import sources, textout

OUTPUTS = ["fil50.dta", "fil184.dta"]

# Position unit of the records: 0.00001 degree.
UNITS_PER_DEGREE = 100000
RA_UNITS_FULL = 360 * UNITS_PER_DEGREE          # 36 000 000
DEC_UNITS_POLE = 90 * UNITS_PER_DEGREE          #  9 000 000


@dataclasses.dataclass(frozen=True)
class Zone:
    number: int   # from 1
    ra0: int      # hundredths of an hour
    ra1: int
    dec0: int     # hundredths of a degree, dec0 < dec1
    dec1: int

    def line(self):
        return (f"{self.number:3d} {self.ra0:4d} {self.ra1:4d} "
                f"{self.dec0:5d} {self.dec1:5d}")


class Scheme:
    """One zone scheme: `band_width` degrees per declination band, `slices` RA slices per band
    from the equator outwards (the same north and south)."""

    def __init__(self, name, band_width, slices):
        if len(slices) * band_width != 90:
            raise ValueError("the bands must cover 0..90 degrees")
        for n in slices:
            if 2400 % n:
                raise ValueError(f"{n} slices do not divide 2400")
        self.name = name
        self.band_width = band_width
        # Bands from north to south: (dec0, dec1, slices), in hundredths of a degree.
        north = [(i * band_width * 100, (i + 1) * band_width * 100, n)
                 for i, n in enumerate(slices)]
        south = [(-d1, -d0, n) for d0, d1, n in north]
        self.bands = list(reversed(north)) + south
        self.zones = []
        self._first = []      # zone number of the first zone of each band
        for dec0, dec1, n in self.bands:
            self._first.append(len(self.zones) + 1)
            step = 2400 // n
            for k in range(n):
                self.zones.append(Zone(len(self.zones) + 1, k * step, (k + 1) * step, dec0, dec1))
        # Band lower edges in record units, ascending, for bisect.
        self._band_floor = sorted(d0 * 1000 for d0, _, _ in self.bands)

    def __len__(self):
        return len(self.zones)

    def file_bytes(self):
        return textout.text_file(z.line() for z in self.zones)

    def zone_of_units(self, ra_units, dec_units):
        """Zone number (from 1) of a position given in record units (int 0.00001 degree):
        RA in [0, 36 000 000), Dec in [-9 000 000, 9 000 000]."""
        if not (0 <= ra_units < RA_UNITS_FULL):
            raise ValueError(f"right ascension {ra_units} outside [0, {RA_UNITS_FULL})")
        if not (-DEC_UNITS_POLE <= dec_units <= DEC_UNITS_POLE):
            raise ValueError(f"declination {dec_units} outside +-{DEC_UNITS_POLE}")
        # Index (ascending order) of the band whose [floor, next floor) holds dec;
        # +90 falls into the top band by the clamp.
        asc = bisect.bisect_right(self._band_floor, dec_units) - 1
        asc = min(max(asc, 0), len(self.bands) - 1)
        band = len(self.bands) - 1 - asc          # bands are stored north to south
        dec0, dec1, n = self.bands[band]
        assert dec0 * 1000 <= dec_units < dec1 * 1000 or dec_units == DEC_UNITS_POLE
        # Slice: RA bounds in record units are k * (2400/n) hundredths of an hour,
        # = k * (2400/n) * 15 * 1000 units; integer division is exact on the bounds.
        width = (2400 // n) * 15 * 1000
        k = ra_units // width
        zone = self.zones[self._first[band] - 1 + k]
        assert zone.ra0 * 15000 <= ra_units < zone.ra1 * 15000
        return zone.number

    def zone_of(self, ra_deg, dec_deg):
        """Zone number of a position in degrees, binned by the integers it is stored as."""
        return self.zone_of_units(encode_ra(ra_deg), encode_dec(dec_deg))


def encode_ra(ra_deg):
    """Right ascension in degrees as stored: round(deg * 100000), reduced into [0, 36e6)."""
    return round(ra_deg * UNITS_PER_DEGREE) % RA_UNITS_FULL


def encode_dec(dec_deg):
    """Declination in degrees as stored: round(deg * 100000), clamped to +-90 degrees."""
    v = round(dec_deg * UNITS_PER_DEGREE)
    return min(max(v, -DEC_UNITS_POLE), DEC_UNITS_POLE)


FIL50 = Scheme("fil50", 30, [12, 8, 5])
FIL184 = Scheme("fil184", 15, [24, 20, 20, 15, 10, 3])
assert len(FIL50) == 50 and len(FIL184) == 184


def zone50(ra_deg, dec_deg):
    """Zone (1..50) of "fil50.dta" for a J2000 position in degrees."""
    return FIL50.zone_of(ra_deg, dec_deg)


def zone184(ra_deg, dec_deg):
    """Zone (1..184) of "fil184.dta" for a J2000 position in degrees."""
    return FIL184.zone_of(ra_deg, dec_deg)


def zone_file_name(directory, zone, digits):
    """"bsc2000/07.dat" style name of a zone file inside data/."""
    return f"{directory}/{zone:0{digits}d}.dat"


def _describe(scheme, slices):
    return (f"Zone definitions of the {len(scheme)}-zone scheme: declination bands of "
            f"{scheme.band_width}° with {', '.join(map(str, slices))} right-ascension slices "
            f"from the equator outwards, the same north and south; zones numbered from the "
            f"north pole southwards, each band from 0h eastwards. One line per zone: number "
            f"(cols 1–3), RA start and end in hundredths of an hour (5–8, 10–13), Dec start and "
            f"end in hundredths of a degree (15–19, 21–25); intervals [start, end), Dec +90 in "
            f"the top band, −90 in the bottom band.")


def generate(ctx):
    out = []
    for scheme, slices, name, users in (
            (FIL50, [12, 8, 5], "fil50.dta", "every catalog except \"sky\""),
            (FIL184, [24, 20, 20, 15, 10, 3], "fil184.dta", "the \"sky\" catalog")):
        body = "\n".join([
            f"## {name}", "",
            _describe(scheme, slices) + f" Used by {users}.", "",
            "- Source: none; the scheme is this program's own design (no external data).",
            "- Licence: part of this program.",
            f"- Records: {len(scheme)} lines.",
            "- Method: every slice count divides 2400, so the bounds are exact in the file's "
            "units and in the records' 0.00001° unit; the catalog generators bin each record "
            "with `tools/datagen/zones.py` on its stored integers.",
            f"- Rebuild: `tools/make-data --only zones` (generator `tools/datagen/zones.py`).",
        ]) + "\n"
        out.append(sources.Output(name, scheme.file_bytes(), body, len(scheme)))
    return out
