#include "support/ini_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/string_toolkit.h"
#include "harness/temp_dir.h"
#include "support/case_name.h"
#include "support/file_bytes.h"
#include "support/log_capture.h"
#include "support/text_file.h"

namespace nodexa {
namespace {

using test::Garbage;
using test::kUtf16Mark;
using test::LogCapture;
using test::ReadBinary;
using test::TempDir;
using test::Utf16Units;
using test::WriteBinary;
using Lines = std::vector<std::string>;

// The whole content, one entry per line: "[Section]" then "key=value" for
// each key in order, as the lookups answer them.
Lines Dump(const IniFile& ini) {
  Lines lines;
  for (const auto& section : ini.Sections()) {
    lines.push_back("[" + section->Name() + "]");
    for (const std::string& key : section->Keys()) {
      lines.push_back(key + "=" + ini.GetValue(section->Name(), key));
    }
  }
  return lines;
}

// Log lines with the file name written as <file>.
Lines LogWithoutFileName(const LogCapture& log, const std::string& fileName) {
  Lines lines = log.Lines();
  for (std::string& line : lines) ReplaceAll(line, fileName, "<file>");
  return lines;
}

std::string S(const char* bytes, size_t size) { return std::string(bytes, size); }

struct ReadCase {
  const char* name;
  std::string text;
  bool autoNumber;
  Lines expected;
  Lines log;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, Lines) {
  const ReadCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("product.ini");
  WriteBinary(path, c.text);
  LogCapture log;
  IniFile ini(path, c.autoNumber);
  EXPECT_EQ(Dump(ini), c.expected);
  EXPECT_EQ(LogWithoutFileName(log, path), c.log);
  EXPECT_EQ(ini.Encoding(), TextFile::Narrow);
}

TEST_P(IniRead, Utf16TwinReadsTheSame) {
  const ReadCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("product16.ini");
  WriteBinary(path, kUtf16Mark + Utf16Units(c.text));
  LogCapture log;
  IniFile ini(path, c.autoNumber);
  EXPECT_EQ(Dump(ini), c.expected);
  EXPECT_EQ(LogWithoutFileName(log, path), c.log);
  EXPECT_EQ(ini.Encoding(), TextFile::Utf16);
}

const char kEmptySection[] = "IniFile::Read <file> [line %d]: Empty section";
const char kNoSection[] =
    "IniFile::Read <file> [line %d]: Data found that does not belong to any section";
const char kNoParse[] = "IniFile::Read <file> [line %d]: Could not parse name=value line";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{
            "KeysAndValuesTrimmed", "[A]\nx=1\n  y  =  2  \n", false, {"[A]", "x=1", "y=2"}, {}},
        ReadCase{"CrLfLines", "[A]\r\nx=1\r\n", false, {"[A]", "x=1"}, {}},
        ReadCase{"AllCLocaleBlanksTrimmed", "\t[A]\v\n\f k \t=\r v\t\n", false, {"[A]", "k=v"}, {}},
        ReadCase{"BlanksInsideHeader", "[  Name Two  ]\nk=v\n", false, {"[Name Two]", "k=v"}, {}},
        ReadCase{"EmptySectionKeepsTheCurrentOne",
                 "[A]\nk=1\n[ ]\nm=2\n[]\nn=3\n",
                 false,
                 {"[A]", "k=1", "m=2", "n=3"},
                 {Format(kEmptySection, 3), Format(kEmptySection, 5)}},
        ReadCase{"EmptySectionBeforeAnyHeader",
                 "[]\nk=v\n",
                 false,
                 {},
                 {Format(kEmptySection, 1), Format(kNoSection, 2)}},
        ReadCase{"DataBeforeAnySection",
                 "k=v\nbare\n[A]\nx=1\n",
                 false,
                 {"[A]", "x=1"},
                 {Format(kNoSection, 1), Format(kNoSection, 2)}},
        ReadCase{"LineStartingWithEquals",
                 "[A]\n=v\n  = w\nk=v\n",
                 false,
                 {"[A]", "k=v"},
                 {Format(kNoParse, 2), Format(kNoParse, 3)}},
        ReadCase{"LineNumbersCountBlankAndCommentLines",
                 "\n; comment\n\n# other\n[ ]\n\r\n=x\n",
                 false,
                 {},
                 {Format(kEmptySection, 5), Format(kNoSection, 7)}},
        ReadCase{"CommentsOnlyAtLineStart",
                 "; c\n# c\n[A]\n  ; indented comment\nk=v ; kept\nh=a#b\n",
                 false,
                 {"[A]", "k=v ; kept", "h=a#b"},
                 {}},
        ReadCase{"Quotes",
                 "[Q]\nempty=\"\"\nlone=\"\nkeep=\" a \"\nonce=\"\"x\"\"\nhalf=\"a\nin=a\"b\"\n"
                 "spaced=  \"q\"  \n",
                 false,
                 {"[Q]", "empty=", "lone=\"", "keep= a ", "once=\"x\"", "half=\"a", "in=a\"b\"",
                  "spaced=q"},
                 {}},
        ReadCase{
            "EqualsInsideValue", "[A]\na=b=c\nk = = v\n", false, {"[A]", "a=b=c", "k== v"}, {}},
        ReadCase{"BlanksInsideKey", "[A]\nmy key = v\n", false, {"[A]", "my key=v"}, {}},
        ReadCase{"KeyCaseKeepsFirstSpellingAndLastValue",
                 "[A]\nName=x\nother=1\nNAME=y\nname=z\n",
                 false,
                 {"[A]", "Name=z", "other=1"},
                 {}},
        ReadCase{"RepeatedHeaderInAnyCaseContinues",
                 "[Sec]\na=1\n[B]\nb=2\n[SEC]\nc=3\na=4\n",
                 false,
                 {"[Sec]", "a=4", "c=3", "[B]", "b=2"},
                 {}},
        ReadCase{"UnclosedHeaderIsData",
                 "[A]\n[B\nB]\n[C] ; x\n",
                 false,
                 {"[A]", "[B=", "B]=", "[C] ; x="},
                 {}},
        ReadCase{"UnclosedHeaderBeforeAnySection", "[B\n", false, {}, {Format(kNoSection, 1)}},
        ReadCase{"BareKeyWithoutNumbering", "[A]\nfoo\nbar=\n", false, {"[A]", "foo=", "bar="}, {}},
        ReadCase{"NumberingBareLines",
                 "[A]\nfoo\nbar\nbaz\n",
                 true,
                 {"[A]", "KEY#001=foo", "KEY#002=bar", "KEY#003=baz"},
                 {}},
        ReadCase{"NumberingRestartsAtRepeatedHeader",
                 "[A]\none\ntwo\nthree\n[B]\nx\n[a]\nuno\n",
                 true,
                 {"[A]", "KEY#001=uno", "KEY#002=two", "KEY#003=three", "[B]", "KEY#001=x"},
                 {}},
        ReadCase{"EmptyHeaderDoesNotRestartNumbering",
                 "[A]\none\n[ ]\ntwo\n",
                 true,
                 {"[A]", "KEY#001=one", "KEY#002=two"},
                 {Format(kEmptySection, 3)}},
        ReadCase{"NumberingTakesEmptyValues",
                 "[A]\nk=v\nfoo=\nq=\"\"\nbare\n",
                 true,
                 {"[A]", "k=v", "KEY#001=foo", "KEY#002=q", "KEY#003=bare"},
                 {}},
        ReadCase{"NulBytesAreText",
                 S("[A\0B]\nk\0=v\0w\n", 13),
                 false,
                 {S("[A\0B]", 5), S("k\0=v\0w", 6)},
                 {}},
        ReadCase{"EmptyFile", "", true, {}, {}}),
    test::CaseName());

