"""The "bsc" catalog: bsc2000/01.dat ... 50.dat, the Bright Star Catalogue in 52-byte records
binned by the 50-zone scheme.

The list of stars, HR, HD and SAO numbers, V magnitudes and the BSC5 name field (Flamsteed
number, Bayer letter, constellation) come from xplanet's copy of the BSC5 (9096 stars). Each
star is joined through Stellarium's cross identifications (HR -> HIP and component) to its
Hipparcos record for the J2000.0 position, the B-V and the MK type, and takes its proper motion
from Stellarium's hip_pm.dat. A star without a usable Hipparcos record is matched by position
to KStars' stars.dat; failing that it keeps xplanet's rounded position with no proper motion,
B-V 99.00 (unknown) and no spectral type.

Record (little-endian, packed): 0 uint32 HD, 4 uint32 HR, 8 int32 RA and 12 int32 Dec
(0.00001 degree), 16 int16 pmRA (mu_alpha cos delta) and 18 int16 pmDec (0.001"/yr),
20 int16 V, 22 int16 B-V (hundredths, 99.00 = unknown), 24 char[3] constellation, 27 uint8
Flamsteed number, 28 char[4] Bayer letter with index digit, 32 char[20] spectral type.
Inside a zone the stars run from the brightest.
"""
import struct

from . import starsources, zones

DIRECTORY = "bsc2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

XPLANET_BSC = "usr/share/xplanet/stars/BSC"
RECORD = struct.Struct("<IIiihhhh3sB4s20s")
assert RECORD.size == 52

# A Hipparcos record is accepted for a BSC star when it lies within this distance of the
# BSC5 position (xplanet rounds RA to 0.0001 h and Dec to 0.0001 degree; BSC5 positions of
# fast-moving stars differ from Hipparcos by up to about a minute of arc).
JOIN_ARCSEC = 120.0
# Fallback match to KStars' stars.dat for the stars without a Hipparcos record.
FALLBACK_ARCSEC = 30.0
FALLBACK_DV = 0.5
UNKNOWN_BV = 99.0
# Spectral type from KStars for Hipparcos records without one.
SP_ARCSEC = 2.0
SP_DV = 0.3


def _join(table, by_hr, bright):
    """The Stellarium record of a BSC star, or None. Candidates are the records of every HIP
    number that the cross identifications give for its HR number (only the named component
    when they name one); the nearest in magnitude within JOIN_ARCSEC wins, then the nearest in
    position."""
    cands = []
    for hip, comp in by_hr.get(bright.hr, ()):
        recs = table.by_hip.get(hip, [])
        if comp:
            recs = [r for r in recs if table.component(r) == comp] or recs
        cands.extend(recs)
    best = None
    for r in cands:
        sep = starsources.separation(bright.ra_hours * 15, bright.dec, r.ra, r.dec)
        if sep > JOIN_ARCSEC:
            continue
        key = (round(abs(r.v - bright.v), 6), round(sep, 6), r.hip, r.component)
        if best is None or key < best[0]:
            best = (key, r)
    return best[1] if best else None


def _kstars_type(kindex, ra, dec, v):
    """The two-character spectral type of KStars for a Hipparcos star that Stellarium gives
    none (some components of doubles), when KStars has the same star; else ""."""
    for _sep, k in kindex.near(ra, dec, SP_ARCSEC):
        if abs(k.v - v) <= SP_DV:
            return k.sp.rstrip("?")
    return ""


def build(table, brights, kindex):
    """(zone files, statistics) of the catalog."""
    stats = {"stars": 0, "hipparcos": 0, "kstars": 0, "xplanet": 0, "bv_unknown": 0,
             "sp_empty": 0, "bv_kstars": 0}
    by_hr = {}
    for hip, comp, _sao, _hd, hr in table.xid:
        if hr:
            by_hr.setdefault(hr, []).append((hip, comp))
    records = []
    for b in brights:
        r = _join(table, by_hr, b)
        if r is not None:
            ra, dec = r.ra, r.dec
            pm_ra, pm_dec = table.proper_motion(r)
            bv = r.bv
            sp = r.sp or _kstars_type(kindex, r.ra, r.dec, b.v)
            stats["hipparcos"] += 1
            stats["bv_kstars"] += r.bv_kstars
        else:
            near = [(sep, k) for sep, k in kindex.near(b.ra_hours * 15, b.dec, FALLBACK_ARCSEC)
                    if abs(k.v - b.v) <= FALLBACK_DV]
            if near:
                k = near[0][1]
                ra, dec, pm_ra, pm_dec = k.ra, k.dec, k.pm_ra, k.pm_dec
                bv = k.bv if k.bv is not None else UNKNOWN_BV
                sp = k.sp.rstrip("?")
                stats["kstars"] += 1
            else:
                ra, dec, pm_ra, pm_dec = b.ra_hours * 15, b.dec, 0.0, 0.0
                bv, sp = UNKNOWN_BV, ""
                stats["xplanet"] += 1
        ra_u, dec_u = zones.encode_ra(ra), zones.encode_dec(dec)
        v = starsources.int16(b.v)
        bv_i = starsources.int16(bv)
        stats["bv_unknown"] += bv_i == 9900
        stats["sp_empty"] += not sp.strip()
        data = RECORD.pack(b.hd, b.hr, ra_u, dec_u, starsources.int16(pm_ra, 1),
                           starsources.int16(pm_dec, 1), v, bv_i,
                           starsources.chars(b.constellation, 3), b.flamsteed,
                           starsources.chars(b.bayer, 4), starsources.chars(sp, 20))
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (v, ra_u, dec_u, b.hr), data))
        stats["stars"] += 1
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats




