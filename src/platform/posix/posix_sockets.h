// The Windows Sockets address helpers the library uses, `inet_addr` (dotted
// text to an address in network byte order, INADDR_NONE for text it
// rejects) and `ntohl`, which POSIX provides under the same names.
#ifndef NODEXA_PLATFORM_POSIX_SOCKETS_H_
#define NODEXA_PLATFORM_POSIX_SOCKETS_H_

#include <arpa/inet.h>

#endif  // NODEXA_PLATFORM_POSIX_SOCKETS_H_