TEST(IniFile, LogLineIsByteExact) {
  TempDir dir;
  const std::string path = dir.File("exact.ini");
  WriteBinary(path, "[A]\nk=v\n[   ]\n");
  LogCapture log;
  IniFile ini(path, false);
  EXPECT_EQ(log.Lines(), Lines({"IniFile::Read " + path + " [line 3]: Empty section"}));
}

TEST(IniFile, NumberingPassesNineHundredNinetyNine) {
  std::string text = "[Many]\n";
  for (int i = 1; i <= 1001; ++i) text += "item" + std::to_string(i) + "\n";
  TempDir dir;
  const std::string path = dir.File("many.ini");
  WriteBinary(path, text);
  IniFile ini(path, true);
  const IniSection* many = ini.findSection("many");
  ASSERT_NE(many, nullptr);
  ASSERT_EQ(many->Keys().size(), 1001u);
  EXPECT_EQ(many->Keys()[0], "KEY#001");
  EXPECT_EQ(many->Keys()[98], "KEY#099");
  EXPECT_EQ(many->Keys()[998], "KEY#999");
  EXPECT_EQ(many->Keys()[999], "KEY#1000");
  EXPECT_EQ(ini.GetValue("Many", "key#1001"), "item1001");
}

TEST(IniFile, AbsentFileLeavesItEmptyWithoutALogLine) {
  TempDir dir;
  LogCapture log;
  IniFile ini(dir.File("absent.ini"), true);
  EXPECT_TRUE(ini.Sections().empty());
  EXPECT_EQ(ini.Encoding(), TextFile::Narrow);
  EXPECT_FALSE(ini.Read(dir.File("absent.ini")));
  EXPECT_FALSE(ini.Read(""));
  EXPECT_EQ(ini.GetValue("A", "k"), "");
  EXPECT_TRUE(log.Lines().empty());
}

