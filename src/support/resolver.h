// Names to values for %NAME% references, and the process-wide tables behind
// them.
//
// A name is "scope.variable" or just "variable" (scope "Global"); it is
// looked up in the resolver table, whose sections are scopes. A name that is
// not there resolves to "#name#". Values may hold "\n" (a backslash and an
// n) for a line feed and further references, which are expanded.
#ifndef NODEXA_SUPPORT_RESOLVER_H_
#define NODEXA_SUPPORT_RESOLVER_H_

#include <string>

namespace nodexa {

class IniFile;

class Resolver {
 public:
  Resolver() = default;
  virtual ~Resolver() = default;
  Resolver(const Resolver&) = default;
  Resolver& operator=(const Resolver&) = default;

  // The base resolver answers from the resolver table (Resolve below).
  virtual std::string resolve(const std::string& name) const { return Resolve(name); }

  static std::string Resolve(const std::string& name);
};

// The resolver table: empty when the library is loaded; nothing in the
// library adds to it, so lookups miss unless a host program fills it.
IniFile& ResolverTable();
// The product-data table used when a caller names none; empty likewise.
IniFile& ProductDataTable();
// The installation language ("" unless a host program sets it).
std::string& InstallationLanguage();

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_RESOLVER_H_
