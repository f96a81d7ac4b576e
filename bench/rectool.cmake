# tandrel-rec's text form against od: dump and pack of a million mixed records, in-process and
# as the program, and od -An -v -tx1 reading the same file; and the edits thin and retime of
# the same file against dump; in one run. Native only (od is the baseline); measure in a
# Release tree:
#   cmake -S . -B build/rec-release -DCMAKE_BUILD_TYPE=Release
#   cmake --build build/rec-release --target run_bench_recording_text
if(NOT WIN32)
  add_executable(bench_recording_text ${CMAKE_CURRENT_LIST_DIR}/RecordingTextBench.cpp)
  target_link_libraries(bench_recording_text PRIVATE tandrel_rec_logic)
  add_custom_target(run_bench_recording_text
    COMMAND bench_recording_text $<TARGET_FILE:tandrel-rec>
    DEPENDS bench_recording_text tandrel-rec
    USES_TERMINAL)
endif()
