# The sanitizer leg: every target, ours and GoogleTest alike, is instrumented so
# that a report anywhere on the road fails the run.
if(Q3V_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # With the address sanitizer's instrumentation inlined, GCC's overlap check
    # reports impossible overlaps inside the standard library's string copies.
    add_compile_options(-Wno-restrict)
  endif()
endif()
# The thread leg: the go thread, the connect thread and the host's UI thread
# share the link's and the monitor's words; a data race anywhere fails it.
if(Q3V_SANITIZE_THREAD)
  if(Q3V_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with the address sanitizer")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
