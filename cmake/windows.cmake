# Cross build: the module QXGEU.DLL, the reference host and the Windows tests.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(QXGE_WIN_SOURCES
  src/platform/registry_key.cpp
  src/platform/win_file.cpp
  src/platform/host_address.cpp
  src/config/profile_storage_win.cpp
  src/config/version_macros_win.cpp
  src/collections/user_registry.cpp
  src/host/driver_ui_app.cpp
  src/tools/printer_lookup.cpp
  src/record/record_cache.cpp
  src/record/record_report_win.cpp
  src/platform/dialog.cpp
  src/config/dialog_localiser.cpp
  src/host/settings_page.cpp
  src/host/usage_tips.cpp
  src/host/page_help.cpp
  src/host/page_factory.cpp
  src/host/file_refresh.cpp
  src/tools/paper_names.cpp
  src/collections/collection_item.cpp
  src/collections/favorites.cpp
)

add_library(qxge_win STATIC ${QXGE_PORTABLE_SOURCES} ${QXGE_WIN_SOURCES})
target_include_directories(qxge_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_win PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxge_win PUBLIC comctl32 winspool advapi32 user32 gdi32 version ws2_32 kernel32)

# The exported functions, as objects: the 32-bit linker only resolves the .def file's
# undecorated names against objects, and the benchmark runs them in its own process.
add_library(qxge_exports OBJECT src/host/exports.cpp)
target_include_directories(qxge_exports PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_exports PRIVATE ${QXGE_WARNINGS})

# The shipped module: system DLLs only, no MinGW runtime DLLs.
add_library(QXGEU SHARED
  src/host/dll_main.cpp
  $<TARGET_OBJECTS:qxge_exports>
  src/resources/qxgeu.rc
  src/resources/qxgeu.def)
set_target_properties(QXGEU PROPERTIES PREFIX "" OUTPUT_NAME QXGEU SUFFIX ".DLL")
target_compile_options(QXGEU PRIVATE ${QXGE_WARNINGS})
target_link_libraries(QXGEU PRIVATE qxge_win)
target_link_options(QXGEU PRIVATE -static-libgcc -static-libstdc++ -static -Wl,--enable-stdcall-fixup)
add_custom_command(TARGET QXGEU POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QXGE_TRIPLET}-objdump -DMODULE=$<TARGET_FILE:QXGEU>
          -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake
  VERBATIM)

# Host side of the contract: used by the reference host and by the Windows tests.
add_library(qxhostlib STATIC refhost/host_sheet.cpp refhost/module_package.cpp)
target_include_directories(qxhostlib PUBLIC ${CMAKE_SOURCE_DIR}/refhost ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxhostlib PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxhostlib PUBLIC comctl32 winspool gdiplus user32 gdi32)

add_executable(qxhost refhost/main.cpp)
target_compile_options(qxhost PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxhost PRIVATE qxhostlib)
target_link_options(qxhost PRIVATE -municode -mconsole -static-libgcc -static-libstdc++ -static)

# Model packages as a printer ships them: the module under the model's own name beside its files.
function(qxge_stage_package sample model)
  set(dir ${CMAKE_BINARY_DIR}/packages/${sample})
  add_custom_target(package_${sample} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:QXGEU> ${dir}/${model}U.DLL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/samples/${sample} ${dir}
    DEPENDS QXGEU
    COMMENT "Staging the ${sample} model package")
endfunction()
qxge_stage_package(office QX5000)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  qxge_add_gtest()
  file(TO_NATIVE_PATH "${CMAKE_SOURCE_DIR}" src_dir_native)
  string(REPLACE "/" "\\\\" src_dir_win "Z:${CMAKE_SOURCE_DIR}")
  string(REPLACE "/" "\\\\" bin_dir_win "Z:${CMAKE_BINARY_DIR}")

  file(GLOB QXGE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(unit_tests ${QXGE_UNIT_TESTS})
  target_link_libraries(unit_tests PRIVATE qxge_win gtest_main)
  target_link_options(unit_tests PRIVATE -static)
  add_test(NAME unit_tests_wine COMMAND unit_tests)

  file(GLOB QXGE_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(win_tests ${QXGE_WIN_TESTS})
  target_link_libraries(win_tests PRIVATE qxhostlib qxge_win gtest_main)
  target_link_options(win_tests PRIVATE -static)
  target_compile_definitions(win_tests PRIVATE
    QXGE_SOURCE_DIR=L"${src_dir_win}" QXGE_BINARY_DIR=L"${bin_dir_win}")
  add_dependencies(win_tests QXGEU qxtest_monitor)
  # A port monitor that the spooler loads for the tests, with ports of the monitors the
  # printer lookups know.
  add_library(qxtest_monitor SHARED tests/win/monitor/test_port_monitor.cpp)
  set_target_properties(qxtest_monitor PROPERTIES PREFIX "")
  target_link_options(qxtest_monitor PRIVATE -static)
  add_test(NAME win_tests COMMAND win_tests)
  set_tests_properties(win_tests PROPERTIES ENVIRONMENT "QXGE_PRINTER=QX_Office")
endif()

add_executable(qxbench bench/bench_main.cpp $<TARGET_OBJECTS:qxge_exports>)
target_compile_options(qxbench PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxbench PRIVATE qxhostlib qxge_win)
add_dependencies(qxbench package_office)
target_link_options(qxbench PRIVATE -municode -static)
