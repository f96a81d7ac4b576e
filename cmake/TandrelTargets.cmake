# Helpers that every folder uses to declare its code, its tests and where its outputs go.
#
# Pure logic (no windows.h) goes into static libraries that build natively and for Windows.
# Win32 code goes into object libraries that only the Windows build has. Each library names
# after USES the libraries whose headers it includes; layers only point down (see
# docs/architecture.md, checked by scripts/check-layers.py). The program links every one of
# them; a Win32 test links all or some object libraries, and fakes of its own for the rest.

set(TANDREL_WIN_SYSTEM_LIBS user32 gdi32 shell32 comctl32 winmm kernel32 advapi32)

# Every test has a time limit a few times its usual length, so that a hang fails within
# minutes rather than after ctest's 25: these by default, a longer one where a test that needs
# it is registered.
set(TANDREL_TIMEOUT_NATIVE 30)  # a native test: under 15 s
set(TANDREL_TIMEOUT_WINE 60)    # a test under Wine: 2 to 12 s with Wine's start (its prefix is made before)
set(TANDREL_TIMEOUT_E2E 180)    # the program end to end: 3 to 50 s on a busy machine

# Before any test runs, the build is brought up to date: the test tandrel_build, which every
# test requires, and which ctest adds to any choice of tests (-R, -L). A change that does not
# compile then fails the run instead of leaving the previous test program in place to pass.
add_test(NAME tandrel_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --config $<CONFIG> -j 2)
set_tests_properties(tandrel_build PROPERTIES FIXTURES_SETUP tandrel_built TIMEOUT 1800)

# The tests under Wine run side by side (ctest -j2 in test.sh), each lane in a Wine prefix of its
# own: every test ends by stopping its prefix's wineserver (tests/harness/wine-run.sh,
# tests/e2e/tandrel_e2e.py), and within one wineserver the low-level hooks, injected input, the
# foreground window and the clipboard are shared by everything on its desktop, so two tests in
# one prefix would see, and stop, each other. Lane 0 is the build's prefix (build/wineprefix,
# the one a test run by hand uses) under the lock "wine"; lane N is build/wineprefix-laneN, a
# copy of it made by the test wine_prefix, under the lock wine_laneN. Each test is given the
# next lane in the order of registration; a test that needs the machine to itself (it measures
# time, say) is registered with RUN_SERIAL as well.
set(TANDREL_WINE_LANES 2 CACHE STRING "How many Wine prefixes the tests under Wine are spread over")
set_property(GLOBAL PROPERTY TANDREL_WINE_LANE_NEXT 0)

# tandrel_wine_lane_prefix(out lane): the Wine prefix of that lane.
function(tandrel_wine_lane_prefix out lane)
  if(lane EQUAL 0)
    set(${out} ${CMAKE_BINARY_DIR}/wineprefix PARENT_SCOPE)
  else()
    set(${out} ${CMAKE_BINARY_DIR}/wineprefix-lane${lane} PARENT_SCOPE)
  endif()
endfunction()

# tandrel_wine_lane_lock(out lane): the RESOURCE_LOCK of that lane's prefix.
function(tandrel_wine_lane_lock out lane)
  if(lane EQUAL 0)
    set(${out} wine PARENT_SCOPE)
  else()
    set(${out} wine_lane${lane} PARENT_SCOPE)
  endif()
endfunction()

# tandrel_wine_lane(test): runs the test in the next lane: its prefix and its lock.
function(tandrel_wine_lane test)
  get_property(next GLOBAL PROPERTY TANDREL_WINE_LANE_NEXT)
  math(EXPR lane "${next} % ${TANDREL_WINE_LANES}")
  math(EXPR next "${next} + 1")
  set_property(GLOBAL PROPERTY TANDREL_WINE_LANE_NEXT ${next})
  tandrel_wine_lane_prefix(prefix ${lane})
  tandrel_wine_lane_lock(lock ${lane})
  # wine-env.sh and the e2e driver take the prefix from TANDREL_WINEPREFIX; WINEPREFIX says the
  # same to anything that reads it directly. A property of its own, so that a registration that
  # sets the test's ENVIRONMENT afterwards cannot take the lane's prefix away.
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
    "TANDREL_WINEPREFIX=set:${prefix}" "WINEPREFIX=set:${prefix}")
  set_property(TEST ${test} PROPERTY RESOURCE_LOCK ${lock})
