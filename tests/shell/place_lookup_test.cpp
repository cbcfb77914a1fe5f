// Looking up the site by name in "ortsnamn.dta".
#include "shell/place_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ScratchDir;

class LookUpPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Name 1-30 (Windows-1252), latitude 33-38, longitude 40-46, zone 48-53.
    file_ = dir_.Write("ortsnamn.dta",
                       "Stockholm                        59.20   18.03 +1    \r\n"
                       "Lund                             55.42   13.11 +1    \r\n"
                       "Lunda                            59.01   17.00 +1    \r\n"
                       "\xC5re                              63.24   13.05 +1    \r\n"
                       "Kapstaden                       -33.54   18.25 +2    \r\n"
                       "Quito                             0.00  -78.30 -5    \r\n"
                       "Nordpolen                        90.00   90.00 0     \r\n"
                       "Trasig rad                         abc   18.03 +1    \r\n");
    state_.Latitude = 1.0;
    state_.Longitude = 2.0;
    state_.PlaceName = "Förra";
  }

  void ExpectUnchanged() const {
    EXPECT_EQ(state_.Latitude, 1.0);
    EXPECT_EQ(state_.Longitude, 2.0);
    EXPECT_EQ(state_.PlaceName, "Förra");
  }

  ScratchDir dir_;
  std::filesystem::path file_;
  TObsState state_;
};

TEST_F(LookUpPlaceTest, FindsTheFirstNameContainingTheKey) {
  const TLookUpResult r = LookUpPlace(state_, "holm", file_);  // the end of a name
  EXPECT_EQ(r.Status, TLookUpStatus::Found);
  EXPECT_EQ(r.ZoneText, "+1    ");
  EXPECT_NEAR(state_.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
  EXPECT_NEAR(state_.Longitude, 18.05, 1e-12);
  EXPECT_EQ(state_.PlaceName, "Stockholm                     ");  // 30 columns kept

  LookUpPlace(state_, "Lund", file_);  // "Lund" comes before "Lunda"
  EXPECT_NEAR(state_.Latitude, 55.7, 1e-12);
}

TEST_F(LookUpPlaceTest, SignsAndTheSpecialLatitudes) {
  LookUpPlace(state_, "Kapstaden", file_);
  EXPECT_NEAR(state_.Latitude, -33.9, 1e-12);
  EXPECT_NEAR(state_.Longitude, 18.0 + 25.0 / 60.0, 1e-12);

  LookUpPlace(state_, "Quito", file_);
  EXPECT_EQ(state_.Latitude, 0.001);
  EXPECT_NEAR(state_.Longitude, -78.5, 1e-12);

  LookUpPlace(state_, "Nordpolen", file_);
  EXPECT_EQ(state_.Latitude, 89.999);
  EXPECT_EQ(state_.Longitude, 89.999);
}

TEST_F(LookUpPlaceTest, NamesAreWindows1252) {
  EXPECT_EQ(LookUpPlace(state_, "Åre", file_).Status, TLookUpStatus::Found);
  EXPECT_EQ(state_.PlaceName.substr(0, 5), "Åre ");  // Å is two bytes in UTF-8
  EXPECT_NEAR(state_.Latitude, 63.4, 1e-12);
}

TEST_F(LookUpPlaceTest, NoMatchChangesNothing) {
  for (const char* key : {"", "stockholm", "Uppsala", "Trasig"}) {
    EXPECT_EQ(LookUpPlace(state_, key, file_).Status, TLookUpStatus::NotFound) << key;
    ExpectUnchanged();
  }
  // A key is searched in the name columns only, not in the coordinates.
  EXPECT_EQ(LookUpPlace(state_, "59.20", file_).Status, TLookUpStatus::NotFound);
  ExpectUnchanged();
}

TEST_F(LookUpPlaceTest, MissingFileIsReported) {
  EXPECT_EQ(LookUpPlace(state_, "Lund", dir_ / "saknas.dta").Status, TLookUpStatus::FileMissing);
  ExpectUnchanged();
}

}  // namespace
}  // namespace himlavy