TEST(IniFile, ReadingASecondFileMerges) {
  TempDir dir;
  const std::string first = dir.File("first.ini");
  const std::string second = dir.File("second.ini");
  WriteBinary(first, "[A]\nx=1\ny=2\n[B]\nb=1\n");
  WriteBinary(second, kUtf16Mark + Utf16Units("[a]\nY=20\nz=3\n[C]\nc=1\n"));
  IniFile ini(first, false);
  EXPECT_EQ(ini.Encoding(), TextFile::Narrow);
  EXPECT_TRUE(ini.Read(second));
  EXPECT_EQ(ini.Encoding(), TextFile::Utf16);
  EXPECT_EQ(Dump(ini), Lines({"[A]", "x=1", "y=20", "z=3", "[B]", "b=1", "[C]", "c=1"}));
}

TEST(IniFile, LookupsIgnoreCaseAndAnswerEmptyForAbsent) {
  IniFile ini(false);
  ini.SetValue("Section", "Key", "value");
  EXPECT_EQ(ini.GetValue("SECTION", "key"), "value");
  EXPECT_EQ(ini.GetValue("section", "KEY"), "value");
  EXPECT_EQ(ini.GetValue("Section", "other"), "");
  EXPECT_EQ(ini.GetValue("Other", "Key"), "");
  EXPECT_EQ(ini.findSection("Sectio"), nullptr);
  // Only A to Z fold: these are different names.
  ini.SetValue("\xC9t\xE9", "k", "1");
  EXPECT_EQ(ini.GetValue("\xE9t\xE9", "k"), "");
}

TEST(IniFile, SetValueRefusesEmptyNames) {
  LogCapture log;
  IniFile ini(false);
  ini.SetValue("", "k", "v");
  ini.SetValue("S", "", "v");
  EXPECT_TRUE(ini.Sections().empty());
  ini.SetValue("S", "k", "");
  ini.SetValue("s", "K", "v2");
  EXPECT_EQ(Dump(ini), Lines({"[S]", "k=v2"}));
  EXPECT_EQ(log.Lines(), Lines({"IniFile::SetValue: section name cannot be empty",
                                "IniFile::SetValue: value name cannot be empty"}));
}