endfunction()

# tandrel_wine_all_locks(out): every lane's lock, for what must run with no Wine test beside it.
function(tandrel_wine_all_locks out)
  set(locks)
  foreach(lane RANGE 0 ${TANDREL_WINE_LANES})
    if(lane LESS TANDREL_WINE_LANES)
      tandrel_wine_lane_lock(lock ${lane})
      list(APPEND locks ${lock})
    endif()
  endforeach()
  set(${out} ${locks} PARENT_SCOPE)
endfunction()

# The program's own code throws and catches nothing. In the MinGW build it is compiled without
# exception tables, and src/core/LeanRuntime.cpp keeps the runtime's exception machinery out
# of Tandrel.exe. Tests (GoogleTest) keep exceptions.
function(tandrel_without_exceptions target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-asynchronous-unwind-tables)
  endif()
endfunction()

# tandrel_output_to(dir target...): the targets' programs and modules land in dir, in every
# configuration (Visual Studio would otherwise add a Release or Debug folder).
function(tandrel_output_to dir)
  foreach(target IN LISTS ARGN)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${dir})
    foreach(config IN ITEMS DEBUG RELEASE MINSIZEREL RELWITHDEBINFO)
      set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY_${config} ${dir})
    endforeach()
  endforeach()
endfunction()

# tandrel_object_files(out [ALL] [WITHOUT lib...] [ONLY lib...]): the object files of the
# program's Win32 object libraries, all of them or a choice, as a list of generator
# expressions for add_executable.
function(tandrel_object_files out)
  cmake_parse_arguments(O "" "" "WITHOUT;ONLY" ${ARGN})
  get_property(objs GLOBAL PROPERTY TANDREL_WIN_OBJECTS)
  if(O_ONLY)
    set(objs ${O_ONLY})
  endif()
  if(O_WITHOUT)
    list(REMOVE_ITEM objs ${O_WITHOUT})
  endif()
  set(files)
  foreach(o IN LISTS objs)
    list(APPEND files $<TARGET_OBJECTS:${o}>)
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# tandrel_pure_library(name SOURCES a.cpp ... [USES lib...])
function(tandrel_pure_library name)
  cmake_parse_arguments(L "" "" "SOURCES;USES" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  tandrel_without_exceptions(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_USES})
  set_property(GLOBAL APPEND PROPERTY TANDREL_PURE_LIBS ${name})
endfunction()

# tandrel_win_objects(name SOURCES a.cpp ... [USES lib...]): Windows build only.
function(tandrel_win_objects name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(L "" "" "SOURCES;USES" ${ARGN})
  add_library(${name} OBJECT ${L_SOURCES})
  tandrel_without_exceptions(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_USES})
  set_property(GLOBAL APPEND PROPERTY TANDREL_WIN_OBJECTS ${name})
endfunction()

# tandrel_gtest_filter(out source...): a --gtest_filter value that selects the test suites the
# sources define (TEST, TEST_F, TEST_P and TYPED_TEST, their instantiations included).
function(tandrel_gtest_filter out)
  set(patterns)
  foreach(source IN LISTS ARGN)
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(STRINGS ${source} lines REGEX "^[ \t]*(TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)[ \t]*\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*[A-Z_]+[ \t]*\\([ \t]*([A-Za-z0-9_]+).*" "\\1" suite "${line}")
      list(APPEND patterns "${suite}.*" "*/${suite}.*" "${suite}/*")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES patterns)
  if(NOT patterns)
    message(FATAL_ERROR "No TEST, TEST_F or TEST_P in the sources of a test: ${ARGN}")
  endif()
  list(JOIN patterns ":" filter)
  set(${out} ${filter} PARENT_SCOPE)
