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

# tandrel_unit_test(name SOURCES a.cpp b.cpp)
# Pure tests: built natively (label unit) and for Windows, where they run under Wine (label win).
function(tandrel_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES" ${ARGN})
  get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${pure} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(WIN32)
    set_tests_properties(${name} PROPERTIES LABELS win RESOURCE_LOCK wine TIMEOUT ${TANDREL_TIMEOUT_WINE}
      FIXTURES_REQUIRED "tandrel_built;wine_prefix")
  else()
    set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT ${TANDREL_TIMEOUT_NATIVE} FIXTURES_REQUIRED tandrel_built)
  endif()
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
  add_executable(${name} ${T_SOURCES} ${objfiles})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${pure} ${T_LIBS} GTest::gtest_main ${TANDREL_WIN_SYSTEM_LIBS})
  add_dependencies(${name} tandrel_dist)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS win RESOURCE_LOCK wine TIMEOUT ${TANDREL_TIMEOUT_WINE}
    FIXTURES_REQUIRED "tandrel_built;wine_prefix"
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# tandrel_e2e_test(name script.py [case...]): a driver on the Linux side that runs the shipped program
# under Wine on a display of its own and works it with real key presses and mouse moves; with
# cases (Class.test_name), only those, so that a script's cases can each have their own time limit.
function(tandrel_e2e_test name script)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME ${name} COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS e2e RESOURCE_LOCK wine TIMEOUT ${TANDREL_TIMEOUT_E2E}
    FIXTURES_REQUIRED "tandrel_built;wine_prefix"
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_BUILD_DIR=${CMAKE_BINARY_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
