// The catalog zone files as text: one line per record, the fields of the record in columns
// under two heading lines (captions and units). The "bsc" line has fixed widths: HD number 6,
// BS (HR) number 5, right ascension as hours-minutes-seconds 10, declination as degrees-
// minutes-seconds 11, visual magnitude 6, B-V 6, Flamsteed number 4, Bayer letter 5,
// constellation 4, the two proper motions in arcseconds per year 7 each (all right-aligned),
// and the spectral class left-aligned in 21. The other catalogs follow the same rules with
// their own columns; a text column there is left-aligned after one blank.
//
// Numbers are written in the shortest plain decimal form (GeneralText, a point as separator;
// values stored as 32-bit floats to 7 significant digits, "sac" magnitudes to 0.01 and sizes
// to 4 significant digits). A value the record marks as none
// or unknown (a number 0, a magnitude of 99.00, the deep-sky -99.90, the "wds" -999, a
// position angle of 255) is an empty field.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/catalog_records.h"

namespace himlavy {

// CatalogHeading: the two heading lines of a catalog's browse lines (UTF-8), as wide as its
// lines; empty for an unknown key.
std::vector<std::string> CatalogHeading(std::string_view key);

// BscLine: the browse line of one "bsc" record (UTF-8, 92 characters).
std::string BscLine(const TBscRecord& record);

// CatalogZoneLines: the browse lines of every record of a zone file, in file order (records
// whose position is not on the sky are left out, as the readers leave them out).
//   key      the catalog ("bsc", ...)
//   path     the zone file
//   returns  the lines, or std::nullopt when the key is unknown or the file cannot be opened
std::optional<std::vector<std::string>> CatalogZoneLines(std::string_view key,
                                                         const std::filesystem::path& path);

// ZoneFileNames: the zone files of a catalog that exist in the data folder, the names that
// match "*.dat" in its directory (without regard to case), sorted.
//   dataDir  the data folder
//   catalog  the catalog
//   returns  the file names without the directory ("01.dat", ...); empty when none
std::vector<std::string> ZoneFileNames(const std::filesystem::path& dataDir,
                                       const TCatalogInfo& catalog);

}  // namespace himlavy
