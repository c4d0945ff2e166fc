# Sanitizers for everything built here: NODEXA_SANITIZE=ON (or "address")
# gives AddressSanitizer and UndefinedBehaviorSanitizer, "thread" gives
# ThreadSanitizer.
if(NODEXA_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
else()
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
