#include "support/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/string_toolkit.h"
#include "harness/temp_dir.h"
#include "harness/file_bytes.h"
#include "harness/log_capture.h"
#include "support/text_file.h"

namespace nodexa {
namespace {

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
  WriteBinary(dir.File("many.ini"), text);
  const IniFile ini(dir.File("many.ini"), true);
  EXPECT_EQ(ini.GetValue("Many", "KEY#999"), "item999");
  EXPECT_EQ(ini.GetValue("Many", "key#1000"), "item1000");
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

// Numbered keys go out as bare lines; writing to "" goes back to the file
// read; an unnamed or unreachable file is logged.
TEST(IniFile, WriteNumberedKeysAndFailures) {
  TempDir dir;
  const std::string path = dir.File("records.ini");
  WriteBinary(path, "[Files]\nC:\\a.dll\nC:\\b.dll\nCount=2\n");
  IniFile numbered(path, true);
  ASSERT_TRUE(numbered.Write(""));
  EXPECT_EQ(ReadBinary(path), "[Files]\r\nC:\\a.dll\r\nC:\\b.dll\r\nCount=2\r\n\r\n");

  LogCapture log;
  IniFile plain(false);
  plain.SetValue("S", "KEY#001", "v");
  ASSERT_TRUE(plain.Write(path));
  EXPECT_EQ(ReadBinary(path), "[S]\r\nKEY#001=v\r\n\r\n");
  EXPECT_FALSE(IniFile(false).Write(""));
  const std::string badPath = dir.File("missing-folder") + "\\out.ini";
  EXPECT_FALSE(plain.Write(badPath));
  EXPECT_EQ(log.Lines(), Lines({"IniFile::Write: empty file name!",
                                "TextFile::Open: open of " + badPath + " failed.",
                                "IniFile::Write: Failed to open " + badPath + " for writing."}));
}

}  // namespace
}  // namespace nodexa
