# Input through the hooks as the shipped program records it: X buttons and the horizontal
# wheel in order among other input, the delays, and a recording that survives a kill.
if(NOT WIN32)
  return()
endif()

tandrel_e2e_test(e2e_hook_events test_hook_events.py)
