#include "support/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/temp_dir.h"
#include "support/case_name.h"
#include "support/file_bytes.h"
#include "support/log_capture.h"

namespace nodexa {
namespace {

using test::FileExists;
using test::Garbage;
using test::kUtf16Mark;
using test::LogCapture;
using test::ReadBinary;
using test::TempDir;
using test::Unit;
using test::Utf16Units;
using test::WriteBinary;
using Lines = std::vector<std::string>;

// Every line ReadString hands out until it answers false.
Lines ReadAll(TextFile& file) {
  Lines lines;
  std::string line = "stale";
  while (file.ReadString(line)) lines.push_back(line);
  EXPECT_EQ(line, "") << "the output is cleared even when nothing is left";
  return lines;
}

std::string S(const char* bytes, size_t size) { return std::string(bytes, size); }

struct ReadCase {
  const char* name;
  std::string bytes;
  int32_t requested;  // Unknown: detect
  int32_t expectedEncoding;
  Lines expected;
};

class TextFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextFileRead, LinesAsStored) {
  const ReadCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("input.txt");
  WriteBinary(path, c.bytes);

  LogCapture log;
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, c.requested));
  EXPECT_EQ(file.Encoding(), c.expectedEncoding);
  EXPECT_EQ(ReadAll(file), c.expected);
  // At the end it stays at the end.
  std::string line;
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_TRUE(log.Lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileRead,
    ::testing::Values(
        ReadCase{"LastLineWithoutLineFeed", "a\nb", 0, 1, {"a", "b"}},
        ReadCase{"FinalLineFeedEndsReading", "a\nb\n", 0, 1, {"a", "b"}},
        ReadCase{"EmptyLineInTheMiddle", "a\n\nb\n", 0, 1, {"a", "", "b"}},
        ReadCase{"OnlyALineFeed", "\n", 0, 1, {""}},
        ReadCase{"CrLfAndLfReadTheSame", "a\r\nb\nc\r\n", 0, 1, {"a", "b", "c"}},
        ReadCase{"LoneCrInsideIsKept", "a\rb\nc\r\rd\n", 0, 1, {"a\rb", "c\r\rd"}},
        ReadCase{"OnlyOneCrIsRemoved", "a\r\r\n", 0, 1, {"a\r"}},
        ReadCase{"CrAtTheEndOfTheFile", "a\nb\r", 0, 1, {"a", "b"}},
        ReadCase{"CrAloneAfterLastLineFeed", "a\n\r", 0, 1, {"a"}},
        ReadCase{"EmptyFile", "", 0, 1, {}}, ReadCase{"OneByte", "x", 0, 1, {"x"}},
        ReadCase{"OneByteOfTheMark", "\xFF", 0, 1, {"\xFF"}},
        ReadCase{"BigEndianMarkIsNarrow",
                 "\xFE\xFF"
                 "a",
                 0,
                 1,
                 {"\xFE\xFF"
                  "a"}},
        ReadCase{"NulBytesStayInTheLine", S("a\0b\n\0\n", 6), 0, 1, {S("a\0b", 3), S("\0", 1)}},
        ReadCase{"MarkOnly", kUtf16Mark, 0, 2, {}},
        ReadCase{
            "Utf16Lines", kUtf16Mark + Utf16Units("ab\r\ncd\nlast"), 0, 2, {"ab", "cd", "last"}},
        ReadCase{"Utf16LoneCrKept", kUtf16Mark + Utf16Units("a\rb\r\n"), 0, 2, {"a\rb"}},
        ReadCase{"Utf16EmptyMiddleLine", kUtf16Mark + Utf16Units("a\n\nb\n"), 0, 2, {"a", "", "b"}},
        ReadCase{"Utf16OddLengthDropsTheLoneByte",
                 kUtf16Mark + Utf16Units("a\nb") + "c",
                 0,
                 2,
                 {"a", "b"}},
        ReadCase{"Utf16OddLengthAfterLineFeed", kUtf16Mark + Utf16Units("\n") + "x", 0, 2, {""}},
        ReadCase{"Utf16MarkAndOneByte", kUtf16Mark + "z", 0, 2, {}},
        // e acute and the euro sign have places in code page 1252; Hiragana A
        // has none and becomes the default character.
        ReadCase{"Utf16ToAnsiCodePage",
                 kUtf16Mark + Unit(0xE9) + Unit(0x20AC) + Unit(0x3042),
                 0,
                 2,
                 {"\xE9\x80?"}},
        ReadCase{"Utf16NulUnitKept", kUtf16Mark + Utf16Units(S("a\0b", 3)), 0, 2, {S("a\0b", 3)}},
        // The unit 0x0A00 is no line feed; only the whole unit 10 is.
        ReadCase{"Utf16LineFeedIsAWholeUnit", kUtf16Mark + Unit(0x0A00) + Unit('x'), 0, 2, {"?x"}},
        // An explicit encoding wins over detection.
        ReadCase{"NarrowRequestedOnMarkedFile",
                 kUtf16Mark + "a",
                 1,
                 1,
                 {"\xFF\xFE"
                  "a"}},
        ReadCase{
            "Utf16RequestedSkipsTwoBytesWhateverTheyAre", "XY" + Utf16Units("ok"), 2, 2, {"ok"}}),
    test::CaseName());

