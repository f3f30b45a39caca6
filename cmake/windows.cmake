# Cross build: the module QXGEU.DLL, the reference host and the Windows tests.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(QXGE_WIN_SOURCES
  src/platform/registry_key.cpp
  src/platform/win_file.cpp
  src/platform/picture.cpp
  src/platform/host_address.cpp
  src/config/profile_storage_win.cpp
  src/config/version_macros_win.cpp
  src/collections/user_registry.cpp
  src/app/driver_ui_app.cpp
  src/printer/printer_lookup.cpp
  src/collections/record_cache.cpp
  src/record/record_report_win.cpp
  src/platform/dialog.cpp
  src/platform/tooltip_relay.cpp
  src/config/dialog_localiser.cpp
  src/pagebase/settings_page.cpp
  src/pagebase/usage_tips.cpp
  src/pagebase/page_help.cpp
  src/host/page_factory.cpp
  src/host/file_refresh.cpp
  src/printer/paper_names.cpp
  src/collections/collection_item.cpp
  src/collections/favorites.cpp
  src/collections/custom_papers.cpp
  src/collections/watermarks.cpp
  src/collections/overlays.cpp
  src/pagebase/favorites_box.cpp
  src/pagebase/font_attributes.cpp
  src/preview/preview_painter.cpp
  src/preview/preview_wnd.cpp
  src/preview/layout_preview.cpp
  src/preview/printer_preview.cpp
  src/preview/watermark_preview.cpp
  src/preview/color_sample_preview.cpp
  src/preview/decoration.cpp
  src/preview/decoration_file.cpp
  src/preview/photo_preview.cpp
  src/pages/numeric_controls.cpp
  src/pages/layout_page.cpp
  src/pages/custom_page_size_dialog.cpp
  src/pages/paper_page.cpp
  src/pages/graphics_page.cpp
  src/pages/basics_page.cpp
  src/pages/deco_page.cpp
  src/pages/overlay_page.cpp
  src/pages/watermark_page.cpp
  src/pages/extras_page.cpp
  src/pages/printer_page.cpp
  src/pages/sentry_dialog.cpp
  src/pages/about_page.cpp
  src/pages/troubleshooting_page.cpp
  src/pagebase/web_links.cpp
  src/printer/status_watch.cpp
  src/printer/raw_job.cpp
  src/preview/owner_drawn.cpp
)

# The module's names, which the host side needs too to find the user's data.
add_library(qxge_names STATIC src/app/module_names.cpp)
target_include_directories(qxge_names PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_names PRIVATE ${QXGE_WARNINGS})
set(QXGE_PORTABLE_WIN_SOURCES ${QXGE_PORTABLE_SOURCES})
list(REMOVE_ITEM QXGE_PORTABLE_WIN_SOURCES src/app/module_names.cpp)

add_library(qxge_win STATIC ${QXGE_PORTABLE_WIN_SOURCES} ${QXGE_WIN_SOURCES})
target_include_directories(qxge_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_win PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxge_win PUBLIC qxge_names comctl32 comdlg32 winspool advapi32 user32 gdi32 ole32 oleaut32 uuid version ws2_32 shell32
                      imm32 kernel32)

# The exported functions, as objects: the 32-bit linker only resolves the .def file's
# undecorated names against objects, and the benchmark runs them in its own process.
add_library(qxge_exports OBJECT src/host/exports.cpp)
target_include_directories(qxge_exports PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_exports PRIVATE ${QXGE_WARNINGS})

# Pictures of the resource library, the module's cursor and the samples' bitmap files,
# drawn into the build tree.
set(QXGE_PICTURES ${CMAKE_BINARY_DIR}/pictures)
add_custom_command(
  OUTPUT ${QXGE_PICTURES}/pictures.stamp
  COMMAND bash ${CMAKE_SOURCE_DIR}/reslib/draw_pictures.sh ${QXGE_PICTURES}
  COMMAND ${CMAKE_COMMAND} -E touch ${QXGE_PICTURES}/pictures.stamp
  DEPENDS ${CMAKE_SOURCE_DIR}/reslib/draw_pictures.sh
  COMMENT "Drawing the pictures"
  VERBATIM)
add_custom_target(qxge_pictures DEPENDS ${QXGE_PICTURES}/pictures.stamp)
set_source_files_properties(src/resources/qxgeu.rc reslib/qxgeu2.rc PROPERTIES
  OBJECT_DEPENDS ${QXGE_PICTURES}/pictures.stamp)

