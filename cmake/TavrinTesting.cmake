# GoogleTest from Debian's sources, built with our toolchain; every test
# executable runs under Wine in a private prefix inside the build tree.
enable_testing()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
  if(TARGET ${t})
    target_compile_options(${t} PRIVATE -w)
  endif()
endforeach()

set(TAVRIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-exec.sh.in ${CMAKE_BINARY_DIR}/wine-exec.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec.sh)

# The prefix and a persistent wineserver for the whole run, stopped at the end.
add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh start ${TAVRIN_WINEPREFIX})
add_test(NAME wine.stop  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh stop ${TAVRIN_WINEPREFIX})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop  PROPERTIES FIXTURES_CLEANUP wine)

# tavrin_add_test(name SOURCES ... [LIBS ...] [LOCKS ...] [TIMEOUT s])
# LOCKS names shared resources (registry, simulated machine, fixed kernel
# objects, the desktop) that must not be used by two tests at once.
function(tavrin_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LOCKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_options gtest_main gmock ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${T_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

# tavrin_add_fuzz_replay(name SOURCES ... CORPUS folder [LIBS ...])
# A fuzz target built with a main that replays its corpus (the seeds and
# every input scripts/fuzz.sh kept) through it under Wine in the test run.
function(tavrin_add_fuzz_replay name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${CMAKE_SOURCE_DIR}/testsupport/FuzzReplayMain.cpp ${F_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_options ${F_LIBS})
  add_test(NAME ${name} COMMAND ${name} "Z:${F_CORPUS}")
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
endfunction()
