# The hook thread's watchdog decision, on the system's 32-bit ticks.
tandrel_unit_test(unit_hook_watchdog SOURCES HookWatchdogTest.cpp)
# Raw input's key codes as the keyboard hook gives them (the hook thread's keys during a playback).
tandrel_unit_test(unit_raw_key_code SOURCES RawKeyCodeTest.cpp)
# The moment in which raw input and the hook both hear the keys, as the hooks come back.
tandrel_unit_test(unit_path_overlap SOURCES PathOverlapTest.cpp)
