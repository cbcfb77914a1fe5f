// Running himlavy-cli from the tests, and reading numbers from its JSON output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
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
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.Text.append(buffer, n);
  const int status = pclose(pipe);
  out.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

// The number of a JSON member (the documents are flat objects).
inline double JsonNumber(const std::string& json, const std::string& key) {
  const std::regex pattern("\"" + key + "\":(-?[0-9.eE+-]+)");
  std::smatch match;
  if (!std::regex_search(json, match, pattern)) {
    ADD_FAILURE() << key << " missing in " << json;
    return NAN;
  }
  return std::stod(match[1]);
}

// The option that points himlavy-cli at the repository's data folder, with a blank after it.
inline std::string DataOption() {
  return "--data " + DataFolder().string() + " ";
}

// The lines of an output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace himlavy::testing
