# What one hook notification costs the recorder, through its write buffer and through one
# WriteFile per record, measured in the same run. Run it under Wine:
#   tests/harness/wine-run.sh build/bench/bench_recording_cost.exe
# or: cmake --build build --target run_bench_recording_cost
if(WIN32)
  add_executable(bench_recording_cost
    RecordingCostBench.cpp
    ${PROJECT_SOURCE_DIR}/src/recording/Recorder.cpp
    $<TARGET_OBJECTS:core_clock_win> $<TARGET_OBJECTS:recording_file_write_win>)
  target_include_directories(bench_recording_cost PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_recording_cost PRIVATE recording_pure ${TANDREL_WIN_SYSTEM_LIBS})
  add_custom_target(run_bench_recording_cost
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh $<TARGET_FILE:bench_recording_cost>
    DEPENDS bench_recording_cost
    USES_TERMINAL)
endif()

# How closely recorded delays follow the input: the shipped program and a bare recorder (not
# shipped) record keys typed into the fixture window, alternately, compared with the fixture's
# own clock.
#   cmake --build build --target run_bench_recording_accuracy
if(WIN32)
  add_executable(BareRecorder BareRecorder.cpp)
  target_link_libraries(BareRecorder PRIVATE user32 kernel32)
  add_custom_target(run_bench_recording_accuracy
    COMMAND ${CMAKE_COMMAND} -E env TANDREL_DIST_DIR=${TANDREL_DIST_DIR} TANDREL_BUILD_DIR=${CMAKE_BINARY_DIR}
            TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR} python3 ${CMAKE_CURRENT_SOURCE_DIR}/RecordingAccuracy.py
    DEPENDS tandrel_dist BareRecorder TandrelFixture TandrelProbe
    USES_TERMINAL)
endif()

# What noting each press's window and control costs the hook thread, against a form of another
# thread with child controls. Run it under Wine:
#   tests/harness/wine-run.sh build/bench/bench_event_control.exe
if(WIN32)
  add_executable(bench_event_control EventControlBench.cpp ${PROJECT_SOURCE_DIR}/src/hooks/EventWindow.cpp)
  target_include_directories(bench_event_control PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_event_control PRIVATE ${TANDREL_WIN_SYSTEM_LIBS})
  add_custom_target(run_bench_event_control
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh $<TARGET_FILE:bench_event_control>
    DEPENDS bench_event_control
    USES_TERMINAL)
endif()
