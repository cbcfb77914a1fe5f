// Identification under the cursor: the hit box, the order of the tables, the readout texts of
// the catalog records and the cross-hair coordinates.
//
// The star readout uses Vega (alpha = 3 Lyr, HR 7001, HD 172167) with the values of the Yale
// Bright Star Catalogue, 5th ed. (Hoffleit & Warren 1991): J2000 18h36m56.3s +38d47'01",
// V 0.03, B-V 0.00, A0Va, proper motion +0.201" and +0.287" a year. The cross-hair values come
// from the inverse projection evaluated by hand (Python) from the chart's projection formulas.
#include "skychart/identification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ScratchDir;

const int kBsc = CatalogIndex("bsc");
const int kSky = CatalogIndex("sky");

TBscRecord Star(std::uint32_t hr, std::string_view constellation = "Lyr") {
  TBscRecord r;
  r.HD = 172167;
  r.HR = hr;
  r.RA = 27923458;  // 279.23458 degrees = 18h36m56.3s
  r.Dec = 3878361;  // 38.78361 degrees = +38d47'01"
  r.PmRA = 201;
  r.PmDec = 287;
  r.Mag = 3;
  r.BV = 0;
  r.Constellation = std::string(constellation);
  r.Flamsteed = 3;
  r.Bayer = "Alp ";
  r.SpectralClass = "A0Va                ";
  return r;
}

TObsState AllCatalogs() {
  TObsState s;
  for (auto sw : {&TObsState::CatBSC, &TObsState::CatSKY, &TObsState::CatWDS, &TObsState::CatGCVS,
                  &TObsState::CatNGC, &TObsState::CatPGC, &TObsState::CatSAC, &TObsState::CatRC3,
                  &TObsState::CatGPN, &TObsState::CatLBN, &TObsState::CatOCL, &TObsState::CatGCM}) {
    s.*sw = 1;
  }
  return s;
}

// A "stjabild.dta" line: abbreviation, then the names in columns 5-23 and 25-39.
std::string InfoLine(std::string abbr, std::string first, std::string second) {
  first.resize(19, ' ');
  second.resize(15, ' ');
  return abbr + " " + first + " " + second + "\r\n";
}

// The hit box is x-3 <= ex < x+3 (and the same in y): an entry 3 pixels left of the cursor is
// hit, one 3 pixels right of it is not.
TEST(IdentificationSearch, HitBox) {
  TIdentTables tables;
  tables.RegisterStarName(100, 200, "Vega");
  const struct {
    int x, y;
    bool hit;
  } cases[] = {{100, 200, true},  {103, 200, true}, {97, 200, false}, {100, 203, true},
               {100, 197, false}, {102, 202, true}, {104, 200, false}};
  for (const auto& c : cases) {
    const TReadout r = SearchIdentification(tables, {}, 1, c.x, c.y, {});
    EXPECT_EQ(r.ObjectName == "Vega", c.hit) << c.x << "," << c.y;
  }
}

