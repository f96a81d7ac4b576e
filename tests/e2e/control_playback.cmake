# Playback that waits for the application's controls: the form the tests record in and play
# into, and the tests, one Wine session (or two) each, so that each has its own time limit.
if(NOT WIN32)
  return()
endif()

add_executable(FormFixture WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/FormFixture.cpp
                            ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/FixtureLog.cpp)
target_link_libraries(FormFixture PRIVATE user32 gdi32 shell32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e FormFixture)

tandrel_e2e_test(e2e_control_playback_layout test_control_playback.py
  ControlPlayback.test_a_form_in_another_layout_that_loads_late_and_one_whose_ok_never_comes)
tandrel_e2e_test(e2e_control_playback_answer_dpi test_control_playback.py
  ControlPlayback.test_a_form_that_stops_answering_and_a_form_at_another_display_scale)
# The second plays in the prefix at 144 DPI that the scaled-window tests make.
set_property(TEST e2e_control_playback_answer_dpi APPEND PROPERTY FIXTURES_REQUIRED wine_dpi_144)
# It plays in the 144-DPI prefix too, which the scaled-window tests use: one of them at a time.
set_property(TEST e2e_control_playback_answer_dpi APPEND PROPERTY RESOURCE_LOCK wine_dpi144)
