#include "standin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <time.h>
#endif

namespace standin {

namespace {

// This module's own file, without its ".dll".
std::string SelfBase() {
  std::string path;
#if defined(_WIN32)
  HMODULE self = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&SelfBase), &self)) {
    char buffer[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameA(self, buffer, sizeof buffer);
    path.assign(buffer, length);
  }
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&SelfBase), &info) != 0 && info.dli_fname != nullptr) {
    path = info.dli_fname;
  }
#endif
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case '0':
        out += '\0';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      default:
        out += next;
        break;
    }
  }
  return out;
}

std::string Escape(const std::string& value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

// Calls `visit` with each line of the file at `path`, without its line
// feed. The file is read in pieces, so a long one never sits in memory
// whole; only a line that straddles two pieces is copied.
template <typename Visit>
void ForEachLine(const char* path, Visit&& visit) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return;
  std::string straddling;
  char chunk[1 << 14];
  for (size_t read; (read = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    const std::string_view piece(chunk, read);
    size_t start = 0;
    for (size_t end; (end = piece.find('\n', start)) != std::string_view::npos; start = end + 1) {
      if (straddling.empty()) {
        visit(piece.substr(start, end - start));
      } else {
        straddling.append(piece.substr(start, end - start));
        visit(std::string_view(straddling));
        straddling.clear();
      }
    }
    straddling.append(piece.substr(start));
  }
  std::fclose(file);
  if (!straddling.empty()) visit(std::string_view(straddling));
}

int initializeCount = 0;

// Journals the module's own loading and unloading.
struct LoadJournal {
  LoadJournal() { Journal("Load"); }
  ~LoadJournal() { Journal("Unload"); }
} loadJournal;

}  // namespace

Answers Answers::Load() { return Load(std::string()); }

Answers Answers::Load(const std::string& onlyKey) {
  Answers answers;
  // C stdio rather than iostreams: on Windows the stream machinery would take
  // a thread-local slot of the statically linked runtime on every load, one
  // the module never gives back, and a process loading the module a thousand
  // times would run out of them. Long device lists are read on every call:
  // only the entries kept are copied.
  ForEachLine((SelfBase() + ".answers").c_str(), [&](std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') return;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = line.substr(0, equals);
    if (!onlyKey.empty() && key != onlyKey) return;
    std::string value(line.substr(equals + 1));
    // Most values hold no escape.
    if (value.find('\\') != std::string::npos) value = Unescape(value);
    answers.entries.emplace_back(std::string(key), std::move(value));
  });
  return answers;
}

bool Answers::Has(const std::string& key) const {
  for (const auto& entry : entries) {
    if (entry.first == key) return true;
  }
  return false;
}

std::string Answers::Text(const std::string& key, const std::string& fallback) const {
  std::string value = fallback;
  for (const auto& entry : entries) {
    if (entry.first == key) value = entry.second;
  }
  return value;
}

int32_t Answers::Number(const std::string& key, int64_t fallback) const {
  const std::string text = Text(key);
  const int64_t value = text.empty() ? fallback : std::strtoll(text.c_str(), nullptr, 0);
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::vector<std::string> Answers::All(const std::string& key) const {
  std::vector<std::string> values;
  for (const auto& entry : entries) {
    if (entry.first == key) values.push_back(entry.second);
  }
  return values;
}

void Journal(const std::string& event, std::initializer_list<std::string> arguments) {
  std::string line = event;
  for (const std::string& argument : arguments) line += "\t" + Escape(argument);
  line += "\n";
  if (std::FILE* file = std::fopen((SelfBase() + ".journal").c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  }
}

int32_t Result(const char* function) {
  const std::string key = std::string(function) + ".result";
  return Answers::Load(key).Number(key);
}

void Wait(const char* function) {
  const std::string key = std::string(function) + ".wait";
  const int32_t milliseconds = Answers::Load(key).Number(key);
  if (milliseconds <= 0) return;
#if defined(_WIN32)
  Sleep(static_cast<DWORD>(milliseconds));
#else
  const timespec pause{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
#endif
}

int32_t ServeText(const std::string& text, char* buffer, uint32_t size, uint32_t* needed,
                  int32_t result, const Served& served) {
  const auto wanted = static_cast<uint32_t>(text.size() + (served.terminated ? 1 : 0));
  if (size < wanted || buffer == nullptr) {
    if (needed != nullptr) *needed = served.hasAnnounced ? served.announced : wanted;
    return 122;
  }
  std::memcpy(buffer, text.c_str(), wanted);
  if (needed != nullptr) *needed = wanted;
  return result;
}

int InitializeCount() { return ++initializeCount; }

}  // namespace standin
