# What the readiness look costs a press after a control group, against a form in another
# process. Run it under Wine:
#   tests/harness/wine-run.sh build/bench/bench_control_checks.exe
# or: cmake --build build --target run_bench_control_checks
if(WIN32)
  add_executable(bench_control_checks ControlCheckBench.cpp ${PROJECT_SOURCE_DIR}/src/playback/ControlChecks.cpp)
  target_include_directories(bench_control_checks PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_control_checks PRIVATE playback_pure ${TANDREL_WIN_SYSTEM_LIBS})
  add_custom_target(run_bench_control_checks
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh $<TARGET_FILE:bench_control_checks>
    DEPENDS bench_control_checks
    USES_TERMINAL)
endif()