TEST(IdentificationSearch, OrderClearingAndCapacity) {
  ScratchDir dir;
  TObsState state = AllCatalogs();
  TIdentTables tables;

  // A planet (its second x, the side view) then empty sky: all three empty again.
  TBodyEntry mars;
  mars.X2 = 300;
  mars.Y = 300;
  mars.Line1 = "L=1";
  mars.Line5 = "Magnitud=1.2";
  mars.Right = "Upp  =6h";
  ASSERT_TRUE(tables.RegisterBody(4, mars));
  EXPECT_EQ(SearchIdentification(tables, state, 1, 300, 300, dir.Path()),
            (TReadout{"Mars", "L=1\n\n\n\nMagnitud=1.2", "Upp  =6h"}));
  EXPECT_EQ(SearchIdentification(tables, state, 1, 400, 400, dir.Path()), TReadout{});

  // A minor body over the planet: its name and lines, the right table emptied.
  tables.RegisterMinor(300, 300, "(1) Ceres  1801", {"Magnitud=7.5", "a", "b", "c", "d"});
  EXPECT_EQ(SearchIdentification(tables, state, 1, 300, 300, dir.Path()),
            (TReadout{"(1) Ceres", "Magnitud=7.5\na\nb\nc\nd", ""}));

  // A name label and two "bsc" stars at one pixel: the later star's data, the name kept.
  tables.RegisterStarName(50, 60, "Vega");
  tables.RegisterCatalog(kBsc, 50, 60, Star(1));
  tables.RegisterCatalog(kBsc, 50, 60, Star(7001));
  TReadout r = SearchIdentification(tables, state, 1, 50, 60, dir.Path());
  EXPECT_EQ(r.ObjectName, "Vega");
  EXPECT_NE(r.Left.find("BS 7001"), std::string::npos) << r.Left;

  // A "sky" star there too: searched only with CatSKY and from zoom 8, then it wins.
  TSkyRecord sky;
  sky.SAO = 67174;
  tables.RegisterCatalog(kSky, 50, 60, sky);
  EXPECT_NE(SearchIdentification(tables, state, 4, 50, 60, dir.Path()).Left.find("BS 7001"),
            std::string::npos);
  EXPECT_NE(SearchIdentification(tables, state, 8, 50, 60, dir.Path()).Left.find("SAO 67174"),
            std::string::npos);
  state.CatSKY = 0;
  state.CatBSC = 0;
  r = SearchIdentification(tables, state, 8, 50, 60, dir.Path());
  EXPECT_EQ(r, (TReadout{"Vega", "", ""}));

  // Capacity: the 3001st "bsc" entry is refused and never found.
  state.CatBSC = 1;
  while (tables.CatalogCount(kBsc) < 3000) tables.RegisterCatalog(kBsc, 10, 10, Star(1));
  EXPECT_FALSE(tables.RegisterCatalog(kBsc, 500, 500, Star(2)));
  EXPECT_EQ(SearchIdentification(tables, state, 1, 500, 500, dir.Path()), TReadout{});
  EXPECT_FALSE(tables.RegisterCatalog(kSky, 1, 1, Star(3)));  // the record of another catalog

  // A new picture: nothing left to find, the planet included.
  tables.Clear();
  EXPECT_EQ(SearchIdentification(tables, state, 1, 300, 300, dir.Path()), TReadout{});
  EXPECT_EQ(SearchIdentification(tables, state, 1, 50, 60, dir.Path()), TReadout{});
}

TEST(IdentificationBsc, VegaWithConstellationNames) {
  ScratchDir dir;
  dir.Write("STJABILD.DTA", InfoLine("And", "Andromeda", "Andromeda") +
                                InfoLine("Lyr", "Lyra (old)", "Gamla") +
                                InfoLine("Lyr", "Lyra", "Lyran"));
  bool beeped = false;
  const TCatalogReadout vega = CatalogReadout(Star(7001), dir.Path(), &beeped);
  EXPECT_FALSE(beeped);
  EXPECT_EQ(vega.Left,
            "The Bright Star Catalogue:\nR.A.2000=18h36m56s\nDekl.2000=38°47'1\"\n3 Alp Lyr\n"
            "Lyra\nLyran\nHD 172167\nBS 7001");
  EXPECT_EQ(vega.Right,
            "Magnitud=0.03\nFärgindex=0.00\nSpektralklass=A0Va\n"
            "Egenrörelse,R.A.=        0.201\"/år\nEgenrörelse,dekl.=        0.287\"/år");

  // No HD number and an unknown colour index give empty fields.
  TBscRecord bare = Star(7001);
  bare.HD = 0;
  bare.BV = 9900;
  const TCatalogReadout b = CatalogReadout(bare, dir.Path());
  EXPECT_NE(b.Left.find("\nHD \nBS 7001"), std::string::npos) << b.Left;
  EXPECT_NE(b.Right.find("\nFärgindex=\n"), std::string::npos) << b.Right;

  // Without the file: a beep, an empty names line, the rest shown.
  ScratchDir empty;
  beeped = false;
  TIdentTables tables;
  tables.RegisterCatalog(kBsc, 5, 5, Star(7001));
  const TReadout r = SearchIdentification(tables, AllCatalogs(), 1, 5, 5, empty.Path(), &beeped);
  EXPECT_TRUE(beeped);
  EXPECT_NE(r.Left.find("3 Alp Lyr\n\nHD 172167"), std::string::npos) << r.Left;
}

