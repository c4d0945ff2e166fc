// Shared workings of the stand-in companion modules.
//
// A stand-in answers from a text file beside it and journals every call
// beside it, both named after the module's file: QVXAhcp.dll reads
// QVXAhcp.answers and appends to QVXAhcp.journal.
//
// Answers: one "key=value" per line; '#' starts a comment line; in values
// \0 \n \t and \\ stand for NUL, line feed, tab and backslash. A key given
// more than once (such as "device") keeps every value in order. Common keys:
//   <Function>.result   what the function returns (default 0)
// Each module documents its own keys.
//
// Journal: one line per event, fields separated by tabs, with tabs, line
// feeds and backslashes in arguments written as \t, \n and \\:
//   Load | Unload | <Function> <argument>...
// "Initialize" carries how many times this loaded instance has been
// initialised, so a test can tell a fresh load from one left loaded.
#ifndef NODEXA_MODULES_COMMON_STANDIN_H_
#define NODEXA_MODULES_COMMON_STANDIN_H_

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C" __declspec(dllexport)
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace standin {

class Answers {
 public:
  // Reads the answers file of this module (empty when there is none).
  static Answers Load();
  // Only the values of `onlyKey`, for a look-up in a long file.
  static Answers Load(const std::string& onlyKey);

  bool Has(const std::string& key) const;
  // The last value given for `key`, or `fallback`.
  std::string Text(const std::string& key, const std::string& fallback = "") const;
  // As a 32-bit result; values up to 4294967295 wrap like the module's
  // unsigned status codes.
  int32_t Number(const std::string& key, int64_t fallback = 0) const;
  // Every value given for `key`, in order.
  std::vector<std::string> All(const std::string& key) const;
  // Every key and value, in file order.
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries; }

 private:
  std::vector<std::pair<std::string, std::string>> entries;
};

// Appends one event to the journal.
void Journal(const std::string& event, std::initializer_list<std::string> arguments = {});

// The result configured for `function` ("<function>.result", default 0).
int32_t Result(const char* function);

// Takes as long as "<function>.wait" says, in milliseconds (default 0), as
// a module that works on the network would.
void Wait(const char* function);

// How a text is handed out, for modules that misbehave on purpose.
struct Served {
  // False: the text goes out without its NUL and needs only its length.
  bool terminated = true;
  // When set, the size reported with 122 instead of the one really needed.
  bool hasAnnounced = false;
  uint32_t announced = 0;
};

// Serves a text through the buffer convention: when `size` is too small
// (the text and its NUL do not fit), sets *needed and returns 122;
// otherwise copies the text with its NUL and returns `result`.
int32_t ServeText(const std::string& text, char* buffer, uint32_t size, uint32_t* needed,
                  int32_t result, const Served& served = Served());

// Counts Initialize calls of this loaded instance.
int InitializeCount();

}  // namespace standin

#endif  // NODEXA_MODULES_COMMON_STANDIN_H_
