// The site on the Earth map (place and country search, texts, mouse) and the sub-solar point.
// Expected values are worked by hand, and the sub-solar points come from ERFA
// (tools/accuracy/make_subsolar_fixture.py).
#include "earth/earth_site.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "common/data_folder.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"
#include "earth/earth_centre.h"
#include "earth/sun_position.h"

namespace himlavy {
namespace {

TPlaceEntry Place(std::size_t line, std::string name, double lat, double lon, std::string zone,
                  std::string country) {
  return {line, name, name, country, lat, lon, zone};
}

TEST(FindPlace, TypedNameFirstMatchOtherwiseLastPlaceWithinHalfADegree) {
  const std::vector<TPlaceEntry> places = {Place(1, "Uppsala [SE]", 59.85, 17.6333, "+1*", "SE"),
                                           Place(2, "Sala [SE]", 59.9167, 16.6, "+1*", "SE"),
                                           Place(3, "Equator [EC]", 0.0, 90.0, "-5", "EC"),
                                           Place(4, "Pole [AQ]", 90.0, 10.0, "0", "AQ"),
                                           Place(5, "Upplands Väsby [SE]", 59.5, 17.9, "+1", "SE"),
                                           Place(6, "Edge [XX]", 60.0, 17.0, "+2", "XX")};
  // The cases: tests/earth/find_place.tsv.
  const auto cases = testing::FixtureRows("earth/find_place.tsv");
  EXPECT_EQ(cases.size(), 8u);
  for (const auto& f : cases) {
    SCOPED_TRACE(f[0] + " " + f[1]);
    TObsState state{
        .NewPlaceName = f[0], .Latitude = std::stod(f[1]), .Longitude = std::stod(f[2])};
    const TFoundPlace found = FindPlace(state, places);
    EXPECT_EQ(std::tuple(found.PlaceName, found.Zone, found.CountryCode),
              std::tuple(f[3], f[4], f[5]));
    EXPECT_DOUBLE_EQ(state.Latitude, std::stod(f[6]));
    EXPECT_DOUBLE_EQ(state.Longitude, std::stod(f[7]));
  }
}

TEST(FindCountry, FirstCodeContainingItAndNothingForAnEmptyCode) {
  const std::vector<TCountryEntry> countries = {
      {"SE", "Sverige"}, {"SE", "Andra"}, {"NO", "Norge"}};
  EXPECT_EQ(FindCountry("SE", countries) + "|" + FindCountry("NO", countries) + "|" +
                FindCountry("", countries) + "|" + FindCountry("FI", countries),
            "Sverige|Norge||");
}

TEST(SiteTexts, HemispheresAndMinutes) {
  const TFoundPlace found{"Stockholm [SE] H", "+1*", "SE", "Sverige"};
  TSiteTexts t = SiteTexts({.Latitude = 59.3333, .Longitude = 18.0667}, found);
  EXPECT_EQ(std::tuple(t.PlaceAndCountry, t.Coordinates, t.Zone),
            std::tuple(" Stockholm [SE] H\n Sverige", " Latitud=59°20' N\n Longitud=18°4' Ö",
                       " Tidzon=+1*"));
  t = SiteTexts({.Latitude = -33.9, .Longitude = -70.6667}, {});
  EXPECT_EQ(t.Coordinates + "|" + t.PlaceAndCountry, " Latitud=33°54' S\n Longitud=70°40' V| \n ");
}

TEST(ChooseSiteAt, RimChangesNothingCentreKeepsTheSiteAndLongitudesWrap) {
  TObsState state{.NewPlaceName = "Stockholm", .Latitude = 59.33, .Longitude = 18.07};
  const TObsState before = state;
  EXPECT_FALSE(ChooseSiteAt(state, kEarthMapCentreX + 310, kEarthMapCentreY));  // on the rim
  EXPECT_FALSE(ChooseSiteAt(state, kEarthMapCentreX, kEarthMapCentreY - 400));  // outside
  EXPECT_EQ(state.NewPlaceName, "Stockholm");
  ASSERT_TRUE(ChooseSiteAt(state, kEarthMapCentreX, kEarthMapCentreY));
  EXPECT_NEAR(state.Latitude, before.Latitude, 1e-9);
  EXPECT_NEAR(state.Longitude, before.Longitude, 1e-9);
  EXPECT_EQ(state.NewPlaceName, "");
  // Half the radius east of a site on the equator is 30 degrees east (arcsin 0.5).
  state.Latitude = 0.0;
  state.Longitude = 170.0;
  ASSERT_TRUE(ChooseSiteAt(state, kEarthMapCentreX + 155, kEarthMapCentreY));
  EXPECT_NEAR(state.Latitude, 0.0, 1e-9);
  EXPECT_NEAR(state.Longitude, -160.0, 1e-9);

  RaiseFlagsAfterSiteChange(state);
  int raised = 0;
  for (int TObsState::*flag : kRedrawFlags) raised += state.*flag;
  EXPECT_EQ(raised, 16);
  EXPECT_EQ(state.RedrawEarth + state.RedrawEarthCentre + state.RedrawJupCentre, 0);
}

TEST(PlaceHits, LastEntryWithinTwoPixelsWins) {
  TPlaceHits hits;
  EXPECT_EQ(hits.NameAt(0, 0), "");  // nothing drawn yet
  hits.Record(9, 100, 50, "Nine");
  hits.Record(5, 101, 50, "Five");
  hits.Record(2001, 100, 50, "Beyond the table");
  // (100, 50): both, the later line wins; (102, 52): x - 2 <= X, y - 2 <= Y; (103, 50):
  // 100 < 101 = x - 2; (98, 50): X < x + 2 fails.
  for (const auto& [x, y, name] : {std::tuple{100, 50, " Nine"},
                                   {102, 52, " Nine"},
                                   {103, 50, " Five"},
                                   {98, 50, ""},
                                   {100, 48, ""}})
    EXPECT_EQ(hits.NameAt(x, y), name) << x << "," << y;
}

TEST(SubSolarPoint, LongitudeEdgeCasesAndAgreementWithErfa) {
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.5, 0.0), 0.0);    // noon, no equation of time
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.0, 0.0), 180.0);  // midnight
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.25, 0.1), 88.5);  // 06:06 of apparent time: 180 - 91.5

  TObsState state{.CorrAberration = 1, .CorrNutation = 1};
  const auto rows = testing::FixtureRows("earth/subsolar_reference.tsv");
  EXPECT_EQ(rows.size(), 16u);
  for (const auto& f : rows) {
    state.JD_UT = std::stod(f[0]), state.JD_TT = std::stod(f[1]);
    const auto point = SubSolarPoint(state, testing::DataFolder());
    ASSERT_TRUE(point);
    EXPECT_NEAR(point->Latitude, std::stod(f[2]), 0.05) << f[0];
    EXPECT_NEAR(std::remainder(point->Longitude - std::stod(f[3]), 360.0), 0.0, 0.05) << f[0];
    EXPECT_TRUE(point->Longitude > -180.0 && point->Longitude <= 180.0) << point->Longitude;
  }
  EXPECT_FALSE(SubSolarPoint(state, testing::DataFolder() / "no such folder"));
}

