// The adapter queries, the scan-host registration and the text validation
// through the built library: what the stand-in module or component
// receives, what each export answers, logs and leaves in the registry.
#include <gtest/gtest.h>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Bracketed;
using nodexa::test::CallCase;
using nodexa::test::Lines;

const char kQuery[] = "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000";
const std::string kLongInformation =
    "<PAD>" + std::string(1200, 'p') + "</PAD><NETDEFAULTS>1</NETDEFAULTS>";

CallCase SetScanner(const char* name, const std::string& values, const std::string& sent) {
  return CallCase{name,
                  "QVXAinst.dll",
                  "",
                  values,
                  SetScannerRegisterInfo,
                  1,
                  Bracketed({"SetScannerHostInfoQcs\t" + sent}),
                  {}}
      .Stores("SetScannerRegisterInfo", "earlier");
}

CallCase GetScanner(const char* name, const char* information, int32_t result, const char* stored,
                    const std::string& more = "", const Lines& log = {}) {
  return CallCase{name,
                  "QVXAinst.dll",
                  std::string("GetScannerHostInfoQcs.text=") + information + "\n" + more,
                  nodexa::test::kResultKey,
                  GetScannerRegisterInfo,
                  result,
                  Bracketed({"GetScannerHostInfoQcs\t0",
                             "GetScannerHostInfoQcs\t" + std::to_string(strlen(information) + 1)}),
                  log}
      .Stores("GetScannerRegisterInfo", stored);
}

// The validation component's calls for `text` and the second text `name`.
CallCase Validate(const char* what, const std::string& answers, const std::string& text,
                  const std::string& name, const std::string& received, int32_t result,
                  const char* stored, const Lines& log = {}) {
  return CallCase{what,
                  "QVXAgrd.dll",
                  answers,
                  "{module}|" + text + "|" + name + "|" + nodexa::test::kResultKey,
                  ValidateUnicodeString,
                  result,
                  {"Load", "CreateCGrdDlgInstance", "Validate\t" + received,
                   "DestroyCGrdDlgInstance", "Unload"},
                  log}
      .Stores("ValidateUnicodeString", stored);
}

const std::string kLongText(600, 'x');
const char kInvalidText[] = "Nodexa::ValidateUnicodeString:Invalid Parameter passed";

class AdapterExports : public nodexa::test::CallTableTest {};

