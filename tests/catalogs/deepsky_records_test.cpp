// Deep-sky catalog records, the value the limit test reads, the type texts, damaged records and
// the zone files in data/.
//
// The record tests decode real records, copied byte for byte from the program's data files
// (the comment above each names the file), and compare them with published values: SIMBAD's
// ICRS J2000.0 positions, the RC3 (de Vaucouleurs et al. 1991), OpenNGC (Verga, v20210306),
// Harris (1996), the Strasbourg-ESO and Perek-Kohoutek designations, and the Pleiades'
// distance of Melis et al. (2014). Where the data files' sources differ from the reference the
// tolerance and the comment say so. The fallbacks that data/SOURCES.md documents (Lynds'
// classes, Harris' radii) are checked as documented.
#include "catalogs/deepsky_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "common/sky_positions.h"

namespace himlavy {
namespace {

using namespace testing;

// SIMBAD ICRS J2000.0 positions.
const double kM31Ra = RaDeg(0, 42, 44.330), kM31Dec = DecDeg(1, 41, 16, 7.50);
const double kM42Ra = RaDeg(5, 35, 17.3), kM42Dec = DecDeg(-1, 5, 23, 28.0);

// RC3 values of M 31 (NGC 224): log D25 = 3.28 (D25 = 190.5'), log R25 = 0.49 (minor axis
// 61.7'), PA 35 degrees, T = 3.0 (.SAS3..), B_T = 4.36, V_T = 3.44, (B-V)_T = 0.92,
// heliocentric velocity -300 km/s.
constexpr double kM31D25 = 190.5, kM31Minor = 61.7;

// ngc2000/06.dat
constexpr std::string_view kM31Ngc =
    "b74d10009bf83e00e00020204778002054016307416e64416e64726f6d65646167616c6178656e2c204d2033"
    "312c205341287329622c2050474320323535372c205547432034353420000000";
// sac2000/06.dat
constexpr std::string_view kM31Sac =
    "90f42a41331325429a995940f6e154419a193d43cccc764223074e4743203232342020202020202020202004"
    "4d20333120202020202020202020202020200320477803416e6435416e64726f6d65646167616c6178656e2c"
    "20416e64726f6d6564612047616c6178792c2050474320323535372c20554743203435342020202020202020"
    "2020202020202020202020202020202020202020202020202020202020202020202020202020202020202020"
    "20202020202020202020202020202006534128732962202020200000";

TEST(NgcRecord, DecodesM31AndAnUnknownObject) {
  // M 31: V 3.4 (NGC 2000.0; OpenNGC 3.44); size: the RC3's D25 (the file follows the D25 to
  // 1.4', NGC 2000.0 has 178' from older plates).
  const auto r = DecodeNgcRecord(Hex(kM31Ngc) + "garbage");
  ASSERT_TRUE(r);
  EXPECT_EQ(std::tuple(r->Number, r->IsIC(), r->Type, r->Constellation, r->MagFlag),
            std::tuple(224, false, " Gx", "And", ' '));
  EXPECT_LT(StoredOffsetArcsec(r->RA, r->Dec, kM31Ra, kM31Dec), 1.0);
  EXPECT_NEAR(ChartMagnitude(*r), 3.4, 0.051);
  EXPECT_NEAR(r->Size / 10.0, kM31D25, 2.0);
  EXPECT_EQ(r->Description.size(), 50u);
  EXPECT_NE(r->Description.find("M 31"), std::string::npos) << r->Description;
  // IC 67 (ngc2000/26.dat): OpenNGC lists it as not an object; magnitude and size unknown.
  const auto ic67 = DecodeNgcRecord(
      Hex("1e0017007d74f5ff43004920203f0020ac26000043657446696e6e7320656a20656c6c657220647562626c65"
          "747420284f70656e4e4743292020202020202020202020202020202020000000"));
  ASSERT_TRUE(ic67);
  EXPECT_EQ(std::tuple(ic67->IsIC(), ic67->Number, ic67->Type, ic67->Mag, ic67->Size),
            std::tuple(true, 67, "  ?", kUnknownMagnitude, 0));
  EXPECT_EQ(ChartMagnitude(*ic67), 99.0);
}

TEST(GalaxyRecords, DecodeM31AsTheRc3GivesIt) {
  // rc32000/06.dat
  const auto rc3 = DecodeRc3Record(
      Hex("b74d10009bf83e00d4feffff32353537202020204e4743203232342020202020202053412873296220231e00"
          "fad848013100fad8b4016000fad85401fad80000"));
  ASSERT_TRUE(rc3);
  EXPECT_LT(StoredOffsetArcsec(rc3->RA, rc3->Dec, kM31Ra, kM31Dec), 1.0);
  EXPECT_EQ(std::tuple(rc3->PGC, FieldText(rc3->Name), FieldText(rc3->Type), rc3->PosAngle,
                       rc3->HubbleStage),
            std::tuple("2557    ", "NGC 224", "SA(s)b", 35, 30));
  EXPECT_NEAR(Hundredths(rc3->LogD25), 3.28, 0.005);
  EXPECT_NEAR(ChartMagnitude(*rc3), 4.36, 0.005);
  // pgc2000/06.dat
  const auto pgc = DecodePgcRecord(Hex(
      "fd090000b74d10009bf83e00d4feffff4e474320323234202020202020202020534128732300de491a18b401"));
  ASSERT_TRUE(pgc);
  EXPECT_EQ(std::tuple(pgc->PGC, FieldText(pgc->Name), pgc->Type, pgc->PosAngle),
            std::tuple(2557u, "NGC 224", "SA(s", 35));
  EXPECT_LT(StoredOffsetArcsec(pgc->RA, pgc->Dec, kM31Ra, kM31Dec), 1.0);
  EXPECT_NEAR(Hundredths(pgc->MinorAxis), kM31Minor, 1.0);
  EXPECT_NEAR(ChartMagnitude(*pgc), 4.36, 0.005);
  const auto sac = DecodeSacRecord(Hex(kM31Sac));
  ASSERT_TRUE(sac);
  EXPECT_LT(SeparationArcsec(sac->RA, sac->Dec, kM31Ra, kM31Dec), 1.0);
  EXPECT_NEAR(ChartMagnitude(*sac), 3.44, 0.05);
  EXPECT_NEAR(sac->MajorAxis, kM31D25, 2.0);
  EXPECT_EQ(std::tuple(sac->PosAngle, sac->Name, sac->Other, sac->Type, sac->Constellation,
                       sac->Class, sac->Description.substr(0, 16)),
            std::tuple(35, "NGC 224", "M 31", " Gx", "And", "SA(s)b", "Andromedagalaxen"));
}

TEST(NebulaAndClusterRecords, DecodeAsPublished) {
  // M 57 from gpn2000/12.dat: PN G 063.1+13.9 (Acker et al. 1992), PK 063+13.1, OpenNGC V 8.8,
  // B 9.7; SIMBAD 18h53m35.079s +33d01m45.03s.
  const auto gpn = DecodeGpnRecord(
      Hex("a06db00106663200e8087003fad8ca03700320200020203036332e312b31332e393036332b31332e31204e47"
          "432036373230202020202000"));
  ASSERT_TRUE(gpn);
  EXPECT_LT(StoredOffsetArcsec(gpn->RA, gpn->Dec, RaDeg(18, 53, 35.079), DecDeg(1, 33, 1, 45.03)),
            1.0);
  EXPECT_EQ(std::tuple(gpn->PNG, gpn->PK, FieldText(gpn->Name), gpn->MagHBeta),
            std::tuple("063.1+13.9", "063+13.1 ", "NGC 6720", kDeepSkyMissing));
  EXPECT_NEAR(ChartMagnitude(*gpn), 8.8, 0.005);
  // M 42 = LBN 974 from lbn2000/28.dat: 90' x 60' (OpenNGC), area pi/4 1.5 x 1.0 square
  // degrees = 1.18; Lynds' classes are in no source: colour 0, brightness 6 (data/SOURCES.md).
  const auto lbn =
      DecodeLbnRecord(Hex("02e77f001ac6f7ffce03000000005a003c00760000064d203432202020200000"));
  ASSERT_TRUE(lbn);
  EXPECT_LT(StoredOffsetArcsec(lbn->RA, lbn->Dec, kM42Ra, kM42Dec), 1.0);
  EXPECT_EQ(std::tuple(lbn->LBN, lbn->MajorSize, lbn->MinorSize, lbn->Area, FieldText(lbn->Id),
                       lbn->Colour, ChartMagnitude(*lbn)),
            std::tuple(974u, 90, 60, 118, "M 42", 0, 6.0));
  // M 45 = Cr 42 from ocl2000/15.dat: 3h47.0m +24d07' (SEDS; Lynga 1987), 110' across, Trumpler
  // class I3rn, 136.2 +- 1.2 pc (Melis et al. 2014), total magnitude 1.2 (Lynga) to 1.6 (SEDS).
  const auto ocl =
      DecodeOclRecord(Hex("f8975600b4cc240000002a0087004c048800fad8fad87800fad8fad83133726e"));
  ASSERT_TRUE(ocl);
  EXPECT_LT(StoredOffsetArcsec(ocl->RA, ocl->Dec, RaDeg(3, 47, 0), DecDeg(1, 24, 7, 0)), 30.0);
  EXPECT_EQ(std::tuple(ocl->Number, ocl->Diameter, ocl->Concentration, ocl->Nebulosity),
            std::tuple(42, 1100, '1', 'n'));
  EXPECT_NEAR(ocl->Distance, 136.2, 1.2);
  EXPECT_LT(ChartMagnitude(*ocl), 2.0);
  // M 13 from gcm2000/01.dat: Harris (1996) R_Sun 7.7 kpc, V_t 5.78, Shapley-Sawyer class V;
  // SIMBAD 16h41m41.634s +36d27m40.75s.
  const auto gcm = DecodeGcmRecord(
      Hex("ac1d7e01b4a237004d004402fad8fad8fad8fad8e8034e474320363230352020202020202020202020205620"
          "20200000"));
  ASSERT_TRUE(gcm);
  EXPECT_LT(StoredOffsetArcsec(gcm->RA, gcm->Dec, RaDeg(16, 41, 41.634), DecDeg(1, 36, 27, 40.75)),
            1.0);
  EXPECT_EQ(std::tuple(gcm->Name, gcm->Concentration, gcm->CoreRadius),
            std::tuple("NGC 6205 ", "V   ", kDeepSkyMissing));
  EXPECT_NEAR(gcm->Distance / 10.0, 7.7, 0.05);
  EXPECT_NEAR(ChartMagnitude(*gcm), 5.78, 0.03);
}

TEST(TypeText, FollowsTheCodeTable) {
  const std::string_view blanks = "                    ";
  const struct {
    std::string_view code, ngc, sac;
  } cases[] = {
      {" Gx", "Galax", "Galax"},
      {"Gcl", "", "Galaxhop"},
      {" OC", "\u00d6ppen stj\u00e4rnhop", "\u00d6ppen stj\u00e4rnhop"},
      {" Gb", "Klotformig stj\u00e4rnhop", "Klotformig stj\u00e4rnhop"},
      {" Nb", "Emissions-/reflektionsnebulosa", "Emiss.-/refl.nebulosa"},
      {"Drk", "", "M\u00f6rk nebulosa"},
      {" Pl", "Planetarisk nebulosa", "Planetarisk nebulosa"},
      {"C+N", "Stj\u00e4rnhop med nebulositet", "Stj\u00e4rnhop m. nebulos."},
      {"Ast", "Asterism", "Asterism"},
      {" Kt", "Nebulosa i yttre galax", blanks},
      {"***", "Trippelstj\u00e4rna", "Trippelstj\u00e4rna"},
      {" D*", "Dubbelstj\u00e4rna", "Dubbelstj\u00e4rna"},
      {"  *", "Enkelstj\u00e4rna", "Enkelstj\u00e4rna"},
      {"  ?", "Os\u00e4ker typ/finns inte", blanks},
      {"   ", "Oidentifierad/typ ok\u00e4nd", blanks},
      {"  -", "Finns inte enligt RNGC", blanks},
      {" PD", "Felaktighet i fotopl\u00e5t", blanks},
      {"Gx", "", blanks},  // codes are compared as stored
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NgcTypeText(c.code), c.ngc) << "[" << c.code << "]";
    EXPECT_EQ(SacTypeText(c.code), c.sac) << "[" << c.code << "]";
  }
}

template <auto Decode>
bool Decodes(std::string_view bytes) {
  return Decode(bytes).has_value();
}

// Every decoder of the twelve catalogs refuses a buffer shorter than its record.
TEST(DecodeRecord, RefusesShortBuffers) {
  const std::pair<std::size_t, bool (*)(std::string_view)> decoders[] = {
      {kBscRecordBytes, Decodes<DecodeBscRecord>}, {kSkyRecordBytes, Decodes<DecodeSkyRecord>},
      {kWdsRecordBytes, Decodes<DecodeWdsRecord>}, {kGcvsRecordBytes, Decodes<DecodeGcvsRecord>},
      {kNgcRecordBytes, Decodes<DecodeNgcRecord>}, {kRc3RecordBytes, Decodes<DecodeRc3Record>},
      {kPgcRecordBytes, Decodes<DecodePgcRecord>}, {kSacRecordBytes, Decodes<DecodeSacRecord>},
      {kGpnRecordBytes, Decodes<DecodeGpnRecord>}, {kLbnRecordBytes, Decodes<DecodeLbnRecord>},
      {kOclRecordBytes, Decodes<DecodeOclRecord>}, {kGcmRecordBytes, Decodes<DecodeGcmRecord>},
  };
  const std::string full(kSacRecordBytes, ' ');
  for (const auto& [bytes, decodes] : decoders) {
    EXPECT_FALSE(decodes(std::string_view(full.data(), bytes - 1))) << bytes;
    EXPECT_TRUE(decodes(std::string_view(full.data(), bytes))) << bytes;
  }
}

// Damaged "sac" records: every length byte says 255, so each text keeps its field's room,
// never more, and nothing past byte 201 is read; a right ascension that is not a number is
// skipped.
TEST(SacRecord, DamagedRecords) {
  std::string b = Hex(kM31Sac);
  for (std::size_t at : {25, 43, 62, 66, 70, 191}) b[at] = static_cast<char>(0xFF);
  b[202] = 'X';
  const auto r = DecodeSacRecord(b);
  ASSERT_TRUE(r);
  EXPECT_EQ(std::tuple(r->Name.size(), r->Other.size(), r->Type.size(), r->Constellation.size(),
                       r->Description.size(), r->Class.size(), r->Class.find('X')),
            std::tuple(17u, 18u, 3u, 3u, 120u, 10u, std::string::npos));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(IsSacOnSky(360.0f, 90.0f) && IsSacOnSky(0.0f, -90.0f));
  EXPECT_FALSE(IsSacOnSky(-0.001f, 0.0f) || IsSacOnSky(10.0f, 90.01f) || IsSacOnSky(nan, 0.0f));
  std::memcpy(b.data(), &nan, 4);  // the test machine is little-endian, as the file
  ScratchDir dir;
  const auto records = ReadSacZone(dir.Write("02.dat", b + Hex(kM31Sac)));
  ASSERT_TRUE(records && records->size() == 1u);
}

// Every record of the catalogs in data/ lies in the zone of the file it is in, as "fil50.dta"
// defines the zones ([start, end); declination +90 in the top band).
template <typename R>
std::pair<double, double> Degrees(const R& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec)};
}
std::pair<double, double> Degrees(const TSacRecord& r) {
  return {r.RA, r.Dec};
}

