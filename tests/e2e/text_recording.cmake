# A recording written by hand as text, packed by the Windows tandrel-rec.exe of the dist folder
# (under Wine) and played by the shipped program into the fixture window.
if(NOT WIN32)
  return()
endif()

tandrel_e2e_test(e2e_text_recording test_text_recording.py)
