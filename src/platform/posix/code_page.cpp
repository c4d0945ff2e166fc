#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <array>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "posix_code_page.h"

namespace {

constexpr UINT kDefaultAnsiCodePage = 1252;
constexpr char16_t kReplacement = 0xFFFD;

UINT ansiCodePage = kDefaultAnsiCodePage;

UINT Resolve(UINT codePage) { return codePage == CP_ACP ? ansiCodePage : codePage; }

bool IsMultiByte(UINT codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
         codePage == CP_UTF8;
}

std::string IconvName(UINT codePage) {
  if (codePage == CP_UTF8) return "UTF-8";
  if (codePage == 20127) return "ASCII";
  if (codePage == 28591) return "ISO-8859-1";
  return "CP" + std::to_string(codePage);
}

struct IconvCloser {
  void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenIconv(const std::string& to, const std::string& from) {
  iconv_t handle = iconv_open(to.c_str(), from.c_str());
  if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(handle);
}

// A single-byte code page as two tables. Bytes the code page leaves undefined
// map to the UTF-16 unit of the same value, as Windows maps the holes of 1252.
struct SingleByteTables {
  std::array<char16_t, 256> toWide{};
  std::vector<int> toNarrow = std::vector<int>(0x10000, -1);
};

const SingleByteTables* TablesFor(UINT codePage) {
  static std::mutex mutex;
  static std::map<UINT, std::unique_ptr<SingleByteTables>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = cache.find(codePage);
  if (found != cache.end()) return found->second.get();
  IconvHandle handle = OpenIconv("UTF-16LE", IconvName(codePage));
  if (!handle) {
    cache.emplace(codePage, nullptr);
    return nullptr;
  }
  auto tables = std::make_unique<SingleByteTables>();
  for (unsigned byte = 0; byte < 256; ++byte) {
    char in = static_cast<char>(byte);
    char16_t out = 0;
    char* inPtr = &in;
    size_t inLeft = 1;
    char* outPtr = reinterpret_cast<char*>(&out);
    size_t outLeft = sizeof out;
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    const bool mapped =
        iconv(handle.get(), &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
        outLeft == 0;
    tables->toWide[byte] = mapped ? out : static_cast<char16_t>(byte);
  }
  // Lower bytes win when two bytes share a unit.
  for (int byte = 255; byte >= 0; --byte) {
    tables->toNarrow[tables->toWide[static_cast<size_t>(byte)]] = byte;
  }
  return cache.emplace(codePage, std::move(tables)).first->second.get();
}

// Converts with iconv, replacing what cannot be converted: one source unit of
// `unitSize` bytes is skipped and `replacement` written in its place.
template <typename Out>
bool ConvertLossy(const std::string& to, const std::string& from, const char* source,
                  size_t sourceBytes, size_t unitSize, Out replacement,
                  std::basic_string<Out>& result, bool& replaced) {
  IconvHandle handle = OpenIconv(to, from);
  if (!handle) return false;
  std::vector<char> out(sourceBytes * 4 + 16);
  char* inPtr = const_cast<char*>(source);
  size_t inLeft = sourceBytes;
  while (inLeft > 0) {
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t status = iconv(handle.get(), &inPtr, &inLeft, &outPtr, &outLeft);
    const size_t produced = out.size() - outLeft;
    result.append(reinterpret_cast<const Out*>(out.data()), produced / sizeof(Out));
    if (status != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or a truncated sequence at the end: replace one unit, go on.
    const size_t skip = inLeft < unitSize ? inLeft : unitSize;
    inPtr += skip;
    inLeft -= skip;
    result.push_back(replacement);
    replaced = true;
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

template <typename Char>
int CopyOut(const std::basic_string<Char>& converted, Char* destination, int destinationSize) {
  const size_t needed = converted.size();
  if (destinationSize == 0) return static_cast<int>(needed);
  if (needed > static_cast<size_t>(destinationSize)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  converted.copy(destination, needed);
  return static_cast<int>(needed);
}

}  // namespace

UINT GetACP() { return ansiCodePage; }

namespace nodexa::platform {
void SetAnsiCodePage(UINT codePage) {
  ansiCodePage = codePage == 0 ? kDefaultAnsiCodePage : codePage;
}
}  // namespace nodexa::platform

int MultiByteToWideChar(UINT codePage, DWORD /*flags*/, LPCSTR source, int sourceLength,
                        LPWSTR destination, int destinationSize) {
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationSize < 0 ||
      (destinationSize > 0 && destination == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t length = sourceLength == -1 ? std::char_traits<char>::length(source) + 1
                                           : static_cast<size_t>(sourceLength);
  const UINT page = Resolve(codePage);
  std::u16string converted;
  if (IsMultiByte(page)) {
    bool replaced = false;
    if (!ConvertLossy<char16_t>("UTF-16LE", IconvName(page), source, length, 1, kReplacement,
                                converted, replaced)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  } else {
    const SingleByteTables* tables = TablesFor(page);
    if (tables == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    converted.reserve(length);
    for (size_t i = 0; i < length; ++i) {
      converted.push_back(tables->toWide[static_cast<unsigned char>(source[i])]);
    }
  }
  return CopyOut(converted, destination, destinationSize);
}

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWSTR source, int sourceLength,
                        LPSTR destination, int destinationSize, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar) {
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationSize < 0 ||
      (destinationSize > 0 && destination == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t length = sourceLength == -1 ? std::char_traits<char16_t>::length(source) + 1
                                           : static_cast<size_t>(sourceLength);
  const UINT page = Resolve(codePage);
  const char fallback = defaultChar != nullptr && *defaultChar != '\0' ? *defaultChar : '?';
  std::string converted;
  bool usedDefault = false;
  if (IsMultiByte(page)) {
    if (!ConvertLossy<char>(IconvName(page), "UTF-16LE", reinterpret_cast<const char*>(source),
                            length * sizeof(char16_t), sizeof(char16_t), fallback, converted,
                            usedDefault)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  } else {
    const SingleByteTables* tables = TablesFor(page);
    if (tables == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    converted.reserve(length);
    for (size_t i = 0; i < length; ++i) {
      const int byte = tables->toNarrow[source[i]];
      if (byte < 0) usedDefault = true;
      converted.push_back(byte < 0 ? fallback : static_cast<char>(byte));
    }
  }
  if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return CopyOut(converted, destination, destinationSize);
}

namespace {

// The text in the ANSI code page, each UTF-16 unit folded to lower case by
// the Unicode tables of the C.UTF-8 locale (A to Z only should it be
// missing).
std::vector<wchar_t> Folded(LPCSTR text) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::vector<WCHAR> wide(static_cast<size_t>(units > 0 ? units : 1), WCHAR(0));
  if (units > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
  std::vector<wchar_t> folded;
  folded.reserve(wide.size());
  for (const WCHAR unit : wide) {
    const auto c = static_cast<wint_t>(unit);
    folded.push_back(
        static_cast<wchar_t>(unicode != nullptr ? towlower_l(c, unicode) : towlower(c)));
  }
  return folded;
}

}  // namespace

int lstrcmpiA(LPCSTR first, LPCSTR second) {
  if (first == nullptr || second == nullptr)
    return first == second ? 0 : (first == nullptr ? -1 : 1);
  const std::vector<wchar_t> a = Folded(first);
  const std::vector<wchar_t> b = Folded(second);
  return a < b ? -1 : (b < a ? 1 : 0);
}
