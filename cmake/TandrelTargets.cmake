# Helpers that every folder uses to declare its code and its tests.
#
# Pure logic (no windows.h) goes into static libraries that build natively and for Windows.
# Win32 code goes into object libraries that only the Windows build has; the program and the
# Win32 tests link all of them, so no folder needs to know who calls whom.

set(TANDREL_WIN_SYSTEM_LIBS user32 gdi32 shell32 comctl32 winmm kernel32 advapi32)

function(tandrel_pure_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set_property(GLOBAL APPEND PROPERTY TANDREL_PURE_LIBS ${name})
endfunction()

function(tandrel_win_objects name)
  if(NOT WIN32)
    return()
  endif()
  add_library(${name} OBJECT ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
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
    set_tests_properties(${name} PROPERTIES LABELS win RESOURCE_LOCK wine)
  else()
    set_tests_properties(${name} PROPERTIES LABELS unit)
  endif()
endfunction()

# tandrel_win_test(name SOURCES a.cpp [WITHOUT objlib...] [ONLY objlib...] [LIBS extra...])
# Win32 tests under Wine. They link every Win32 object library of the program except those
# named after WITHOUT, which the test replaces with fakes of its own; or, with ONLY, just the
# object libraries named there, the test faking all the rest.
function(tandrel_win_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;WITHOUT;ONLY;LIBS" ${ARGN})
  get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
  get_property(objs GLOBAL PROPERTY TANDREL_WIN_OBJECTS)
  if(T_ONLY)
    set(objs ${T_ONLY})
  endif()
  if(T_WITHOUT)
    list(REMOVE_ITEM objs ${T_WITHOUT})
  endif()
  set(objfiles)
  foreach(o IN LISTS objs)
    list(APPEND objfiles $<TARGET_OBJECTS:${o}>)
  endforeach()
  add_executable(${name} ${T_SOURCES} ${objfiles})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${pure} ${T_LIBS} GTest::gtest_main ${TANDREL_WIN_SYSTEM_LIBS})
  add_dependencies(${name} tandrel_dist)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS win RESOURCE_LOCK wine
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# tandrel_e2e_test(name script.py): a driver on the Linux side that runs the shipped program
# under Wine on a display of its own and works it with real key presses and mouse moves.
function(tandrel_e2e_test name script)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME ${name} COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/${script})
  set_tests_properties(${name} PROPERTIES LABELS e2e RESOURCE_LOCK wine TIMEOUT 600
    ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_BUILD_DIR=${CMAKE_BINARY_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
