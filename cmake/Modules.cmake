# Modules keep their Windows names on every build: "Name.dll" without a "lib"
# prefix, so that the plug-in's file rules (module folder, upper-case .CNF name,
# scanning for driver modules) work unchanged.
# Only what a module exports is visible to the others, as on Windows.
function(q3v_windows_module target)
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".dll"
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(NOT WIN32)
    # Modules find the platform layer beside themselves, and every symbol they
    # use must be resolved when they are linked, as a Windows module's are.
    set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# A program (test, simulated host) that runs from the bin folder.
function(q3v_program target)
  q3v_warnings(${target})
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN")
  endif()
endfunction()

# A module of the Windows product folder: the compiler's run time (libstdc++,
# libgcc, winpthread) is linked into it, so that it imports system DLLs only.
# A host loads a plug-in's imports through its own search path, not the
# plug-in's folder, and its process may hold other DLLs of those names.
function(q3v_product_module target)
  target_link_options(${target} PRIVATE -static)
endfunction()
