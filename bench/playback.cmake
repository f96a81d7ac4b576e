# Timing of playback: the real worker with the real wait and clock, and a fake injector that
# timestamps every record, against the plain one-Sleep-per-record schedule in the same run.
#   tests/harness/wine-run.sh build/bench/bench_playback_timing.exe
# or: cmake --build build --target run_bench_playback_timing
if(WIN32)
  get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
  tandrel_object_files(objfiles WITHOUT playback_injection)
  add_executable(bench_playback_timing PlaybackTimingBench.cpp ${objfiles})
  target_include_directories(bench_playback_timing PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_playback_timing PRIVATE ${pure} ${TANDREL_WIN_SYSTEM_LIBS})
  add_custom_target(run_bench_playback_timing
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh $<TARGET_FILE:bench_playback_timing>
    DEPENDS bench_playback_timing
    USES_TERMINAL)
endif()
