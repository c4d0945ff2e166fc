#include "text_file.h"

#include "frame/debug_log.h"
#include "frame/string_toolkit.h"
#include "frame/wide_text.h"
#include "platform/win32_api.h"

namespace nodexa {

namespace {

constexpr int kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr unsigned char kByteOrderMark[2] = {0xFF, 0xFE};

}  // namespace

TextFile::TextFile() : encoding(Unknown) {}

TextFile::~TextFile() { Close(); }

void TextFile::Close() { stream.reset(); }

int32_t TextFile::DetectEncoding(const std::string& fileName) {
  UniqueCStream file(platform::OpenFile(fileName.c_str(), "rb"));
  if (!file) return Unknown;
  unsigned char head[2] = {0, 0};
  const size_t got = std::fread(head, 1, sizeof head, file.get());
  if (got == sizeof head && head[0] == kByteOrderMark[0] && head[1] == kByteOrderMark[1]) {
    return Utf16;
  }
  return Narrow;
}

bool TextFile::Open(const std::string& fileName, int32_t mode, int32_t fileEncoding) {
  if (fileName.empty()) return false;
  Close();

  encoding = fileEncoding != Unknown ? fileEncoding : DetectEncoding(fileName);
  // Appending to a file that is not there yet writes a new one, with the
  // byte-order mark a new UTF-16 file needs.
  if (mode == AppendMode && GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) {
    mode = WriteMode;
  }
  // Detection fails for an absent file; readers treat that as an empty file.
  if (encoding == Unknown) return false;

  const char* streamMode = nullptr;
  switch (mode) {
    case ReadMode:
      streamMode = "rb";
      break;
    case WriteMode:
      streamMode = "wb";
      break;
    case AppendMode:
      streamMode = "ab";
      break;
    default:
      GetDebugLog() << "TextFile::Open: file " << fileName
                    << ": attempted to open with an unknown mode: " << mode << std::endl;
      return false;
  }

  stream.reset(platform::OpenFile(fileName.c_str(), streamMode));
  if (!stream) {
    GetDebugLog() << "TextFile::Open: open of " << fileName << " failed." << std::endl;
    return false;
  }

  if (encoding == Utf16) {
    if (mode == ReadMode) {
      // Whatever the first two bytes are, they are not text.
      std::fseek(stream.get(), static_cast<long>(sizeof kByteOrderMark), SEEK_SET);
    } else if (mode == WriteMode) {
      std::fwrite(kByteOrderMark, 1, sizeof kByteOrderMark, stream.get());
    }
  }
  return true;
}

bool TextFile::ReadNarrow(std::string& line) {
  std::FILE* file = stream.get();
  for (;;) {
    const int c = std::getc(file);
    if (c == EOF) return false;
    if (c == kLineFeed) return true;
    line.push_back(static_cast<char>(c));
  }
}

bool TextFile::ReadWide(std::string& line) {
  std::FILE* file = stream.get();
  WideString units;
  bool lineFeedSeen = false;
  for (;;) {
    const int low = std::getc(file);
    if (low == EOF) break;
    // A lone last byte of an odd-sized file is no unit; it ends the text.
    const int high = std::getc(file);
    if (high == EOF) break;
    const auto unit =
        static_cast<WCHAR>(static_cast<unsigned>(low) | (static_cast<unsigned>(high) << 8));
    if (unit == kLineFeed) {
      lineFeedSeen = true;
      break;
    }
    units.push_back(unit);
  }
  line = ToNarrow(units, CP_ACP);
  return lineFeedSeen;
}

bool TextFile::ReadString(std::string& line) {
  line.clear();
  if (encoding != Narrow && encoding != Utf16) {
    GetDebugLog() << "TextFile::ReadString: unsupported encoding type!" << std::endl;
    return false;
  }
  if (!stream) return false;

  const bool lineFeedSeen = encoding == Narrow ? ReadNarrow(line) : ReadWide(line);
  if (!line.empty() && line.back() == kCarriageReturn) line.pop_back();
  return !line.empty() || lineFeedSeen;
}

bool TextFile::WriteString(const std::string& text) {
  if (encoding != Narrow && encoding != Utf16) {
    GetDebugLog() << "TextFile::WriteString: unsupported encoding type!" << std::endl;
    return false;
  }
  if (!stream) return false;

  std::string lines = text;
  ReplaceAll(lines, "\n", "\r\n");
  if (encoding == Narrow) {
    return std::fwrite(lines.data(), 1, lines.size(), stream.get()) > 0;
  }

  // Little-endian units whatever the host's byte order.
  const WideString units = ToWide(lines, CP_ACP);
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const WCHAR unit : units) {
    const auto value = static_cast<unsigned>(unit);
    bytes.push_back(static_cast<char>(value & 0xFFu));
    bytes.push_back(static_cast<char>(value >> 8));
  }
  return std::fwrite(bytes.data(), 1, bytes.size(), stream.get()) > 0;
}

}  // namespace nodexa
