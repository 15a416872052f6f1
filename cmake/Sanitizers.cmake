# The sanitizer leg: every target, ours and GoogleTest alike, is instrumented so
# that a report anywhere on the road fails the run.
if(Q3V_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
