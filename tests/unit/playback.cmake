tandrel_unit_test(unit_input_record SOURCES InputRecordTest.cpp)
tandrel_unit_test(unit_playback SOURCES
  ${TEST_SUPPORT}/PlaybackFakes.cpp
  ${TEST_SUPPORT}/PlaybackFakeInjection.cpp
  HeldInputsTest.cpp
  PlaybackRecordTest.cpp
  PlaybackScheduleTest.cpp
  PlaybackRecordBufferTest.cpp
)
