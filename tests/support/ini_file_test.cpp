#include "support/ini_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/string_toolkit.h"
#include "harness/temp_dir.h"
#include "harness/file_bytes.h"
#include "harness/log_capture.h"
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

// The whole content as "[Section]|key=value|..." in order, as the lookups
// answer them.
std::string Dump(const IniFile& ini) {
  std::string dump;
  for (const auto& section : ini.Sections()) {
    dump += (dump.empty() ? "[" : "|[") + section->Name() + "]";
    for (const std::string& key : section->Keys()) {
      dump += "|" + key + "=" + ini.GetValue(section->Name(), key);
    }
  }
  return dump;
}

// Log lines with the file name written as <file>.
Lines LogWithoutFileName(const LogCapture& log, const std::string& fileName) {
  Lines lines = log.Lines();
  for (std::string& line : lines) ReplaceAll(line, fileName, "<file>");
  return lines;
}

std::string Logged(int line, const char* message) {
  return Format("IniFile::Read <file> [line %d]: %s", line, message);
}
std::string EmptySection(int line) { return Logged(line, "Empty section"); }
std::string NoSection(int line) {
  return Logged(line, "Data found that does not belong to any section");
}
std::string NoParse(int line) { return Logged(line, "Could not parse name=value line"); }

struct ReadCase {
  std::string text;
  bool autoNumber;
  const char* expected;
  Lines log;
};

// Every case is read from a narrow file and from its UTF-16 twin.
TEST(IniFile, ReadingRules) {
  const ReadCase cases[] = {
      // Blanks of the C locale are trimmed, also inside the brackets.
      {"\t[A]\v\nx=1\n\f k \t=\r v\t\n", false, "[A]|x=1|k=v", {}},
      {"[  Name Two  ]\nk=v\n", false, "[Name Two]|k=v", {}},
      // Line numbers count blank and comment lines.
      {"[A]\nk=1\n[ ]\nm=2\n[]\n", false, "[A]|k=1|m=2", {EmptySection(3), EmptySection(5)}},
      {"k=v\n[B\n[A]\nx=1\n", false, "[A]|x=1", {NoSection(1), NoSection(2)}},
      {"[A]\n=v\n  = w\nk=v\n", false, "[A]|k=v", {NoParse(2), NoParse(3)}},
      {"\n; comment\n\n# other\n[ ]\n\r\n=x\n", false, "", {EmptySection(5), NoSection(7)}},
      // Comments only at the start of a line.
      {"; c\n# c\n[A]\n  ; indented\nk=v ; kept\nh=a#b\n", false, "[A]|k=v ; kept|h=a#b", {}},
      // Quotes: one pair around the whole trimmed value goes.
      {"[Q]\nempty=\"\"\nlone=\"\nkeep=\" a \"\nspaced=  \"q\"  \n",
       false,
       "[Q]|empty=|lone=\"|keep= a |spaced=q",
       {}},
      {"[Q]\nonce=\"\"x\"\"\nhalf=\"a\nin=a\"b\"\n",
       false,
       "[Q]|once=\"x\"|half=\"a|in=a\"b\"",
       {}},
      {"[A]\na=b=c\nmy key = = v\n", false, "[A]|a=b=c|my key== v", {}},
      // Keys and sections in any case; the first spelling stays.
      {"[A]\nName=x\nother=1\nNAME=y\nname=z\n", false, "[A]|Name=z|other=1", {}},
      {"[Sec]\na=1\n[B]\nb=2\n[SEC]\nc=3\na=4\n", false, "[Sec]|a=4|c=3|[B]|b=2", {}},
      {"[A]\n[B\nB]\n[C] ; x\n", false, "[A]|[B=|B]=|[C] ; x=", {}},
      {"[A]\nfoo\nbar=\n", false, "[A]|foo=|bar=", {}},
      // Numbering restarts at every header but an empty one.
      {"[A]\na\nb\nc\n[a]\nd\n", true, "[A]|KEY#001=d|KEY#002=b|KEY#003=c", {}},
      {"[A]\none\n[ ]\ntwo\n", true, "[A]|KEY#001=one|KEY#002=two", {EmptySection(3)}},
      {"[A]\nk=v\nfoo=\nq=\"\"\nbare\n", true, "[A]|k=v|KEY#001=foo|KEY#002=q|KEY#003=bare", {}},
  };
  TempDir dir;
  for (const ReadCase& c : cases) {
    for (const bool wide : {false, true}) {
      SCOPED_TRACE(::testing::PrintToString(c.text) + (wide ? " (UTF-16)" : ""));
      const std::string path = dir.File(wide ? "product16.ini" : "product.ini");
      WriteBinary(path, wide ? kUtf16Mark + Utf16Units(c.text) : c.text);
      LogCapture log;
      IniFile ini(path, c.autoNumber);
      EXPECT_EQ(Dump(ini), c.expected);
      EXPECT_EQ(LogWithoutFileName(log, path), c.log);
      EXPECT_EQ(ini.Encoding(), wide ? TextFile::Utf16 : TextFile::Narrow);
    }
  }
}

