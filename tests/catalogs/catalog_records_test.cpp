// Star catalog records, zone files, zone definitions and name files.
//
// The record tests decode real records, copied byte for byte from the program's data files,
// and compare them with the published catalogues: the Bright Star Catalogue, 5th revised ed.
// (Hoffleit & Warren 1991, CDS V/50), Hipparcos (ESA 1997; new reduction, van Leeuwen 2007,
// for the proper motions), SIMBAD's ICRS J2000.0 positions (epoch 2000.0), the WDS and the
// GCVS. Where the source of the data files rounds (positions to 0.00001 degree, magnitudes to
// 0.01) the tolerances say so.
#include "catalogs/catalog_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "common/sky_positions.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::DecDeg;
using testing::Hex;
using testing::RaDeg;
using testing::ScratchDir;
using testing::StoredOffsetArcsec;

// Sirius from data/bsc2000/29.dat.
constexpr std::string_view kSiriusBsc =
    "13bf0000bb0900004c8d9a00447ee6ffdefd39fb6eff0100434d6109416c70204131562b444120202020202020"
    "20202020202020";

TEST(BscRecord, DecodesTheBrightStarsAsPublished) {
  struct Case {
    std::string_view hex;
    std::uint32_t hd, hr;
    double ra, dec;      // SIMBAD ICRS, J2000.0 epoch 2000.0 (degrees)
    double pmRA, pmDec;  // Hipparcos (mas/yr, pmRA = mu_alpha cos delta)
    double v, bv;        // BSC5 V; B-V of the BSC5 or Hipparcos
    int flamsteed;
    std::string_view constellation, spectralPrefix;
  };
  const Case cases[] = {
      // Sirius: BSC5 V -1.46, B-V 0.00 (Hipparcos 0.009); pm -546.01, -1223.07.
      {kSiriusBsc, 48915, 2491, RaDeg(6, 45, 8.917), DecDeg(-1, 16, 42, 58.02), -546.01, -1223.07,
       -1.46, 0.00, 9, "CMa", "A1V"},
      // Polaris (bsc2000/01.dat): BSC5 V 2.02; Hipparcos B-V 0.636; pm 44.48, -11.85.
      {"ba220000a8010000e6e63900ce3488002c00f4ffca004000554d6901416c702046384962202020202020202020"
       "20202020202020",
       8890, 424, RaDeg(2, 31, 49.09), DecDeg(1, 89, 15, 50.79), 44.48, -11.85, 2.02, 0.636, 1,
       "UMi", "F8I"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hr);
    const auto r = DecodeBscRecord(Hex(c.hex));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->HD, c.hd);
    EXPECT_EQ(r->HR, c.hr);
    EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, c.ra, c.dec), 0.5);
    EXPECT_NEAR(r->PmRA, c.pmRA, 1.0);
    EXPECT_NEAR(r->PmDec, c.pmDec, 1.0);
    EXPECT_NEAR(Hundredths(r->Mag), c.v, 1e-9);
    EXPECT_NEAR(Hundredths(r->BV), c.bv, 0.011);
    EXPECT_EQ(r->Flamsteed, c.flamsteed);
    EXPECT_EQ(r->Bayer, "Alp ");
    EXPECT_EQ(r->Constellation, c.constellation);
    EXPECT_EQ(r->SpectralClass.size(), 20u);
    EXPECT_EQ(r->SpectralClass.substr(0, c.spectralPrefix.size()), c.spectralPrefix);
  }
}

TEST(SkyRecord, DecodesSiriusAsPublished) {
  // Sirius from sky2000/122.dat.
  const auto r = DecodeSkyRecord(
      Hex("4c8d9a00447ee6ff70ff01000000defd39fb1a3141315648490000005d7e000013bf000049510200"));
  ASSERT_TRUE(r);
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, RaDeg(6, 45, 8.917), DecDeg(-1, 16, 42, 58.02)), 0.5);
  EXPECT_NEAR(Hundredths(r->Mag), -1.44, 1e-9);  // Hipparcos V
  EXPECT_NEAR(Hundredths(r->BV), 0.009, 0.006);  // Hipparcos B-V
  EXPECT_EQ(r->MagDiff, 0);
  EXPECT_NEAR(r->PmRA, -546.01, 1.0);
  EXPECT_NEAR(r->PmDec, -1223.07, 1.0);
  EXPECT_EQ(r->Separation, 12570);  // WDS 06451-1643 (2011): 125.7"
  EXPECT_EQ(r->SpectralClass, "A1V");
  EXPECT_EQ(r->IdText, "HI");
  EXPECT_EQ(r->IdNumber, 32349);  // HIP 32349
  EXPECT_EQ(r->HD, 48915u);
  EXPECT_EQ(r->SAO, 151881u);
}