// Every label of a readout appears, in order, in its pane.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& parts) {
  std::size_t at = 0;
  for (const auto& part : parts) {
    const auto found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << "\"" << part << "\" in\n" << text;
    at = found + part.size();
  }
}

TEST(IdentificationCatalogs, LabelsInOrder) {
  TSkyRecord sky;
  sky.RA = 9000000;  // 90 degrees = 6h
  sky.Dec = -1500000;
  sky.Separation = 250;
  sky.HD = 39801;
  TWdsRecord wds;
  wds.Separation1 = kWdsMissing;
  wds.Separation2 = 250;
  wds.PosAngle2 = 45;
  wds.Year1 = kWdsMissing;
  wds.Discoverer = "STF2272";
  TGcvsRecord gcvs;
  gcvs.Name = "RR Lyr    ";
  gcvs.Period = 0.5f;
  gcvs.MagMax = 706;
  gcvs.MaxFlag = ':';
  TNgcRecord ngc;
  ngc.Number = 6720;
  ngc.Type = " Pl";
  ngc.Size = 25;
  TPgcRecord pgc;
  pgc.PGC = 2557;
  pgc.RadialVelocity = kDeepSkyMissing;
  pgc.PosAngle = 35;
  TSacRecord sac;
  sac.Type = " Gx";
  sac.Mag = 99.0f;
  sac.MajorAxis = 11.5f;
  sac.PosAngle = kNoPositionAngle;
  TRc3Record rc3;
  rc3.LogD25 = 200;  // 10^2 tenths of an arcminute = 10'
  rc3.LogR25 = 30;   // ratio 10^0.3 = 1.995
  rc3.RadialVelocity = 1234;
  TGpnRecord gpn;
  gpn.PNG = "063.1+13.9";
  TLbnRecord lbn;
  lbn.Area = 50;
  TOclRecord ocl;
  ocl.Age = 100;
  ocl.Distance = 133;
  ocl.Concentration = '2';
  TGcmRecord gcm;
  gcm.Distance = 71;
  gcm.LogLuminosity = 500;  // 10^5

  const struct {
    TCatalogRecord record;
    std::vector<std::string> left, right;
  } cases[] = {
      {sky,
       {"SKY2000 - Master Star Catalog:", "R.A.2000=6h0m0s", "Dekl.2000=-15°0'0\"", "HD 39801",
        "SAO \n"},
       {"Separation=2.50\"", "Magn.diff.=\n", "Magnitud=", "Färgindex=", "Spektralklass=",
        "Egenrörelse,R.A.=        0.000\"/år", "Egenrörelse,dekl.=        "}},
      {wds,
       {"The Washington Visual Double Star Catalog:", "R.A.2000=", "Dekl.2000=", "BD ",
        "Id.=STF2272"},
       {"Separation,1=\n", "Separation,2=2.50\"", "Magnitud,1=", "Magnitud,2=", "Spektralklass=",
        "Årtal,1=\n", "Årtal,2=", "Pos.vinkel,1=0°", "Pos.vinkel,2=45°", "Anmärkning="}},
      {gcvs,
       {"Combined General Catalog of Variable Stars:", "R.A.2000=", "Dekl.2000=", "RR Lyr"},
       {"Fotometriksystem=", "Period=12h", "Magnitud,max=7.06:", "Magnitud,min=0.00",
        "Variabeltyp="}},
      {ngc,
       {"NGC 2000.0:", "R.A.2000=", "Dekl.2000=", "NGC 6720"},
       {"Magnitud=", "Diameter=2.5'", "Beskrivning=", "Planetarisk nebulosa"}},
      {pgc,
       {"Catalogue of Principal Galaxies:", "R.A.2000=", "Dekl.2000=", "PGC=2557"},
       {"Typ=", "Storaxel=", "Lillaxel=0.00'", "Magnitud (B)=0.00", "Pos.vinkel st.axel=35°",
        "Radialhast.="}},
      {sac,
       {"Saguaro Astronomy Club Database:", "R.A.2000=", "Dekl.2000=", "Konstellation="},
       {"Pos.-vinkel=\n", "Storaxel=11.5'", "Lillaxel=\n", "Magnitud=\n", "Ljusstyrka=0.00",
        "Klass=", "Beskr.=", "Galax"}},
      {rc3,
       {"Third Reference Cat. of Bright Galaxies:", "R.A.2000=", "Dekl.2000=", "PGC "},
       {"Typ=", "Hubble stadium=", "Ljusfärgsklass=", "Magnitud (B)=", "Pos.vinkel st.axel=",
        "Storaxel=10.00'", "Stor/lillaxel=2.00", "Centr.diam.=", "Färgind.,tot.=",
        "Färgind.,centr.=", "Magnitud 1=", "Magnitud 2=", "Radialhast.=1234km/s"}},
      {gpn,
       {"Strasbourg-ESO Catalogue of Galactic Planetary Nebulae:", "R.A.2000=", "Dekl.2000=",
        "PNG 063.1+13.9", "PK67 "},
       {"Diameter=", "Magn., visuell=", "Magn., HBeta=", "Magn., B=", "Magn., V="}},
      {lbn,
       {"Lynds' Catalogue of Bright Nebulae:", "R.A.2000=", "Dekl.2000=", "LBN ", "Id.="},
       {"Storaxel=\n", "Lillaxel=", "Area=0.50°²", "Ljusstyrka(1-6)=", "Färg(1-4)="}},
      {ocl,
       {"Open Cluster Data 5th Edition:", "R.A.2000=", "Dekl.2000=", "OCL ", "Nummer=", "Sekvens="},
       {"Diameter=", "Avstånd=133pc",
        "Magn., total=", "Magn., ljusstarka=", "Färgindex=", "Antal stjärnor=", "Koncentration=II",
        "Område=", "Rikedom=", "Nebulositet=", "Ålder=100Mår"}},
      {gcm,
       {"Globular Clusters in the Milky Way:", "R.A.2000=", "Dekl.2000="},
       {"Kärnradie=0.00'", "Halvmasseradie=", "Luminositet=100000", "Magnitud=", "Färgindex=",
        "Spektralklass=", "Koncentration=", "Solavstånd=7.1kpc", "Radie="}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.left.front());
    const TCatalogReadout r = CatalogReadout(c.record, {});
    ExpectInOrder(r.Left, c.left);
    ExpectInOrder(r.Right, c.right);
  }
}