endfunction()

# tandrel_test_pch(target): the target's sources start from the precompiled GoogleTest header (and
# windows.h for Windows), made once for all the test programs of the build: those two headers
# were some three of every test file's four seconds of compiling. TANDREL_TEST_PCH=OFF turns it
# off (a compiler cache, for one, caches no compile that reads a precompiled header).
function(tandrel_test_pch target)
  if(NOT TANDREL_TEST_PCH)
    return()
  endif()
  if(NOT TARGET tandrel_test_pch)
    file(WRITE ${CMAKE_BINARY_DIR}/generated/TestPch.cpp "// The precompiled test header's own compile.\n")
    add_library(tandrel_test_pch OBJECT ${CMAKE_BINARY_DIR}/generated/TestPch.cpp)
    target_link_libraries(tandrel_test_pch PRIVATE GTest::gtest)
    if(WIN32)
      target_precompile_headers(tandrel_test_pch PRIVATE <windows.h> <gtest/gtest.h>)
    else()
      target_precompile_headers(tandrel_test_pch PRIVATE <gtest/gtest.h>)
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM tandrel_test_pch)
endfunction()

# tandrel_unit_test_program(out): the program that holds the unit tests of the current folder:
# unit_tests for tests/unit, <folder>_unit_tests elsewhere. A registration that needs more in
# its program (a library, a define) adds it to this program.
function(tandrel_unit_test_program out)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(folder STREQUAL "unit")
    set(${out} unit_tests PARENT_SCOPE)
  else()
    set(${out} ${folder}_unit_tests PARENT_SCOPE)
  endif()
endfunction()

# tandrel_unit_test(name SOURCES a.cpp b.cpp)
# Pure tests: built natively (label unit) and for Windows, where they run under Wine (label win).
# The tests of one folder go into one program (tandrel_unit_test_program: linked once rather
# than once per test), and each registration is a test of its own that runs only its sources'
# suites (--gtest_filter). So a suite's name is unique within the folder (two TESTs of one
# name fail the link), and the test <program>_all_registered fails when the program holds a
# test that no registration runs.
function(tandrel_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES" ${ARGN})
  tandrel_unit_test_program(exe)
  if(NOT TARGET ${exe})
    get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
    add_executable(${exe})
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${exe} PRIVATE ${pure} GTest::gtest_main)
    tandrel_test_pch(${exe})
    # After every registration (a deferred call's variables are read when it runs: the name is
    # put in now).
    cmake_language(EVAL CODE
      "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL tandrel_unit_tests_all_registered [[${exe}]])")
  endif()
  set(sources)
  foreach(source IN LISTS T_SOURCES)
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND sources ${source})
  endforeach()
  # A support file that several registrations name is compiled once.
  get_target_property(known ${exe} SOURCES)
  if(known)
    list(REMOVE_ITEM sources ${known})
  endif()
  target_sources(${exe} PRIVATE ${sources})
  tandrel_gtest_filter(filter ${T_SOURCES})
  set_property(GLOBAL APPEND PROPERTY TANDREL_FILTERS_${exe} ${filter})
  # Under Wine the program runs once with all its tests (tandrel_unit_tests_all_registered):
  # each start of Wine costs a second or two of the processor.
  if(WIN32)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${exe} --gtest_filter=${filter})
  # A filter that selects nothing passes in GoogleTest: here it fails.
  set_tests_properties(${name} PROPERTIES FAIL_REGULAR_EXPRESSION "\\[  PASSED  \\] 0 tests")
  set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT ${TANDREL_TIMEOUT_NATIVE} FIXTURES_REQUIRED tandrel_built)
endfunction()

