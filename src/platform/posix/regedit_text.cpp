#include "regedit_text.h"

#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace nodexa::platform {

namespace {

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
// Hex lists are wrapped before this column, as regedit does.
constexpr size_t kLineWidth = 76;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimmedLeft(const std::string& text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

std::string TrimmedRight(std::string text) {
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A run of 1 to `maxDigits` hex digits making up all of `text`.
std::optional<uint32_t> HexNumber(const std::string& text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  uint32_t number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = (number << 4) | static_cast<uint32_t>(digit);
  }
  return number;
}

bool StartsWithNoCase(const std::string& text, size_t at, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (at + i >= text.size()) return false;
    char c = text[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// Nothing but blanks or a ';' comment from `at` on.
bool OnlyTrailer(const std::string& text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at == text.size() || text[at] == ';';
}

// Reads a quoted string starting at text[at] == '"'. On success `at` is just
// past the closing quote.
std::optional<std::string> QuotedString(const std::string& text, size_t& at) {
  std::string result;
  for (size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      at = i + 1;
      return result;
    }
    if (c != '\\' || i + 1 == text.size()) {
      result.push_back(c);
      continue;
    }
    const char next = text[++i];
    switch (next) {
      case '\\':
        result.push_back('\\');
        break;
      case '"':
        result.push_back('"');
        break;
      case 'n':
        result.push_back('\n');
        break;
      case 'r':
        result.push_back('\r');
        break;
      case '0':
        result.push_back('\0');
        break;
      default:
        result.push_back('\\');
        result.push_back(next);
    }
  }
  return std::nullopt;
}

// "ab,c0, 1" with an optional trailing comma; empty text is no bytes.
std::optional<std::vector<uint8_t>> HexBytes(const std::string& text) {
  std::vector<uint8_t> bytes;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(',', start);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    const std::string token = TrimmedRight(TrimmedLeft(text.substr(start, end - start)));
    if (!(last && token.empty())) {
      const std::optional<uint32_t> byte = HexNumber(token, 2);
      if (!byte) return std::nullopt;
      bytes.push_back(static_cast<uint8_t>(*byte));
    }
    start = end + 1;
  }
  return bytes;
}

struct ParsedValue {
  bool remove = false;
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

// The data part of a value line, after the '='.
std::optional<ParsedValue> ValueData(const std::string& text) {
  ParsedValue value;
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at < text.size() && text[at] == '"') {
    std::optional<std::string> string = QuotedString(text, at);
    if (!string || !OnlyTrailer(text, at)) return std::nullopt;
    value.type = kRegSz;
    value.data.assign(string->begin(), string->end());
    value.data.push_back(0);
    return value;
  }
  if (at < text.size() && text[at] == '-') {
    if (!OnlyTrailer(text, at + 1)) return std::nullopt;
    value.remove = true;
    return value;
  }
  if (StartsWithNoCase(text, at, "dword:")) {
    const std::optional<uint32_t> number = HexNumber(TrimmedRight(text.substr(at + 6)), 8);
    if (!number) return std::nullopt;
    value.type = kRegDword;
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<uint8_t>(*number >> shift));
    }
    return value;
  }
  size_t listStart = 0;
  if (StartsWithNoCase(text, at, "hex:")) {
    value.type = kRegBinary;
    listStart = at + 4;
  } else if (StartsWithNoCase(text, at, "hex(")) {
    const size_t close = text.find("):", at + 4);
    if (close == std::string::npos) return std::nullopt;
    const std::optional<uint32_t> type = HexNumber(text.substr(at + 4, close - at - 4), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    listStart = close + 2;
  } else {
    return std::nullopt;
  }
  std::optional<std::vector<uint8_t>> bytes = HexBytes(text.substr(listStart));
  if (!bytes) return std::nullopt;
  value.data = std::move(*bytes);
  return value;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsHeader(const std::string& line) {
  const std::string trimmed = TrimmedRight(line);
  return trimmed == "REGEDIT4" || trimmed == "Windows Registry Editor Version 5.00";
}

std::string Escaped(const std::string& text) {
  std::string result;
  for (char c : text) {
    switch (c) {
      case '\\':
        result += "\\\\";
        break;
      case '"':
        result += "\\\"";
        break;
      case '\n':
        result += "\\n";
        break;
      case '\r':
        result += "\\r";
        break;
      default:
        result.push_back(c);
    }
  }
  return result;
}

std::string HexByte(uint8_t byte) {
  const char* digits = "0123456789abcdef";
  return {digits[byte >> 4], digits[byte & 0xF]};
}

// A REG_SZ that reads back from "..." unchanged: one NUL, at the end.
bool PlainString(const std::vector<uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0) return false;
  }
  return true;
}