struct DetectCase {
  const char* name;
  bool create;
  std::string bytes;
  int32_t expected;
};

class TextFileDetect : public ::testing::TestWithParam<DetectCase> {};

TEST_P(TextFileDetect, ByTheFirstTwoBytes) {
  const DetectCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("probe.txt");
  if (c.create) WriteBinary(path, c.bytes);
  EXPECT_EQ(TextFile::DetectEncoding(path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileDetect,
    ::testing::Values(DetectCase{"Absent", false, "", 0}, DetectCase{"Empty", true, "", 1},
                      DetectCase{"OneByte", true, "\xFF", 1},
                      DetectCase{"Mark", true, kUtf16Mark, 2},
                      DetectCase{"MarkAndText", true, kUtf16Mark + Utf16Units("a"), 2},
                      DetectCase{"BigEndianMark", true, "\xFE\xFF", 1},
                      DetectCase{"Text", true, "[A]\n", 1}),
    test::CaseName());

TEST(TextFile, AbsentFileFailsSilentlyWithDetection) {
  TempDir dir;
  LogCapture log;
  TextFile file;
  EXPECT_FALSE(file.Open(dir.File("absent.ini"), TextFile::ReadMode, TextFile::Unknown));
  EXPECT_EQ(file.Encoding(), TextFile::Unknown);
  // Append with detection on an absent file cannot know the encoding either.
  EXPECT_FALSE(file.Open(dir.File("absent.ini"), TextFile::AppendMode, TextFile::Unknown));
  EXPECT_FALSE(FileExists(dir.File("absent.ini")));
  EXPECT_TRUE(log.Lines().empty());
}

TEST(TextFile, EmptyNameFailsAndKeepsTheEncoding) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  WriteBinary(path, "line\n");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Utf16));
  EXPECT_FALSE(file.Open("", TextFile::ReadMode, TextFile::Narrow));
  EXPECT_EQ(file.Encoding(), TextFile::Utf16);
}

TEST(TextFile, UnknownModeIsLogged) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  WriteBinary(path, "x");
  LogCapture log;
  TextFile file;
  EXPECT_FALSE(file.Open(path, 7, TextFile::Unknown));
  EXPECT_FALSE(file.Open(path, -1, TextFile::Narrow));
  EXPECT_EQ(
      log.Lines(),
      Lines({"TextFile::Open: file " + path + ": attempted to open with an unknown mode: 7",
             "TextFile::Open: file " + path + ": attempted to open with an unknown mode: -1"}));
  std::string line;
  EXPECT_FALSE(file.ReadString(line));
}

TEST(TextFile, UnknownModeOnAbsentFileFailsSilently) {
  TempDir dir;
  LogCapture log;
  TextFile file;
  // Detection fails before the mode is looked at.
  EXPECT_FALSE(file.Open(dir.File("absent.txt"), 5, TextFile::Unknown));
  EXPECT_TRUE(log.Lines().empty());
}

TEST(TextFile, OpenFailureIsLogged) {
  TempDir dir;
  const std::string path = dir.File("no-such-folder") + "\\out.txt";
  LogCapture log;
  TextFile file;
  EXPECT_FALSE(file.Open(path, TextFile::WriteMode, TextFile::Narrow));
  EXPECT_EQ(log.Lines(), Lines({"TextFile::Open: open of " + path + " failed."}));
  EXPECT_FALSE(file.WriteString("x"));
}