TEST_P(AdapterExports, SendAnswerLogAndStore) { Run(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Calls, AdapterExports,
    ::testing::Values(
        CallCase{"adapter query in a thousand-byte buffer", "QVXAinst.dll",
                 "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\n", "USB001", IsINAAttached, 1,
                 Bracketed({kQuery}), {}},
        CallCase{"long adapter information takes a second call", "QVXAinst.dll",
                 "GetINAInfoQcs.text=" + kLongInformation + "\n", "USB001", IsINADefault, 1,
                 Bracketed({kQuery, "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t" +
                                        std::to_string(kLongInformation.size() + 1)}), {}},
        CallCase{"adapter query fails at once", "QVXAinst.dll",
                 "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\nGetINAInfoQcs.result=5\n",
                 "USB001", IsINAAttached, 0, Bracketed({kQuery}),
                 {"Nodexa::GetINAInfoQcs(1):Function in inst.dll GetINAInfoQcs failed with error "
                  "code 5"}},
        CallCase{"adapter query fails on the second call", "QVXAinst.dll",
                 "GetINAInfoQcs.text=" + kLongInformation + "\nGetINAInfoQcs.result=-7\n", "USB001",
                 IsINAAttached, 0,
                 Bracketed({kQuery, "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t" +
                                        std::to_string(kLongInformation.size() + 1)}),
                 {"Nodexa::GetINAInfoQcs(2):Function in inst.dll GetINAInfoQcs failed with error "
                  "code 4294967289"}},
        CallCase{"adapter query without a port", "QVXAinst.dll", "", "",
                 [](const char*) { return IsINADefault(nullptr); }, 0, Bracketed({}),
                 {"Nodexa::GetINAInfoQcs:Invalid parameter passed to function"}},
        SetScanner("scan host in code page 1252 with the default PIN",
                   std::string("USB001|AB|1252|") + nodexa::test::kResultKey,
                   "<PORTNAME>USB001</PORTNAME><PcName>414200</PcName><CodePage>1252</CodePage>"
                   "<PinNumber>7391</PinNumber>"),
        SetScanner("scan host in code page 932 as UTF-16",
                   std::string("USB001|AB| 932 |") + nodexa::test::kResultKey + "|1234",
                   "<PORTNAME>USB001</PORTNAME><PcName>410042000000</PcName><CodePage>932"
                   "</CodePage><PinNumber>1234</PinNumber>"),
        SetScanner("scan host of six values keeps the default PIN", "USB001|AB|949|key|1234|extra",
                   "<PORTNAME>USB001</PORTNAME><PcName>410042000000</PcName><CodePage>949"
                   "</CodePage><PinNumber>7391</PinNumber>"),
        SetScanner("scan host name in the ANSI code page", "IP_10.1.2.3|pc\xE9|1252|key",
                   "<PORTNAME>IP_10.1.2.3</PORTNAME><PcName>7063e900</PcName><CodePage>1252"
                   "</CodePage><PinNumber>7391</PinNumber>"),
        CallCase{"scan host failure is recorded", "QVXAinst.dll",
                 "SetScannerHostInfoQcs.result=-5\n",
                 std::string("USB001|AB|1252|") + nodexa::test::kResultKey,
                 SetScannerRegisterInfo, 0,
                 Bracketed({"SetScannerHostInfoQcs\t<PORTNAME>USB001</PORTNAME><PcName>414200"
                            "</PcName><CodePage>1252</CodePage><PinNumber>7391</PinNumber>"}),
                 {"Nodexa::SetScannerRegisterInfo:Function in xxxxhcp.dll SetScannerHostInfo "
                  "failed with error code 4294967291"}}
            .Stores("SetScannerRegisterInfo", "-5"),
        CallCase{"scan host of three values", "QVXAinst.dll", "", "USB001|AB|1252",
                 SetScannerRegisterInfo, 0, Bracketed({}),
                 {"Nodexa::SetScannerRegisterInfo:Invalid Parameter passed"}},
        GetScanner("scan host read in code page 932",
                   "<PcName>410042000000</PcName><CodePage>932</CodePage><PinNumber>1234"
                   "</PinNumber>", 1, "AB|932|1234"),
        GetScanner("scan host elements in any case",
                   "<pcname>414243</pcname><CODEPAGE>1252</CODEPAGE>", 1, "ABC|1252|"),
        GetScanner("scan host name with a bad hex digit",
                   "<PcName>4G42</PcName><CodePage> 1252 </CodePage><PinNumber>1</PinNumber>", 1,
                   "@B|1252|1"),
        GetScanner("scan host last element wins",
                   "<PinNumber>1</PinNumber><PinNumber>2</PinNumber>", 1, "||2"),
        GetScanner("scan host read fails", "<PinNumber>3</PinNumber>", 0, "earlier",
                   "GetScannerHostInfoQcs.result=-7\n",
                   {"Nodexa::GetScannerRegisterInfo:Function in xxxxinst.dll GetScannerHostInfo "
                    "failed with error code -7"}),
        // An answer without its NUL, cut short inside an element: every byte counts.
        CallCase{"scan host settings without their NUL", "QVXAinst.dll",
                 "GetScannerHostInfoQcs.text=<PinNumber>1234</PinNumber><PcName>4142\n"
                 "GetScannerHostInfoQcs.nul=0\n",
                 nodexa::test::kResultKey, GetScannerRegisterInfo, 1,
                 Bracketed({"GetScannerHostInfoQcs\t0", "GetScannerHostInfoQcs\t39"}), {}}
            .Stores("GetScannerRegisterInfo", "AB||1234"),
        CallCase{"scan host settings absent", "QVXAinst.dll", "GetScannerHostInfoQcs.probe=0\n",
                 nodexa::test::kResultKey, GetScannerRegisterInfo, 0,
                 Bracketed({"GetScannerHostInfoQcs\t0"}), {}}
            .Stores("GetScannerRegisterInfo", "earlier"),
        Validate("accepted text is stored", "Validate.answer=Office PC\n", "Office  PC", "Name",
                 "Name\tOffice  PC\t10\t1", 1, "Office PC"),
        // Code page 1252 in: e acute; out: U with diaeresis.
        Validate("texts cross as UTF-16", "Validate.answer=\xC3\x9C"
                 "ber\n", "Caf\xE9", "", "\tCaf\xC3\xA9\t4\t1", 1, "\xDC"
                 "ber"),
        Validate("empty text has length zero", "", "", "Name", "Name\t\t0\t1", 1, ""),
        Validate("a long text fits a component that takes its length for the room",
                 "Validate.capacity=length\n", kLongText, "Name", "Name\t" + kLongText + "\t600\t1",
                 1, kLongText.c_str()),
        Validate("returned length cuts the answer", "Validate.answer=abcdef\nValidate.length=3\n",
                 "x", "Name", "Name\tx\t1\t1", 1, "abc"),
        Validate("rejected text leaves the earlier value",
                 "Validate.result=0\nValidate.answer=bad\n", "x", "Name", "Name\tx\t1\t1", 0,
                 "earlier", {"Nodexa::ValidateUnicodeString:Error Validating Unicode String."}),
        CallCase{"validation of three values loads nothing", "QVXAgrd.dll", "", "{module}|a|b",
                 ValidateUnicodeString, 0, {}, {kInvalidText}}
            .Stores("ValidateUnicodeString", "earlier"),
        CallCase{"validation of null", "QVXAgrd.dll", "", "",
                 [](const char*) { return ValidateUnicodeString(nullptr); }, 0, {},
                 {kInvalidText}}),
    nodexa::test::CallCaseName);
// clang-format on

class INAFlags : public nodexa::test::ExportTest {};

// An element counts when it holds 1, blanks aside; the last of a name decides.
TEST_F(INAFlags, OneOnly) {
  const struct {
    const char* information;
    int32_t attached;
    int32_t atDefaults;
  } cases[] = {
      {"<INASUPPORTED>1</INASUPPORTED><NETDEFAULTS>0</NETDEFAULTS>", 1, 0},
      {"<inasupported> 1 </inasupported><NetDefaults>1</NetDefaults>", 1, 1},
      {"<INASUPPORTED>01</INASUPPORTED><NETDEFAULTS>yes</NETDEFAULTS>", 0, 0},
      {"<INASUPPORTED>1</INASUPPORTED><INASUPPORTED>0</INASUPPORTED>", 0, 0},
      {"<INASUPPORTED>0</INASUPPORTED><OTHER>x</OTHER><INASUPPORTED>1</INASUPPORTED>", 1, 0},
      {"not tagged text", 0, 0},
  };
  medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
  for (const auto& c : cases) {
    medium.SetAnswers("QVXAinst.dll", std::string("GetINAInfoQcs.text=") + c.information + "\n");
    EXPECT_EQ(IsINAAttached("USB001"), c.attached) << c.information;
    EXPECT_EQ(IsINADefault("USB001"), c.atDefaults) << c.information;
  }
  EXPECT_TRUE(medium.LogLines().empty());
}

// A present USB printer of `model` on `port`.
std::string Printer(const std::string& instance, const std::string& model, const std::string& port,
                    const std::string& more = "") {
  return "[" + instance + "]\nHardwareID=USBPRINT\\" + model + "\nPortName=" + port + "\n" + more;
}

// Any port of the model whose adapter is supported answers 1; the ports are
// asked in turn until one query fails.
TEST_F(INAFlags, PrinterOfTheModelWithASupportedAdapter) {
  if (!nodexa::test::TestMachine::IsStandIn()) GTEST_SKIP() << "needs printers of the model";
  const std::string two = Printer("USB\\A\\1", "QuorvexQX100", "USB001") +
                          Printer("USB\\A\\2", "QuorvexQX100", "USB002");
  const std::string one = "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>";
  const std::string zero = "GetINAInfoQcs.text=<INASUPPORTED>0</INASUPPORTED>";
  const struct {
    const char* name;
    std::string devices;
    std::string answers;
    const char* argument;
    int32_t result;
    Lines queried;
  } cases[] = {
      {"first 0, second 1",
       two,
       zero + "\nGetINAInfoQcs.text.USB002=<INASUPPORTED> 1 </INASUPPORTED>",
       "QuorvexQX100",
       1,
       {"USB001", "USB002"}},
      {"every port 0", two, zero, "QuorvexQX100", 0, {"USB001", "USB002"}},
      {"second query fails",
       two,
       one + "\nGetINAInfoQcs.result.USB002=5",
       "QuorvexQX100",
       0,
       {"USB001", "USB002"}},
      {"first query fails",
       two,
       one + "\nGetINAInfoQcs.result.USB001=5",
       "QuorvexQX100",
       0,
       {"USB001"}},
      {"model without case, further values ignored",
       two,
       zero + "\nGetINAInfoQcs.text.USB002=" + "<INASUPPORTED>1</INASUPPORTED>",
       "quorvexqx100|QuorvexQX200",
       1,
       {"USB001", "USB002"}},
      {"other models, phantoms and root devices left out",
       Printer("USB\\B\\1", "QuorvexQX200", "USB003") +
           Printer("USB\\A\\3", "QuorvexQX100", "USB004", "Present=0\n") +
           Printer("ROOT\\PRINTER\\0000", "QuorvexQX100", "USB005") +
           Printer("USB\\A\\1", "QuorvexQX100", "USB001"),
       one,
       "QuorvexQX100",
       1,
       {"USB001"}},
      {"no printer of the model",
       Printer("USB\\B\\1", "QuorvexQX200", "USB003"),
       one,
       "QuorvexQX100",
       0,
       {}},
      {"null argument", two, one, nullptr, 0, {}},
  };
  medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
  const std::string prefix = "GetINAInfoQcs\t<PORTNAME>";
  for (const auto& c : cases) {
    devices.SetDevices(c.devices);
    medium.SetAnswers("QVXAinst.dll", c.answers + "\n");
    medium.ClearJournal("QVXAinst.dll");
    EXPECT_EQ(DoesINAPrinterExists(c.argument), c.result) << c.name;
    Lines queried;
    for (const std::string& line : Journal("QVXAinst.dll")) {
      if (line.compare(0, prefix.size(), prefix) != 0) continue;
      queried.push_back(line.substr(prefix.size(), line.find('<', prefix.size()) - prefix.size()));
    }
    EXPECT_EQ(queried, c.queried) << c.name;
  }
}

// A component named without an absolute path is never taken from the
// current folder, where anyone may have put one.
TEST_F(INAFlags, ValidationComponentNotTakenFromTheCurrentFolder) {
  medium.InstallModule("QVXAgrd.dll", "Planted.dll");
  Lines log;
  {
    const nodexa::test::CurrentFolder inside(medium.ModuleFolder());
    for (const std::string name : {"Planted.dll", "..\\x64\\Planted.dll", "../x64/Planted.dll"}) {
      const std::string values = name + "|text|name|" + nodexa::test::kResultKey;
      EXPECT_EQ(ValidateUnicodeString(values.c_str()), 0) << name;
      log.push_back("Nodexa::ValidateUnicodeString:Error loading DLL " + name);
    }
  }
  EXPECT_EQ(medium.LogLines(), log);
  EXPECT_TRUE(Journal("Planted.dll").empty());
}

}  // namespace
