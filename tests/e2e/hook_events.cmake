# Input through the hooks as the shipped program records it: X buttons and the horizontal
# wheel in order among other input, a recording that survives a kill, and a leftover that
# cannot be renamed.
if(NOT WIN32)
  return()
endif()

add_executable(HoldFile WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/HoldFile.cpp)
target_link_libraries(HoldFile PRIVATE user32 shell32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e HoldFile)

tandrel_e2e_test(e2e_hook_events test_hook_events.py)
