# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer (clang only).
# Everything is instrumented for coverage and checked by the sanitizers; only
# the fuzz targets link libFuzzer's driver (nodexa_fuzz_target in fuzz/).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "NODEXA_FUZZ needs clang; the fuzz preset selects clang-14")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
