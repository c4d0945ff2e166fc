// The list exports called the way the setup program calls them: every
// string built, read, copied and destroyed by msvcp60.dll's own exported
// functions (Wine's builtin), all other memory from msvcrt's operator new
// and delete. Runs with Wine's heap warnings on; CTest fails the run on any
// heap message, and each test validates every heap of the process at its
// end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exports/export_fixture.h"

namespace {

using nodexa::msvcp60::String;
using nodexa::test::Lines;

// msvcp60's basic_string<char> members used by a caller, and msvcrt's heap.
class Runtime {
 public:
  Runtime() : msvcp60_(LoadLibraryA("msvcp60.dll")), msvcrt_(LoadLibraryA("msvcrt.dll")) {
    Bind(msvcp60_, construct_,
         "??0?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@QEAA@PEBDAEBV?$"
         "allocator@D@1@@Z");
    Bind(msvcp60_, copy_,
         "??0?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@QEAA@AEBV01@@Z");
    Bind(msvcp60_, destroy_,
         "??1?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@QEAA@XZ");
    Bind(msvcp60_, cString_,
         "?c_str@?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@QEBAPEBDXZ");
    Bind(msvcp60_, size_,
         "?size@?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@QEBA_KXZ");
    Bind(msvcrt_, allocate_, "??2@YAPEAX_K@Z");
    Bind(msvcrt_, free_, "??3@YAXPEAX@Z");
  }
  ~Runtime() {
    FreeLibrary(msvcp60_);
    FreeLibrary(msvcrt_);
  }
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  bool Loaded() const {
    return construct_ && copy_ && destroy_ && cString_ && size_ && allocate_ && free_;
  }

  // A request list as a program built against msvcp60 builds it.
  NodexaList* Build(const Lines& lines) const {
    auto* list = static_cast<NodexaList*>(allocate_(sizeof(NodexaList)));
    *list = NodexaList{};
    if (!lines.empty()) {
      list->first = static_cast<String*>(allocate_(lines.size() * sizeof(String)));
      list->last = list->end = list->first + lines.size();
      char allocator = 0;
      for (size_t i = 0; i < lines.size(); ++i)
        construct_(&list->first[i], lines[i].c_str(), &allocator);
    }
    return list;
  }

  // Each string read, copied, the copy read and destroyed; the texts of the
  // originals.
  Lines ReadAndCopy(const NodexaList* list) const {
    Lines lines;
    for (const String* s = list->first; s != list->last; ++s) {
      String copy;
      copy_(&copy, s);
      EXPECT_EQ(Text(&copy), Text(s));
      destroy_(&copy);
      lines.push_back(Text(s));
    }
    return lines;
  }

  std::string Text(const String* s) const { return std::string(cString_(s), size_(s)); }

  void DestroyString(String* s) const { destroy_(s); }

  // What msvcp60's vector destructor and delete do.
  void Delete(NodexaList* list) const {
    for (String* s = list->first; s != list->last; ++s) destroy_(s);
    free_(list->first);
    free_(list);
  }

 private:
  template <typename Function>
  static void Bind(HMODULE module, Function& function, const char* name) {
    function =
        module != nullptr
            ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
            : nullptr;
  }

  HMODULE msvcp60_;
  HMODULE msvcrt_;
  String* (*construct_)(String*, const char*, const void*) = nullptr;
  String* (*copy_)(String*, const String*) = nullptr;
  void (*destroy_)(String*) = nullptr;
  const char* (*cString_)(const String*) = nullptr;
  size_t (*size_)(const String*) = nullptr;
  void* (*allocate_)(size_t) = nullptr;
  void (*free_)(void*) = nullptr;
};

class Msvcp60Caller : public nodexa::test::ExportTest {
 protected:
  Msvcp60Caller() { OfficeHcp(); }
  void SetUp() override { ASSERT_TRUE(runtime.Loaded()); }
  void TearDown() override {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) EXPECT_TRUE(HeapValidate(heaps[i], 0, nullptr));
  }

  Runtime runtime;
};

