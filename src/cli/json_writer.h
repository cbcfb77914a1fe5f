// A small writer for the JSON documents of himlavy-cli.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace himlavy {

// A JSON string literal, quotes included, with the required escapes; always valid UTF-8
// (ValidUtf8 of the text).
std::string JsonString(std::string_view text);

// A JSON number: the shortest text that reads back as the same double; null for NaN/inf.
std::string JsonNumber(double value);

// Builds one JSON object, member by member, in insertion order.
class JsonObject {
 public:
  JsonObject& Add(std::string_view key, double value);
  JsonObject& Add(std::string_view key, int value);
  JsonObject& Add(std::string_view key, std::string_view value);
  JsonObject& Add(std::string_view key, const char* value) {
    return Add(key, std::string_view(value));
  }
  JsonObject& AddRaw(std::string_view key, std::string_view json);
  std::string Text() const { return "{" + body_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string body_;
};

// Builds one JSON array, element by element, in insertion order.
class JsonArray {
 public:
  JsonArray& AddRaw(std::string_view json);
  JsonArray& Add(const JsonObject& object) { return AddRaw(object.Text()); }
  JsonArray& Add(std::string_view text) { return AddRaw(JsonString(text)); }
  JsonArray& Add(double value) { return AddRaw(JsonNumber(value)); }
  std::string Text() const { return "[" + body_ + "]"; }

 private:
  std::string body_;
};

// A JSON array of strings.
std::string JsonStrings(std::span<const std::string> texts);

}  // namespace himlavy
