// The functions of the host-communication module ("*hcp.dll") as the
// library calls them. Strings are NUL-terminated narrow text owned by the
// caller; results are 32-bit, 0 for success.
#ifndef NODEXA_FRAME_HOST_COMMUNICATION_H_
#define NODEXA_FRAME_HOST_COMMUNICATION_H_

#include <cstdint>

namespace nodexa::hcp {

// Initialize and Uninitialize: no arguments, results ignored.
using LifecycleFn = int32_t (*)();
// Discover(parameters as tagged text).
using DiscoverFn = int32_t (*)(const char* parameters);
// Enumerate(buffer, size, &needed, filter): NUL-separated device records;
// a probe with size 0 answers 122 and the list's byte length.
using EnumerateFn = int32_t (*)(char* buffer, uint32_t size, uint32_t* needed, char* filter);
// Configure(current settings, requested settings), both tagged text.
using ConfigureFn = int32_t (*)(const char* current, const char* requested);
// RegisterRemoteSubnets(subnet list as tagged text, or "").
using RegisterRemoteSubnetsFn = int32_t (*)(const char* subnets);

}  // namespace nodexa::hcp

#endif  // NODEXA_FRAME_HOST_COMMUNICATION_H_
