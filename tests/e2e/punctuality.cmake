# Punctuality of an unattended playback as the fixture window sees it: 1,002 keys with delays
# of 1 to 10 ms at speeds 1 and 2, in order and within loose bounds; prints the figures.
if(NOT WIN32)
  return()
endif()

tandrel_e2e_test(e2e_playback_punctuality test_playback_punctuality.py)
