# Punctuality against the limit: the shipped program and a bare reference player (not shipped)
# play the same 1,200 keys (or, with --input clicks, mouse button events) into the fixture window,
# alternately, and the ratios are printed.
#   cmake --build build --target run_bench_playback_side_by_side
if(WIN32)
  add_executable(ReferencePlayer ReferencePlayer.cpp)
  target_link_libraries(ReferencePlayer PRIVATE user32 kernel32)
  add_custom_target(run_bench_playback_side_by_side
    COMMAND ${CMAKE_COMMAND} -E env TANDREL_DIST_DIR=${TANDREL_DIST_DIR} TANDREL_BUILD_DIR=${CMAKE_BINARY_DIR}
            TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR} python3 ${CMAKE_CURRENT_SOURCE_DIR}/PlaybackSideBySide.py
    DEPENDS tandrel_dist ReferencePlayer TandrelFixture TandrelProbe
    USES_TERMINAL)
endif()
