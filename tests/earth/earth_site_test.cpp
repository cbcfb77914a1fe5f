// The site on the Earth map (place and country search, texts, mouse) and the sub-solar point.
// Expected values are worked by hand, and the sub-solar points come from ERFA
// (tools/accuracy/make_subsolar_fixture.py).
#include "earth/earth_site.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "common/data_folder.h"
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
  struct Case {
    std::string typed;
    double lat, lon;                  // the site before
    std::string name, zone, country;  // found
    double newLat, newLon;            // the site after
  };
  const Case cases[] = {
      {"Upp", 0, 0, "Uppsala [SE]", "+1*", "SE", 59.85, 17.6333},    // first of two matches
      {"sala", 0, 0, "Uppsala [SE]", "+1*", "SE", 59.85, 17.6333},   // in "Uppsala", not "Sala"
      {"Equator", 1, 1, "Equator [EC]", "-5", "EC", 0.001, 89.999},  // 0 and 90 replaced
      {"Pole", 1, 1, "Pole [AQ]", "0", "AQ", 89.999, 10.0},
      {"", 59.7, 17.5, "Edge [XX]", "+2", "XX", 59.7, 17.5},            // the last of three near
      {"", 59.5, 17.5, "Upplands Väsby [SE]", "+1", "SE", 59.5, 17.5},  // 60.0 not < 60.0
      {"", 60.5, 17.5, "Edge [XX]", "+2", "XX", 60.5, 17.5},  // 60.0 and 17.0 are >= the bounds
      {"Nowhere", 40, 40, "", "", "", 40, 40}};
  for (const Case& c : cases) {
    TObsState state;
    state.NewPlaceName = c.typed;
    state.Latitude = c.lat;
    state.Longitude = c.lon;
    const TFoundPlace found = FindPlace(state, places);
    EXPECT_EQ(found.PlaceName, c.name) << c.typed << " " << c.lat;
    EXPECT_EQ(found.Zone, c.zone) << c.typed;
    EXPECT_EQ(found.CountryCode, c.country) << c.typed;
    EXPECT_DOUBLE_EQ(state.Latitude, c.newLat) << c.typed;
    EXPECT_DOUBLE_EQ(state.Longitude, c.newLon) << c.typed;
  }
}

TEST(FindCountry, FirstCodeContainingItAndNothingForAnEmptyCode) {
  const std::vector<TCountryEntry> countries = {
      {"SE", "Sverige"}, {"SE", "Andra"}, {"NO", "Norge"}};
  EXPECT_EQ(FindCountry("SE", countries), "Sverige");
  EXPECT_EQ(FindCountry("NO", countries), "Norge");
  EXPECT_EQ(FindCountry("", countries), "");
  EXPECT_EQ(FindCountry("FI", countries), "");
}

TEST(SiteTexts, HemispheresAndMinutes) {
  TObsState state;
  const TFoundPlace found{"Stockholm [SE] H", "+1*", "SE", "Sverige"};
  state.Latitude = 59.3333;
  state.Longitude = 18.0667;
  TSiteTexts t = SiteTexts(state, found);
  EXPECT_EQ(t.PlaceAndCountry, " Stockholm [SE] H\n Sverige");
  EXPECT_EQ(t.Coordinates, " Latitud=59°20' N\n Longitud=18°4' Ö");
  EXPECT_EQ(t.Zone, " Tidzon=+1*");
  state.Latitude = -33.9;
  state.Longitude = -70.6667;
  t = SiteTexts(state, {});
  EXPECT_EQ(t.Coordinates, " Latitud=33°54' S\n Longitud=70°40' V");
  EXPECT_EQ(t.PlaceAndCountry, " \n ");
}

TEST(ChooseSiteAt, RimChangesNothingCentreKeepsTheSiteAndLongitudesWrap) {
  TObsState state;
  state.Latitude = 59.33;
  state.Longitude = 18.07;
  state.NewPlaceName = "Stockholm";
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
  EXPECT_EQ(hits.NameAt(100, 50), " Nine");  // both: the later line wins
  EXPECT_EQ(hits.NameAt(102, 52), " Nine");  // x - 2 <= X, y - 2 <= Y
  EXPECT_EQ(hits.NameAt(103, 50), " Five");  // 100 < 101 = x - 2
  EXPECT_EQ(hits.NameAt(98, 50), "");        // X < x + 2 fails
  EXPECT_EQ(hits.NameAt(100, 48), "");
}

