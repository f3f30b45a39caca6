# Native Linux build of the portable core: unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and libFuzzer targets when the compiler is clang.
set(QXGE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(qxge_portable STATIC ${QXGE_PORTABLE_SOURCES})
target_include_directories(qxge_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_portable PRIVATE ${QXGE_WARNINGS})
target_compile_options(qxge_portable PUBLIC ${QXGE_SANITIZE} -g)
target_link_options(qxge_portable PUBLIC ${QXGE_SANITIZE})

qxge_add_gtest()
file(GLOB QXGE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${QXGE_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE qxge_portable gtest_main)
add_test(NAME unit_tests COMMAND unit_tests)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB QXGE_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${QXGE_FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE qxge_portable)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # A short bounded run keeps every test run exercising the parsers on fresh inputs.
    add_test(NAME ${name} COMMAND ${name} -runs=200000 -max_len=4096 -seed=1)
  endforeach()
endif()
