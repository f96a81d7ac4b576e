# The user interface under Wine. The tests carry the program's resources (icon, manifest), so
# the windows get the application icon and the styled controls as in the program.
if(WIN32)
  set(uiResources ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc)
  tandrel_win_test(win_ui_main_window SOURCES MainWindowTest.cpp ${uiResources})
  tandrel_win_test(win_ui_icons SOURCES UiIconTest.cpp LIBS version)
  tandrel_win_test(win_ui_tray SOURCES TrayTest.cpp)
  tandrel_win_test(win_ui_input_dialog SOURCES DialogInputTest.cpp ${uiResources})
  tandrel_win_test(win_ui_message_dialog SOURCES DialogMessageTest.cpp ${uiResources})
  # Each window that goes away costs Wine two seconds without a window manager.
  set_tests_properties(win_ui_main_window win_ui_input_dialog win_ui_message_dialog PROPERTIES TIMEOUT 300)
endif()
