# The hook thread's watchdog decision, on the system's 32-bit ticks.
tandrel_unit_test(unit_hook_watchdog SOURCES HookWatchdogTest.cpp)
