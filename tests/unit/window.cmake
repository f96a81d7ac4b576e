# Window-aware playback: the window records' codec, the identity match, the relative placement
# and the schedule's shift.
tandrel_unit_test(unit_window_playback SOURCES WindowRecordsTest.cpp WindowPlacementTest.cpp ControlRecordsTest.cpp)
