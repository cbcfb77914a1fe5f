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
#include <tuple>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "common/sky_positions.h"

namespace himlavy {
namespace {

using namespace testing;

// Sirius: SIMBAD J2000.0 06h45m08.917s -16d42m58.02s; Hipparcos pm -546.01, -1223.07 mas/yr.
const double kSiriusRa = RaDeg(6, 45, 8.917), kSiriusDec = DecDeg(-1, 16, 42, 58.02);

// Sirius from data/bsc2000/29.dat.
constexpr std::string_view kSiriusBsc =
    "13bf0000bb0900004c8d9a00447ee6ffdefd39fb6eff0100434d6109416c70204131562b444120202020202020"
    "20202020202020";

TEST(ZoneFileName, NamesTheZoneFiles) {
  EXPECT_EQ(ZoneFileName(*FindCatalog("bsc"), 7), "bsc2000/07.dat");
  EXPECT_EQ(ZoneFileName(*FindCatalog("sky"), 7), "sky2000/007.dat");
  EXPECT_EQ(ZoneFileName(*FindCatalog("sky"), 123), "sky2000/123.dat");
  EXPECT_EQ(FindCatalog("BSC"), nullptr);
}

TEST(BscRecord, DecodesSiriusAsPublished) {
  // BSC5: HD 48915 = HR 2491, 9 Alp CMa, V -1.46, B-V 0.00 (Hipparcos 0.009), A1V.
  const auto r = DecodeBscRecord(Hex(kSiriusBsc));
  ASSERT_TRUE(r);
  EXPECT_EQ(std::tuple(r->HD, r->HR, r->Flamsteed, r->Bayer, r->Constellation),
            std::tuple(48915u, 2491u, 9, "Alp ", "CMa"));
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, kSiriusRa, kSiriusDec), 0.5);
  EXPECT_NEAR(r->PmRA, -546.01, 1.0);
  EXPECT_NEAR(r->PmDec, -1223.07, 1.0);
  EXPECT_NEAR(Hundredths(r->Mag), -1.46, 1e-9);
  EXPECT_NEAR(Hundredths(r->BV), 0.0, 0.011);
  EXPECT_EQ(std::tuple(r->SpectralClass.size(), r->SpectralClass.substr(0, 3)),
            std::tuple(20u, "A1V"));
}

TEST(SkyRecord, DecodesSiriusAsPublished) {
  // Sirius from sky2000/122.dat: Hipparcos V -1.44, HIP 32349, SAO 151881; WDS 06451-1643
  // (2011): 125.7".
  const auto r = DecodeSkyRecord(
      Hex("4c8d9a00447ee6ff70ff01000000defd39fb1a3141315648490000005d7e000013bf000049510200"));
  ASSERT_TRUE(r);
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, kSiriusRa, kSiriusDec), 0.5);
  EXPECT_NEAR(Hundredths(r->Mag), -1.44, 1e-9);
  EXPECT_NEAR(r->PmDec, -1223.07, 1.0);
  EXPECT_EQ(std::tuple(r->Separation, r->SpectralClass, r->IdText, r->IdNumber, r->HD, r->SAO),
            std::tuple(12570, "A1V", "HI", 32349, 48915u, 151881u));
}

TEST(WdsRecord, DecodesCastorWithTheMissingFieldsMarked) {
  // Castor (WDS 07346+3153, STF1110) from wds2000/08.dat; Castor A, SIMBAD J2000.0 07h34m35.873s
  // +31d53m17.82s; last WDS observation 2017, 221 degrees, 179.8"; spectra A1V+A2Vm (SIMBAD).
  const auto r = DecodeWdsRecord(
      Hex("4f6aad005ca830000000000019fce10719fcdd0019fc3c46be0019fc535446313131302020202020"
          "4131562b4132566d20202000"));
  ASSERT_TRUE(r);
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, RaDeg(7, 34, 35.873), DecDeg(1, 31, 53, 17.82)), 0.5);
  EXPECT_EQ(std::tuple(r->Discoverer, r->Year2, r->PosAngle2, r->Separation2, r->Year1, r->Mag2,
                       FieldText(r->SpectralClass)),
            std::tuple("STF1110", 2017, 221, 17980, kWdsMissing, kWdsMissing, "A1V+A2Vm"));
}

TEST(GcvsRecord, DecodesMiraAsTheGcvsGivesIt) {
  // Mira (omi Cet, gcvs2000/27.dat): M, 2.0 - 10.1 V, P = 331.96 d; a Greek-letter name has no
  // number here. SIMBAD J2000.0: 02h19m20.79s -02d58m39.5s.
  const auto r = DecodeGcvsRecord(
      Hex("0e283500db74fbff00000000e1faa543c800f2032020016f6d69204365742020204d202020202020"
          "20202000"));
  ASSERT_TRUE(r);
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, RaDeg(2, 19, 20.79), DecDeg(-1, 2, 58, 39.5)), 1.0);
  EXPECT_EQ(std::tuple(FieldText(r->Name), FieldText(r->VarType), r->StarNumber, r->MagMax,
                       r->MagMin, kGcvsPhotometricSystems.at(r->PhotometricSystem)),
            std::tuple("omi Cet", "M", 0, 200, 1010, "V"));
  EXPECT_NEAR(r->Period, 331.96, 1e-4);
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

