# Small helpers so that every folder declares its tests, fuzz targets and benchmarks the same way.
include(GoogleTest)

# kv_host_test(name SOURCES ... LIBS ...): a native GoogleTest executable for portable code.
function(kv_host_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS host)
endfunction()

# kv_win_test(name SOURCES ... LIBS ...): a Windows GoogleTest executable, run under Wine as one process
# (a Wine process start is costly, so never one process per test case).
function(kv_win_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # One Windows test at a time: they share one display, its focus and what is on screen.
  set_tests_properties(${name} PROPERTIES LABELS win TIMEOUT 180 RESOURCE_LOCK wine_display)
endfunction()

# kv_fuzzer(name SOURCES ... LIBS ... CORPUS dir): a libFuzzer target; the test runs it over its saved corpus only.
function(kv_fuzzer name)
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR NOT KV_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name} COMMAND ${name} -runs=0 ${A_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

# kv_benchmark(name SOURCES ... LIBS ...): a Google Benchmark executable; run by hand, never by CTest.
function(kv_benchmark name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR KV_SANITIZE OR KV_FUZZ OR NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark)
endfunction()

# kv_shipped(target): the file is what users get, so it is stripped after linking; its debug information
# goes to <file>.debug beside it, linked by name so that a debugger finds it.
function(kv_shipped target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
