#include "platform/posix/regedit_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace nodexa::platform {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr char kKeyName[] = "HKEY_LOCAL_MACHINE\\Software\\T";

const StoredValue* FindValue(const RegistryStore& store, const std::string& key,
                             const std::string& name) {
  KeyPath path;
  if (!RegistryStore::ParseKeyName(key, path)) return nullptr;
  const StoredKey* found = store.Find(path);
  return found != nullptr ? found->FindValue(name) : nullptr;
}

bool HasKey(const RegistryStore& store, const std::string& key) {
  KeyPath path;
  return RegistryStore::ParseKeyName(key, path) && store.Find(path) != nullptr;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// One value line (or a few lines) below [HKEY_LOCAL_MACHINE\Software\T].
struct ValueCase {
  const char* label;
  std::string lines;
  const char* valueName;
  std::optional<uint32_t> type;  // none: the value must not exist
  Bytes data;
  size_t skipped;
};

TEST(RegeditTextTest, ValueLines) {
  const ValueCase cases[] = {
      {"escapes", "\"a\"=\"x\\\\y\\\"z\\n\"", "a", 1, Text(std::string("x\\y\"z\n\0", 7)), 0},
      {"unknown escape kept", "\"a\"=\"C:\\q\"", "a", 1, Text(std::string("C:\\q\0", 5)), 0},
      {"empty string", "\"a\"=\"\"", "a", 1, Bytes{0}, 0},
      {"quoted name", "\"a \\\"b\\\"\"=\"v\"", "a \"b\"", 1, Text(std::string("v\0", 2)), 0},
      {"default value", "@=\"d\"", "", 1, Text(std::string("d\0", 2)), 0},
      {"blanks around =", "\"a\" = \"v\"  ; note", "a", 1, Text(std::string("v\0", 2)), 0},
      {"short dword", "\"a\"=DWORD:1", "a", 4, Bytes{1, 0, 0, 0}, 0},
      {"all ones", "\"a\"=dword:FFFFFFFF", "a", 4, Bytes{0xff, 0xff, 0xff, 0xff}, 0},
      {"nine digits", "\"a\"=dword:000000001", "a", std::nullopt, {}, 1},
      {"not hex", "\"a\"=dword:12g4", "a", std::nullopt, {}, 1},
      {"no digits", "\"a\"=dword:", "a", std::nullopt, {}, 1},
      {"binary", "\"a\"=hex:ab,C0,1", "a", 3, Bytes{0xab, 0xc0, 0x01}, 0},
      {"trailing comma", "\"a\"=hex:01,02,", "a", 3, Bytes{1, 2}, 0},
      {"typed", "\"a\"=hex(2):25,00", "a", 2, Bytes{0x25, 0}, 0},
      {"continued", "\"a\"=hex:01,02,\\\n  03,\\\n\t04", "a", 3, Bytes{1, 2, 3, 4}, 0},
      {"three digits", "\"a\"=hex:abc", "a", std::nullopt, {}, 1},
      {"bad byte", "\"a\"=hex:ab,zz,01", "a", std::nullopt, {}, 1},
      {"bad type", "\"a\"=hex(zz):01", "a", std::nullopt, {}, 1},
      {"unclosed type", "\"a\"=hex(2:01", "a", std::nullopt, {}, 1},
      {"cut off by the end", "\"a\"=hex:01,02,\\", "a", std::nullopt, {}, 1},
      {"unterminated value", "\"a\"=\"abc", "a", std::nullopt, {}, 1},
      {"junk after string", "\"a\"=\"b\" junk", "a", std::nullopt, {}, 1},
      {"later wins", "\"a\"=\"1\"\n\"A\"=dword:2", "a", 4, Bytes{2, 0, 0, 0}, 0},
      {"deleted", "\"a\"=\"1\"\n\"a\"=-", "a", std::nullopt, {}, 0},
      {"junk after delete", "\"a\"=\"1\"\n\"a\"=- x", "a", 1, Text(std::string("1\0", 2)), 1},
      {"garbage line", "garbage\n\"a\"=\"v\"", "a", 1, Text(std::string("v\0", 2)), 1},
      {"comments", "; c\n# c\n  \n\"a\"=\"v\"", "a", 1, Text(std::string("v\0", 2)), 0},
      {"CR LF", "\"a\"=\"v\"\r\n\"b\"=\"w\"\r", "b", 1, Text(std::string("w\0", 2)), 0},
  };
  for (const ValueCase& row : cases) {
    RegistryStore store;
    const std::string text = std::string("REGEDIT4\n[") + kKeyName + "]\n" + row.lines + "\n";
    EXPECT_EQ(ReadRegeditText(text, store), row.skipped) << row.label;
    const StoredValue* value = FindValue(store, kKeyName, row.valueName);
    ASSERT_EQ(value != nullptr, row.type.has_value()) << row.label;
    if (value == nullptr) continue;
    EXPECT_EQ(value->type, *row.type) << row.label;
    EXPECT_EQ(value->data, row.data) << row.label;
  }
}

TEST(RegeditTextTest, KeyHeadersCreateDeleteAndMapRoots) {
  RegistryStore store;
  const size_t skipped = ReadRegeditText(
      "[HKEY_LOCAL_MACHINE\\Software\\A\\B]\n"
      "[hkey_local_machine\\SOFTWARE\\a\\C]\n"
      "\"v\"=\"1\"\n"
      "[HKEY_CLASSES_ROOT\\.txt]\n"
      "@=\"txtfile\"\n"
      "[HKEY_CURRENT_USER\\Software\\Gone\\Child]\n"
      "[-HKEY_CURRENT_USER\\Software\\Gone]\n"
      "\"lost\"=\"under a deletion\"\n"
      "[HKEY_NOWHERE\\x]\n"
      "\"lost\"=\"under a bad root\"\n"
      "[HKEY_USERS\\.Default\n"
      "\"lost\"=\"under an unclosed header\"\n"
      "[-HKEY_LOCAL_MACHINE]\n"
      "[HKEY_CURRENT_CONFIG\\\\Double\\]\n"
      "\"kept\"=\"1\"\n",
      store);
  EXPECT_EQ(skipped, 5u);
  EXPECT_TRUE(HasKey(store, "HKEY_LOCAL_MACHINE\\software\\a\\b"));
  ASSERT_NE(FindValue(store, "HKEY_LOCAL_MACHINE\\Software\\A\\C", "V"), nullptr);
  // Both spellings name the same key, which keeps its first spelling.
  KeyPath software{"HKEY_LOCAL_MACHINE", "Software"};
  ASSERT_NE(store.Find(software), nullptr);
  EXPECT_EQ(store.Find(software)->subKeys.size(), 2u);  // A and Classes
  EXPECT_EQ(store.Find({"HKEY_LOCAL_MACHINE", "SOFTWARE", "A"})->name, "A");
  EXPECT_NE(FindValue(store, "HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt", ""), nullptr);
  EXPECT_FALSE(HasKey(store, "HKEY_CURRENT_USER\\Software\\Gone"));
  EXPECT_TRUE(HasKey(store, "HKEY_CURRENT_USER\\Software"));
  EXPECT_FALSE(HasKey(store, "HKEY_USERS\\.Default"));
  EXPECT_NE(FindValue(store, "HKEY_CURRENT_CONFIG\\Double", "kept"), nullptr);
  EXPECT_TRUE(HasKey(store, "HKEY_LOCAL_MACHINE"));
}

TEST(RegeditTextTest, WrittenTextReadsBackToTheSameStore) {
  std::string text =
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE]\n\"AtRoot\"=\"r\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Quote]\n"
      "@=\"default \\\"quoted\\\" C:\\\\path\\\\\"\n"
      "\"Line\\nBreak\"=\"a\\nb\\rc\"\n"
      "\"Odd dword\"=hex(4):01,02\n"
      "\"No NUL\"=hex(1):61,62\n"
      "\"Inner NUL\"=hex(1):61,00,62,00\n"
      "\"Empty text\"=hex(1):\n"
      "\"Multi\"=hex(7):61,00,62,00,00\n"
      "\"Type 1234\"=hex(1234):07\n"
      "[HKEY_CURRENT_USER\\Empty\\Leaf]\n"
      "[HKEY_USERS\\.Default\\Big]\n"
      "\"Long\"=hex:";
  for (int i = 0; i < 300; ++i) text += (i ? "," : "") + std::string("7f");
  text += "\n";
  RegistryStore first;
  ASSERT_EQ(ReadRegeditText(text, first), 0u);

  const std::string written = WriteRegeditText(first);
  RegistryStore second;
  EXPECT_EQ(ReadRegeditText(written, second), 0u) << written;
  EXPECT_EQ(WriteRegeditText(second), written);
  const KeyPath quote = {"HKEY_LOCAL_MACHINE", "Software", "Quote"};
  ASSERT_EQ(second.Find(quote)->values.size(), 8u);
  for (const StoredValue& before : first.Find(quote)->values) {
    const StoredValue* after = second.Find(quote)->FindValue(before.name);
    ASSERT_NE(after, nullptr) << before.name;
    EXPECT_EQ(after->type, before.type) << before.name;
    EXPECT_EQ(after->data, before.data) << before.name;
  }
  EXPECT_TRUE(HasKey(second, "HKEY_CURRENT_USER\\Empty\\Leaf"));
  EXPECT_EQ(FindValue(second, "HKEY_USERS\\.Default\\Big", "Long")->data, Bytes(300, 0x7f));
  EXPECT_NE(FindValue(second, "HKEY_LOCAL_MACHINE", "AtRoot"), nullptr);
  // regedit wraps long hex lists; every line stays short.
  size_t start = 0;
  while (start < written.size()) {
    const size_t end = written.find('\n', start);
    EXPECT_LE(end - start, 80u);
    start = end + 1;
  }
}

