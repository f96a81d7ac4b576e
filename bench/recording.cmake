# RecordingCostBench.exe: what one hook notification costs the recorder, through its write
# buffer and through one WriteFile per record, measured in the same run. Run it under Wine:
#   tests/harness/wine-run.sh <build>/bench/RecordingCostBench.exe
if(WIN32)
  add_executable(RecordingCostBench
    RecordingCostBench.cpp
    ${PROJECT_SOURCE_DIR}/src/recording/Recorder.cpp
    $<TARGET_OBJECTS:recording_clock_win>)
  target_include_directories(RecordingCostBench PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(RecordingCostBench PRIVATE recording_pure ${TANDREL_WIN_SYSTEM_LIBS})
endif()