# Natively, the test <program>_all_registered: lists the program's tests that no registration's
# filter selects; any listed fails it. Under Wine, the test <program>: all of its tests, once.
function(tandrel_unit_tests_all_registered exe)
  if(WIN32)
    add_test(NAME ${exe} COMMAND ${exe})
    set_tests_properties(${exe} PROPERTIES LABELS win TIMEOUT ${TANDREL_TIMEOUT_WINE}
      FIXTURES_REQUIRED "tandrel_built;wine_prefix")
    tandrel_wine_lane(${exe})
    return()
  endif()
  get_property(filters GLOBAL PROPERTY TANDREL_FILTERS_${exe})
  list(JOIN filters ":" all)
  add_test(NAME ${exe}_all_registered COMMAND ${exe} --gtest_list_tests "--gtest_filter=*-${all}")
  # --gtest_list_tests prints each selected suite as a line "Suite." (or "Prefix/Suite/0.").
  set_tests_properties(${exe}_all_registered PROPERTIES
    FAIL_REGULAR_EXPRESSION "(^|\n)[A-Za-z_][A-Za-z0-9_/]*\\.\r?(\n|$)"
    LABELS unit TIMEOUT ${TANDREL_TIMEOUT_NATIVE} FIXTURES_REQUIRED tandrel_built)
endfunction()

# tandrel_shared_support(out source...): the sources, with each helper of tests/support/ replaced
# by the object file of a library of its own (tandrel_support_<name>), so that it is compiled
# once for all the Win32 tests that name it rather than once per test. A test that needs a
# helper compiled differently (a define of its own) gives it under another name.
function(tandrel_shared_support out)
  set(result)
  foreach(source IN LISTS ARGN)
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(folder ${path} DIRECTORY)
    if(folder STREQUAL "${PROJECT_SOURCE_DIR}/tests/support" AND path MATCHES "\\.cpp$")
      get_filename_component(base ${path} NAME_WE)
      set(lib tandrel_support_${base})
      if(NOT TARGET ${lib})
        get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
        add_library(${lib} OBJECT ${path})
        target_include_directories(${lib} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
        # Their headers only (usage requirements): the objects are linked by each test.
        target_link_libraries(${lib} PRIVATE ${pure} GTest::gtest)
        tandrel_test_pch(${lib})
      endif()
      list(APPEND result $<TARGET_OBJECTS:${lib}>)
    else()
      list(APPEND result ${source})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# tandrel_win_test(name SOURCES a.cpp [WITHOUT objlib...] [ONLY objlib...] [NO_OBJECTS] [LIBS extra...])
# Win32 tests under Wine. They link every Win32 object library of the program except those
# named after WITHOUT, which the test replaces with fakes of its own; or, with ONLY, just the
# object libraries named there, the test faking all the rest; or, with NO_OBJECTS, none.
function(tandrel_win_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(T "NO_OBJECTS" "" "SOURCES;WITHOUT;ONLY;LIBS" ${ARGN})
  set(objfiles)
  if(NOT T_NO_OBJECTS)
    tandrel_object_files(objfiles WITHOUT ${T_WITHOUT} ONLY ${T_ONLY})
  endif()
  get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
  tandrel_shared_support(sources ${T_SOURCES})
  add_executable(${name} ${sources} ${objfiles})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${pure} ${T_LIBS} GTest::gtest_main ${TANDREL_WIN_SYSTEM_LIBS})
  tandrel_test_pch(${name})
  add_dependencies(${name} tandrel_dist)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS win TIMEOUT ${TANDREL_TIMEOUT_WINE}
    FIXTURES_REQUIRED "tandrel_built;wine_prefix"
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  tandrel_wine_lane(${name})
endfunction()

# tandrel_e2e_test(name script.py [case...]): a driver on the Linux side that runs the shipped program
# under Wine on a display of its own and works it with real key presses and mouse moves; with
# cases (Class.test_name), only those, so that a script's cases can each have their own time limit.
function(tandrel_e2e_test name script)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME ${name} COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT ${TANDREL_TIMEOUT_E2E}
    FIXTURES_REQUIRED "tandrel_built;wine_prefix"
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_BUILD_DIR=${CMAKE_BINARY_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  tandrel_wine_lane(${name})
endfunction()
