# The product folder (dist/ in the Windows build): exactly the files a user
# copies into the host's plug-in folder. The plug-in, its resource module,
# the platform module it links, the compiler's run-time DLLs they import, and
# the data files the plug-in opens beside itself; no test, benchmark or
# simulator file. It is made afresh each time, so that nothing left over from
# an earlier build lies in it. `./run windows` builds it and checks that every
# DLL a module in it imports is either a system DLL or in the folder.
set(Q3V_PRODUCT_DIR ${CMAKE_BINARY_DIR}/dist)
set(Q3V_PRODUCT_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${Q3V_PRODUCT_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${Q3V_PRODUCT_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Q3vVk3> $<TARGET_FILE:Q3vVk3ExtRes> $<TARGET_FILE:q3v_platform>
            ${Q3V_WINDOWS_RUNTIME_FILES} ${Q3V_PRODUCT_DIR})
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
add_dependencies(q3v_product Q3vVk3 Q3vVk3ExtRes q3v_platform)
