# What the readiness look costs, and what it costs a press through the real worker (with a fake
# injection that stamps the presses), against a form in another process. Run it under Wine:
#   tests/harness/wine-run.sh build/bench/bench_control_checks.exe
# or: cmake --build build --target run_bench_control_checks
if(WIN32)
  get_property(pure GLOBAL PROPERTY TANDREL_PURE_LIBS)
  tandrel_object_files(objfiles WITHOUT playback_injection)
  add_executable(bench_control_checks ControlCheckBench.cpp ${objfiles})
  target_include_directories(bench_control_checks PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_control_checks PRIVATE ${pure} ${TANDREL_WIN_SYSTEM_LIBS})
  add_custom_target(run_bench_control_checks
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh $<TARGET_FILE:bench_control_checks>
    DEPENDS bench_control_checks
    USES_TERMINAL)
endif()