// Records on and just off the edges of the sky, then a partial record.
TEST(ReadZone, HandsOverWholeRecordsOnTheSky) {
  ScratchDir dir;
  EXPECT_FALSE(ReadBscZone(dir / "missing.dat"));
  EXPECT_FALSE(ReadZoneFile(dir.Write("empty.dat", ""), 0, [](std::string_view) {}));
  const std::tuple<std::int32_t, std::int32_t, bool> cases[] = {
      {36000000, 9000000, true}, {0, -9000000, true}, {-1, 0, false},
      {36000001, 0, false},      {0, 9000001, false}, {0, -9000001, false}};
  std::string file;
  std::vector<std::uint32_t> expected, got;
  std::uint32_t serial = 0;
  for (const auto& [ra, dec, kept] : cases) {
    file += BscBytes(++serial, ra, dec);
    if (kept) expected.push_back(serial);
  }
  const auto path = dir.Write("01.dat", file + "xyz");
  EXPECT_EQ(ReadZoneFile(path, kBscRecordBytes, [](std::string_view) {}), std::size(cases));
  const auto records = ReadBscZone(path);
  for (const auto& r : *records) got.push_back(r.HD);
  EXPECT_EQ(got, expected);
}

TEST(ReadZoneDefinitions, KeepsEveryLineInItsPlace) {
  ScratchDir dir;
  EXPECT_FALSE(ReadZoneDefinitions(dir / "fil50.dta"));
  const auto zones = ReadZoneDefinitions(
      dir.Write("fil50.dta",
                "  1    0  480  6000  9000\r\n"
                "  2  480\r\n"                          // short
                "  3 abcd  960  6000  9000\r\n"         // not a number
                "\r\n"                                  // blank
                "  5 1920 2400 -9000 -7500 and more\n"  // only 25 characters are read
                "  6  960 14x0  6000  9000\r\n"         // a letter inside a number
                "  7 12.5   24   -15   +15"));          // decimals, signs; no line end
  ASSERT_TRUE(zones && zones->size() == 7u);
  const bool valid[] = {true, false, false, false, true, false, true};
  for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ((*zones)[k].Valid, valid[k]) << k + 1;
  const TZoneBounds& z5 = (*zones)[4];
  const TZoneBounds& z7 = (*zones)[6];
  EXPECT_EQ(std::tuple(z5.RaStart, z5.RaEnd, z5.DecStart, z5.DecEnd),
            std::tuple(1920, 2400, -9000, -7500));
  EXPECT_EQ(std::tuple(z7.RaStart, z7.RaEnd, z7.DecStart, z7.DecEnd),
            std::tuple(12.5, 24, -15, 15));
}

TEST(ReadNameFile, ReadsColumnsAndSkipsBadLines) {
  ScratchDir dir;
  EXPECT_FALSE(ReadNameFile(dir / "Stjanamn.dta", kStarNameWidth));
  const auto path = dir.Write("Stjanamn.dta",
                              "0645.1 -1643 Sirius\r\n"
                              "0231.8 +8916 Polstj\xE4rnan\r\n"  // Windows-1252 a-umlaut
                              "1836.9 +3847 Vega  not part of it\r\n"
                              "0000.0 +0000 A name far longer than nineteen\r\n"
                              "0645.1 -1643              \r\n"
                              "2400.0 +0000 Hours 24\r\n"
                              "0660.0 +0000 Minutes 60\r\n"
                              "0645.1 x1643 Bad sign\r\n"
                              "0645.1 -9100 Degrees 91\r\n"
                              "0645.1 -16\r\n"
                              "1200.0  1230 Blank sign");
  const auto names = ReadNameFile(path, kStarNameWidth);
  ASSERT_TRUE(names);
  std::vector<std::string> got;
  for (const auto& n : *names) got.push_back(n.Name);
  EXPECT_EQ(got, (std::vector<std::string>{"Sirius", "Polstj\u00e4rnan", "Vega",
                                           "A name far longer t", "Blank sign"}));
  EXPECT_NEAR((*names)[0].RaHours, 6.0 + 45.1 / 60, 1e-12);
  EXPECT_NEAR((*names)[0].DecDegrees, -(16.0 + 43.0 / 60), 1e-12);
  EXPECT_NEAR((*names)[4].DecDegrees, 12.5, 1e-12);
  EXPECT_EQ((*ReadNameFile(path, kObjectNameWidth))[3].Name, "A name far longer than");
}

// The name files in data/ at SIMBAD J2000.0 positions to the files' precision: 0.1 minute of
// right ascension, 1' of declination.
// Objnamn.dta holds no more names than the chart can identify (300).
TEST(NameFilesInData, NameTheBrightStarsAndObjects) {
  for (const auto& [file, width, name, ra, dec, fewest, most] :
       {std::tuple{"Stjanamn.dta", kStarNameWidth, "Sirius", kSiriusRa, kSiriusDec, 500u, 100000u},
        {"Objnamn.dta", kObjectNameWidth, "Andromedagalaxen", RaDeg(0, 42, 44.33),
         DecDeg(1, 41, 16, 7.5), 300u, 300u}}) {
    const auto names = ReadNameFile(DataFolder() / file, width);
    ASSERT_TRUE(names && names->size() >= fewest && names->size() <= most) << file;
    const auto n = std::ranges::find(*names, std::string(name), &TNameEntry::Name);
    ASSERT_NE(n, names->end()) << name;
    EXPECT_NEAR(n->RaHours, ra / 15, 0.051 / 60) << name;
    EXPECT_NEAR(n->DecDegrees, dec, 0.51 / 60) << name;
  }
}

}  // namespace
}  // namespace himlavy