TEST(IniFile, SectionsAddFindAndRemove) {
  LogCapture log;
  IniFile ini(false);
  ini.AddSection(nullptr);
  EXPECT_EQ(log.Lines(), Lines({"IniFile::AddSection: attempted to add a NULL section!"}));
  EXPECT_TRUE(ini.Sections().empty());

  IniSection* a = ini.getOrCreateSection("Alpha");
  EXPECT_EQ(ini.getOrCreateSection("ALPHA"), a);
  auto second = std::make_unique<IniSection>("alpha");
  IniSection* secondAlpha = second.get();
  ini.AddSection(std::move(second));
  ini.AddSection(std::make_unique<IniSection>("Beta"));
  ASSERT_EQ(ini.Sections().size(), 3u);
  EXPECT_EQ(ini.findSection("alpha"), a) << "the first of a name is found";

  // Without detach the section is destroyed; the next of its name moves up.
  EXPECT_EQ(ini.removeSection("ALPHA", false), nullptr);
  EXPECT_EQ(ini.findSection("Alpha"), secondAlpha);
  std::unique_ptr<IniSection> detached = ini.removeSection("Alpha", true);
  EXPECT_EQ(detached.get(), secondAlpha);
  EXPECT_EQ(ini.findSection("Alpha"), nullptr);
  EXPECT_EQ(ini.removeSection("Alpha", true), nullptr);
  ASSERT_EQ(ini.Sections().size(), 1u);
  EXPECT_EQ(ini.Sections()[0]->Name(), "Beta");

  // A removed name can come back as a new section.
  IniSection* again = ini.getOrCreateSection("alpha");
  EXPECT_EQ(again->Name(), "alpha");
  EXPECT_EQ(ini.Sections().back().get(), again);
}

TEST(IniFile, WriteRoundTripKeepsEncodingAndDropsQuotes) {
  const std::string text =
      "; header comment\n[Files]\nfirst = one\nQuoted=\"  two  \"\nEmpty=\"\"\n\n[Other]\nk=v\n";
  const std::string written =
      "[Files]\r\nfirst=one\r\nQuoted=  two  \r\nEmpty=\r\n\r\n[Other]\r\nk=v\r\n\r\n";
  for (const bool wide : {false, true}) {
    TempDir dir;
    const std::string source = dir.File("source.ini");
    const std::string copy = dir.File("copy.ini");
    WriteBinary(source, wide ? kUtf16Mark + Utf16Units(text) : text);
    IniFile ini(source, false);
    ASSERT_TRUE(ini.Write(copy));
    EXPECT_EQ(ReadBinary(copy), wide ? kUtf16Mark + Utf16Units(written) : written);

    // Without its quotes the value loses its blanks on the next reading.
    IniFile again(copy, false);
    EXPECT_EQ(again.Encoding(), ini.Encoding());
    EXPECT_EQ(Dump(again),
              Lines({"[Files]", "first=one", "Quoted=two", "Empty=", "[Other]", "k=v"}));
  }
}

TEST(IniFile, WriteNumberedKeysAsBareLines) {
  TempDir dir;
  const std::string path = dir.File("records.ini");
  WriteBinary(path, "[Files]\nC:\\a.dll\nC:\\b.dll\nCount=2\n");
  IniFile ini(path, true);
  // Writing to "" goes back to the file it was read from.
  ASSERT_TRUE(ini.Write(""));
  EXPECT_EQ(ReadBinary(path), "[Files]\r\nC:\\a.dll\r\nC:\\b.dll\r\nCount=2\r\n\r\n");

  // Without numbering the same keys are ordinary keys.
  IniFile plain(false);
  plain.SetValue("S", "KEY#001", "v");
  ASSERT_TRUE(plain.Write(path));
  EXPECT_EQ(ReadBinary(path), "[S]\r\nKEY#001=v\r\n\r\n");
}

TEST(IniFile, WriteFailures) {
  TempDir dir;
  LogCapture log;
  IniFile memory(false);
  memory.SetValue("S", "k", "v");
  EXPECT_FALSE(memory.Write(""));
  const std::string badPath = dir.File("missing-folder") + "\\out.ini";
  EXPECT_FALSE(memory.Write(badPath));
  EXPECT_EQ(log.Lines(), Lines({"IniFile::Write: empty file name!",
                                "TextFile::Open: open of " + badPath + " failed.",
                                "IniFile::Write: Failed to open " + badPath + " for writing."}));
}

