# The recording round trip as a person does it: F9, input, F9, a name, the list, Play, Rename,
# Remove; and a soak of mouse moves during one recording.
if(NOT WIN32)
  return()
endif()

add_executable(MoveBurst ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/MoveBurst.cpp)
target_link_libraries(MoveBurst PRIVATE user32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e MoveBurst)

tandrel_e2e_test(e2e_recording_roundtrip test_recording_roundtrip.py)
tandrel_e2e_test(e2e_recording_soak test_recording_soak.py)
