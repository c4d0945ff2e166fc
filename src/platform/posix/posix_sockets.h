// The Windows Sockets address helpers the library uses. POSIX has them under
// the same names and with the same results (network byte order, INADDR_NONE
// for text that is no address), so the system's own serve here.
#ifndef NODEXA_PLATFORM_POSIX_SOCKETS_H_
#define NODEXA_PLATFORM_POSIX_SOCKETS_H_

#include <arpa/inet.h>

#endif  // NODEXA_PLATFORM_POSIX_SOCKETS_H_