# The resource library: data only, no entry point, no imports.
add_library(QXGEU2 SHARED reslib/qxgeu2.rc)
set_target_properties(QXGEU2 PROPERTIES PREFIX "" OUTPUT_NAME QXGEU2 SUFFIX ".dll" LINKER_LANGUAGE C)
target_include_directories(QXGEU2 PRIVATE ${QXGE_PICTURES})
# Entry point 0: the loader runs nothing in it.
target_link_options(QXGEU2 PRIVATE -nostdlib -Wl,-e,0)
add_dependencies(QXGEU2 qxge_pictures)
add_custom_command(TARGET QXGEU2 POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QXGE_TRIPLET}-objdump -DMODULE=$<TARGET_FILE:QXGEU2>
          -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake
  VERBATIM)

# The resource compiler's includes are not scanned for dependencies.
set_source_files_properties(src/resources/qxgeu.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/resources/pages.rc;${CMAKE_SOURCE_DIR}/src/resources/page_layout.rh;${CMAKE_SOURCE_DIR}/src/resources/resource.h;${CMAKE_SOURCE_DIR}/src/resources/version.h")

# A library we ship, NAME.DLL: system DLLs only, no MinGW runtime DLLs beside it, its exports
# by the undecorated names of its .def file.
function(qxge_shipped_dll name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ".DLL")
  target_compile_options(${name} PRIVATE ${QXGE_WARNINGS})
  target_link_options(${name} PRIVATE -static-libgcc -static-libstdc++ -static -Wl,--enable-stdcall-fixup)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QXGE_TRIPLET}-objdump -DMODULE=$<TARGET_FILE:${name}>
            -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake
    VERBATIM)
endfunction()

# The shipped module. The 32-bit one also serves a host in the 16-bit subsystem, which no
# 64-bit system has.
set(QXGE_MODULE_EXPORTS QXGE_PageInfo QXGE_DialogProc QXGE_Page0CallBack QXGE_GetText QXGE_SaveDefDevMode)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(TRANSFORM QXGE_MODULE_EXPORTS APPEND _Th16 OUTPUT_VARIABLE twins)
  list(APPEND QXGE_MODULE_EXPORTS ${twins})
  set(QXGE_MODULE_SOURCES src/host/bridge16_win.cpp src/resources/qxgeu_x86.def)
else()
  set(QXGE_MODULE_SOURCES src/resources/qxgeu.def)
endif()
qxge_shipped_dll(QXGEU
  src/host/dll_main.cpp
  $<TARGET_OBJECTS:qxge_exports>
  src/resources/qxgeu.rc
  ${QXGE_MODULE_SOURCES})
# A host finds the functions by these names alone: no more, no fewer, none decorated.
list(JOIN QXGE_MODULE_EXPORTS "," exportList)
add_custom_command(TARGET QXGEU POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QXGE_TRIPLET}-objdump -DMODULE=$<TARGET_FILE:QXGEU> -DEXPORTS=${exportList}
          -P ${CMAKE_SOURCE_DIR}/cmake/check_exports.cmake
  VERBATIM)
target_include_directories(QXGEU PRIVATE ${QXGE_PICTURES})
add_dependencies(QXGEU qxge_pictures)
target_link_libraries(QXGEU PRIVATE qxge_win)

# Host side of the contract: used by the reference host, the configuration module and the
# Windows tests.
add_library(qxhostlib STATIC src/sheethost/host_sheet.cpp src/sheethost/modal_sheet.cpp src/sheethost/module_package.cpp)
target_include_directories(qxhostlib PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxhostlib PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxhostlib PUBLIC qxge_names comctl32 winspool user32 gdi32 advapi32)

add_executable(qxhost refhost/main.cpp)
target_compile_options(qxhost PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxhost PRIVATE qxhostlib gdiplus)
target_link_options(qxhost PRIVATE -municode -mconsole -static-libgcc -static-libstdc++ -static)

add_executable(qxcheck qxcheck/main.cpp ${QXCHECK_SOURCES})
target_compile_options(qxcheck PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxcheck PRIVATE qxge_win)
target_link_options(qxcheck PRIVATE -static-libgcc -static-libstdc++ -static)

# What a model's translators need: the template text file and its coverage (scripts/translation-template.sh).
add_executable(qxlang qxlang/main.cpp qxlang/package_run.cpp)
target_compile_options(qxlang PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxlang PRIVATE qxhostlib qxge_win)
target_link_options(qxlang PRIVATE -municode -mconsole -static-libgcc -static-libstdc++ -static)

# The printer driver's configuration module: the printing system loads it and it hosts the
# model package's plug-in.
qxge_shipped_dll(QXDRVUI
  src/driver/config_module.cpp
  src/driver/driver_package.cpp
  src/driver/qxdrvui.def)
target_link_libraries(QXDRVUI PRIVATE qxhostlib)

# Registers the driver with the printing system and creates its printer (scripts/install-driver.sh).
add_executable(qxdrvsetup src/driver/driver_setup.cpp)
target_compile_options(qxdrvsetup PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxdrvsetup PRIVATE winspool)
target_link_options(qxdrvsetup PRIVATE -municode -mconsole -static-libgcc -static-libstdc++ -static)

