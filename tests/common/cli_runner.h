// Running himlavy-cli from the tests, and reading its output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/data_folder.h"

namespace himlavy::testing {
struct Output {
  int Status = -1;
  std::string Text;  // standard output and standard error together
};
inline Output RunCli(const std::string& arguments) {
  const std::string command = std::string(HIMLAVY_CLI_PATH) + " " + arguments + " 2>&1";
  Output out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.Text.append(buffer, n);
  const int status = pclose(pipe);
  out.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}
// A failure as scripts see it: the status and one line "himlavy-cli: ..." holding `text`.
inline void ExpectErrorLine(const Output& out, int status, const std::string& text = {}) {
  EXPECT_EQ(out.Status, status) << out.Text;
  EXPECT_EQ(std::count(out.Text.begin(), out.Text.end(), '\n'), 1) << out.Text;
  EXPECT_TRUE(out.Text.starts_with("himlavy-cli: ")) << out.Text;
  EXPECT_NE(out.Text.find(text), std::string::npos) << out.Text;
}
// The option that points himlavy-cli at a data folder (the repository's by default).
inline std::string DataOption(const std::filesystem::path& dir = DataFolder()) {
  return "--data " + dir.string() + " ";
}
// The number of a JSON member (its first occurrence).
inline double JsonNumber(const std::string& json, const std::string& key) {
  const std::regex pattern("\"" + key + "\":(-?[0-9.eE+-]+)");
  std::smatch match;
  if (!std::regex_search(json, match, pattern)) {
    ADD_FAILURE() << key << " missing in " << json.substr(0, 300);
    return NAN;
  }
  return std::stod(match[1]);
}
// The JSON object in which `text` (a member, e.g. "\"kind\":\"title\"") first occurs, from its
// opening brace to the matching closing one; texts in the documents hold no braces.
inline std::string JsonObjectWith(const std::string& json, const std::string& text) {
  const std::size_t at = json.find(text);
  if (at == std::string::npos) {
    ADD_FAILURE() << text << " missing in " << json.substr(0, 300);
    return {};
  }
  const std::size_t start = json.rfind('{', at);
  int depth = 0;
  for (std::size_t i = start; i < json.size(); ++i) {
    if (json[i] == '{') ++depth;
    if (json[i] == '}' && --depth == 0) return json.substr(start, i - start + 1);
  }
  return {};
}
// The lines of an output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
}  // namespace himlavy::testing
