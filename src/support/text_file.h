// Line-oriented text files stored either in the ANSI code page (narrow) or in
// UTF-16 little-endian with a byte-order mark. Every line reaches the rest of
// the library as narrow text; UTF-16 goes through the platform's code-page
// conversion with the ANSI code page.
//
// A TextFile owns at most one open C stream, always in binary mode: reading
// accepts LF with or without a preceding CR, writing turns each LF into
// CR LF. Open on an open object closes the previous stream first; the
// destructor closes it. Failures are results (false), with the log lines
// "TextFile::Open: ...", "TextFile::ReadString: ..." and
// "TextFile::WriteString: ..."; a file that is simply absent when reading with
// detection fails silently. Reading puts no bound on the length of a line.
#ifndef NODEXA_SUPPORT_TEXT_FILE_H_
#define NODEXA_SUPPORT_TEXT_FILE_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "frame/unique_handle.h"

namespace nodexa {

struct CStreamTraits {
  using Type = std::FILE*;
  static Type Invalid() { return nullptr; }
  static void Close(Type stream) { std::fclose(stream); }
};
using UniqueCStream = UniqueHandle<CStreamTraits>;

class TextFile {
 public:
  enum : int32_t { Unknown = 0, Narrow = 1, Utf16 = 2 };
  enum : int32_t { ReadMode = 0, WriteMode = 1, AppendMode = 2 };

  TextFile();
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Utf16 when the file starts with the bytes 0xFF 0xFE, Narrow for any other
  // readable file (also an empty or one-byte one), Unknown when it cannot be
  // opened for reading.
  static int32_t DetectEncoding(const std::string& fileName);

  // Opens `fileName` in `mode` with `encoding` (Unknown: detect it). Append
  // to an absent file writes a new one. A new UTF-16 file gets the byte-order
  // mark; reading skips it. True when the stream is open.
  bool Open(const std::string& fileName, int32_t mode, int32_t encoding);

  // The next line without its LF and without a CR right before it. False at
  // the end of the file when nothing was read, so an empty last line after a
  // final LF ends the reading; an empty line in the middle is "" and true.
  // Read errors end the line like the end of the file.
  bool ReadString(std::string& line);

  // Writes `text` with every LF turned into CR LF, in the file's encoding and
  // without a terminating NUL. True when something was written, so an empty
  // text gives false.
  bool WriteString(const std::string& text);

  void Close();

  // The encoding set by the last Open (also after Close).
  int32_t Encoding() const { return encoding; }

 private:
  // Collect one line's text; true when it ended at a line feed rather than
  // at the end of the file or a read error.
  bool ReadNarrow(std::string& line);
  bool ReadWide(std::string& line);

  int32_t encoding;
  UniqueCStream stream;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_TEXT_FILE_H_