# Model packages as a printer ships them: the module under the model's own name beside its files.
function(qxge_stage_package sample model)
  set(dir ${CMAKE_BINARY_DIR}/packages/${sample})
  set(pictures ${QXGE_PICTURES}/${sample})
  # The About pages' banners (tall, wide, captioned, each for 256 colours and for more) and
  # the maker's logo that one of them lays on its banner.
  set(about_pictures)
  foreach(picture Y X E D B A Z)
    list(APPEND about_pictures COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/${picture}.bmp ${dir}/${model}U${picture}.bmp)
  endforeach()
  add_custom_target(package_${sample} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    # A model ships the module without the debugging information the build keeps.
    COMMAND ${QXGE_TRIPLET}-objcopy --strip-debug $<TARGET_FILE:QXGEU> ${dir}/${model}U.DLL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:QXGEU2> ${dir}/${model}U2.dll
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/samples/${sample} ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/L.bmp ${dir}/${model}UL.bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/printer.bmp ${dir}/${model}U.bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/printer1.bmp ${dir}/${model}U1.bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/C.bmp ${dir}/${model}UC.Bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/C2.bmp ${dir}/${model}UC2.Bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/G.bmp ${dir}/${model}UG.Bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}/G2.bmp ${dir}/${model}UG2.Bmp
    ${about_pictures}
    DEPENDS QXGEU QXGEU2 qxge_pictures
    COMMENT "Staging the ${sample} model package")
endfunction()
qxge_stage_package(office QX5000)
qxge_stage_package(compact QX300)
qxge_stage_package(color QX700)
qxge_stage_package(photo QX900)

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
  add_executable(win_tests ${QXGE_WIN_TESTS} $<TARGET_OBJECTS:qxge_exports>)
  target_link_libraries(win_tests PRIVATE qxhostlib qxge_win gtest_main)
  target_link_options(win_tests PRIVATE -static)
  target_compile_definitions(win_tests PRIVATE
    QXGE_SOURCE_DIR=L"${src_dir_win}" QXGE_BINARY_DIR=L"${bin_dir_win}")
  add_dependencies(win_tests QXGEU QXGEU2 QXDRVUI qxdrvsetup package_office qxtest_monitor qxtest_html_help qxtest_recorder
                   qxtest_settings)
  # A browser and URL handler that keeps each command line it is started with.
  add_executable(qxtest_recorder tests/win/recorder/command_recorder.cpp)
  set_target_properties(qxtest_recorder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/recorder)
  target_link_options(qxtest_recorder PRIVATE -municode -static)
  # A second program that asks the printing system for a printer's settings.
  add_executable(qxtest_settings tests/win/settings_probe/printer_settings.cpp)
  target_link_libraries(qxtest_settings PRIVATE winspool)
  target_link_options(qxtest_settings PRIVATE -municode -static)
  # The HTML Help control as the tests see it: it keeps each request instead of showing it.
  add_library(qxtest_html_help SHARED tests/win/help_recorder/html_help_recorder.cpp)
  # Kept out of bin, where the reference host would find it first.
  set_target_properties(qxtest_html_help PROPERTIES PREFIX "" OUTPUT_NAME hhctrl SUFFIX ".ocx"
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/recorder)
  target_link_options(qxtest_html_help PRIVATE -static)
  # A port monitor that the spooler loads for the tests, with ports of the monitors the
  # printer lookups know.
  add_library(qxtest_monitor SHARED tests/win/monitor/test_port_monitor.cpp)
  set_target_properties(qxtest_monitor PROPERTIES PREFIX "")
  target_link_options(qxtest_monitor PRIVATE -static)
  add_test(NAME win_tests COMMAND win_tests)
  # The template and coverage of the office sample, and what bad text files get.
  add_dependencies(win_tests qxlang qxhost)
  add_test(NAME translation_template COMMAND bash ${CMAKE_SOURCE_DIR}/tests/lang/translation_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(translation_template PROPERTIES TIMEOUT 600 ENVIRONMENT "QXGE_PRINTER=QX_Office")
  # Wine's own HTML Help control would shadow the tests' recorder of the same name.
  # A dialog nobody answers would wait for ever: a hang fails the run instead of using it up.
  set_tests_properties(win_tests PROPERTIES TIMEOUT 1500
                       ENVIRONMENT "QXGE_PRINTER=QX_Office;WINEDLLOVERRIDES=mscoree,mshtml=\\;hhctrl.ocx=n")
endif()

add_executable(qxbench bench/bench_main.cpp $<TARGET_OBJECTS:qxge_exports>)
target_compile_options(qxbench PRIVATE ${QXGE_WARNINGS})
target_link_libraries(qxbench PRIVATE qxhostlib qxge_win)
add_dependencies(qxbench package_office)
target_link_options(qxbench PRIVATE -municode -static)
