// ConfigurePortIP, RegisterNetworkSubnets, the peer-to-peer exports and the
// firewall exceptions through the built library: what the stand-in module
// receives, what each export answers and logs.
#include <gtest/gtest.h>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Bracketed;
using nodexa::test::CallCase;
using nodexa::test::Lines;

const std::string kCurrent =
    "1|10.1.2.3|10.1.2.255|255.255.255.0|QX100-334455|00-11-22-33-44-55|10.1.2.1";
const std::string kIdentity =
    "Configure\t<IPADDRSOURCE>1</IPADDRSOURCE><IPADDRESS>10.1.2.3</IPADDRESS>"
    "<BROADCASTADDRESS>10.1.2.255</BROADCASTADDRESS><IPNETMASK>255.255.255.0</IPNETMASK>"
    "<IPNAME>QX100-334455</IPNAME><MACUAA>00-11-22-33-44-55</MACUAA>"
    "<IPGATEWAY>10.1.2.1</IPGATEWAY>\t";
const char kInvalidConfiguration[] = "Nodexa::ConfigurePortIP:Invalid Parameter passed";

// RegisterNetworkSubnets leaves its module loaded and initialised.
CallCase Subnets(const char* name, const char* subnets, const std::string& text) {
  return CallCase{name,
                  "QVXAhcp.dll",
                  "",
                  subnets,
                  RegisterNetworkSubnets,
                  1,
                  {"Load", "Initialize\t1", "RegisterRemoteSubnets\t" + text},
                  {}};
}

const std::string kShare = "VerifySharedPrinter\t<SYSTEMNAME>SERVER</SYSTEMNAME><SHARENAME>";
const char kSharedPrinters[] =
    "[Printer Office Laser]\nServer=\\\\SERVER\nShare=LASER\nDriver=Quorvex QX-100 Series\n"
    "[Printer Front Desk]\nServer=\\\\SERVER\nShare=desk.jet\nDriver=Other Driver\n"
    "[Printer Team]\nServer=\\\\SERVER\nShare=\xC9QUIPE\nDriver=Quorvex QX-100 Series\n";
const char kNoSuchPrinter[] =
    "Nodexa::VerifySharedPrinterExists:Other Driver doesn't exist on network path "
    "\\SERVER\\LASER";

CallCase Share(const char* name, const char* values, int32_t result, const Lines& journal,
               const Lines& log = {}) {
  return CallCase{name, "QVXAinst.dll", "", values, CreateP2PPortIP, result, journal, log};
}

// The firewall exports with the install-support module named ABCDinst.dll,
// whose prefix names the program.
const std::string kProgram =
    "<PROGRAMPATH>{system}\\ABCDcoms.exe</PROGRAMPATH>"
    "<DISPLAYNAME>Quorvex Communications System</DISPLAYNAME>";
const std::string kAddProgram = "AddProgramFirewallException\t" + kProgram;
const char kNetwork[] = "EnableFirewallExceptionsQcs\t<QCSNETWORKEXCEPTION>1</QCSNETWORKEXCEPTION>";
const char kInvalidKind[] = "Nodexa::AddFirewallException:Invalid parameter passed to function";

CallCase Firewall(const char* name, const char* answers, const char* kind, int32_t result,
                  const Lines& calls, const Lines& log = {}) {
  return CallCase{name,   "ABCDinst.dll",   answers, kind, AddFirewallException,
                  result, Bracketed(calls), log}
      .Variant("QVXAinst.dll");
}

class ConfigurationExports : public nodexa::test::CallTableTest {};