void WriteValue(const StoredValue& value, std::string& out) {
  std::string line = value.name.empty() ? "@=" : "\"" + Escaped(value.name) + "\"=";
  if (value.type == kRegSz && PlainString(value.data)) {
    const std::string text(value.data.begin(), value.data.end() - 1);
    out += line + "\"" + Escaped(text) + "\"\n";
    return;
  }
  if (value.type == kRegDword && value.data.size() == 4) {
    std::string digits;
    for (size_t i = 4; i-- > 0;) digits += HexByte(value.data[i]);
    out += line + "dword:" + digits + "\n";
    return;
  }
  if (value.type == kRegBinary) {
    line += "hex:";
  } else {
    std::string type;
    for (uint32_t rest = value.type; rest != 0 || type.empty(); rest >>= 4) {
      type.insert(type.begin(), "0123456789abcdef"[rest & 0xF]);
    }
    line += "hex(" + type + "):";
  }
  for (size_t i = 0; i < value.data.size(); ++i) {
    line += HexByte(value.data[i]);
    if (i + 1 == value.data.size()) break;
    line += ",";
    if (line.size() >= kLineWidth) {
      out += line + "\\\n";
      line = "  ";
    }
  }
  out += line + "\n";
}

void WriteNotes(const std::vector<std::string>& notes, std::string& out) {
  for (const std::string& note : notes) out += note + "\n";
}

// A root's header is implied, so it is written only for what it carries.
void WriteKey(const StoredKey& key, const std::string& fullName, bool root, std::string& out) {
  bool lasting = root ? !key.notes.empty() : !key.isVolatile;
  for (const StoredValue& value : key.values) lasting = lasting || !value.isVolatile;
  if (lasting) {
    // Without notes of its own a header is set apart by one blank line.
    if (key.notes.empty()) out += "\n";
    WriteNotes(key.notes, out);
    out += "[" + fullName + "]\n";
    for (const StoredValue& value : key.values) {
      if (value.isVolatile) continue;
      WriteNotes(value.notes, out);
      WriteValue(value, out);
    }
  }
  for (const StoredKey& subKey : key.subKeys) {
    WriteKey(subKey, fullName + "\\" + subKey.name, false, out);
  }
}

// A comment or blank line as it is kept: without carriage returns at its
// end, which the next reading would take for part of the line end.
std::string Note(std::string line) {
  while (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void MoveNotes(std::vector<std::string>& from, std::vector<std::string>& to) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
  from.clear();
}

}  // namespace

size_t ReadRegeditText(const std::string& text, RegistryStore& store) {
  const std::vector<std::string> lines = Lines(text);
  size_t skipped = 0;
  bool headerAllowed = true;
  std::optional<KeyPath> current;
  // Comment and blank lines wait for the next key or value line that takes
  // effect; the lines of a deletion or a skipped line pass them on.
  std::vector<std::string> notes;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = TrimmedLeft(lines[i]);
    if (line.empty() || line[0] == ';' || line[0] == '#') {
      notes.push_back(Note(lines[i]));
      continue;
    }
    if (std::exchange(headerAllowed, false) && IsHeader(line)) continue;

    if (line[0] == '[') {
      current.reset();
      const size_t close = line.rfind(']');
      KeyPath path;
      const bool remove = line.size() > 1 && line[1] == '-';
      const size_t nameStart = remove ? 2 : 1;
      if (close == std::string::npos || close < nameStart ||
          !RegistryStore::ParseKeyName(line.substr(nameStart, close - nameStart), path)) {
        ++skipped;
        continue;
      }
      if (remove) {
        store.Delete(path);
      } else if (StoredKey* key = store.Create(path)) {
        MoveNotes(notes, key->notes);
        current = path;
      }
      continue;
    }

    if (line[0] != '"' && line[0] != '@') {
      ++skipped;
      continue;
    }
    std::string name;
    size_t at = 1;
    if (line[0] == '"') {
      at = 0;
      std::optional<std::string> quoted = QuotedString(line, at);
      if (!quoted) {
        ++skipped;
        continue;
      }
      name = std::move(*quoted);
    }
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size() || line[at] != '=') {
      ++skipped;
      continue;
    }
    std::string data = TrimmedRight(line.substr(at + 1));
    // A hex list goes on while its line ends in a backslash; the continuation
    // lines belong to this value whatever becomes of it.
    bool cutOff = false;
    if (StartsWithNoCase(TrimmedLeft(data), 0, "hex")) {
      while (!data.empty() && data.back() == '\\') {
        data.pop_back();
        if (i + 1 == lines.size()) {
          cutOff = true;
          break;
        }
        data += TrimmedRight(TrimmedLeft(lines[++i]));
      }
    }
    StoredKey* key = current ? store.Find(*current) : nullptr;
    std::optional<ParsedValue> value;
    if (!cutOff && key != nullptr) value = ValueData(data);
    if (!value) {
      ++skipped;
      continue;
    }
    if (value->remove) {
      key->RemoveValue(name);
    } else {
      MoveNotes(notes, key->SetValue(name, value->type, std::move(value->data)).notes);
    }
  }
  MoveNotes(notes, store.ClosingNotes());
  return skipped;
}

std::string WriteRegeditText(const RegistryStore& store) {
  std::string out = "REGEDIT4\n";
  for (const StoredKey& root : store.Roots()) WriteKey(root, root.name, true, out);
  WriteNotes(store.ClosingNotes(), out);
  return out;
}

}  // namespace nodexa::platform
