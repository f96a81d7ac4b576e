# The shipped files as built: what each one's version resource says.
tandrel_win_test(win_release_files NO_OBJECTS SOURCES ReleaseFilesTest.cpp ${TEST_SUPPORT}/WinePaths.cpp LIBS version)
if(WIN32)
  add_dependencies(win_release_files tandrel-rec)
endif()