TEST(IniFile, ThousandsOfKeysAndSections) {
  // Quadratic reading would take minutes here.
  std::string text;
  for (int s = 0; s < 2000; ++s) {
    text += "[Section" + std::to_string(s) + "]\n";
    for (int k = 0; k < 50; ++k)
      text += "Key" + std::to_string(k) + "=" + std::to_string(s * k) + "\n";
  }
  TempDir dir;
  const std::string path = dir.File("large.ini");
  WriteBinary(path, text);
  IniFile ini(path, false);
  ASSERT_EQ(ini.Sections().size(), 2000u);
  EXPECT_EQ(ini.GetValue("SECTION1999", "key49"), std::to_string(1999 * 49));
  EXPECT_EQ(ini.findSection("section1000")->Keys().size(), 50u);
}

TEST(IniFile, OneMegabyteLines) {
  const std::string big(1 << 20, 'v');
  TempDir dir;
  const std::string path = dir.File("big.ini");
  WriteBinary(path, "[A]\n" + big + "\nk=" + big + "\n[" + big + "]\nafter=1\n");
  LogCapture log;
  IniFile ini(path, true);
  EXPECT_TRUE(ini.GetValue("A", "KEY#001") == big);
  EXPECT_TRUE(ini.GetValue("A", "k") == big);
  EXPECT_EQ(ini.GetValue(big, "after"), "1");
  EXPECT_TRUE(log.Lines().empty());
}

// Structural soundness of whatever was read: every section found by its
// name, and every key of the order found in its section.
void ExpectConsistent(const IniFile& ini) {
  for (const auto& section : ini.Sections()) {
    EXPECT_FALSE(section->Name().empty());
    EXPECT_EQ(ini.findSection(section->Name()), section.get());
    for (const std::string& key : section->Keys()) {
      std::string value;
      EXPECT_TRUE(section->GetValue(key, value));
    }
  }
}

TEST(IniFile, BinaryGarbageGivesDefinedResults) {
  TempDir dir;
  for (const uint32_t seed : {11u, 12u, 13u, 14u}) {
    // Garbage with some structure mixed in, so headers and keys occur.
    std::string data = Garbage(48 * 1024, seed);
    for (size_t i = 0; i < data.size(); i += 97) data.insert(i, "\n[S]\nk=v\n=\n");
    for (const bool wide : {false, true}) {
      const std::string path = dir.File(wide ? "garbage16.ini" : "garbage.ini");
      WriteBinary(path, wide ? kUtf16Mark + data + "x" : "g" + data);
      const bool autoNumber = seed % 2 == 0;
      Lines firstDump, firstLog;
      {
        LogCapture log;
        IniFile first(path, autoNumber);
        EXPECT_EQ(first.Encoding(), wide ? TextFile::Utf16 : TextFile::Narrow);
        ExpectConsistent(first);
        if (!wide) {
          EXPECT_EQ(first.GetValue("s", "K"), "v");
        }
        firstDump = Dump(first);
        firstLog = log.Lines();
      }
      for (const std::string& line : firstLog) {
        EXPECT_EQ(line.rfind("IniFile::Read " + path + " [line ", 0), 0u) << line;
      }
      if (!wide) {
        EXPECT_FALSE(firstLog.empty()) << "the \"=\" lines are reported";
      }
      LogCapture log;
      IniFile second(path, autoNumber);
      EXPECT_EQ(Dump(second), firstDump) << "reading is deterministic";
      EXPECT_EQ(log.Lines(), firstLog);
    }
  }
}

// IniSection on its own.

TEST(IniSection, AddValueKeepsFirstSpellingAndPlace) {
  IniSection section("S");
  section.AddValue("Beta", "1");
  section.AddValue("alpha", "2");
  section.AddValue("BETA", "3");
  EXPECT_EQ(section.Keys(), Lines({"Beta", "alpha"}));
  std::string value;
  EXPECT_TRUE(section.GetValue("beta", value));
  EXPECT_EQ(value, "3");
  value = "untouched";
  EXPECT_FALSE(section.GetValue("gamma", value));
  EXPECT_EQ(value, "untouched");
}