TEST(EarthCentre, PanelMappingUnderBothOrientationsAndSizes) {
  const std::map<std::string, TEarthPanel> panels = {{"FromNorth", TEarthPanel::FromNorth},
                                                     {"From18h", TEarthPanel::From18h},
                                                     {"From6h", TEarthPanel::From6h}};
  const auto cases = testing::FixtureRows("earth/earth_panels.tsv");
  EXPECT_EQ(cases.size(), 10u);
  for (const auto& f : cases) {
    SCOPED_TRACE(f[0] + f[1] + f[2] + f[3]);
    const TPanelVector v =
        PanelVector(std::stod(f[0]), std::stod(f[1]), std::stod(f[2]), std::stoi(f[3]));
    const TPanelPoint p = PanelPoint(panels.at(f[4]), v, 10.0);
    EXPECT_DOUBLE_EQ(p.X, std::stod(f[5]));
    EXPECT_DOUBLE_EQ(p.Y, std::stod(f[6]));
    EXPECT_EQ(InFrontOfEarth(panels.at(f[4]), v), f[7] == "true");
  }
  // The Earth's radius at scales 1 and 262144 (71.8), the Moon's at 1 (both modes) and 262144
  // (19.6).
  EXPECT_EQ(std::tuple(EarthRadiusPixels(1), EarthRadiusPixels(262144), MoonRadiusPixels(1, 0),
                       MoonRadiusPixels(1, 1), MoonRadiusPixels(262144, 0)),
            std::tuple(3, 72, 2, 3, 20));
  EXPECT_EQ(EarthSatelliteLabel("ARIANE 40 R/B      "), "ARIANE 40 R/B ");
  EXPECT_EQ(EarthSatelliteLabel("A B C D E F G H I J"), "A B C D E F G H I J");
}

TEST(EarthCentre, SatellitesByCentralBodyFlagAndDatesAndTheMoonsDistance) {
  const std::string elements =
      "20180120.94334 .00005258 0.0011165  68.0306  215.47676 306.50389 2000 228.26710 ";
  const auto line = [&](std::string name, std::string stop, std::string centre, char flag) {
    name.resize(20, ' ');
    return name + elements + "20180118.943 " + stop + " " + centre + "  " + flag + "\r\n";
  };
  testing::ScratchDir dir;
  dir.Write("rymdsond.dta", line("AJISAI (EGS)", "20180122.943", "Jor", 'j') +
                                line("MARS ORBITER", "20180122.943", "Mar", 'j') +
                                line("HIDDEN", "20180122.943", "Jor", 'n') +
                                line("DECAYED", "20180119.943", "Jor", 'j') + ";" +
                                line("COMMENT", "20180122.943", "Jor", 'j'));
  TObsState state;
  state.ClockJD = state.JD_UT = state.JD_TT = 2458139.0;  // 2018-01-20 12:00
  TEarthCentreScene scene = EarthCentreScene(state, dir.Path());
  ASSERT_EQ(scene.Satellites.size(), 1u);
  EXPECT_EQ(scene.Satellites[0].Name + "|" + scene.Satellites[0].Label,
            "AJISAI (EGS)       |AJISAI (EGS) ");
  // Ajisai flies about 1490 km high: a = 0.00005258 AU = 7866 km, e = 0.0011.
  const TPanelVector& v = scene.Satellites[0].Position;
  EXPECT_NEAR(std::sqrt(v.U * v.U + v.V * v.V + v.W * v.W) * 149597870.0, 7866.0, 15.0);
  // The Moon: 356000 to 407000 km away.
  const double moonKm = std::hypot(scene.Moon.U, scene.Moon.V, scene.Moon.W) * 149597870.0;
  EXPECT_TRUE(moonKm > 356000.0 && moonKm < 407000.0) << moonKm;
  state.CoordSystem = 1;
  EXPECT_TRUE(EarthCentreScene(state, dir.Path()).Satellites.empty());
  state.CoordSystem = 0;
  state.ClockJD = 2458142.0;  // 2018-01-23 12:00, after the stop
  EXPECT_TRUE(EarthCentreScene(state, dir.Path()).Satellites.empty());
}

}  // namespace
}  // namespace himlavy
