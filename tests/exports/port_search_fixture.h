// What the port-search tests share: a setup medium with the stand-in
// host-communication module describing a small office network, product.ini,
// and the records those devices must give.
#ifndef NODEXA_TESTS_EXPORTS_PORT_SEARCH_FIXTURE_H_
#define NODEXA_TESTS_EXPORTS_PORT_SEARCH_FIXTURE_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "harness/device_descriptions.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace nodexa::test {

using Lines = std::vector<std::string>;

// A laser printer or scanner; scanners carry a MODEL_ID (`modelId` "" leaves
// the element out).
inline std::string NetworkDevice(const std::string& name, const std::string& address,
                                 const std::string& strid, const std::string& modelId) {
  std::string text = "<IPNAME>" + name + "</IPNAME><IPADDRESS>" + address +
                     "</IPADDRESS><IPNETMASK>255.255.255.0</IPNETMASK><SUBNETADDRESS>10.1.2.0"
                     "</SUBNETADDRESS><ADAPTERCAP>262144</ADAPTERCAP><1284STRID>" +
                     strid + "</1284STRID>";
  if (!modelId.empty()) text += "<MODEL_ID>" + modelId + "</MODEL_ID>";
  return text;
}

// Three QX-100 inkjets (configured, unconfigured, configured without
// adapter capabilities), one inkjet of another model, a laser printer and
// two scanners, one of the maker and one of another brand. The inkjets
// have a CPD attached.
inline std::string OfficeNetwork() {
  return "attached=" + InkjetDevice("QX100-3344AB", "10.1.2.3", "262144", "0011223344AB", "1") +
         "\nattached=" + InkjetDevice("QX100-3344CD", "0.0.0.0", "264192", "0011223344CD", "1") +
         "\nunattached=" + NetworkDevice("LP7", "10.1.2.7", "Quorvex LP-7", "") +
         "\nattached=" + InkjetDevice("QX100-3344EF", "10.1.2.4", "", "0011223344EF", "2") +
         "\nattached=" +
         InkjetDevice("QX900-000001", "10.1.2.5", "262144", "001122000001", "1", "QX-900") +
         "\nunattached=" + NetworkDevice("SX5", "10.1.2.9", "Quorvex SX-5", "31") +
         "\nunattached=" + NetworkDevice("ACME5", "10.1.2.10", "Acme SX-5", "32") + "\n";
}

// The inkjet records of OfficeNetwork for the model "QX-100 Series" and the
// port-name prefix "Quorvex QX Port"; `marker` is "" or the marker field.
inline Lines InkjetRecords(const std::string& marker) {
  const std::string tail = "|DHCP|10.1.2.255|";
  return {"Quorvex_QX_Port_3344AB_P1|" + marker + "10.1.2.3|QX-100 Series|0011223344AB|1|Bidi" +
              tail + "QX100-3344AB|10.1.2.1|255.255.255.0",
          "#unconfigured#|" + marker + "0.0.0.0|QX-100 Series|0011223344CD|-1|NoBidi" + tail +
              "QX100-3344CD|10.1.2.1|255.255.255.0",
          "Quorvex_QX_Port_3344EF_P2|" + marker + "10.1.2.4|QX-100 Series|0011223344EF|1|NoBidi" +
              tail + "QX100-3344EF|10.1.2.1|255.255.255.0"};
}

// The discovered records of OfficeNetwork among a port search's answer (-1
// for no list at all).
inline int32_t DiscoveredRecords(const NodexaList* found) {
  if (found == nullptr) return -1;
  return static_cast<int32_t>(std::count_if(found->begin(), found->end(), [](const std::string& r) {
    return r.find("|10.1.2.") != std::string::npos || r.find("|0.0.0.0|") != std::string::npos;
  }));
}

// The number of lines of a filtered search, whose list the caller owns (-1
// for null).
inline int32_t FilteredLines(const NodexaList* found) {
  const std::unique_ptr<const NodexaList> owned(found);
  return owned != nullptr ? static_cast<int32_t>(owned->size()) : -1;
}

// Writes the medium's rule file (Setup\Config\Product.ini).
inline void WriteRuleFile(const TestMedium& medium, const std::string& text) {
  const std::filesystem::path folder = medium.Root() / "Setup" / "Config";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "Product.ini", std::ios::binary) << text;
}

// A rule set "Addresses" giving the address of every record that has one,
// so a filtered search's lines count the discovered printers.
inline const char kAddressRuleFile[] =
    "[NetworkInstallData]\nAddresses=<Filter><Any>1</Any></Filter><Output><IPADDRESS/></Output>\n";

class PortSearchTest : public ::testing::Test {
 protected:
  PortSearchTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll");
    medium.SetAnswers("QVXAhcp.dll", OfficeNetwork());
    Product(
        "[GENERAL]\nProductKey=QX-100 Series\nOEMDisplay=Quorvex\n"
        "[NetworkStuff]\nPORTNAME_PREFIX=Quorvex QX Port\n");
  }
  ~PortSearchTest() override { SetupDebugLog(""); }

  void Product(const std::string& text) const {
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini", std::ios::binary) << text;
  }
  Lines Journal() const { return medium.Journal("QVXAhcp.dll"); }
  // The module's journal with Enumerate's buffer sizes left out, so its
  // lines read "Enumerate", a tab and the filter.
  Lines Calls() const {
    Lines calls;
    for (std::string line : Journal()) {
      const size_t size =
          line.rfind("Enumerate\t", 0) == 0 ? line.find('\t', 10) : std::string::npos;
      if (size != std::string::npos) line.erase(10, size - 10 + 1);
      calls.push_back(line);
    }
    return calls;
  }

  TestMachine machine{WindowsMachineRegistry()};
  TestMedium medium;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_EXPORTS_PORT_SEARCH_FIXTURE_H_
