# Native Linux build of the portable core: unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and libFuzzer targets when the compiler is clang.
set(QXGE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(qxge_portable STATIC ${QXGE_PORTABLE_SOURCES})
target_include_directories(qxge_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_portable PRIVATE ${QXGE_WARNINGS})
target_compile_options(qxge_portable PUBLIC ${QXGE_SANITIZE} -g)
target_link_options(qxge_portable PUBLIC ${QXGE_SANITIZE})
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # The fuzzers steer by coverage of the code under test, not only of their own source; the
  # sanitizer runtime answers these hooks in the unit tests.
  target_compile_options(qxge_portable PRIVATE -fsanitize=fuzzer-no-link)
endif()

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
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
    target_link_libraries(${name} PRIVATE qxge_portable)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # A short bounded run keeps every test run exercising the parsers on fresh inputs; the time
    # bound holds the targets whose inputs cost milliseconds (write-back, full reports). It
    # starts from the kept seeds and only reads them: a run that found nothing leaves no file.
    set(args -runs=200000 -max_total_time=10 -max_len=4096 -seed=1)
    file(GLOB seeds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name}/*)
    if(seeds)
      list(JOIN seeds "," seedList)
      list(APPEND args -seed_inputs=${seedList})
    endif()
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.dict)
      list(APPEND args -dict=${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.dict)
    endif()
    add_test(NAME ${name} COMMAND ${name} ${args})
  endforeach()
endif()

# The comparison benchmark measures the code as shipped: optimised, without sanitizers.
add_library(qxge_portable_plain STATIC ${QXGE_PORTABLE_SOURCES})
target_include_directories(qxge_portable_plain PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qxge_portable_plain PRIVATE ${QXGE_WARNINGS} -O2)
add_executable(record_bench bench/record_bench.cpp)
target_compile_options(record_bench PRIVATE ${QXGE_WARNINGS} -O2)
target_link_libraries(record_bench PRIVATE qxge_portable_plain)

# The package checker ships as built here: optimised, without sanitizers. Its own tests build
# the checks against the sanitized core and run the program over every sample package, so a
# new sample is checked the day it lands.
add_executable(qxcheck qxcheck/main.cpp ${QXCHECK_SOURCES})
target_compile_options(qxcheck PRIVATE ${QXGE_WARNINGS} -O2)
target_link_libraries(qxcheck PRIVATE qxge_portable_plain)

add_executable(qxcheck_tests tests/qxcheck/package_check_test.cpp ${QXCHECK_SOURCES})
target_include_directories(qxcheck_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(qxcheck_tests PRIVATE qxge_portable gtest_main)
add_test(NAME qxcheck_tests COMMAND qxcheck_tests)
add_test(NAME qxcheck_samples COMMAND sh -c "\"$0\" \"$1\"/samples/*/" $<TARGET_FILE:qxcheck> ${CMAKE_SOURCE_DIR})
# A sample passes clean: a warning fails it as much as an error.
set_tests_properties(qxcheck_samples PROPERTIES FAIL_REGULAR_EXPRESSION ": (warning|error|note): ")