TEST(RegeditTextTest, TheWriterSpellsValuesAsRegeditDoes) {
  RegistryStore store;
  StoredKey* key = store.Create({"HKEY_LOCAL_MACHINE", "Software", "W"});
  key->SetValue("", 1, Text(std::string("C:\\\0", 4)));
  key->SetValue("Count", 4, Bytes{0x2a, 0, 0, 0});
  key->SetValue("Raw", 3, Bytes{0xab, 0xc0});
  key->SetValue("List", 7, Bytes{0x61, 0, 0});
  EXPECT_EQ(WriteRegeditText(store),
            "REGEDIT4\n"
            "\n[HKEY_LOCAL_MACHINE\\Software]\n"
            "\n[HKEY_LOCAL_MACHINE\\Software\\W]\n"
            "@=\"C:\\\\\"\n"
            "\"Count\"=dword:0000002a\n"
            "\"Raw\"=hex:ab,c0\n"
            "\"List\"=hex(7):61,00,00\n");
}

TEST(RegeditTextTest, HugeLinesAreReadOrSkippedWhole) {
  RegistryStore store;
  const std::string longText(4 << 20, 'x');
  std::string hex = "\"Hex\"=hex:";
  for (int i = 0; i < (1 << 18); ++i) hex += "5a,";
  const std::string text = "REGEDIT4\n[HKEY_USERS\\Huge]\n\"Text\"=\"" + longText + "\"\n" + hex +
                           "\n\"Open\"=\"" + longText + "\n\"After\"=\"ok\"\n[" + longText + "\n";
  EXPECT_EQ(ReadRegeditText(text, store), 2u);
  EXPECT_EQ(FindValue(store, "HKEY_USERS\\Huge", "Text")->data.size(), longText.size() + 1);
  EXPECT_EQ(FindValue(store, "HKEY_USERS\\Huge", "Hex")->data, Bytes(1 << 18, 0x5a));
  EXPECT_EQ(FindValue(store, "HKEY_USERS\\Huge", "Open"), nullptr);
  EXPECT_NE(FindValue(store, "HKEY_USERS\\Huge", "After"), nullptr);
}

TEST(RegeditTextTest, RandomBytesNeverBreakTheReader) {
  std::mt19937 random(20240601);
  const std::string alphabet = "[]\"@=\\,:-;#()hexdword0123456789abcdefHKEY_LOCAL_MACHINE \n\r\t";
  for (int round = 0; round < 300; ++round) {
    std::string text = round % 2 == 0 ? "REGEDIT4\n[HKEY_LOCAL_MACHINE\\F]\n" : "";
    const size_t length = random() % 2048;
    for (size_t i = 0; i < length; ++i) {
      text.push_back(round % 3 == 0 ? static_cast<char>(random() & 0xFF)
                                    : alphabet[random() % alphabet.size()]);
    }
    RegistryStore store;
    ReadRegeditText(text, store);
    // Whatever was read must survive a round trip unchanged.
    const std::string written = WriteRegeditText(store);
    RegistryStore again;
    EXPECT_EQ(ReadRegeditText(written, again), 0u) << written;
    EXPECT_EQ(WriteRegeditText(again), written);
  }
}

}  // namespace
}  // namespace nodexa::platform