TEST(IdentificationCrossHair, Systems) {
  TChartView equatorial;  // system 2, zoom 1, no offsets
  TChartView north0h = equatorial;
  north0h.CentreDir = 1;
  TChartView horizontal = equatorial;
  horizontal.CoordSystem = kHorizontal;
  horizontal.ChartZoom = 4;
  horizontal.PixelScale = 10.8;
  horizontal.OffsetY = -5;
  TChartView polar = equatorial;
  polar.CoordSystem = kEquatorialPolar;
  polar.BaseScale = polar.PixelScale = 3.2;
  TChartView polar2 = polar;
  polar2.ChartZoom = 2;
  polar2.PixelScale = 6.4;
  polar2.OffsetX = 10;
  TChartView south2 = polar2;
  south2.Hemisphere = 1;
  TChartView zenith = polar;
  zenith.CoordSystem = kHorizontalPolar;
  TChartView whole = equatorial;
  whole.CoordSystem = kEclipticWhole;
  whole.BaseScale = whole.PixelScale = 6.4;

  const struct {
    const TChartView* view;
    int x, y;
    std::optional<std::string> text;
  } cases[] = {
      {&equatorial, 508, 332, "11h45m11s / 3°42'13\""},
      {&north0h, 508, 332, "23h45m11s / 3°42'13\""},
      {&horizontal, 400, 300, "350°55'33\" / 2°2'13\""},
      {&south2, 560, 300, "20h34m38s / -77°59'39\""},
      {&polar, 767, 353, "6h3m60s / 0°17'56\""},  // 89.70 degrees from the pole
      {&polar, 769, 358, std::nullopt},           // 90.37 degrees: nothing written
      {&zenith, 470, 400, "169°6'52\" / 73°27'8\""},
      {&zenith, 480, 880, std::nullopt},  // 166.25 degrees from the zenith
      {&whole, 418, 316, "X=10.0000a.e. / Y=5.0000a.e."},
      {&whole, 876, 316, "Z=2.5000a.e."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CrossHairText(*c.view, c.x, c.y), c.text) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace himlavy
