// The rows of a fixture file of the tests: reference values and expected texts kept as data
// beside the test that reads them.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace himlavy::testing {

// FixtureRows: the rows of tests/<path> (path relative to the tests folder), each split into its
// tab-separated fields; empty lines and lines starting with '#' are skipped. A file that cannot
// be read fails the test and gives no rows.
inline std::vector<std::vector<std::string>> FixtureRows(std::string_view path) {
  const std::string file = std::string(HIMLAVY_SOURCE_ROOT) + "/tests/" + std::string(path);
  std::ifstream in(file);
  EXPECT_TRUE(in) << file << " cannot be read";
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string>& fields = rows.emplace_back();
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
  }
  return rows;
}

}  // namespace himlavy::testing
