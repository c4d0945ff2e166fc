#include "resolver.h"

#include "frame/string_toolkit.h"
#include "ini_file.h"
#include "variables.h"

namespace nodexa {

IniFile& ResolverTable() {
  static IniFile table(false);
  return table;
}

IniFile& ProductDataTable() {
  static IniFile table(false);
  return table;
}

std::string& InstallationLanguage() {
  static std::string language;
  return language;
}

std::string Resolver::Resolve(const std::string& name) {
  static const std::string kGlobalScope = "Global";
  const size_t dot = name.find('.');
  const bool scoped = dot != std::string::npos && dot >= 1;
  const std::string scope = scoped ? name.substr(0, dot) : kGlobalScope;
  const std::string variable = scoped ? name.substr(dot + 1) : name;

  std::string value;
  const IniSection* section = ResolverTable().findSection(scope);
  if (section == nullptr || !section->GetValue(variable, value)) value = "#" + name + "#";
  ReplaceAll(value, "\\n", "\n");
  return ExpandVariables(value);
}

}  // namespace nodexa