TEST(IniFile, NumberingPassesNineHundredNinetyNine) {
  std::string text = "[Many]\n";
  for (int i = 1; i <= 1000; ++i) text += "item" + std::to_string(i) + "\n";
  TempDir dir;
  const std::string path = dir.File("many.ini");
  WriteBinary(path, text);
  IniFile ini(path, true);
  const IniSection* many = ini.findSection("many");
  ASSERT_NE(many, nullptr);
  ASSERT_EQ(many->Keys().size(), 1000u);
  EXPECT_EQ(many->Keys()[998], "KEY#999");
  EXPECT_EQ(many->Keys()[999], "KEY#1000");
  EXPECT_EQ(ini.GetValue("Many", "key#1000"), "item1000");
}

// An absent file is silent; reading a second file merges it.
TEST(IniFile, ReadingAnAbsentFileAndThenTwoFiles) {
  TempDir dir;
  const std::string first = dir.File("first.ini");
  const std::string second = dir.File("second.ini");
  WriteBinary(first, "[A]\nx=1\ny=2\n[B]\nb=1\n");
  WriteBinary(second, kUtf16Mark + Utf16Units("[a]\nY=20\nz=3\n[C]\nc=1\n"));
  LogCapture log;
  IniFile ini(dir.File("absent.ini"), false);
  EXPECT_TRUE(ini.Sections().empty());
  EXPECT_FALSE(ini.Read(dir.File("absent.ini")));
  EXPECT_EQ(ini.GetValue("A", "x"), "");
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_TRUE(ini.Read(first));
  EXPECT_TRUE(ini.Read(second));
  EXPECT_EQ(ini.Encoding(), TextFile::Utf16);
  EXPECT_EQ(Dump(ini), "[A]|x=1|y=20|z=3|[B]|b=1|[C]|c=1");
}

