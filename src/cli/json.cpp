#include "cli/json.h"

#include <cstdio>

namespace frondel::cli {
namespace {

// The length of the UTF-8 sequence at `at`, or 0 when it is not a valid one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xf0 && lead <= 0xf4 ? 4
                             : lead >= 0xe0               ? 3
                             : lead >= 0xc2               ? 2
                                                          : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xc0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points past U+10FFFF.
  const unsigned char second = byte(at + 1);
  if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second >= 0xa0) ||
      (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second >= 0x90)) {
    return 0;
  }
  return length;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) {
      json += "\\ufffd";
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      json += escaped;
    } else {
      json.append(text.substr(i, length));
    }
    i += length;
  }
  return json + "\"";
}

JsonObject& JsonObject::Field(std::string_view key, std::string_view json) {
  if (!fields_.empty()) fields_ += ", ";
  fields_ += JsonString(key) + ": ";
  fields_ += json;
  return *this;
}

JsonObject& JsonObject::String(std::string_view key, std::string_view text) {
  return Field(key, JsonString(text));
}
JsonObject& JsonObject::Number(std::string_view key, std::int64_t number) {
  return Field(key, std::to_string(number));
}
JsonObject& JsonObject::Decimal(std::string_view key, std::uint64_t units, int places) {
  std::uint64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  if (places <= 0) return Field(key, std::to_string(units));
  std::string fraction = std::to_string(units % scale);
  while (fraction.size() < static_cast<std::size_t>(places)) fraction.insert(fraction.begin(), '0');
  return Field(key, std::to_string(units / scale) + "." + fraction);
}
JsonObject& JsonObject::Bool(std::string_view key, bool value) {
  return Field(key, value ? "true" : "false");
}
JsonObject& JsonObject::Null(std::string_view key) { return Field(key, "null"); }
JsonObject& JsonObject::Object(std::string_view key, const JsonObject& object) {
  return Field(key, object.Text());
}

std::string JsonArray(const std::vector<JsonObject>& objects) {
  if (objects.empty()) return "[]\n";
  std::string json = "[\n";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    json += "  " + objects[i].Text() + (i + 1 < objects.size() ? ",\n" : "\n");
  }
  return json + "]\n";
}

}  // namespace frondel::cli
