# The naming dialog gives the focus back to its entry field when the user comes back to it.
if(NOT WIN32)
  return()
endif()

tandrel_e2e_test(e2e_dialog_focus test_dialog_focus.py)
