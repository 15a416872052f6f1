# Each target compiles its sources in batches, one translation unit a batch:
# the standard and platform headers every file includes are parsed once a
# batch instead of once a file, which is most of the build's time.
option(Q3V_UNITY "Compile each target's sources in batches" ON)
set(CMAKE_UNITY_BUILD ${Q3V_UNITY})
set(CMAKE_UNITY_BUILD_BATCH_SIZE 16)

# Files that keep a file-local name a batch neighbour also uses compile alone.
set(Q3V_UNITY_SEPARATE
    breaks/break_store.cpp
    console/breakpoint_display.cpp
    events/break_condition_set_address.cpp
    events/break_condition_table.cpp
    hostui/host_service_f_higher.cpp
    hostui/host_ui_single_calls.cpp
    link/channel_download.cpp
    link/channel_flash_loops.cpp
    link/channel_unlock.cpp
    link/firm_registers.cpp
    link/flash_vectors.cpp
    link/flash_write_back.cpp
    link/frame_packet.cpp
    monitor/event_trace_provider.cpp
    monitor/execution_preparation.cpp
    monitor/memory_access.cpp
    monitor/monitor_control.cpp
    monitor/monitor_copy.cpp
    monitor/monitor_engine.cpp
    monitor/monitor_output.cpp
    monitor/run_state_monitor.cpp
    platform/linux/code_page_utf8.cpp
    platform/linux/file_handles.cpp
    platform/linux/tokens.cpp
    sim/emulator/boot_program.cpp
    sim/host/debug_session.cpp
    sim/host/program_image.cpp
    sim/host/session_services.cpp
    sim/host/ui_registry.cpp
    sim/host/workspace_services.cpp
    startup/device_names.cpp
    startup/device_selection.cpp
    startup/emulator_mode_page.cpp
    startup/firmware_info_file.cpp
    startup/firmware_location_page.cpp
    startup/id_code_entry_dlg.cpp
    startup/start_stop_functions.cpp
    startup/swti_boot.cpp
    target/exec_steps.cpp
    target/target_config.cpp
    target/target_factories.cpp
    target/target_memory_vk3.cpp
    target/target_vk3.cpp
    tests/breaks/break_store_test.cpp
    tests/breaks/set_break_sheet_test.cpp
    tests/emulator/boot_conversation_test.cpp
    tests/emulator/boot_program_test.cpp
    tests/emulator/faults_test.cpp
    tests/frame/component_manager_test.cpp
    tests/frame/target_base_test.cpp
    tests/hostui/container_window_test.cpp
    tests/hostui/host_debug_services_test.cpp
    tests/hostui/host_output_wrapper_test.cpp
    tests/hostui/host_service_a_test.cpp
    tests/hostui/host_service_b_test.cpp
    tests/hostui/host_service_d_test.cpp
    tests/hostui/host_service_e_test.cpp
    tests/hostui/host_service_f_higher_test.cpp
    tests/hostui/host_service_f_test.cpp
    tests/hostui/host_services_small_test.cpp
    tests/hostui/host_services_walk_test.cpp
    tests/hostui/host_ui_manager_test.cpp
    tests/hostui/instance_data_ctrl_test.cpp
    tests/hostui/item_lists_test.cpp
    tests/hostui/named_icon_items_test.cpp
    tests/hostui/setup_commands_test.cpp
    tests/link/link_facade_test.cpp
    tests/link/link_faults_test.cpp
    tests/link/link_road_test.cpp
    tests/link/link_storm.cpp
    tests/road/break_road_test.cpp
    tests/road/connect_road_test.cpp
    tests/road/console_road_test.cpp
    tests/road/demo_road_test.cpp
    tests/road/device_selection_road_test.cpp
    tests/road/event_road_test.cpp
    tests/road/memory_road_test.cpp
    tests/road/run_control_road_test.cpp
    tests/road/setup_menu_road_test.cpp
    tests/road/status_road_test.cpp
    tests/startup/firmware_location_test.cpp
    tests/startup/setup_dialogs_test.cpp
    tests/util/string_join_test.cpp
    tests/util/string_lists_test.cpp
    tests/util/string_sort_test.cpp
    tests/util/string_split_test.cpp
    tests/util/string_text_test.cpp
    util/placeholder_text.cpp
    util/string_text.cpp
    util/ui_text_helpers.cpp
)

# q3v_unity_separate(): marks those files in every folder that makes a
# target, as a source file's properties are per folder.
function(q3v_unity_separate)
  set(files)
  foreach(file IN LISTS Q3V_UNITY_SEPARATE)
    list(APPEND files ${PROJECT_SOURCE_DIR}/${file})
  endforeach()
  if(files)
    set_property(SOURCE ${files}
                 DIRECTORY ${PROJECT_SOURCE_DIR} platform res sim/host sim/emulator tests tests/modules fuzz bench
                 PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
  endif()
endfunction()