TEST(WdsRecord, DecodesCastorWithTheMissingFieldsMarked) {
  // Castor (WDS 07346+3153, STF1110) from wds2000/08.dat.
  const auto r = DecodeWdsRecord(
      Hex("4f6aad005ca830000000000019fce10719fcdd0019fc3c46be0019fc535446313131302020202020"
          "4131562b4132566d20202000"));
  ASSERT_TRUE(r);
  // Castor A, SIMBAD J2000.0: 07h34m35.873s +31d53m17.82s.
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, RaDeg(7, 34, 35.873), DecDeg(1, 31, 53, 17.82)), 0.5);
  EXPECT_EQ(r->Discoverer, "STF1110");
  // The last observation in the WDS: 2017, 221 degrees, 179.8".
  EXPECT_EQ(r->Year2, 2017);
  EXPECT_EQ(r->PosAngle2, 221);
  EXPECT_EQ(r->Separation2, 17980);
  // Not in the source: written as missing.
  EXPECT_EQ(r->DM, 0u);
  for (std::int16_t v : {r->Year1, r->PosAngle1, r->Separation1, r->Mag2}) {
    EXPECT_EQ(v, kWdsMissing);
  }
  EXPECT_EQ(r->Components, "     ");
  EXPECT_EQ(r->Note, "  ");
  EXPECT_EQ(FieldText(r->SpectralClass), "A1V+A2Vm");  // SIMBAD
}

TEST(GcvsRecord, DecodesVariablesAsTheGcvsGivesThem) {
  struct Case {
    std::string_view hex;
    std::string_view name, type;
    std::int32_t number;
    double max, min, period;
  };
  const Case cases[] = {
      // R And: GCVS 010001, M, 5.8 - 15.2 V, P = 409.2 d (gcvs2000/06.dat).
      {"e92a09002ddd3a00112700009a99cc434402f0052020015220416e6420202020204d20202020202020202000",
       "R And", "M", 10001, 5.8, 15.2, 409.2},
      // Mira (omi Cet): M, 2.0 - 10.1 V, P = 331.96 d; a Greek-letter name has no number here
      // (gcvs2000/27.dat).
      {"0e283500db74fbff00000000e1faa543c800f2032020016f6d69204365742020204d20202020202020202000",
       "omi Cet", "M", 0, 2.0, 10.1, 331.96},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = DecodeGcvsRecord(Hex(c.hex));
    ASSERT_TRUE(r);
    EXPECT_EQ(FieldText(r->Name), c.name);
    EXPECT_EQ(FieldText(r->VarType), c.type);
    EXPECT_EQ(r->StarNumber, c.number);
    EXPECT_NEAR(Hundredths(r->MagMax), c.max, 1e-9);
    EXPECT_NEAR(Hundredths(r->MagMin), c.min, 1e-9);
    EXPECT_NEAR(r->Period, c.period, 1e-4);
    EXPECT_EQ(kGcvsPhotometricSystems.at(r->PhotometricSystem), "V");
    EXPECT_EQ(r->MaxFlag, ' ');
  }
  // Mira, SIMBAD J2000.0: 02h19m20.79s -02d58m39.5s.
  const auto mira = DecodeGcvsRecord(Hex(cases[1].hex));
  EXPECT_LT(StoredOffsetArcsec(mira->RA, mira->Dec, RaDeg(2, 19, 20.79), DecDeg(-1, 2, 58, 39.5)),
            1.0);
}

// A "bsc" record (Sirius) with the given HD (used as a serial number) and position.
std::string BscBytes(std::uint32_t hd, std::int32_t ra, std::int32_t dec) {
  std::string b = Hex(kSiriusBsc);
  for (int k = 0; k < 4; ++k) {
    b[k] = static_cast<char>((hd >> (8 * k)) & 0xFF);
    b[8 + k] = static_cast<char>((static_cast<std::uint32_t>(ra) >> (8 * k)) & 0xFF);
    b[12 + k] = static_cast<char>((static_cast<std::uint32_t>(dec) >> (8 * k)) & 0xFF);
  }
  return b;
}

