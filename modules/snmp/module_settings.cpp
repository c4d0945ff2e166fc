#include "snmp/module_settings.h"

#include <cstdio>
#include <optional>

#include "snmp/module_text.h"

namespace nodexa::snmp {
namespace {

constexpr size_t kMaxFileSize = 64 * 1024;

std::optional<uint32_t> Number(std::string_view text, uint32_t low, uint32_t high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

// The numeric settings, each with the range it may take.
struct NumberSetting {
  std::string_view key;
  uint32_t Settings::*field;
  uint32_t low;
  uint32_t high;
};

constexpr NumberSetting kNumbers[] = {
    {"ReplyWindow", &Settings::replyWindowMs, 10, 60000},
    {"QuietTime", &Settings::quietMs, 10, 60000},
    {"Timeout", &Settings::timeoutMs, 10, 60000},
    {"Retries", &Settings::retries, 0, 10},
    {"InFlight", &Settings::inFlight, 1, 4096},
    {"Pace", &Settings::paceMicroseconds, 0, 1000000},
};

void Apply(Settings& settings, std::string_view key, std::string_view value) {
  if (SameName(key, "Community")) {
    // A community travels in every request; an empty one no agent accepts.
    if (!value.empty() && value.size() <= 255) settings.community = std::string(value);
  } else if (SameName(key, "Version")) {
    if (value == "1") settings.version = Version::V1;
    if (SameName(value, "2c")) settings.version = Version::V2c;
  }
  for (const NumberSetting& number : kNumbers) {
    if (!SameName(key, number.key)) continue;
    if (const std::optional<uint32_t> read = Number(value, number.low, number.high)) {
      settings.*number.field = *read;
    }
  }
}

}  // namespace

Settings ParseSettings(std::string_view iniText) {
  Settings settings;
  bool inSection = false;
  while (!iniText.empty()) {
    const size_t end = iniText.find('\n');
    const std::string_view line = Trimmed(iniText.substr(0, end));
    iniText = end == std::string_view::npos ? std::string_view() : iniText.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      inSection = line.back() == ']' && SameName(Trimmed(line.substr(1, line.size() - 2)), "SNMP");
      continue;
    }
    const size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    Apply(settings, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
  }
  return settings;
}

Settings ReadSettings(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return Settings{};
  std::string text(kMaxFileSize + 1, '\0');
  const size_t size = std::fread(text.data(), 1, text.size(), file);
  std::fclose(file);
  if (size > kMaxFileSize) return Settings{};
  text.resize(size);
  return ParseSettings(text);
}

}  // namespace nodexa::snmp
