# Fails unless every file of FILES imports system DLLs only, so that it runs
# alone on a setup medium: no MinGW runtime DLL (libstdc++-6.dll,
# libgcc_s_seh-1.dll, libwinpthread-1.dll) beside it.
# Reads the import table printed by TOOL -p (objdump).
cmake_policy(SET CMP0057 NEW)  # IN_LIST
set(system_dlls
  advapi32.dll cfgmgr32.dll gdi32.dll iphlpapi.dll kernel32.dll msvcrt.dll newdev.dll ntdll.dll
  ole32.dll oleaut32.dll rpcrt4.dll setupapi.dll shell32.dll shlwapi.dll user32.dll version.dll
  winspool.drv ws2_32.dll)

foreach(file IN LISTS FILES)
  execute_process(COMMAND ${TOOL} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not read the imports of ${file}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
  if(NOT names)
    message(FATAL_ERROR "${file}: no import table found")
  endif()
  set(foreign)
  foreach(name IN LISTS names)
    string(REGEX REPLACE "^DLL Name: *" "" name "${name}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" lower)
    if(NOT lower IN_LIST system_dlls)
      list(APPEND foreign ${name})
    endif()
  endforeach()
  if(foreign)
    message(FATAL_ERROR "${file} imports DLLs that are not part of Windows: ${foreign}")
  endif()
  message(STATUS "${file}: system DLLs only")
endforeach()