TEST(TextFile, WindowsStylePathsOpen) {
  TempDir dir;
  // The library builds paths with backslashes; both systems must open them.
  const std::string path = dir.Path().string() + "\\back.txt";
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::WriteMode, TextFile::Narrow));
  EXPECT_TRUE(file.WriteString("one\n"));
  file.Close();
  EXPECT_EQ(ReadBinary((dir.Path() / "back.txt").string()), "one\r\n");
  EXPECT_EQ(TextFile::DetectEncoding(path), TextFile::Narrow);
  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Unknown));
  EXPECT_TRUE(file.WriteString("two"));
  file.Close();
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Unknown));
  EXPECT_EQ(ReadAll(file), Lines({"one", "two"}));
}

struct WriteCase {
  const char* name;
  int32_t encoding;
  Lines texts;
  std::string expected;
};

class TextFileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(TextFileWrite, StoresCrLfInTheEncoding) {
  const WriteCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("out.txt");
  WriteBinary(path, "old content that must go");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::WriteMode, c.encoding));
  for (const std::string& text : c.texts) EXPECT_TRUE(file.WriteString(text)) << text;
  file.Close();
  EXPECT_EQ(ReadBinary(path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileWrite,
    ::testing::Values(
        WriteCase{"NarrowLineFeedBecomesCrLf", 1, {"a\nb"}, "a\r\nb"},
        WriteCase{"NarrowSeveralWrites", 1, {"[A]\n", "k=v\n", "\n"}, "[A]\r\nk=v\r\n\r\n"},
        WriteCase{"NarrowCrLfGetsAnotherCr", 1, {"a\r\n"}, "a\r\r\n"},
        WriteCase{"NarrowKeepsNul", 1, {S("a\0b", 3)}, S("a\0b", 3)},
        WriteCase{"Utf16MarkAndUnits", 2, {"a\nb"}, kUtf16Mark + Utf16Units("a\r\nb")},
        WriteCase{"Utf16FromAnsiCodePage", 2, {"\xE9\x80"}, kUtf16Mark + Unit(0xE9) + Unit(0x20AC)},
        WriteCase{"Utf16NothingWrittenStillHasMark", 2, {}, kUtf16Mark}),
    test::CaseName());

TEST(TextFile, EmptyTextWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("out.txt");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::WriteMode, TextFile::Narrow));
  EXPECT_FALSE(file.WriteString(""));
  file.Close();
  EXPECT_EQ(ReadBinary(path), "");
}

TEST(TextFile, AppendToAbsentUtf16FileCreatesTheMarkAndToExistingAddsNone) {
  TempDir dir;
  const std::string path = dir.File("append.txt");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Utf16));
  EXPECT_TRUE(file.WriteString("one\n"));
  file.Close();
  EXPECT_EQ(ReadBinary(path), kUtf16Mark + Utf16Units("one\r\n"));

  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Unknown));
  EXPECT_EQ(file.Encoding(), TextFile::Utf16);
  EXPECT_TRUE(file.WriteString("two\n"));
  file.Close();
  EXPECT_EQ(ReadBinary(path), kUtf16Mark + Utf16Units("one\r\ntwo\r\n"));
}

TEST(TextFile, AppendToNarrowFileKeepsItsContent) {
  TempDir dir;
  const std::string path = dir.File("append.txt");
  WriteBinary(path, "first\r\n");
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::AppendMode, TextFile::Unknown));
  EXPECT_TRUE(file.WriteString("second"));
  file.Close();
  EXPECT_EQ(ReadBinary(path), "first\r\nsecond");
}

TEST(TextFile, UnsupportedEncodingIsLoggedOnReadAndWrite) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  WriteBinary(path, "text\n");
  LogCapture log;
  TextFile file;
  std::string line = "stale";
  // Never opened: the encoding is still unknown.
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, 3));
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_FALSE(file.WriteString("x"));
  EXPECT_EQ(log.Lines(), Lines({"TextFile::ReadString: unsupported encoding type!",
                                "TextFile::ReadString: unsupported encoding type!",
                                "TextFile::WriteString: unsupported encoding type!"}));
}

