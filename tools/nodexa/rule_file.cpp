#include "rule_file.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace nodexa::cli {

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string IniValue(const std::string& iniText, const std::string& section,
                     const std::string& key) {
  std::istringstream in(iniText);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      inSection =
          close != std::string::npos && EqualNoCase(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    const size_t equals = line.find('=');
    if (inSection && equals != std::string::npos &&
        EqualNoCase(Trim(line.substr(0, equals)), key)) {
      return Trim(line.substr(equals + 1));
    }
  }
  return std::string();
}

std::vector<std::string> OutputRuleNames(const std::string& ruleText) {
  std::vector<std::string> names;
  int depth = 0;
  bool inOutput = false;
  for (size_t open = ruleText.find('<'); open != std::string::npos;
       open = ruleText.find('<', open + 1)) {
    const size_t close = ruleText.find('>', open);
    if (close == std::string::npos) break;
    const std::string tag = ruleText.substr(open + 1, close - open - 1);
    if (!tag.empty() && tag.front() == '/') {
      if (--depth == 0) inOutput = false;
      if (depth < 0) depth = 0;
      continue;
    }
    const bool empty = !tag.empty() && tag.back() == '/';
    const std::string name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
    if (depth == 0) {
      inOutput = EqualNoCase(name, "Output");
    } else if (depth == 1 && inOutput) {
      names.push_back(name);
    }
    if (!empty)
      ++depth;
    else if (depth == 0)
      inOutput = false;
  }
  return names;
}

std::vector<std::string> RuleSetOutputNames(const std::string& path, const std::string& key) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return OutputRuleNames(IniValue(text, "NetworkInstallData", key));
}

}  // namespace nodexa::cli
