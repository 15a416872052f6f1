# Each target compiles its sources in batches, one translation unit a batch:
# the standard and platform headers every file includes are parsed once a
# batch instead of once a file, which is most of the build's time.
#
# Files in one batch share one file scope, so the batches are planned, not
# cut in source order: cmake/unity_plan.py keeps apart two files when one
# keeps a name to itself (anonymous namespace, static, a constant, a macro)
# that the other mentions. A new file needs nothing listed anywhere.
option(Q3V_UNITY "Compile each target's sources in batches" ON)
set(Q3V_UNITY_BATCH_SIZE 16 CACHE STRING "Most files in one batch of the unity build")
find_package(Python3 COMPONENTS Interpreter)
if(Q3V_UNITY AND NOT Python3_Interpreter_FOUND)
  message(WARNING "No Python 3 to plan the unity build's batches: every file compiles alone")
endif()

# q3v_unity_targets(<folder> <list variable>): the targets of the folder and
# of the folders below it that compile C++ files.
function(q3v_unity_targets folder result)
  set(found ${${result}})
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY|STATIC_LIBRARY|OBJECT_LIBRARY)$")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(folders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(below IN LISTS folders)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${below}" ours)
    if(ours)
      q3v_unity_targets(${below} found)
    endif()
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

# q3v_unity_plan(): called once every target is known; hands every target's
# C++ sources to the planner and applies its batches.
function(q3v_unity_plan)
  if(NOT Q3V_UNITY OR NOT Python3_Interpreter_FOUND)
    return()
  endif()
  set(targets)
  q3v_unity_targets(${PROJECT_SOURCE_DIR} targets)
  set(manifest "")
  set(inputs ${PROJECT_SOURCE_DIR}/cmake/unity_plan.py)
  foreach(target IN LISTS targets)
    get_target_property(folder ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    if(NOT sources)
      continue()
    endif()
    set(cxx_sources)
    foreach(source IN LISTS sources)
      if(source MATCHES "^\\$<" OR NOT source MATCHES "\\.(cpp|cc|cxx)$")
        continue()
      endif()
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} NORMALIZE)
      string(APPEND manifest "${folder}\t${target}\t${source}\n")
      list(APPEND inputs ${source})
    endforeach()
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
  endforeach()
  set(manifest_file ${CMAKE_BINARY_DIR}/unity_manifest.txt)
  set(plan_file ${CMAKE_BINARY_DIR}/unity_plan.cmake)
  file(WRITE ${manifest_file} "${manifest}")
  execute_process(COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/unity_plan.py ${manifest_file}
                          ${plan_file} ${Q3V_UNITY_BATCH_SIZE}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Planning the unity build's batches failed")
  endif()
  include(${plan_file})
  # An edited source may start or stop keeping a name to itself: the plan is
  # made again whenever one changes.
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inputs})
endfunction()
