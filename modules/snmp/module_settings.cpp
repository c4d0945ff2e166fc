#include "snmp/module_settings.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace nodexa::snmp {
namespace {

constexpr size_t kMaxFileSize = 64 * 1024;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

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

void SetNumber(uint32_t& field, std::string_view text, uint32_t low, uint32_t high) {
  if (const std::optional<uint32_t> value = Number(text, low, high)) field = *value;
}

void Apply(Settings& settings, std::string_view key, std::string_view value) {
  if (SameName(key, "Community")) {
    // A community travels in every request; an empty one no agent accepts.
    if (!value.empty() && value.size() <= 255) settings.community = std::string(value);
  } else if (SameName(key, "Version")) {
    if (value == "1") settings.version = Version::V1;
    if (SameName(value, "2c")) settings.version = Version::V2c;
  } else if (SameName(key, "ReplyWindow")) {
    SetNumber(settings.replyWindowMs, value, 10, 60000);
  } else if (SameName(key, "QuietTime")) {
    SetNumber(settings.quietMs, value, 10, 60000);
  } else if (SameName(key, "Timeout")) {
    SetNumber(settings.timeoutMs, value, 10, 60000);
  } else if (SameName(key, "Retries")) {
    SetNumber(settings.retries, value, 0, 10);
  } else if (SameName(key, "InFlight")) {
    SetNumber(settings.inFlight, value, 1, 4096);
  } else if (SameName(key, "Pace")) {
    SetNumber(settings.paceMicroseconds, value, 0, 1000000);
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
