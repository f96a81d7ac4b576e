# Window- and control-aware playback: the window and control records' codecs, the identity
# matches, the relative and DPI-scaled placement, the readiness decision and the schedule's shift.
tandrel_unit_test(unit_window_playback SOURCES WindowRecordsTest.cpp WindowPlacementTest.cpp ControlRecordsTest.cpp
                  ControlPlaybackTest.cpp)
