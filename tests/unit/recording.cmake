tandrel_unit_test(unit_recorder_core SOURCES RecorderCoreTest.cpp)
# Whole wheel notches out of the small steps of smooth wheels (the mouse module's arithmetic).
tandrel_unit_test(unit_wheel_notches SOURCES WheelNotchesTest.cpp)