// A request whose second string is shared with a copy the caller keeps, as
// the real runtime's copy constructor leaves it; an empty string closes it.
TEST_F(Msvcp60Caller, ReadsCopiesAndDestroysWhatEachListExportAnswers) {
  NodexaList* request = runtime.Build({"Inkjet", "10.9.0.0:255.255.0.0", ""});
  unsigned char& sharers = reinterpret_cast<unsigned char*>(request->first[1].text)[-1];
  sharers = 1;
  const std::vector<char> before(reinterpret_cast<char*>(request->first),
                                 reinterpret_cast<char*>(request->last));

  const Lines found = runtime.ReadAndCopy(FindPorts(request));
  EXPECT_EQ(found, nodexa::test::InkjetRecords(""));
  EXPECT_EQ(Journal()[2],
            "Discover\t" + nodexa::test::kDiscoveryBase +
                "<RemoteSubnets>10.9.0.0:255.255.0.0;:255.255.255.0;</RemoteSubnets>");
  const Lines all = runtime.ReadAndCopy(FindAllPorts(request));
  const nodexa::PortList same{"Inkjet", "10.9.0.0:255.255.0.0", ""};
  EXPECT_EQ(all, nodexa::test::ReadList(FindAllPorts(same.get())));
  EXPECT_GT(all.size(), found.size());

  EXPECT_EQ(std::vector<char>(reinterpret_cast<char*>(request->first),
                              reinterpret_cast<char*>(request->last)),
            before);
  EXPECT_EQ(runtime.Text(&request->first[1]), "10.9.0.0:255.255.0.0");
  EXPECT_EQ(sharers, 1);
  sharers = 0;
  runtime.Delete(request);

  NodexaList* arguments = runtime.Build({"QuorvexQX100", "Addresses", "PORTA", ""});
  NodexaList* lines = FindAllPortsFiltered(arguments);
  ASSERT_NE(lines, nullptr);
  const nodexa::PortList sameArguments{"QuorvexQX100", "Addresses", "PORTA", ""};
  const auto expected = nodexa::PortList::Adopt(FindAllPortsFiltered(sameArguments.get()));
  EXPECT_EQ(runtime.ReadAndCopy(lines), nodexa::test::ReadList(expected.get()));
  EXPECT_EQ(lines->last - lines->first, 7);
  runtime.Delete(lines);
  runtime.Delete(arguments);
}

// The real runtime shares a copied string's characters and counts the
// sharer; the next search must leave such a copy to its owner.
TEST_F(Msvcp60Caller, ACopyKeptFromAResultOutlivesTheNextSearch) {
  NodexaList* request = runtime.Build({"Inkjet"});
  const NodexaList* found = FindPorts(request);
  ASSERT_EQ(found->last - found->first, 3);
  String kept = found->first[0];
  ++reinterpret_cast<unsigned char*>(kept.text)[-1];
  const std::string text = runtime.Text(&kept);

  EXPECT_EQ(FindPorts(request), found);
  EXPECT_EQ(runtime.Text(&kept), text);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(kept.text)[-1], 0);
  runtime.DestroyString(&kept);
  runtime.Delete(request);
}

// Lists no msvcp60 program could build: each export refuses them with its
// failure result and log line, reads nothing and runs no discovery.
TEST_F(Msvcp60Caller, RefusesListsThatDescribeNoList) {
  String strings[2] = {};
  char text[] = "\0Inkjet";
  strings[0] = {nullptr, text + 1, 6, 6};
  String* const first = strings;
  const struct {
    const char* name;
    NodexaList list;
    String string;
  } cases[] = {
      {"last without first", {nullptr, nullptr, first + 1, first + 1}, strings[0]},
      {"first and last swapped", {nullptr, first + 1, first, first + 1}, strings[0]},
      {"end before last", {nullptr, first, first + 1, first}, strings[0]},
      {"half a string",
       {nullptr, first, reinterpret_cast<String*>(&first->length), first + 1},
       strings[0]},
      {"no text but a length", {nullptr, first, first + 1, first + 1}, {nullptr, nullptr, 3, 3}},
      {"longer than its storage",
       {nullptr, first, first + 1, first + 1},
       {nullptr, text + 1, 7, 6}},
  };
  Lines log;
  for (const auto& c : cases) {
    strings[0] = c.string;
    EXPECT_TRUE(nodexa::test::ReadList(FindPorts(&c.list)).empty()) << c.name;
    EXPECT_TRUE(nodexa::test::ReadList(FindAllPorts(&c.list)).empty()) << c.name;
    EXPECT_EQ(FindAllPortsFiltered(&c.list), nullptr) << c.name;
    log.insert(log.end(),
               {"Nodexa::FindPorts:Invalid Parameters passed to FindPorts",
                "Nodexa::FindAllPorts:Invalid Parameters passed to FindAllPorts",
                "Nodexa::FindPortsFiltered:Invalid Parameters passed to FindPortsFiltered"});
    EXPECT_EQ(medium.LogLines(), log) << c.name;
    EXPECT_TRUE(Journal().empty()) << c.name;
  }
}

}  // namespace
