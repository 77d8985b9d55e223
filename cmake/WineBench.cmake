# Windows test executables run under Wine on the private bench of this build tree.
set(LUMORA_WINE_BENCH ${CMAKE_SOURCE_DIR}/scripts/wine-bench.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMORA_WINE_BENCH};run;${CMAKE_BINARY_DIR})
# Which Wine runs this tree's programs.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(WRITE ${CMAKE_BINARY_DIR}/wine-arch win64)
else()
  file(WRITE ${CMAKE_BINARY_DIR}/wine-arch win32)
endif()

# Adds a test that runs a GoogleTest program on the bench, which must run
# exactly COUNT tests and end with status 0 after its summary; the bench
# starts before the first such test and is torn down after the last, also
# when tests fail.
#   lumora_add_wine_test(NAME COUNT TARGET [ARGS...])
function(lumora_add_wine_test name count target)
  if(NOT TEST wine_bench_start)
    add_test(NAME wine_bench_start COMMAND bash ${LUMORA_WINE_BENCH} start ${CMAKE_BINARY_DIR})
    add_test(NAME wine_bench_stop COMMAND bash ${LUMORA_WINE_BENCH} stop ${CMAKE_BINARY_DIR})
    set_tests_properties(wine_bench_start PROPERTIES FIXTURES_SETUP WineBench TIMEOUT 600)
    set_tests_properties(wine_bench_stop PROPERTIES FIXTURES_CLEANUP WineBench TIMEOUT 60)
  endif()
  add_test(NAME ${name}
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/run-gtest.sh ${CMAKE_BINARY_DIR} ${count}
                   $<TARGET_FILE:${target}> ${ARGN})
  # The test programs end a test that hangs themselves; this is for a hang
  # outside any test.
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED WineBench TIMEOUT 300)
endfunction()
