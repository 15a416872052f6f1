# Compiled resources (the Windows build). The resource tables in res/ stay the
# one source: a generator made from them with the machine's own compiler
# (tools/rcgen, built here as a project of its own) writes each table as a
# resource script with the bitmap, icon and animation files it names, and
# the cross toolchain's resource compiler compiles the script into the
# modules. The layer still reads the same tables through Q3vResourceTable.
include(ExternalProject)

set(Q3V_RCGEN_DIR ${CMAKE_BINARY_DIR}/rcgen)
set(Q3V_RCGEN_PROGRAMS rcgen_plugin rcgen_host rcgen_ui_tests rcgen_test_module)
list(TRANSFORM Q3V_RCGEN_PROGRAMS PREPEND ${Q3V_RCGEN_DIR}/ OUTPUT_VARIABLE Q3V_RCGEN_PATHS)
# Built every time the build runs, which is a quick no-op unless a table or
# the generator changed; the scripts are written again only when a
# generator program is.
ExternalProject_Add(q3v_rcgen
                    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/rcgen
                    BINARY_DIR ${Q3V_RCGEN_DIR}
                    CMAKE_ARGS -DCMAKE_CXX_COMPILER=c++ -DCMAKE_BUILD_TYPE=Release
                               -DQ3V_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DQ3V_WERROR=${Q3V_WERROR}
                    BUILD_ALWAYS ON
                    INSTALL_COMMAND ""
                    LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON
                    BUILD_BYPRODUCTS ${Q3V_RCGEN_PATHS})

# q3v_compiled_resources(<target> <generator program> [options...]): an
# object library of the resources of the program's table, which a module
# links to carry them; the options go to the generator
# (--common-controls-6: the manifest of version 6 of the common controls).
function(q3v_compiled_resources target generator)
  set(folder ${CMAKE_BINARY_DIR}/resources/${target})
  set(script ${folder}/${target}.rc)
  add_custom_command(OUTPUT ${script}
                     COMMAND ${Q3V_RCGEN_DIR}/${generator} ${folder} ${target}.rc ${ARGN}
                     DEPENDS q3v_rcgen ${Q3V_RCGEN_DIR}/${generator}
                     COMMENT "Writing the resource script ${target}.rc" VERBATIM)
  add_library(${target} OBJECT ${script})
endfunction()
