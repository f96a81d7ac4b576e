# The program that draws the two status icons. It is built on the build machine only (native
# preset) and run by hand when the pictures change:
#   cmake --preset native -B build/native && cmake --build build/native --target make_icons
#   build/native/tools/make_icons src/ui/icons
# The two .ico files it writes are committed; the Windows build embeds them (src/ui).
if(NOT WIN32)
  add_executable(make_icons ${CMAKE_CURRENT_SOURCE_DIR}/MakeIcons.cpp)
  # The committed icon files must be exactly what the drawing program makes today.
  add_test(NAME IconFilesMatchTheirDrawing
    COMMAND make_icons --check ${PROJECT_SOURCE_DIR}/src/ui/icons)
  set_tests_properties(IconFilesMatchTheirDrawing PROPERTIES LABELS unit TIMEOUT ${TANDREL_TIMEOUT_NATIVE}
    FIXTURES_REQUIRED tandrel_built)
endif()