TEST(ReadZoneFile, HandsOverWholeRecordsOnly) {
  ScratchDir dir;
  std::vector<std::uint32_t> seen;
  const auto collect = [&](std::string_view rec) { seen.push_back(DecodeBscRecord(rec)->HD); };
  EXPECT_FALSE(ReadZoneFile(dir / "missing.dat", kBscRecordBytes, collect));
  EXPECT_FALSE(ReadZoneFile(dir.Write("empty.dat", ""), 0, collect));  // no record size
  EXPECT_EQ(ReadZoneFile(dir / "empty.dat", kBscRecordBytes, collect), 0u);
  std::filesystem::create_directory(dir / "folder.dat");  // a folder is not a zone file
  const auto folder = ReadZoneFile(dir / "folder.dat", kBscRecordBytes, collect);
  EXPECT_TRUE(!folder || *folder == 0u);
  // More than one read's worth, with a record size that does not divide the read size, and a
  // partial record at the end: every whole record once, in order.
  std::string many;
  std::vector<std::uint32_t> expected;
  for (std::uint32_t k = 0; k < 5000; ++k) {
    many += BscBytes(k, 100, 100);
    expected.push_back(k);
  }
  seen.clear();
  EXPECT_EQ(ReadZoneFile(dir.Write("many.dat", many + "xyz"), kBscRecordBytes, collect), 5000u);
  EXPECT_EQ(seen, expected);
}

TEST(ReadZone, SkipsRecordsOffTheSky) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    std::int32_t ra, dec;
    bool kept;
  } cases[] = {
      {0, 0, true},        {36000000, 0, true},  {0, 9000000, true},  {0, -9000000, true},
      {-1, 0, false},      {36000001, 0, false}, {0, 9000001, false}, {0, -9000001, false},
      {kMin, kMin, false}, {kMax, kMax, false},
  };
  std::string file;
  std::vector<std::uint32_t> expected;
  std::uint32_t serial = 0;
  for (const auto& c : cases) {
    file += BscBytes(++serial, c.ra, c.dec);
    if (c.kept) expected.push_back(serial);
  }
  ScratchDir dir;
  const auto records = ReadBscZone(dir.Write("01.dat", file));
  ASSERT_TRUE(records);
  std::vector<std::uint32_t> got;
  for (const auto& r : *records) got.push_back(r.HD);
  EXPECT_EQ(got, expected);
  EXPECT_FALSE(ReadBscZone(dir / "02.dat"));
}

TEST(ReadZoneDefinitions, KeepsEveryLineInItsPlace) {
  ScratchDir dir;
  EXPECT_FALSE(ReadZoneDefinitions(dir / "fil50.dta"));
  const auto zones = ReadZoneDefinitions(
      dir.Write("fil50.dta",
                "  1    0  480  6000  9000\r\n"         // good
                "  2  480\r\n"                          // short
                "  3 abcd  960  6000  9000\r\n"         // not a number
                "\r\n"                                  // blank
                "  5 1920 2400 -9000 -7500 and more\n"  // only 25 characters are read; LF end
                "  6  960 14x0  6000  9000\r\n"         // a letter inside a number
                "  7 12.5   24   -15   +15"));          // decimals, signs; no line end
  ASSERT_TRUE(zones);
  ASSERT_EQ(zones->size(), 7u);
  const bool valid[] = {true, false, false, false, true, false, true};
  for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ((*zones)[k].Valid, valid[k]) << k + 1;
  EXPECT_EQ((*zones)[0].RaEnd, 480.0);
  EXPECT_EQ((*zones)[4].RaStart, 1920.0);
  EXPECT_EQ((*zones)[4].DecStart, -9000.0);
  EXPECT_EQ((*zones)[6].RaStart, 12.5);
  EXPECT_EQ((*zones)[6].DecEnd, 15.0);
}

// The zone definition files in data/ tile the sky: the solid angles of the zones,
// (RA end - RA start) (sin Dec end - sin Dec start), add up to 4 pi, and a grid of points falls
// into exactly one zone each.
TEST(ZoneDefinitionsInData, TileTheSky) {
  constexpr double kRad = 3.141592653589793 / 180.0;
  for (const auto& [file, count] : {std::pair{"fil50.dta", 50u}, std::pair{"fil184.dta", 184u}}) {
    SCOPED_TRACE(file);
    const auto zones = ReadZoneDefinitions(DataFolder() / file);
    ASSERT_TRUE(zones);
    ASSERT_EQ(zones->size(), count);
    double area = 0.0;
    for (const auto& z : *zones) {
      ASSERT_TRUE(z.Valid);
      area += (z.RaEnd - z.RaStart) * 0.15 * kRad *
              (std::sin(z.DecEnd / 100 * kRad) - std::sin(z.DecStart / 100 * kRad));
    }
    EXPECT_NEAR(area, 4 * 3.141592653589793, 1e-9);
    for (double ra = 0.5; ra < 2400; ra += 11.0) {
      for (double dec = -8999.5; dec < 9000; dec += 29.0) {
        int hits = 0;
        for (const auto& z : *zones) {
          hits += ra >= z.RaStart && ra < z.RaEnd && dec >= z.DecStart && dec < z.DecEnd;
        }
        ASSERT_EQ(hits, 1) << ra << " " << dec;
      }
    }
  }
}