TEST(IniSection, IterationFollowsTheKeyOrder) {
  IniSection section("S");
  std::string key = "k";
  std::string value = "v";
  EXPECT_FALSE(section.First());
  EXPECT_FALSE(section.GetCurrentValue(key, value));
  EXPECT_EQ(key, "k");

  section.AddValue("zeta", "1");
  section.AddValue("Alpha", "2");
  section.AddValue("ZETA", "3");
  Lines seen;
  for (bool more = section.First(); more && section.GetCurrentValue(key, value); section.Next()) {
    seen.push_back(key + "=" + value);
  }
  EXPECT_EQ(seen, Lines({"zeta=3", "Alpha=2"}));
  EXPECT_FALSE(section.GetCurrentValue(key, value));
  EXPECT_TRUE(section.First()) << "First rewinds";
  ASSERT_TRUE(section.GetCurrentValue(key, value));
  EXPECT_EQ(key, "zeta");
}

TEST(IniSection, MergeAddsInMapOrderAndOverwritesOnlyWhenAsked) {
  IniSection other("O");
  other.AddValue("c", "other-c");
  other.AddValue("B", "other-b");
  other.AddValue("a", "other-a");
  other.AddValue("_", "other-underscore");

  IniSection keep("K");
  keep.AddValue("b", "mine");
  keep.Merge(other, false);
  // New keys arrive in the map's order: '_' (0x5F) sorts before every
  // letter once A to Z are folded to lower case.
  EXPECT_EQ(keep.Keys(), Lines({"b", "_", "a", "c"}));
  std::string value;
  ASSERT_TRUE(keep.GetValue("B", value));
  EXPECT_EQ(value, "mine");

  IniSection overwrite("W");
  overwrite.AddValue("b", "mine");
  overwrite.Merge(other, true);
  ASSERT_TRUE(overwrite.GetValue("b", value));
  EXPECT_EQ(value, "other-b");
  EXPECT_EQ(overwrite.Keys()[0], "b") << "the spelling here stays";

  overwrite.Merge(overwrite, true);
  EXPECT_EQ(overwrite.Keys().size(), 4u);
}

TEST(IniSection, RemoveKeyInAnyCase) {
  IniSection section("S");
  section.AddValue("One", "1");
  section.AddValue("Two", "2");
  section.AddValue(S("t\0x", 3), "nul");
  section.removeKey("TWO");
  section.removeKey("absent");
  EXPECT_EQ(section.Keys(), Lines({"One", S("t\0x", 3)}));
  std::string value;
  EXPECT_FALSE(section.GetValue("two", value));
  section.removeKey(S("T\0X", 3));
  EXPECT_EQ(section.Keys(), Lines({"One"}));
  section.AddValue("two", "again");
  EXPECT_EQ(section.Keys(), Lines({"One", "two"}));
}

struct OrderCase {
  std::string a;
  std::string b;
  bool aFirst;
  bool bFirst;
};

class NoCaseOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NoCaseOrder, FoldsAToZAndComparesBytesUnsigned) {
  const OrderCase& c = GetParam();
  const NoCaseLess less;
  EXPECT_EQ(less(c.a, c.b), c.aFirst) << c.a << " < " << c.b;
  EXPECT_EQ(less(c.b, c.a), c.bFirst) << c.b << " < " << c.a;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoCaseOrder,
    ::testing::Values(OrderCase{"Key", "kEY", false, false}, OrderCase{"a", "B", true, false},
                      OrderCase{"_", "A", true, false}, OrderCase{"[", "a", true, false},
                      OrderCase{"z", "\x80", true, false}, OrderCase{"\xC9", "\xE9", true, false},
                      OrderCase{"ab", "AB ", true, false}, OrderCase{"", "a", true, false},
                      OrderCase{S("a\0b", 3), S("A\0B", 3), false, false},
                      OrderCase{S("a\0", 2), "a", false, true}));

}  // namespace
}  // namespace nodexa
