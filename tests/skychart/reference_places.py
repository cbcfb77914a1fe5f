#!/usr/bin/python3
"""Reference pixels of Sirius, Vega and Polaris on the sky chart, for catalog_pipeline_test.cpp.

Independent of the program: the apparent places come from ERFA (the IAU SOFA library, through
pyerfa) and the pixels from the chart's projection formulas written out here again.

The moment is 2025-03-20 21:00 UT1 with TT - UT1 = 69.2 s; the site Stockholm (59.33 N,
18.07 E, 0 m). Each star's J2000.0 position and proper motion are the values stored in its
record. The chart adds the proper motion in right ascension to the right ascension without
dividing by cos(dec); ERFA is given the same rate as d(alpha)/dt, so that both propagate the
stored numbers alike. Parallax and radial velocity are 0 (the chart ignores them).

Differences left between ERFA and the chart's reductions (IAU 2006/2000A against IAU
1976/1980, frame bias, the Meeus aberration with a low-precision Sun, light deflection, and for
the horizon systems diurnal aberration and the sidereal time) stay below 0.2 arcsecond: 0.15
pixel at the largest zoom (0.77 or 0.91 pixel per arcsecond). The tests allow the rounded
pixel 0.75 pixel from the reference.

Run: /usr/bin/python3 tests/skychart/reference_places.py
"""
import math

import erfa

D = math.pi / 180.0
AS = D / 3600.0
JD_UT = 2460755.375
JD_TT = JD_UT + 69.2 / 86400.0
LAT, LON, HEIGHT = 59.33, 18.07, 0.0

# name: (stored RA, Dec in 0.00001 degree, proper motion in 0.001"/yr)
STARS = {
    # "bsc" records of data/bsc2000 (HR 2491, 7001, 424)
    "bsc Sirius": (10128716, -1671612, -546, -1223),
    "bsc Vega": (27923474, 3878369, 201, 286),
    "bsc Polaris": (3794662, 8926414, 44, -12),
    # "sky" records written by the test: Hipparcos (van Leeuwen 2007) J2000.0 positions
    "sky Sirius": (10128716, -1671612, -546, -1223),
    "sky Vega": (27923473, 3878369, 201, 286),
    "sky Polaris": (3795456, 8926411, 44, -12),
}


def apparent(star):
    ra, dec, pmra, pmdec = STARS[star]
    rc, dc = ra / 1e5 * D, dec / 1e5 * D
    ri, di, eo = erfa.atci13(rc, dc, pmra / 1000 * AS, pmdec / 1000 * AS, 0.0, 0.0, JD_TT, 0.0)
    return erfa.anp(ri - eo), di


def observed(star, refraction):
    ra, dec, pmra, pmdec = STARS[star]
    rc, dc = ra / 1e5 * D, dec / 1e5 * D
    utc = JD_TT - 69.184 / 86400.0  # TT - UTC = 37 s + 32.184 s in 2025
    dut1 = (JD_UT - utc) * 86400.0
    aob, zob, hob, dob, rob, eo = erfa.atco13(rc, dc, pmra / 1000 * AS, pmdec / 1000 * AS, 0.0, 0.0,
                                          utc, 0.0, dut1, LON * D, LAT * D, HEIGHT, 0.0, 0.0,
                                          0.0, 0.0, 0.0, 0.0)
    alt = 90.0 - zob / D
    if refraction and alt > -0.6:
        # Saemundsson, Meeus (1991) formula 15.4, with the zenith constant.
        r = 1.02 / math.tan((alt + 10.3 / (alt + 5.11)) * D) + 0.0019279
        alt += r / 60.0
    return aob / D - 180.0, alt  # azimuth from the south, westward


def ecliptic(alpha, delta):
    eps0 = erfa.obl80(JD_TT, 0.0)
    lam = math.atan2(math.sin(alpha) * math.cos(eps0) + math.tan(delta) * math.sin(eps0),
                     math.cos(alpha))
    beta = math.asin(math.sin(delta) * math.cos(eps0) -
                     math.cos(delta) * math.sin(eps0) * math.sin(alpha))
    return (lam / D) % 360.0, beta / D


def galactic(alpha, delta):
    # The apparent place turned back to J2000.0 axes by the IAU 1976 precession, then ERFA's
    # galactic system (the Hipparcos realisation of the IAU pole).
    v = erfa.trxp(erfa.pmat76(JD_TT, 0.0), erfa.s2c(alpha, delta))
    l, b = erfa.icrs2g(*erfa.c2s(v))
    return l / D, b / D


def lon_prime(lon, system, centre_dir):
    if system == 4:
        lp = lon + 180.0
        if centre_dir == 1:
            lp += 180.0
            if lp >= 360.0:
                lp -= 360.0
        return lp
    if centre_dir == 1:
        lp = 540.0 - lon
        return lp - 360.0 if lp >= 360.0 else lp
    return 360.0 - lon


