// Analytic series of the Sun and the Moon for the eclipse computations.
//
// The Sun of O. Montenbruck & T. Pfleger, Astronomy on the Personal Computer (Springer),
// chapter 3 (SUN200: Keplerian terms and the perturbations by Venus, Mars, Jupiter, Saturn and
// the Moon, about 1" in 1900-2100), and their Moon, chapter 8 (MOON: Brown's lunar theory as
// the book truncates it, about 1" in longitude). T is Julian centuries since J2000.0 in
// ephemeris (terrestrial) time. The routines keep no state.
#pragma once

namespace himlavy {

// Ecliptic spherical coordinates: L longitude, B latitude (degrees, mean equinox and ecliptic
// of date), R distance (AU for the Sun, Earth radii for the Moon).
struct TEclipticDeg {
  double L = 0.0;
  double B = 0.0;
  double R = 0.0;
};

// Geocentric equatorial coordinates: Ra right ascension in [0, 360], Dec declination
// (degrees, true equator and equinox of date), R distance (AU for the Sun, Earth radii for
// the Moon).
struct TEquatorialDeg {
  double Ra = 0.0;
  double Dec = 0.0;
  double R = 0.0;
};

// SunSeries: the geometric ecliptic coordinates of the Sun.
//   t  Julian centuries since J2000.0 (TT)
// Returns L in [0, 360) and B in degrees (mean equinox of date), R in AU.
// Source: Montenbruck & Pfleger, SUN200 (the published series: 23 terms with Venus
// including the Earth's Keplerian terms, 13 with Mars, 12 with Jupiter, 4 with Saturn, and
// the Moon's terms).
TEclipticDeg SunSeries(double t);

// SunEquatorial: the apparent geocentric equatorial coordinates of the Sun.
//   t  Julian centuries since J2000.0 (TT)
// Returns right ascension and declination in degrees and the distance in AU: SunSeries at
// t - 8.32 min (aberration as the light time of 1 AU), turned to the equator of date, with
// the low-precision nutation.
// Source: Montenbruck & Pfleger, SUNEQU.
TEquatorialDeg SunEquatorial(double t);

// MoonSeries: the geometric ecliptic coordinates of the Moon.
//   t  Julian centuries since J2000.0 (TT)
// Returns L in [0, 360) and B in degrees (mean equinox of date), R in Earth radii.
// Source: Montenbruck & Pfleger, MOON (the published series: long-period terms, the solar
// terms in three blocks of 35, 46 and 23, 10 node terms and 11 planetary terms).
TEclipticDeg MoonSeries(double t);

// MoonEquatorial: the geocentric equatorial coordinates of the Moon (no light time).
//   t  Julian centuries since J2000.0 (TT)
// Returns right ascension and declination in degrees (true equator and equinox of date) and
// the distance in Earth radii.
// Source: Montenbruck & Pfleger, MOONEQU.
TEquatorialDeg MoonEquatorial(double t);

}  // namespace himlavy
