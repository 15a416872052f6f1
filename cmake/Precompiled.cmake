# Precompiled headers. The standard library (and, for the plug-in, the class
# library) is most of what each file compiles; compiling it once per target
# instead of once per file shortens a build severalfold. Only with clang: GCC
# 12 loses the system-header mark of what a precompiled header holds, so the
# standard library's own false warnings (array bounds, string overflows after
# inlining) would reach our warnings-as-errors builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(Q3V_PCH_DEFAULT ON)
else()
  set(Q3V_PCH_DEFAULT OFF)
endif()
option(Q3V_PCH "Precompile the headers every file of a target includes" ${Q3V_PCH_DEFAULT})

set(Q3V_PCH_STANDARD_HEADERS
    <algorithm> <array> <atomic> <cstdint> <cstring> <functional> <map> <memory> <mutex> <optional> <set>
    <string> <string_view> <unordered_map> <vector>)

# q3v_precompile(<target> [headers...]): the standard headers and the given
# ones, precompiled for the target.
function(q3v_precompile target)
  if(Q3V_PCH)
    target_precompile_headers(${target} PRIVATE ${Q3V_PCH_STANDARD_HEADERS} ${ARGN})
  endif()
endfunction()
