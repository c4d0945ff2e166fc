#include "platform/posix/regedit_text.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// "type:data" with printable bytes as they are and the others as <hh>; "-"
// when there is no value.
std::string Describe(const StoredValue* value) {
  if (value == nullptr) return "-";
  std::string text = std::to_string(value->type) + ":";
  for (const uint8_t byte : value->data) {
    const char* const digits = "0123456789abcdef";
    text += byte >= 0x20 && byte < 0x7F
                ? std::string(1, static_cast<char>(byte))
                : std::string{'<', digits[byte >> 4], digits[byte & 15], '>'};
  }
  return text;
}

struct ValueCase {
  const char* label;
  const char* lines;  // below [HKEY_LOCAL_MACHINE\Software\T]
  const char* valueName;
  const char* expected;
  size_t skipped;
};

TEST(RegeditText, ValueLines) {
  const ValueCase cases[] = {
      {"escapes", R"("a"="x\\y\"z\n")", "a", R"(1:x\y"z<0a><00>)", 0},
      {"unknown escape kept", R"("a"="C:\q")", "a", R"(1:C:\q<00>)", 0},
      {"empty string", R"("a"="")", "a", "1:<00>", 0},
      {"quoted name", R"("a \"b\""="v")", "a \"b\"", "1:v<00>", 0},
      {"default value", R"(@="d")", "", "1:d<00>", 0},
      {"blanks around =", R"("a" = "v"  ; note)", "a", "1:v<00>", 0},
      {"short dword", R"("a"=DWORD:1)", "a", "4:<01><00><00><00>", 0},
      {"dword byte order", R"("a"=dword:0A0B0C0D)", "a", "4:<0d><0c><0b><0a>", 0},
      {"nine digits", R"("a"=dword:000000001)", "a", "-", 1},
      {"not hex", R"("a"=dword:12g4)", "a", "-", 1},
      {"no digits", R"("a"=dword:)", "a", "-", 1},
      {"binary", R"("a"=hex:ab,C0,1)", "a", "3:<ab><c0><01>", 0},
      {"trailing comma", R"("a"=hex:01,02,)", "a", "3:<01><02>", 0},
      {"typed", R"("a"=hex(2):25,00)", "a", "2:%<00>", 0},
      {"continued", "\"a\"=hex:01,02,\\\n  03,\\\n\t04", "a", "3:<01><02><03><04>", 0},
      {"three digits", R"("a"=hex:abc)", "a", "-", 1},
      {"bad byte", R"("a"=hex:ab,zz,01)", "a", "-", 1},
      {"bad type", R"("a"=hex(zz):01)", "a", "-", 1},
      {"unclosed type", R"("a"=hex(2:01)", "a", "-", 1},
      {"cut off by the end", "\"a\"=hex:01,02,\\", "a", "-", 1},
      {"unterminated value", R"("a"="abc)", "a", "-", 1},
      {"junk after string", R"("a"="b" junk)", "a", "-", 1},
      {"later wins", "\"a\"=\"1\"\n\"A\"=dword:2", "a", "4:<02><00><00><00>", 0},
      {"deleted", "\"a\"=\"1\"\n\"a\"=-", "a", "-", 0},
      {"junk after delete", "\"a\"=\"1\"\n\"a\"=- x", "a", "1:1<00>", 1},
      {"garbage line", "garbage\n\"a\"=\"v\"", "a", "1:v<00>", 1},
      {"comments", "; c\n# c\n  \n\"a\"=\"v\"", "a", "1:v<00>", 0},
      {"CR LF", "\"a\"=\"v\"\r\n\"b\"=\"w\"\r", "b", "1:w<00>", 0},
  };
  for (const ValueCase& row : cases) {
    RegistryStore store;
    const std::string text = std::string("REGEDIT4\n[") + kKeyName + "]\n" + row.lines + "\n";
    EXPECT_EQ(ReadRegeditText(text, store), row.skipped) << row.label;
    EXPECT_EQ(Describe(FindValue(store, kKeyName, row.valueName)), row.expected) << row.label;
  }
}

TEST(RegeditText, KeyHeadersCreateDeleteAndMapRoots) {
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
  EXPECT_NE(FindValue(store, "HKEY_LOCAL_MACHINE\\Software\\A\\C", "V"), nullptr);
  // Both spellings name one key, which keeps its first spelling.
  ASSERT_NE(store.Find({"HKEY_LOCAL_MACHINE", "Software"}), nullptr);
  EXPECT_EQ(store.Find({"HKEY_LOCAL_MACHINE", "Software"})->subKeys.size(), 2u);  // A, Classes
  EXPECT_EQ(store.Find({"HKEY_LOCAL_MACHINE", "SOFTWARE", "A"})->name, "A");
  EXPECT_NE(FindValue(store, "HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt", ""), nullptr);
  EXPECT_FALSE(HasKey(store, "HKEY_CURRENT_USER\\Software\\Gone"));
  EXPECT_TRUE(HasKey(store, "HKEY_CURRENT_USER\\Software"));
  EXPECT_FALSE(HasKey(store, "HKEY_USERS\\.Default"));
  EXPECT_NE(FindValue(store, "HKEY_CURRENT_CONFIG\\Double", "kept"), nullptr);
  EXPECT_TRUE(HasKey(store, "HKEY_LOCAL_MACHINE"));
}

TEST(RegeditText, TheWriterSpellsValuesAsRegeditDoes) {
  RegistryStore store;
  StoredKey* key = store.Create({"HKEY_LOCAL_MACHINE", "Software", "W"});
  key->SetValue("", 1, Bytes{'C', ':', '\\', 0});
  key->SetValue("Count", 4, Bytes{0x2a, 0x01, 0, 0});
  key->SetValue("Raw", 3, Bytes{0xab, 0xc0});
  key->SetValue("List", 7, Bytes{0x61, 0, 0});
  key->SetValue("Say \"hi\"\n", 1, Bytes{'a', '\n', 0});
  key->SetValue("No NUL", 1, Bytes{'a'});
  key->SetValue("Odd dword", 4, Bytes{1, 2});
  EXPECT_EQ(WriteRegeditText(store),
            "REGEDIT4\n"
            "\n[HKEY_LOCAL_MACHINE\\Software]\n"
            "\n[HKEY_LOCAL_MACHINE\\Software\\W]\n"
            "@=\"C:\\\\\"\n"
            "\"Count\"=dword:0000012a\n"
            "\"Raw\"=hex:ab,c0\n"
            "\"List\"=hex(7):61,00,00\n"
            "\"Say \\\"hi\\\"\\n\"=\"a\\n\"\n"
            "\"No NUL\"=hex(1):61\n"
            "\"Odd dword\"=hex(4):01,02\n");
}

}  // namespace
}  // namespace nodexa::platform