TEST(TextFile, ReopeningClosesThePreviousStream) {
  TempDir dir;
  const std::string first = dir.File("first.txt");
  const std::string second = dir.File("second.txt");
  WriteBinary(first, "1a\n1b\n");
  WriteBinary(second, kUtf16Mark + Utf16Units("2a\n"));
  TextFile file;
  ASSERT_TRUE(file.Open(first, TextFile::ReadMode, TextFile::Unknown));
  std::string line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "1a");
  ASSERT_TRUE(file.Open(second, TextFile::ReadMode, TextFile::Unknown));
  EXPECT_EQ(file.Encoding(), TextFile::Utf16);
  EXPECT_EQ(ReadAll(file), Lines({"2a"}));
  file.Close();
  EXPECT_EQ(file.Encoding(), TextFile::Utf16) << "the encoding outlives the stream";
  EXPECT_FALSE(file.ReadString(line));
}

TEST(TextFile, WriteThenReadRoundTripsInBothEncodings) {
  const Lines lines = {"[Section]", "key=caf\xE9", "", "  blanks kept  ", "a\rb"};
  for (const int32_t encoding : {TextFile::Narrow, TextFile::Utf16}) {
    TempDir dir;
    const std::string path = dir.File("round.txt");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::WriteMode, encoding));
    for (const std::string& line : lines) ASSERT_TRUE(file.WriteString(line + "\n"));
    file.Close();
    ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Unknown));
    EXPECT_EQ(file.Encoding(), encoding);
    EXPECT_EQ(ReadAll(file), lines) << "encoding " << encoding;
  }
}

TEST(TextFile, OneMegabyteLineInBothEncodings) {
  const std::string longLine(1 << 20, 'x');
  TempDir dir;
  const std::string narrow = dir.File("narrow.txt");
  const std::string wide = dir.File("wide.txt");
  WriteBinary(narrow, longLine + "\r\nend");
  WriteBinary(wide, kUtf16Mark + Utf16Units(longLine + "\r\nend"));
  for (const std::string& path : {narrow, wide}) {
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Unknown));
    const Lines lines = ReadAll(file);
    ASSERT_EQ(lines.size(), 2u) << path;
    EXPECT_TRUE(lines[0] == longLine) << path << ": length " << lines[0].size();
    EXPECT_EQ(lines[1], "end");
  }
}

// Lines in `data` as the reader must split it: at every line feed, plus a
// last one when text follows the final line feed.
size_t ExpectedLineCount(const std::string& data) {
  const auto feeds = static_cast<size_t>(std::count(data.begin(), data.end(), '\n'));
  const size_t tail =
      data.size() - (data.rfind('\n') == std::string::npos ? 0 : data.rfind('\n') + 1);
  const bool tailIsText = tail > 1 || (tail == 1 && data.back() != '\r');
  return feeds + (tailIsText ? 1 : 0);
}

TEST(TextFile, BinaryGarbageReadsToTheEndWithEveryLineFeedCounted) {
  TempDir dir;
  const std::string path = dir.File("garbage.bin");
  for (const uint32_t seed : {1u, 2u, 3u}) {
    std::string data = Garbage(64 * 1024 + seed, seed);
    // Keep detection narrow: a garbage mark would change the encoding.
    if (data[0] == '\xFF') data[0] = 'g';
    WriteBinary(path, data);
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Unknown));
    ASSERT_EQ(file.Encoding(), TextFile::Narrow);
    const Lines lines = ReadAll(file);
    EXPECT_EQ(lines.size(), ExpectedLineCount(data)) << "seed " << seed;
    size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size();
    EXPECT_LE(bytes, data.size());
  }
}

TEST(TextFile, Utf16GarbageOfOddLengthEndsCleanly) {
  TempDir dir;
  const std::string path = dir.File("garbage16.bin");
  // Lone surrogates, NUL units, unmappable characters, and a last odd byte.
  const std::string units = Garbage(32 * 1024 + 1, 7);
  WriteBinary(path, kUtf16Mark + units);
  size_t feeds = 0;
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    if (units[i] == '\n' && units[i + 1] == '\0') ++feeds;
  }
  TextFile file;
  ASSERT_TRUE(file.Open(path, TextFile::ReadMode, TextFile::Unknown));
  const Lines lines = ReadAll(file);
  // Every line feed ends a line; the text after the last one may add one.
  EXPECT_GE(lines.size(), feeds);
  EXPECT_LE(lines.size(), feeds + 1);
}

}  // namespace
}  // namespace nodexa
