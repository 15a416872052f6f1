# Warning flags for our own targets only (third-party code keeps its own).
function(q3v_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(Q3V_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
