#include "support/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/file_bytes.h"
#include "harness/log_capture.h"
#include "harness/temp_dir.h"

namespace nodexa {
namespace {

using test::kUtf16Mark;
using test::LogCapture;
using test::ReadBinary;
using test::TempDir;
using test::Unit;
using test::Utf16Units;
using test::WriteBinary;
using Lines = std::vector<std::string>;

std::string S(const char* bytes, size_t size) { return std::string(bytes, size); }

struct ReadCase {
  const char* name;
  std::string bytes;
  int32_t requested;  // Unknown: detect
  int32_t expectedEncoding;
  Lines expected;
};

TEST(TextFile, ReadsLinesAsStored) {
  const ReadCase cases[] = {
      {"LastLineWithoutLineFeed", "a\nb", 0, 1, {"a", "b"}},
      {"EmptyLineInTheMiddle", "a\n\nb\n", 0, 1, {"a", "", "b"}},
      {"CrLfAndLfReadTheSame", "a\r\nb\nc\r\n", 0, 1, {"a", "b", "c"}},
      {"LoneCrKeptAndOnlyOneRemoved", "a\rb\nc\r\r\n", 0, 1, {"a\rb", "c\r"}},
      {"CrAloneAfterLastLineFeed", "a\n\r", 0, 1, {"a"}},
      // Only the two bytes FF FE mark UTF-16.
      {"EmptyFile", "", 0, 1, {}},
      {"OneByteOfTheMark", "\xFF", 0, 1, {"\xFF"}},
      {"BigEndianMarkIsNarrow", "\xFE\xFF", 0, 1, {"\xFE\xFF"}},
      {"NulBytesStayInTheLine", S("a\0b\n\0\n", 6), 0, 1, {S("a\0b", 3), S("\0", 1)}},
      {"MarkOnly", kUtf16Mark, 0, 2, {}},
      {"Utf16Lines", kUtf16Mark + Utf16Units("ab\r\n\ncd\nlast"), 0, 2, {"ab", "", "cd", "last"}},
      {"Utf16OddLengthDropsTheLoneByte", kUtf16Mark + Utf16Units("a\nb") + "c", 0, 2, {"a", "b"}},
      // e acute and the euro sign have places in code page 1252; Hiragana A
      // has none and becomes the default character.
      {"Utf16ToAnsiCodePage",
       kUtf16Mark + Unit(0xE9) + Unit(0x20AC) + Unit(0) + Unit(0x3042),
       0,
       2,
       {S("\xE9\x80\0?", 4)}},
      // The unit 0x0A00 is no line feed; only the whole unit 10 is.
      {"Utf16LineFeedIsAWholeUnit", kUtf16Mark + Unit(0x0A00) + Unit('x'), 0, 2, {"?x"}},
      // An explicit encoding wins over detection.
      {"Utf16RequestedSkipsTwoBytesWhateverTheyAre", "XY" + Utf16Units("ok"), 2, 2, {"ok"}},
  };
  TempDir dir;
  const std::string path = dir.File("input.txt");
  LogCapture log;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBinary(path, c.bytes);
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::ReadMode, c.requested));
    EXPECT_EQ(file.Encoding(), c.expectedEncoding);
    Lines lines;
    std::string line = "stale";
    while (file.ReadString(line)) lines.push_back(line);
    EXPECT_EQ(lines, c.expected);
    EXPECT_EQ(line, "") << "the output is cleared even when nothing is left";
    EXPECT_FALSE(file.ReadString(line)) << "at the end it stays at the end";
  }
  EXPECT_TRUE(log.Lines().empty());
}

struct WriteCase {
  const char* name;
  int32_t encoding;
  Lines texts;
  std::string expected;
};

TEST(TextFile, WritesCrLfInTheEncoding) {
  const WriteCase cases[] = {
      {"NarrowLineFeedBecomesCrLf", 1, {"a\nb", "\n"}, "a\r\nb\r\n"},
      {"NarrowCrLfGetsAnotherCr", 1, {"a\r\n"}, "a\r\r\n"},
      {"NarrowEmptyTextWritesNothing", 1, {""}, ""},
      {"Utf16MarkAndUnits", 2, {"a\nb"}, kUtf16Mark + Utf16Units("a\r\nb")},
      {"Utf16FromAnsiCodePage", 2, {"\xE9\x80"}, kUtf16Mark + Unit(0xE9) + Unit(0x20AC)},
      {"Utf16NothingWrittenStillHasMark", 2, {}, kUtf16Mark},
  };
  TempDir dir;
  const std::string path = dir.File("out.txt");
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBinary(path, "old content that must go");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::WriteMode, c.encoding));
    for (const std::string& text : c.texts) EXPECT_EQ(file.WriteString(text), !text.empty());
    file.Close();
    EXPECT_EQ(ReadBinary(path), c.expected);
  }
}

// Appending to an absent file creates it with the mark; to an existing one,
// detected, adds none.
TEST(TextFile, AppendKeepsTheFilesEncoding) {
  TempDir dir;
  const std::string path = dir.File("append.txt");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Utf16));
  EXPECT_TRUE(file.WriteString("one\n"));
  file.Close();
  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Unknown));
  EXPECT_EQ(file.Encoding(), TextFile::Utf16);
  EXPECT_TRUE(file.WriteString("two\n"));
  file.Close();
  EXPECT_EQ(ReadBinary(path), kUtf16Mark + Utf16Units("one\r\ntwo\r\n"));
}

// An absent file or an empty name fails silently; the other failures log.
TEST(TextFile, Failures) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  const std::string absent = dir.File("absent.ini");
  const std::string unreachable = dir.File("no-such-folder") + "\\out.txt";
  WriteBinary(path, "text\n");
  LogCapture log;
  TextFile file;
  EXPECT_EQ(TextFile::DetectEncoding(absent), TextFile::Unknown);
  EXPECT_FALSE(file.Open(absent, TextFile::ReadMode, TextFile::Unknown));
  EXPECT_FALSE(file.Open(absent, TextFile::AppendMode, TextFile::Unknown));
  EXPECT_FALSE(test::FileExists(absent));
  EXPECT_FALSE(file.Open("", TextFile::WriteMode, TextFile::Narrow));
  EXPECT_TRUE(log.Lines().empty());

  EXPECT_FALSE(file.Open(path, 7, TextFile::Unknown));
  EXPECT_FALSE(file.Open(unreachable, TextFile::WriteMode, TextFile::Narrow));
  std::string line;
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, 3));
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_FALSE(file.WriteString("x"));
  EXPECT_EQ(log.Lines(),
            Lines({"TextFile::Open: file " + path + ": attempted to open with an unknown mode: 7",
                   "TextFile::Open: open of " + unreachable + " failed.",
                   "TextFile::ReadString: unsupported encoding type!",
                   "TextFile::WriteString: unsupported encoding type!"}));
}

}  // namespace
}  // namespace nodexa