template <typename Read>
std::size_t CountInZones(std::string_view key, Read read) {
  static const auto zones = ReadZoneDefinitions(DataFolder() / "fil50.dta");
  std::size_t count = 0;
  for (int zone = 1; zone <= 50; ++zone) {
    const auto records = read(DataFolder() / ZoneFileName(*FindCatalog(key), zone));
    EXPECT_TRUE(records) << key << " " << zone;
    if (!records) continue;
    const TZoneBounds& z = (*zones)[zone - 1];
    for (const auto& r : *records) {
      const double ra = Degrees(r).first / 15.0 * 100.0, dec = Degrees(r).second * 100.0;
      EXPECT_TRUE(ra >= z.RaStart && ra < z.RaEnd && dec >= z.DecStart &&
                  (dec < z.DecEnd || (dec == 9000 && z.DecEnd == 9000)))
          << key << " " << zone;
    }
    count += records->size();
  }
  return count;
}

// The counts their sources promise: BSC5 9110 entries, 14 of them novae and other non-stars;
// every NGC number (1-7840) and IC number (1-5386) once; the RC3 23 011 galaxies, the PGC
// 73 197, Lynds 1 125 nebulae, Lynga 1 151 clusters, Harris 157 globular clusters.
TEST(CatalogsInData, HoldTheirSourcesInTheirZones) {
  const std::size_t bsc = CountInZones("bsc", ReadBscZone);
  EXPECT_TRUE(bsc >= 9000u && bsc <= 9110u) << bsc;
  EXPECT_EQ(CountInZones("ngc", ReadNgcZone), 7840u + 5386u);
  EXPECT_GT(CountInZones("wds", ReadWdsZone), 20000u);
  EXPECT_GT(CountInZones("gcvs", ReadGcvsZone), 6000u);
  EXPECT_GT(CountInZones("rc3", ReadRc3Zone), 20000u);
  EXPECT_GT(CountInZones("pgc", ReadPgcZone), 70000u);
  EXPECT_GT(CountInZones("sac", ReadSacZone), 10000u);
  EXPECT_GT(CountInZones("gpn", ReadGpnZone), 1143u);
  EXPECT_GT(CountInZones("lbn", ReadLbnZone), 1100u);
  EXPECT_GT(CountInZones("ocl", ReadOclZone), 1100u);
  const auto gcm = ReadGcmZone(DataFolder() / "gcm2000/01.dat");
  ASSERT_TRUE(gcm);
  EXPECT_TRUE(gcm->size() > 100u && gcm->size() <= 170u) << gcm->size();
}

}  // namespace
}  // namespace himlavy
