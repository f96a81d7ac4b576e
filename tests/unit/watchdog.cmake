# The hook thread's watchdog decision, on the system's 32-bit ticks.
tandrel_unit_test(unit_hook_watchdog SOURCES HookWatchdogTest.cpp)
# Raw input's key codes as the keyboard hook gives them (the hook thread's keys during a playback).
tandrel_unit_test(unit_raw_key_code SOURCES RawKeyCodeTest.cpp)
