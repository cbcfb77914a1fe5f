// The two numberings of the Sun, the Moon and the planets.
//
// TBody numbers what is seen from the Earth: the Sun, the planets in their order from the Sun
// and the Moon (the apparent places, the physical ephemerides, the almanac's planet events).
// TSeriesPlanet numbers the heliocentric series of the planetary data files: the Earth twice
// (referred to J2000.0 and to the date) and the planets. The planets carry the same number in
// both; the number is also the record of "PLANETS2.NDX", the place of the body in the tables
// and JSON keys indexed by it, so the values are fixed.
#pragma once

#include <array>
#include <cstddef>

namespace himlavy {

enum class TBody : int {
  Sun = 0,
  Mercury = 1,
  Venus = 2,
  Earth = 3,  // not seen from the Earth; keeps the planets' numbers
  Mars = 4,
  Jupiter = 5,
  Saturn = 6,
  Uranus = 7,
  Neptune = 8,
  Pluto = 9,
  Moon = 10,
};

// How many body numbers there are, the Earth's included (Sun to Moon).
inline constexpr std::size_t kBodyCountWithEarth = 11;

// The position of a body in a table indexed by body number.
constexpr std::size_t BodyIndex(TBody body) {
  return static_cast<std::size_t>(body);
}

// Whether a body is a planet other than the Earth (Mercury to Pluto).
constexpr bool IsPlanetBody(TBody body) {
  return body >= TBody::Mercury && body <= TBody::Pluto && body != TBody::Earth;
}

enum class TSeriesPlanet : int {
  EarthJ2000 = 0,  // the Earth referred to the ecliptic and equinox J2000.0 (for Pluto)
  Mercury = 1,
  Venus = 2,
  Earth = 3,  // the Earth referred to the ecliptic and equinox of date
  Mars = 4,
  Jupiter = 5,
  Saturn = 6,
  Uranus = 7,
  Neptune = 8,
  Pluto = 9,  // analytic, ecliptic and equinox J2000.0; never read from the files
};

// The record of a series in the planetary index file.
constexpr std::size_t SeriesIndex(TSeriesPlanet planet) {
  return static_cast<std::size_t>(planet);
}

// The planets read from the data files, Mercury to Neptune (the Earth not among them).
inline constexpr std::array<TSeriesPlanet, 7> kPlanetsFromFiles = {
    TSeriesPlanet::Mercury, TSeriesPlanet::Venus,  TSeriesPlanet::Mars,   TSeriesPlanet::Jupiter,
    TSeriesPlanet::Saturn,  TSeriesPlanet::Uranus, TSeriesPlanet::Neptune};

// The series of a planet (Mercury to Pluto) or of the Earth of date.
constexpr TSeriesPlanet SeriesOf(TBody planet) {
  return static_cast<TSeriesPlanet>(static_cast<int>(planet));
}

}  // namespace himlavy