TEST(SubSolarPoint, LongitudeEdgeCasesAndAgreementWithErfa) {
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.5, 0.0), 0.0);    // noon, no equation of time
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.0, 0.0), 180.0);  // midnight
  EXPECT_DOUBLE_EQ(SubSolarLongitude(0.25, 0.1), 88.5);  // 06:06 of apparent time: 180 - 91.5

  std::ifstream in(testing::DataFolder().parent_path() / "tests/earth/subsolar_reference.tsv");
  ASSERT_TRUE(in);
  TObsState state;
  state.CorrNutation = 1;
  state.CorrAberration = 1;
  int moments = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double lat = 0, lon = 0;
    fields >> state.JD_UT >> state.JD_TT >> lat >> lon;
    const auto point = SubSolarPoint(state, testing::DataFolder());
    ASSERT_TRUE(point);
    EXPECT_NEAR(point->Latitude, lat, 0.05) << line;
    double dlon = std::remainder(point->Longitude - lon, 360.0);
    EXPECT_NEAR(dlon, 0.0, 0.05) << line;
    EXPECT_GT(point->Longitude, -180.0);
    EXPECT_LE(point->Longitude, 180.0);
    ++moments;
  }
  EXPECT_EQ(moments, 16);
  EXPECT_FALSE(SubSolarPoint(state, testing::DataFolder() / "no such folder"));
}

TEST(EarthCentre, PanelMappingUnderBothOrientationsAndSizes) {
  struct Case {
    double x, y, z;
    int orientation;
    TEarthPanel panel;
    double sx, sy;
    bool front;
  };
  const Case cases[] = {
      {1, 0, 0, 0, TEarthPanel::FromNorth, 110, 300, false},  // 0h to the right
      {0, 1, 0, 0, TEarthPanel::FromNorth, 100, 290, false},  // 6h up
      {1, 0, 0, 1, TEarthPanel::FromNorth, 100, 290, false},  // turned: 0h up
      {0, 1, 0, 1, TEarthPanel::FromNorth, 90, 300, false},   // and 6h to the left
      {0, 0, 1, 0, TEarthPanel::FromNorth, 100, 300, true},   // the pole faces the viewer
      {0, -1, 0, 0, TEarthPanel::From18h, 100, 100, true},    // towards 18h: in front
      {1, 0, 1, 0, TEarthPanel::From18h, 110, 90, false},     // 0h right, north up
      {0, 1, 0, 0, TEarthPanel::From6h, 300, 100, true},      // towards 6h: in front
      {1, 0, 1, 0, TEarthPanel::From6h, 290, 90, false},      // 0h on the left from 6h
      {1, 0, 0, 1, TEarthPanel::From6h, 300, 100, true}};     // turned: 0h towards 6h's viewer
  for (const Case& c : cases) {
    const TPanelVector v = PanelVector(c.x, c.y, c.z, c.orientation);
    const TPanelPoint p = PanelPoint(c.panel, v, 10.0);
    EXPECT_DOUBLE_EQ(p.X, c.sx) << c.x << c.y << c.z << c.orientation;
    EXPECT_DOUBLE_EQ(p.Y, c.sy) << c.x << c.y << c.z << c.orientation;
    EXPECT_EQ(InFrontOfEarth(c.panel, v), c.front) << c.x << c.y << c.z << c.orientation;
  }
  EXPECT_EQ(EarthRadiusPixels(1), 3);
  EXPECT_EQ(EarthRadiusPixels(262144), 72);  // 71.8
  EXPECT_EQ(MoonRadiusPixels(1, 0), 2);
  EXPECT_EQ(MoonRadiusPixels(1, 1), 3);
  EXPECT_EQ(MoonRadiusPixels(262144, 0), 20);  // 19.6
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
  EXPECT_EQ(scene.Satellites[0].Name, "AJISAI (EGS)       ");
  EXPECT_EQ(scene.Satellites[0].Label, "AJISAI (EGS) ");
  // Ajisai flies about 1490 km high: a = 0.00005258 AU = 7866 km, e = 0.0011.
  const TPanelVector& v = scene.Satellites[0].Position;
  const double km = std::sqrt(v.U * v.U + v.V * v.V + v.W * v.W) * 149597870.0;
  EXPECT_NEAR(km, 7866.0, 15.0);
  // The Moon: 356000 to 407000 km away.
  const double moonKm = std::hypot(scene.Moon.U, scene.Moon.V, scene.Moon.W) * 149597870.0;
  EXPECT_GT(moonKm, 356000.0);
  EXPECT_LT(moonKm, 407000.0);
  state.CoordSystem = 1;
  EXPECT_TRUE(EarthCentreScene(state, dir.Path()).Satellites.empty());
  state.CoordSystem = 0;
  state.ClockJD = 2458142.0;  // 2018-01-23 12:00, after the stop
  EXPECT_TRUE(EarthCentreScene(state, dir.Path()).Satellites.empty());
}

}  // namespace
}  // namespace himlavy
