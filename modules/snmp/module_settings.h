// How the SNMP discovery module searches, from the INI file beside it
// (QVXAhcp.dll reads QVXAhcp.ini, section [SNMP]). Every setting has a
// default that works on an office network, so the file is optional; a
// value that is missing, not a number or out of its range keeps the
// default.
//
//   Community=public      community string of every request
//   Version=2c            2c, or 1 for agents that speak SNMPv1 only
//   ReplyWindow=2000      ms a broadcast waits for replies at most
//   QuietTime=300         ms without a reply that end a round early
//   Timeout=300           ms before a request is sent again
//   Retries=1             times a request is sent again
//   InFlight=256          requests awaiting a reply at once
//   Pace=200              µs between two requests sent
#ifndef NODEXA_MODULES_SNMP_MODULE_SETTINGS_H_
#define NODEXA_MODULES_SNMP_MODULE_SETTINGS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "snmp/snmp_message.h"

namespace nodexa::snmp {

struct Settings {
  std::string community = "public";
  Version version = Version::V2c;
  uint32_t replyWindowMs = 2000;
  uint32_t quietMs = 300;
  uint32_t timeoutMs = 300;
  uint32_t retries = 1;
  uint32_t inFlight = 256;
  uint32_t paceMicroseconds = 200;
};

// The settings of an INI text; see above.
Settings ParseSettings(std::string_view iniText);

// The settings of the INI file at `path`; the defaults when it cannot be
// read or is larger than an INI file of a few settings can be (64 KiB).
Settings ReadSettings(const std::string& path);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_MODULE_SETTINGS_H_
