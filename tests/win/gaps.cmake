# Two faults the other tests cannot see. The cancel landing between a record's state check and
# its injection: the real worker, fake injection and waits of the test's own.
tandrel_win_test(win_playback_cancel_gap
  SOURCES PlaybackCancelGapTest.cpp ${TEST_SUPPORT}/RecordingBytes.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp
          ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY playback_win ui_win)
# A forged move posted to the hook thread's window: the built modules, the real hook thread
# and recorder.
tandrel_win_test(win_hook_thread_forged_move
  SOURCES HookThreadForgedMoveTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/ReceiverThread.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY hooks_win core_clock_win recording_win recording_file_write_win library_win)
if(WIN32)
  # 6 s on a quiet machine, a minute on a busy one.
  set_tests_properties(win_playback_cancel_gap PROPERTIES TIMEOUT 180)
endif()