def generate(ctx):
    table = starsources.star_table(ctx)
    xplanet = ctx.debian("xplanet")
    brights = starsources.bright_stars(xplanet.path(XPLANET_BSC))
    files, st = build(table, brights, table.kstars_index)
    per_zone = [len(files[n]) // RECORD.size for n in OUTPUTS]
    body = "\n".join([
        "## bsc2000/01.dat … bsc2000/50.dat (\"bsc\")", "",
        "The Bright Star Catalogue, 5th revised edition (Hoffleit and Warren 1991), in 52-byte "
        "records binned by the 50 zones of `fil50.dta` (brightest first inside a zone).", "",
        f"- Source: {xplanet.label} (`{xplanet.command}`), `{XPLANET_BSC}`: the BSC5 list of "
        f"{len(brights)} stars (the 14 non-stellar entries of the 9110 are absent) with HR, HD, "
        f"SAO, V and the BSC5 name field (Flamsteed number, Bayer letter, constellation).",
        f"- Source: {table.stellarium.label} (`{table.stellarium.command}`), "
        f"`{starsources.STELLARIUM_DIR}`: Hipparcos J2000.0 positions (epoch 2000.0), B−V and MK types "
        f"(`stars_0..2_0v0_8.cat`, `stars_hip_sp_0v0_4.cat`), HR → HIP (`cross-id.dat`), "
        f"proper motions (`hip_pm.dat`).",
        f"- Source: {table.kstars.label} (`{table.kstars.command}`), `{starsources.KSTARS_STARS}`: "
        f"Hipparcos B−V to 0.01 mag for the stars it has (matched within 1″ and 0.3 mag; "
        f"Stellarium's own B−V comes in 0.031-mag steps and is stuck at −0.03 for many B "
        f"stars), and the fallback for stars without a Hipparcos record.",
        "- Licence: GPL-2+ (the three packages); the catalogue data are public: BSC5 (Yale "
        "University Observatory, via CDS catalogue V/50), Hipparcos (ESA 1997, public domain).",
        "- Attribution: Hoffleit, D. and Warren, W. H. Jr., *The Bright Star Catalogue*, 5th "
        "revised ed., Yale University Observatory (1991); ESA, *The Hipparcos and Tycho "
        "Catalogues*, ESA SP-1200 (1997).",
        f"- Records: {st['stars']} stars ({st['hipparcos']} joined to Hipparcos, "
        f"{st['kstars']} matched by position in KStars, {st['xplanet']} with xplanet's position "
        f"only); B−V from KStars for {st['bv_kstars'] + st['kstars']}, from Stellarium for "
        f"{st['stars'] - st['bv_kstars'] - st['kstars'] - st['bv_unknown']}, "
        f"{st['bv_unknown']} with B−V 99.00 (unknown); {st['sp_empty']} without a "
        f"spectral type. Per zone: {', '.join(map(str, per_zone))}.",
        "- Fields: HD, HR, V and the name field from the BSC5 as given; position, B−V and MK "
        "type (cut to 20 characters) from Hipparcos; proper motion in mas/yr as μα·cos δ and "
        "μδ, stored as given (the drawing adds it to the right ascension without dividing by "
        "cos δ).",
        "- Spectral types: Stellarium's MK type; for the components of doubles that have none "
        "the two-character type of KStars' stars.dat when KStars has the same star (within 2″ "
        "and 0.3 mag).",
        "- Stand-ins: the BSC5's own B−V, proper motions and spectral types are not in any "
        "package; the Hipparcos values replace them (Sirius: B−V 0.01 for the BSC5's 0.00, "
        "type \"A1V+DA\" for \"A1Vm\"). The stars without a Hipparcos record keep xplanet's "
        "rounded position (0.0001 h, 0.0001°), no proper motion and B−V 99.00.",
        "- Rebuild: `tools/make-data --only bsc` (generator `tools/datagen/bsc.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "bsc")