TEST(IniFile, SectionsAndValuesInMemory) {
  LogCapture log;
  IniFile ini(false);
  ini.SetValue("", "k", "v");
  ini.SetValue("S", "", "v");
  ini.AddSection(nullptr);
  EXPECT_TRUE(ini.Sections().empty());
  EXPECT_EQ(log.Lines(), Lines({"IniFile::SetValue: section name cannot be empty",
                                "IniFile::SetValue: value name cannot be empty",
                                "IniFile::AddSection: attempted to add a NULL section!"}));
  ini.SetValue("Alpha", "k", "");
  ini.SetValue("ALPHA", "K", "v2");
  EXPECT_EQ(Dump(ini), "[Alpha]|k=v2");

  IniSection* a = ini.getOrCreateSection("alpha");
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
    EXPECT_EQ(Dump(again), "[Files]|first=one|Quoted=two|Empty=|[Other]|k=v");
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

TEST(IniFile, OneMegabyteLinesInBothEncodings) {
  const std::string big(1 << 20, 'v');
  const std::string text = "[A]\n" + big + "\nk=" + big + "\n[" + big + "]\nafter=1\n";
  TempDir dir;
  for (const bool wide : {false, true}) {
    const std::string path = dir.File(wide ? "big16.ini" : "big.ini");
    WriteBinary(path, wide ? kUtf16Mark + Utf16Units(text) : text);
    LogCapture log;
    IniFile ini(path, true);
    EXPECT_TRUE(ini.GetValue("A", "KEY#001") == big) << wide;
    EXPECT_TRUE(ini.GetValue("A", "k") == big) << wide;
    EXPECT_EQ(ini.GetValue(big, "after"), "1") << wide;
    EXPECT_TRUE(log.Lines().empty()) << wide;
  }
}

TEST(IniFile, BinaryGarbageGivesDefinedResults) {
  TempDir dir;
  // Garbage with some structure mixed in, so headers and keys occur.
  std::string data = Garbage(48 * 1024, 11);
  for (size_t i = 0; i < data.size(); i += 97) data.insert(i, "\n[S]\nk=v\n=\n");
  for (const bool wide : {false, true}) {
    const std::string path = dir.File(wide ? "garbage16.ini" : "garbage.ini");
    WriteBinary(path, wide ? kUtf16Mark + data + "x" : "g" + data);
    LogCapture log;
    IniFile ini(path, wide);
    EXPECT_EQ(ini.Encoding(), wide ? TextFile::Utf16 : TextFile::Narrow);
    // Whatever was read is sound: every section and key is found again.
    for (const auto& section : ini.Sections()) {
      EXPECT_FALSE(section->Name().empty());
      EXPECT_EQ(ini.findSection(section->Name()), section.get());
      std::string value;
      for (const std::string& key : section->Keys()) EXPECT_TRUE(section->GetValue(key, value));
    }
    if (!wide) {
      EXPECT_EQ(ini.GetValue("s", "K"), "v");
      EXPECT_FALSE(log.Lines().empty()) << "the \"=\" lines are reported";
    }
    for (const std::string& line : log.Lines()) {
      EXPECT_EQ(line.rfind("IniFile::Read " + path + " [line ", 0), 0u) << line;
    }
  }
}

// IniSection on its own.

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
  EXPECT_TRUE(section.First()) << "First rewinds";
  ASSERT_TRUE(section.GetCurrentValue(key, value));
  EXPECT_EQ(key, "zeta");
  value = "untouched";
  EXPECT_FALSE(section.GetValue("gamma", value));
  EXPECT_EQ(value, "untouched");
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
}

TEST(IniSection, RemoveKeyInAnyCase) {
  IniSection section("S");
  section.AddValue("One", "1");
  section.AddValue("Two", "2");
  section.removeKey("TWO");
  section.removeKey("absent");
  EXPECT_EQ(section.Keys(), Lines({"One"}));
  std::string value;
  EXPECT_FALSE(section.GetValue("two", value));
  section.AddValue("two", "again");
  EXPECT_EQ(section.Keys(), Lines({"One", "two"}));
}

struct OrderCase {
  std::string a;
  std::string b;
  bool aFirst;
  bool bFirst;
};

TEST(NoCaseLess, FoldsAToZAndComparesBytesUnsigned) {
  const OrderCase cases[] = {
      {"Key", "kEY", false, false}, {"_", "A", true, false},
      {"z", "\x80", true, false},   {"\xC9", "\xE9", true, false},
      {"ab", "AB ", true, false},   {std::string("a\0b", 3), std::string("A\0B", 3), false, false},
  };
  const NoCaseLess less;
  for (const OrderCase& c : cases) {
    EXPECT_EQ(less(c.a, c.b), c.aFirst) << c.a << " < " << c.b;
    EXPECT_EQ(less(c.b, c.a), c.bFirst) << c.b << " < " << c.a;
  }
}

}  // namespace
}  // namespace nodexa
