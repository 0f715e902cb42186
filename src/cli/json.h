#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace frondel::cli {

// A JSON string of UTF-8 text, quoted and escaped; bytes that are not UTF-8 (a file name on
// Linux may hold any) become U+FFFD, so the output is always valid JSON.
std::string JsonString(std::string_view text);

// One JSON object, its keys in the order they are added.
class JsonObject {
 public:
  JsonObject& String(std::string_view key, std::string_view text);
  JsonObject& Number(std::string_view key, std::int64_t number);
  // `units` in 10^-`places`, written as a decimal number: (3750, 4) is 0.3750.
  JsonObject& Decimal(std::string_view key, std::uint64_t units, int places);
  JsonObject& Bool(std::string_view key, bool value);
  JsonObject& Null(std::string_view key);
  JsonObject& Object(std::string_view key, const JsonObject& object);
  std::string Text() const { return "{" + fields_ + "}"; }

 private:
  JsonObject& Field(std::string_view key, std::string_view json);
  std::string fields_;
};

// A JSON array of objects, one a line, with a final newline.
std::string JsonArray(const std::vector<JsonObject>& objects);

}  // namespace frondel::cli