TEST(ReadNameFile, ReadsColumnsAndSkipsBadLines) {
  ScratchDir dir;
  EXPECT_FALSE(ReadNameFile(dir / "Stjanamn.dta", kStarNameWidth));
  dir.Write("Stjanamn.dta",
            "0645.1 -1643 Sirius\r\n"
            "0231.8 +8916 Polstj\xE4rnan\r\n"                // Windows-1252 a-umlaut
            "1836.9 +3847 Vega  this is not part of it\r\n"  // the name ends at two blanks
            "0000.0 +0000 A name far longer than nineteen\r\n"
            "0645.1 -1643\r\n"                // no name
            "0645.1 -1643              \r\n"  // a blank name
            "xx45.1 -1643 Bad hours\r\n"
            "2400.0 +0000 Hours 24\r\n"
            "0660.0 +0000 Minutes 60\r\n"
            "0645.1 x1643 Bad sign\r\n"
            "0645.1 -9100 Degrees 91\r\n"
            "0645.1 -16\r\n"  // short line
            "\r\n"
            "1200.0  1230 Blank sign");
  const auto names = ReadNameFile(dir / "Stjanamn.dta", kStarNameWidth);
  ASSERT_TRUE(names);
  ASSERT_EQ(names->size(), 5u);
  EXPECT_EQ((*names)[0].Name, "Sirius");
  EXPECT_NEAR((*names)[0].RaHours, 6.0 + 45.1 / 60, 1e-12);
  EXPECT_NEAR((*names)[0].DecDegrees, -(16.0 + 43.0 / 60), 1e-12);
  EXPECT_EQ((*names)[1].Name, "Polstj\u00e4rnan");
  EXPECT_EQ((*names)[2].Name, "Vega");
  EXPECT_EQ((*names)[3].Name, "A name far longer t");  // 19 characters
  EXPECT_EQ((*names)[4].Name, "Blank sign");
  EXPECT_NEAR((*names)[4].DecDegrees, 12.5, 1e-12);
  // Object names are 22 characters wide.
  EXPECT_EQ((*ReadNameFile(dir / "Stjanamn.dta", kObjectNameWidth))[3].Name,
            "A name far longer than");
}

// The name files in data/ name the bright stars and objects in Swedish, at their SIMBAD
// J2000.0 positions to the files' precision: 0.1 minute of right ascension, 1' of declination.
TEST(NameFilesInData, NameTheBrightStarsAndObjects) {
  const struct {
    std::string_view file;
    std::size_t width;
    std::string_view name;
    double ra, dec;
  } cases[] = {
      {"Stjanamn.dta", kStarNameWidth, "Polstj\u00e4rnan", RaDeg(2, 31, 49.09),
       DecDeg(1, 89, 15, 50.8)},
      {"Stjanamn.dta", kStarNameWidth, "Sirius", RaDeg(6, 45, 8.92), DecDeg(-1, 16, 42, 58.0)},
      {"Objnamn.dta", kObjectNameWidth, "Andromedagalaxen", RaDeg(0, 42, 44.33),
       DecDeg(1, 41, 16, 7.5)},
  };
  for (const auto& c : cases) {
    const auto names = ReadNameFile(DataFolder() / c.file, c.width);
    ASSERT_TRUE(names) << c.file;
    EXPECT_GT(names->size(), 500u) << c.file;
    const auto n = std::find_if(names->begin(), names->end(),
                                [&](const TNameEntry& e) { return e.Name == c.name; });
    ASSERT_NE(n, names->end()) << c.name;
    EXPECT_NEAR(n->RaHours, c.ra / 15, 0.051 / 60) << c.name;
    EXPECT_NEAR(n->DecDegrees, c.dec, 0.51 / 60) << c.name;
  }
}

}  // namespace
}  // namespace himlavy
