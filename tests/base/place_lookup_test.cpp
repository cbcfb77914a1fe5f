// Looking up the site by name in "ortsnamn.dta".
#include "base/place_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "base/textfile.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

// Name 1-30 (Windows-1252), latitude 33-38, longitude 40-46, zone 48-53.
constexpr const char* kPlaces =
    "Stockholm P\xE5 M\xE5nen              100.65  18.03 +1    \r\n"
    "Stockholm                        59.20   18.03 +1    \r\n"
    "Lund                             55.42   13.11 +1    \r\n"
    "Lunda                            59.01   17.00 +1    \r\n"
    "\xC5re                              63.24   13.05 +1    \r\n"
    "Kapstaden                       -33.54   18.25 +2    \r\n"
    "Quito                             0.00  -78.30 -5    \r\n"
    "Nordpolen                        90.00   90.00 0     \r\n"
    "Trasig rad                         abc   18.03 +1    \r\n"
    "Bortom                           10.00  181.00 +1    \r\n";

TEST(LookUpPlace, FirstNameContainingTheKeySignsAndSpecialLatitudes) {
  testing::ScratchDir dir;
  const auto file = dir.Write("ortsnamn.dta", kPlaces);
  const struct {
    const char* Key;
    double Latitude, Longitude;
    const char* Name;
    const char* Zone;
  } cases[] = {
      {"holm", 59.0 + 20.0 / 60.0, 18.05, "Stockholm", "+1    "},  // the end of a name
      {"Lund", 55.7, 13.0 + 11.0 / 60.0, "Lund", "+1    "},        // before "Lunda"
      {"Åre", 63.4, 13.0 + 5.0 / 60.0, "Åre", "+1    "},
      {"Kapstaden", -33.9, 18.0 + 25.0 / 60.0, "Kapstaden", "+2    "},
      {"Quito", 0.001, -78.5, "Quito", "-5    "},
      {"Nordpolen", 89.999, 89.999, "Nordpolen", "0     "},
  };
  for (const auto& c : cases) {
    TObsState s;
    const TLookUpResult r = LookUpPlace(s, c.Key, file);
    EXPECT_EQ(r.Status, TLookUpStatus::Found) << c.Key;
    EXPECT_EQ(r.ZoneText, c.Zone) << c.Key;
    EXPECT_NEAR(s.Latitude, c.Latitude, 1e-12) << c.Key;
    EXPECT_NEAR(s.Longitude, c.Longitude, 1e-12) << c.Key;
    const std::string name = c.Name;  // 30 columns, trailing blanks kept
    EXPECT_EQ(s.PlaceName, name + std::string(30 - Utf8Length(name), ' '));
  }
}

TEST(LookUpPlace, NoMatchOrNoFileChangesNothing) {
  testing::ScratchDir dir;
  const auto file = dir.Write("ortsnamn.dta", kPlaces);
  // Empty, case differs, absent, a damaged line, text of the coordinate columns.
  // Lines off the globe (latitude 100.65, longitude 181) are damaged lines.
  for (const char* key :
       {"", "stockholm", "Uppsala", "Trasig", "59.20", "saknas", "Månen", "Bortom"}) {
    TObsState s;
    s.Latitude = 1.0;
    s.Longitude = 2.0;
    s.PlaceName = "Förra";
    const bool missing = key == std::string("saknas");
    EXPECT_EQ(LookUpPlace(s, missing ? "Lund" : key, missing ? dir / "saknas.dta" : file).Status,
              missing ? TLookUpStatus::FileMissing : TLookUpStatus::NotFound)
        << key;
    EXPECT_EQ(s.Latitude, 1.0);
    EXPECT_EQ(s.Longitude, 2.0);
    EXPECT_EQ(s.PlaceName, "Förra");
  }
}

}  // namespace
}  // namespace himlavy
