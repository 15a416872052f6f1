# The Windows product.
#
# Its plug-in is a link of its own of the plug-in's objects: the platform
# layer (q3v_platform_static) and the compiler's run time are linked into it,
# so that it imports system DLLs only (cmake/Modules.cmake says why). The
# plug-in in bin/ is the test builds' own: it shares the platform module and
# the run time with the test programs, the simulated host and the simulated
# emulator, whose process-wide state (the clock, the UI driver, named events,
# module states) the tests rely on being one. Both are built from the same
# objects and carry the same compiled resources.
set(Q3V_PRODUCT_BUILD_DIR ${CMAKE_BINARY_DIR}/product)
add_library(Q3vVk3Product SHARED $<TARGET_OBJECTS:q3vvk3_objects> $<TARGET_OBJECTS:q3v_platform_module>
            ${Q3V_RESOURCE_TABLE_EXPORT})
target_include_directories(Q3vVk3Product PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(Q3vVk3Product PRIVATE q3v_platform_static q3v_plugin_resources)
set_target_properties(Q3vVk3Product PROPERTIES OUTPUT_NAME Q3vVk3 RUNTIME_OUTPUT_DIRECTORY ${Q3V_PRODUCT_BUILD_DIR}
                                               ARCHIVE_OUTPUT_DIRECTORY ${Q3V_PRODUCT_BUILD_DIR})
q3v_windows_module(Q3vVk3Product)
q3v_product_module(Q3vVk3Product)
q3v_warnings(Q3vVk3Product)

# The product folder (dist/): exactly the files a user copies into the host's
# plug-in folder. The plug-in, its resource module and the data files the
# plug-in opens beside itself; no test, benchmark or simulator file, and no
# other DLL. The modules are stripped (the build keeps its own copies with
# their debug information). The folder is made afresh each time, so that
# nothing left over from an earlier build lies in it. `./run windows` builds
# it and checks its imports, resources and files.
set(Q3V_PRODUCT_DIR ${CMAKE_BINARY_DIR}/dist)
set(Q3V_PRODUCT_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${Q3V_PRODUCT_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${Q3V_PRODUCT_DIR}
    COMMAND ${CMAKE_STRIP} -o ${Q3V_PRODUCT_DIR}/$<TARGET_FILE_NAME:Q3vVk3Product> $<TARGET_FILE:Q3vVk3Product>
    COMMAND ${CMAKE_STRIP} -o ${Q3V_PRODUCT_DIR}/$<TARGET_FILE_NAME:Q3vVk3ExtRes> $<TARGET_FILE:Q3vVk3ExtRes>)
set(Q3V_PRODUCT_DATA_SOURCES)
foreach(name IN LISTS Q3V_SHIPPED_DATA)
  get_filename_component(folder ${Q3V_PRODUCT_DIR}/${name} DIRECTORY)
  list(APPEND Q3V_PRODUCT_COMMANDS
       COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
       COMMAND ${CMAKE_COMMAND} -E copy ${Q3V_SHIPPED_DATA_DIR}/${name} ${Q3V_PRODUCT_DIR}/${name})
  list(APPEND Q3V_PRODUCT_DATA_SOURCES ${Q3V_SHIPPED_DATA_DIR}/${name})
endforeach()
add_custom_target(q3v_product ${Q3V_PRODUCT_COMMANDS}
                  DEPENDS ${Q3V_PRODUCT_DATA_SOURCES}
                  COMMENT "Assembling the product folder ${Q3V_PRODUCT_DIR}" VERBATIM)
add_dependencies(q3v_product Q3vVk3Product Q3vVk3ExtRes)
