// Calls the installed library the way a setup program does. There is no
// setup medium around it, so the adapter question finds no module and
// answers 0.
#include <nodexa/nodexa.h>

#include <cstdio>

int main() {
  if (SetupDebugLog("") != 1) {
    std::puts("SetupDebugLog did not answer 1");
    return 1;
  }
  if (IsINAAttached("USB001") != 0) {
    std::puts("IsINAAttached answered without a setup medium");
    return 1;
  }
  std::puts("consumer: the installed library answered");
  return 0;
}
