#include "exports/export_table.h"

#include "exports/export_fixture.h"

namespace nodexa::test {

namespace {

const char kInformation[] =
    "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED><NETDEFAULTS>1</NETDEFAULTS>\n";

std::string NotFound(const std::string& tag, const char* module) {
  return "Nodexa::" + tag + ":Function in " + module + " '{function}' not found ";
}

const char kNoHcp[] = "Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll";
const char kNoInst[] = "Nodexa::GetInstallDLLFilePath:Cannot find the file xxxxinst.dll";

// The port searches' requests, made before any allocation is made to fail.
const PortList kInkjetRequest{"Inkjet"};
const PortList kFilteredRequest{"QuorvexQX100", "Addresses", "PORTA", ""};

std::vector<ExportUnderTest> MakeExports() {
  std::vector<ExportUnderTest> exports;
  // References handed out below stay valid.
  exports.reserve(32);
  auto add = [&exports](const char* name, const char* module, std::vector<const char*> functions,
                        const char* tag, const std::string& argument,
                        int32_t (*call)(const char*)) -> ExportUnderTest& {
    ExportUnderTest& e = exports.emplace_back();
    e.name = name;
    e.module = module;
    e.functions = std::move(functions);
    e.argument = argument;
    e.call = call;
    const bool hcp = std::string(module) == "QVXAhcp.dll";
    e.missingFunctionLine = NotFound(tag, hcp ? "hcp.dll" : "inst.dll");
    e.missingModuleLine = hcp ? kNoHcp : kNoInst;
    return e;
  };
  auto search = [&add](const char* name, const char* tag,
                       int32_t (*call)(const char*)) -> ExportUnderTest& {
    ExportUnderTest& e = add(name, "QVXAhcp.dll", {"Discover", "Enumerate"}, tag, "", call);
    e.answers = OfficeNetwork();
    e.success = 3;
    e.countsRecords = true;
    e.bufferFunction = "Enumerate";
    e.judgesFillingCall = false;
    return e;
  };

  add("ConfigurePortIP", "QVXAhcp.dll", {"Configure"}, "ConfigurePortIP",
      "10.0.0.5|1|10.0.0.255|255.255.255.0|QX|00-11-22-33-44-55|10.0.0.1", ConfigurePortIP);
  add("RegisterNetworkSubnets", "QVXAhcp.dll", {"RegisterRemoteSubnets"}, "RegisterRemoteSubnets",
      "10.1.2.0|10.9.0.0:255.255.0.0", RegisterNetworkSubnets)
      .keepsModule = true;
  search("FindPorts", "hcpGetDiscoveredPorts",
         [](const char*) { return DiscoveredRecords(FindPorts(kInkjetRequest.get())); });
  search("FindAllPorts", "hcpGetDiscoveredPorts", [](const char*) {
    return DiscoveredRecords(FindAllPorts(kInkjetRequest.get()));
  }).asksConfiguration = true;
  search("FindAllPortsFiltered", "GetDiscoveredPorts", [](const char*) {
    return std::max(0, FilteredLines(FindAllPortsFiltered(kFilteredRequest.get())));
  }).success = 7;
  add("CreateP2PPortIP", "QVXAinst.dll", {"CreateP2PPort"}, "CreateP2PPortIP", "\\\\SERVER\\LASER",
      CreateP2PPortIP);
  // Wine's spooler knows no other computer's shares.
  add("VerifySharedPrinterExists", "QVXAinst.dll", {"VerifySharedPrinter"},
      "VerifySharedPrinterExists", "SERVER|LASER|QX", VerifySharedPrinterExists)
      .success = TestMachine::IsStandIn() ? 1 : 0;
  add("AddFirewallException", "QVXAinst.dll",
      {"AddProgramFirewallException", "EnableFirewallExceptionsQcs", "CreateP2PExceptions"},
      "AddFirewallException", "P2P", AddFirewallException);
  add("RemoveFirewallException", "QVXAinst.dll", {"RemoveProgramFirewallException"},
      "RemoveFirewallException", "", [](const char*) { return RemoveFirewallException(); });
  auto query = [&add](const char* name, const char* argument,
                      int32_t (*call)(const char*)) -> ExportUnderTest& {
    ExportUnderTest& e =
        add(name, "QVXAinst.dll", {"GetINAInfoQcs"}, "GetINAInfoQcs", argument, call);
    e.answers = kInformation;
    e.bufferFunction = "GetINAInfoQcs";
    return e;
  };
  query("IsINAAttached", "USB001", IsINAAttached);
  // Longer than the first buffer, so the second call is reached too.
  query("IsINADefault", "USB001", IsINADefault).answers += "GetINAInfoQcs.pad=1500\n";
  {
    ExportUnderTest& e = query("DoesINAPrinterExists", "QuorvexQX100", DoesINAPrinterExists);
    e.needsStandIn = true;
    e.success = TestMachine::IsStandIn() ? 1 : 0;
  }
  {
    ExportUnderTest& e = add("GetScannerRegisterInfo", "QVXAinst.dll", {"GetScannerHostInfoQcs"},
                             "GetScannerRegisterInfo", kResultKey, GetScannerRegisterInfo);
    e.answers =
        "GetScannerHostInfoQcs.text=<PcName>414200</PcName><CodePage>1252</CodePage>"
        "<PinNumber>1234</PinNumber>\n";
    e.storedName = "GetScannerRegisterInfo";
    e.stored = "AB|1252|1234";
    e.bufferFunction = "GetScannerHostInfoQcs";
  }
  add("SetScannerRegisterInfo", "QVXAinst.dll", {"SetScannerHostInfoQcs"}, "SetScannerRegisterInfo",
      std::string("USB001|AB|932|") + kResultKey + "|1234", SetScannerRegisterInfo);
  {
    ExportUnderTest& e =
        add("ValidateUnicodeString", "QVXAgrd.dll",
            {"CreateCGrdDlgInstance", "DestroyCGrdDlgInstance"}, "", "", ValidateUnicodeString);
    e.argument = std::string("{module}|Office PC|Name|") + kResultKey;
    e.storedName = "ValidateUnicodeString";
    e.stored = "Office PC";
    e.missingFunctionLine =
        "Nodexa::ValidateUnicodeString:Error loading function CGrdDlgCreate or CGrdDlgDestroy "
        "from Grd.dll{module}";
    e.missingModuleLine = "Nodexa::ValidateUnicodeString:Error loading DLL {module}";
  }
  return exports;
}

}  // namespace

const std::vector<ExportUnderTest>& ExportsUnderTest() {
  static const std::vector<ExportUnderTest> exports = MakeExports();
  return exports;
}

std::string Substituted(std::string text, const std::string& name, const std::string& value) {
  const std::string placeholder = "{" + name + "}";
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
  return text;
}

}  // namespace nodexa::test
