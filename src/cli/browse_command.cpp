// himlavy-cli browse CATALOG ZONE: the lines the data-files window shows for one zone file of a
// catalog, under its two heading lines.
//
// Text output: the heading lines, then one line per record. JSON: {"catalog", "zone", "file"
// (relative to the data folder), "records", "heading": [two lines], "lines": [...]}.
#include <iostream>

#include "base/numtext.h"
#include "base/textfile.h"
#include "catalogs/catalog_records.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "datafiles/catalog_lines.h"

namespace himlavy::cli {

int BrowseCommand(Context& context) {
  if (context.Args.size() != 2) throw UsageError("browse KATALOG ZON (t.ex. browse bsc 12)");
  const TCatalogInfo* catalog = FindCatalog(context.Args[0]);
  if (catalog == nullptr) {
    throw UsageError("okänd katalog: '" + ValidUtf8(context.Args[0]) +
                     "' (bsc, sky, wds, gcvs, ngc, rc3, pgc, sac, gpn, lbn, ocl, gcm)");
  }
  const std::optional<long long> zone = ParseInteger(context.Args[1]);
  if (!zone || *zone < 1 || *zone > catalog->Zones) {
    throw UsageError("zonen ska vara 1 ... " + std::to_string(catalog->Zones) + ", inte '" +
                     ValidUtf8(context.Args[1]) + "'");
  }
  const std::string name = ZoneFileName(*catalog, static_cast<int>(*zone));
  const auto lines = CatalogZoneLines(catalog->Key, ResolveDataPath(context.DataDir, name));
  if (!lines) {
    std::cerr << "himlavy-cli: kan inte öppna " << name << " i " << context.DataDir.string()
              << "\n";
    return kExitFailure;
  }
  const std::vector<std::string> heading = CatalogHeading(catalog->Key);
  if (context.Json) {
    std::cout << JsonObject()
                     .Add("catalog", catalog->Key)
                     .Add("zone", static_cast<int>(*zone))
                     .Add("file", name)
                     .Add("records", static_cast<int>(lines->size()))
                     .AddRaw("heading", JsonStrings(heading))
                     .AddRaw("lines", JsonStrings(*lines))
                     .Text()
              << "\n";
    return kExitOk;
  }
  for (const std::string& line : heading) std::cout << line << "\n";
  for (const std::string& line : *lines) std::cout << line << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