def rect_offsets(lp, lat):
    """Offsets (pixels at zoom 1, 2 decimals) that put (lon', lat) near (498, 342.5)."""
    return round(-(lp - 180.0) * 2.7, 2), round(lat * 2.7, 2)


def rect_pixel(lp, lat, zoom, ox, oy):
    return 498.0 + zoom * ox + (lp - 180.0) * zoom * 2.7, 342.5 + zoom * oy - lat * zoom * 2.7


def coords(star, system, hemisphere=0, refraction=False):
    if system in (4, 5):
        return observed(star, refraction)
    alpha, delta = apparent(star)
    if system == 1:
        return ecliptic(alpha, delta)
    if system == 6:
        return galactic(alpha, delta)
    dec = delta / D
    if system == 3 and hemisphere == 1:
        dec = -dec
    return alpha / D, dec


def polar_pixel(system, hemisphere, lon, lat, zoom, ox, oy):
    ps = zoom * 3.2
    r = 90.0 - lat
    if system == 3:
        s = -1.0 if hemisphere == 1 else 1.0
        return (480.0 + zoom * ox + s * r * math.sin(lon * D) * ps,
                348.0 + zoom * oy - r * math.cos(lon * D) * ps)
    return (480.0 + zoom * ox - r * math.sin(lon * D) * ps,
            348.0 + zoom * oy - r * math.cos(lon * D) * ps)


def case(star, system, zoom, centre_dir=0, hemisphere=0, refraction=False, centred=True):
    lon, lat = coords(star, system, hemisphere, refraction)
    if system in (3, 5):
        if centred:
            x0, y0 = polar_pixel(system, hemisphere, lon, lat, 1, 0.0, 0.0)
            ox, oy = round(-(x0 - 480.0), 2), round(-(y0 - 348.0), 2)
        else:
            ox = oy = 0.0
        x, y = polar_pixel(system, hemisphere, lon, lat, zoom, ox, oy)
    else:
        lp = lon_prime(lon, system, centre_dir)
        ox, oy = rect_offsets(lp, lat) if centred else (0.0, 0.0)
        x, y = rect_pixel(lp, lat, zoom, ox, oy)
    print(f'    {{"{star}", {system}, {centre_dir}, {hemisphere}, {int(refraction)}, {zoom}, '
          f'{ox:.2f}, {oy:.2f}, {x:.3f}, {y:.3f}}},  // lon {lon:.6f} lat {lat:.6f}')


if __name__ == "__main__":
    for s in ("bsc Sirius", "bsc Vega", "bsc Polaris", "sky Sirius", "sky Vega", "sky Polaris"):
        a, d = apparent(s)
        print(f"// {s}: apparent RA {a / D:.7f} Dec {d / D:.7f}")
    # Real "bsc" records.
    case("bsc Sirius", 2, 4)
    case("bsc Vega", 2, 4, centre_dir=1)
    case("bsc Sirius", 2, 1, centred=False)
    case("bsc Vega", 3, 1, centred=False)
    case("bsc Polaris", 3, 4, centred=False)
    case("bsc Sirius", 3, 1, hemisphere=1, centred=False)
    case("bsc Sirius", 1, 1024)
    case("bsc Vega", 1, 1024, centre_dir=1)
    case("bsc Sirius", 6, 1024)
    case("bsc Vega", 6, 1024)
    case("bsc Sirius", 4, 1024)
    case("bsc Vega", 4, 1024, centre_dir=1)
    case("bsc Sirius", 4, 64, refraction=True)
    case("bsc Polaris", 5, 1024)
    case("bsc Vega", 5, 2, centred=False)
    # "sky" records at the largest zoom of the equatorial systems.
    case("sky Sirius", 2, 1024)
    case("sky Vega", 2, 1024, centre_dir=1)
    case("sky Polaris", 3, 1024)
    case("sky Sirius", 3, 1024, hemisphere=1)


def sun_altitude(jd_ut):
    """The Sun's observed altitude without refraction: its geocentric direction from epv00
    (the Earth's heliocentric position, reversed) observed with atco13, which adds the annual
    aberration that makes it apparent."""
    jd_tt = jd_ut + 69.2 / 86400.0
    pvh, pvb = erfa.epv00(jd_tt, 0.0)
    x, y, z = (-c for c in pvh[0])
    rc = math.atan2(y, x) % (2 * math.pi)
    dc = math.atan2(z, math.hypot(x, y))
    utc = jd_tt - 69.184 / 86400.0
    dut1 = (jd_ut - utc) * 86400.0
    aob, zob, *_ = erfa.atco13(rc, dc, 0.0, 0.0, 0.0, 0.0, utc, 0.0, dut1, LON * D, LAT * D,
                               HEIGHT, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0)
    return 90.0 - zob / D


if __name__ == "__main__":
    for jd in (2460754.9583333333, 2460755.375):
        print(f"// Sun altitude at JD(UT1) {jd}: {sun_altitude(jd):.4f}")