TEST_P(ConfigurationExports, SendAnswerAndLog) { Run(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Calls, ConfigurationExports,
    ::testing::Values(
        CallCase{"ConfigurePortIP seven values ask for DHCP", "QVXAhcp.dll", "", kCurrent,
                 ConfigurePortIP, 1, Bracketed({kIdentity + "<IPADDRSOURCE>1</IPADDRSOURCE>"}), {}},
        CallCase{"ConfigurePortIP ten values send the new settings", "QVXAhcp.dll", "",
                 kCurrent + "|10.9.8.7|255.255.0.0|10.9.0.1", ConfigurePortIP, 1,
                 Bracketed({kIdentity +
                            "<IPADDRSOURCE>0</IPADDRSOURCE><IPADDRESS>10.9.8.7</IPADDRESS>"
                            "<IPNETMASK>255.255.0.0</IPNETMASK><IPGATEWAY>10.9.0.1</IPGATEWAY>"}),
                 {}},
        CallCase{"ConfigurePortIP eight values", "QVXAhcp.dll", "", "1|2|3|4|5|6|7|8",
                 ConfigurePortIP, 0, Bracketed({}), {kInvalidConfiguration}},
        CallCase{"ConfigurePortIP null", "QVXAhcp.dll", "", "",
                 [](const char*) { return ConfigurePortIP(nullptr); }, 0, Bracketed({}),
                 {kInvalidConfiguration}},
        CallCase{"ConfigurePortIP failure logged unsigned", "QVXAhcp.dll", "Configure.result=-5\n",
                 kCurrent, ConfigurePortIP, 0,
                 Bracketed({kIdentity + "<IPADDRSOURCE>1</IPADDRSOURCE>"}),
                 {"Nodexa::ConfigurePortIP:Function in hcp.dll failed with error code "
                  "4294967291"}},
        Subnets("subnet with the default mask", "192.168.5.0",
                "<RemoteSubnets>192.168.5.0:255.255.255.0;</RemoteSubnets>"),
        Subnets("subnet mask kept", "10.1.2.0|10.9.0.0:255.255.0.0",
                "<RemoteSubnets>10.1.2.0:255.255.255.0;10.9.0.0:255.255.0.0;</RemoteSubnets>"),
        Subnets("empty subnet entry", "10.1.2.0||10.1.3.0",
                "<RemoteSubnets>10.1.2.0:255.255.255.0;:255.255.255.0;10.1.3.0:255.255.255.0;"
                "</RemoteSubnets>"),
        Subnets("no subnets send no element", "", ""),
        CallCase{"RegisterNetworkSubnets null loads nothing", "QVXAhcp.dll", "", "",
                 [](const char*) { return RegisterNetworkSubnets(nullptr); }, 0, {}, {}},
        CallCase{"RegisterNetworkSubnets failure keeps the module", "QVXAhcp.dll",
                 "RegisterRemoteSubnets.result=4294967295\n", "10.1.2.0", RegisterNetworkSubnets, 0,
                 {"Load", "Initialize\t1",
                  "RegisterRemoteSubnets\t<RemoteSubnets>10.1.2.0:255.255.255.0;</RemoteSubnets>"},
                 {"Nodexa::RegisterRemoteSubnets:Function in hcp.dll RegisterRemoteSubnets failed "
                  "with error code 4294967295"}},
        Share("P2P port of a UNC path", "\\\\SERVER\\LASER", 1, Bracketed(
                  {"CreateP2PPort\t<SYSTEMNAME>SERVER</SYSTEMNAME><SHARENAME>LASER</SHARENAME>"})),
        Share("P2P port of two values", "\\\\SERVER|LASER", 1,
              Bracketed({"CreateP2PPort\t<SYSTEMNAME>\\\\SERVER</SYSTEMNAME><SHARENAME>LASER"
                         "</SHARENAME>"})),
        Share("P2P path without a share is refused silently", "\\\\SERVER", 0, Bracketed({})),
        Share("P2P port of three values", "a|b|c", 0, Bracketed({}),
              {"Nodexa::CreateP2PPort:Invalid Parameter passed"}),
        CallCase{"P2P port failure", "QVXAinst.dll", "CreateP2PPort.result=-2\n",
                 "\\\\SERVER\\LASER", CreateP2PPortIP, 0,
                 Bracketed({"CreateP2PPort\t<SYSTEMNAME>SERVER</SYSTEMNAME><SHARENAME>LASER"
                            "</SHARENAME>"}),
                 {"Nodexa::CreateP2PPort:Function in hcp.dll CreateP2PPort failed with error "
                  "code 4294967294"}},
        CallCase{"shared printer needs three values", "QVXAinst.dll", "", "SERVER|LASER",
                 VerifySharedPrinterExists, 0, Bracketed({}),
                 {"Nodexa::VerifySharedPrinterExists:Invalid Parameter passed"}},
        CallCase{"shared printer check fails in the module", "QVXAinst.dll",
                 "VerifySharedPrinter.result=7\n", "SERVER|LASER|Other Driver",
                 VerifySharedPrinterExists, 0, Bracketed({kShare + "LASER</SHARENAME>"}),
                 {"Nodexa::VerifySharedPrinterExists:Function in xxxxinst.dll "
                  "VerifySharedPrinter failed with error code 7"}},
        CallCase{"shared printer in any case of the code page", "QVXAinst.dll", "",
                 "SERVER|\xE9quipe|QUORVEX QX-100 SERIES", VerifySharedPrinterExists, 1,
                 Bracketed({kShare + "\xE9quipe</SHARENAME>"}), {}}
            .Spooler(kSharedPrinters)
            .StandInOnly(),
        CallCase{"shared printers cannot be listed", "QVXAinst.dll", "",
                 "SERVER|LASER|Other Driver", VerifySharedPrinterExists, 0,
                 Bracketed({kShare + "LASER</SHARENAME>"}), {kNoSuchPrinter}}
            .Spooler("[Faults]\nEnumPrintersError=1722\n")
            .StandInOnly(),
        CallCase{"another driver on the share is not the printer", "QVXAinst.dll", "",
                 "SERVER|LASER|Other Driver", VerifySharedPrinterExists, 0,
                 Bracketed({kShare + "LASER</SHARENAME>"}), {kNoSuchPrinter}}
            .Spooler(kSharedPrinters),
        Firewall("firewall p2p", "", "p2p", 1,
                 {kAddProgram, "EnableFirewallExceptionsQcs\t<QCSP2PEXCEPTION>1</QCSP2PEXCEPTION>",
                  "CreateP2PExceptions"}),
        Firewall("firewall LOCAL", "", "LOCAL", 1, {kAddProgram, kNetwork}),
        Firewall("firewall unknown kind after the program", "", "USB", 0, {kAddProgram},
                 {kInvalidKind}),
        CallCase{"firewall null kind", "ABCDinst.dll", "", "",
                 [](const char*) { return AddFirewallException(nullptr); }, 0, Bracketed({}),
                 {kInvalidKind}}
            .Variant("QVXAinst.dll"),
        Firewall("firewall without CreateP2PExceptions for na", "", "NA", 1,
                 {kAddProgram, kNetwork})
            .Variant("QVXAinst-no-CreateP2PExceptions.dll"),
        Firewall("firewall program exception fails", "AddProgramFirewallException.result=5\n",
                 "P2P", 0, {kAddProgram},
                 {"Nodexa::AddFirewallException:Function in inst.dll AddProgramFirewallException "
                  "failed with error code 5"}),
        Firewall("firewall exceptions fail", "EnableFirewallExceptionsQcs.result=-1\n", "P2P", 0,
                 {kAddProgram, "EnableFirewallExceptionsQcs\t<QCSP2PEXCEPTION>1</QCSP2PEXCEPTION>"},
                 {"Nodexa::AddFirewallException:Function in inst.dll EnableFirewallExceptionsQcs "
                  "failed with error code 4294967295"}),
        Firewall("firewall P2P exceptions fail", "CreateP2PExceptions.result=87\n", "P2P", 0,
                 {kAddProgram, "EnableFirewallExceptionsQcs\t<QCSP2PEXCEPTION>1</QCSP2PEXCEPTION>",
                  "CreateP2PExceptions"},
                 {"Nodexa::AddFirewallException:Function in inst.dll CreateP2PExceptions failed "
                  "with error code 87"}),
        CallCase{"firewall removal sends the program", "ABCDinst.dll", "", "",
                 [](const char*) { return RemoveFirewallException(); }, 1,
                 Bracketed({"RemoveProgramFirewallException\t" + kProgram}), {}}
            .Variant("QVXAinst.dll"),
        CallCase{"firewall removal fails", "ABCDinst.dll",
                 "RemoveProgramFirewallException.result=2\n", "",
                 [](const char*) { return RemoveFirewallException(); }, 0,
                 Bracketed({"RemoveProgramFirewallException\t" + kProgram}),
                 {"Nodexa::RemoveFirewallException:Function in inst.dll "
                  "RemoveProgramFirewallException failed with error code 2"}}
            .Variant("QVXAinst.dll")),
    nodexa::test::CallCaseName);
// clang-format on

}  // namespace
