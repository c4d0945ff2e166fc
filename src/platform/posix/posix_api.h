// POSIX side of the platform seam: the Win32 types, constants and functions
// the library uses, declared with their Windows names and layouts and
// implemented over POSIX in this folder. Only what the library relies on is
// here; each area has its own header.
#ifndef NODEXA_PLATFORM_POSIX_API_H_
#define NODEXA_PLATFORM_POSIX_API_H_

#include "../open_file.h"
#include "../path_split.h"
#include "../wmi_query.h"
#include "posix_code_page.h"
#include "posix_environment.h"
#include "posix_file_operations.h"
#include "posix_file_search.h"
#include "posix_locale.h"
#include "posix_module.h"
#include "posix_print_directories.h"
#include "posix_print_spooler.h"
#include "posix_registry.h"
#include "posix_setupapi.h"
#include "posix_sockets.h"
#include "posix_system.h"
#include "posix_types.h"

#endif  // NODEXA_PLATFORM_POSIX_API_H_
