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

// The whole file, read at once when its size is known; "" when it cannot be
// opened.
std::string ReadWhole(const char* path) {
  std::string text;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return text;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0) text.reserve(static_cast<size_t>(size));
    std::rewind(file);
  }
  char chunk[1 << 14];
  for (size_t read; (read = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    text.append(chunk, read);
  std::fclose(file);
  return text;
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
  // times would run out of them.
  const std::string text = ReadWhole((SelfBase() + ".answers").c_str());
  // Lines are looked at in place: long device lists are read on every call,
  // and only the entries kept are copied.
  const std::string_view all(text);
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals);
    if (!onlyKey.empty() && key != onlyKey) continue;
    std::string value(line.substr(equals + 1));
    // Most values hold no escape.
    if (value.find('\\') != std::string::npos) value = Unescape(value);
    answers.entries.emplace_back(std::string(key), std::move(value));
  }
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
