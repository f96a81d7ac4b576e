# The user interface under Wine. The tests carry the program's resources (icon, manifest), so
# the windows get the application icon and the styled controls as in the program.
if(WIN32)
  set(uiResources ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc)
  set(shownMainWindow ${TEST_SUPPORT}/MainWindowFixture.cpp ${TEST_SUPPORT}/WindowHelpers.cpp)
  tandrel_win_test(win_ui_main_window SOURCES MainWindowTest.cpp ${shownMainWindow} ${uiResources})
  tandrel_win_test(win_ui_icons SOURCES UiIconTest.cpp ${TEST_SUPPORT}/WinePaths.cpp LIBS version)
  tandrel_win_test(win_ui_tray SOURCES TrayTest.cpp ${TEST_SUPPORT}/WindowHelpers.cpp)
  # The shell's restart through the real main window, callback and tray, the shell call faked.
  tandrel_win_test(win_ui_tray_restart SOURCES TrayRestartTest.cpp)
  tandrel_win_test(win_ui_input_dialog
    SOURCES DialogInputTest.cpp ${shownMainWindow} ${TEST_SUPPORT}/DialogDriver.cpp ${uiResources})
  tandrel_win_test(win_ui_message_dialog
    SOURCES DialogMessageTest.cpp ${shownMainWindow} ${TEST_SUPPORT}/DialogDriver.cpp ${uiResources})
endif()
