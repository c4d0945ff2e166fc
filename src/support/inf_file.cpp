#include "inf_file.h"

#include <vector>

#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"

namespace nodexa {

namespace {

constexpr unsigned kListFlags = StringTokenizer::Quoted | StringTokenizer::SkipLeadingBlanks;

// The text before a ';' that is not inside double quotes.
std::string WithoutComment(const std::string& text) {
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == ';' && !quoted) return TrimRight(text.substr(0, i));
  }
  return text;
}

// The items of a comma-separated INF list, quotes and blanks removed.
std::vector<std::string> ListItems(const std::string& text) {
  std::vector<std::string> items = Tokenize(WithoutComment(text), ',', kListFlags);
  for (std::string& item : items) item = Trim(item);
  return items;
}

// Equal without regard to the case of A to Z, over the whole text.
bool SameNoCase(const std::string& a, const std::string& b) {
  const NoCaseLess less;
  return !less(a, b) && !less(b, a);
}

// Most specific first.
std::vector<std::string> PlatformDecorations(const InfPlatform& platform) {
  const char* processor = platform.processor.c_str();
  return {
      Format("NT%s.%d.%d", processor, platform.major, platform.minor),
      Format("NT%s.%d", processor, platform.major),
      Format("NT%s", processor),
      Format("NT.%d.%d", platform.major, platform.minor),
      Format("NT.%d", platform.major),
      "NT",
  };
}

}  // namespace

InfFile::InfFile(const std::string& path) : IniFile(path, false) {}

std::string InfFile::ModelSection(const std::string& manufacturerLine,
                                  const std::vector<std::string>& decorations) const {
  const std::vector<std::string> items = ListItems(manufacturerLine);
  if (items.empty()) return std::string();
  for (const std::string& decoration : decorations) {
    for (size_t i = 1; i < items.size(); ++i) {
      if (SameNoCase(items[i], decoration)) return items[0] + "." + decoration;
    }
  }
  return items[0];
}

std::string InfFile::DecoratedInstallSection(const std::string& installSection,
                                             const InfPlatform& platform) const {
  for (const std::string& decoration : {"NT" + platform.processor, std::string("NT")}) {
    const std::string decorated = installSection + "." + decoration;
    if (findSection(decorated) != nullptr) return decorated;
  }
  return installSection;
}

std::string InfFile::FindModelInstallSection(const std::string& hardwareId,
                                             const InfPlatform& platform) const {
  if (Trim(hardwareId).empty()) return std::string();
  const IniSection* manufacturers = findSection("Manufacturer");
  if (manufacturers == nullptr) return std::string();

  const std::vector<std::string> decorations = PlatformDecorations(platform);
  for (const std::string& manufacturer : manufacturers->Keys()) {
    std::string line;
    manufacturers->GetValue(manufacturer, line);
    // "models-section" alone, without "=", is a line of its own kind.
    if (line.empty()) line = manufacturer;

    const IniSection* models = findSection(ModelSection(line, decorations));
    if (models == nullptr) continue;
    for (const std::string& model : models->Keys()) {
      std::string entry;
      models->GetValue(model, entry);
      const std::vector<std::string> items = ListItems(entry);
      for (size_t i = 1; i < items.size(); ++i) {
        if (SameNoCase(items[i], hardwareId) && !items[0].empty()) {
          return DecoratedInstallSection(items[0], platform);
        }
      }
    }
  }
  return std::string();
}

}  // namespace nodexa
