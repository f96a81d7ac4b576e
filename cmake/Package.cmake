# The release zip: `cmake --build build --target package` makes Tandrel-<version>-win32.zip in
# the build folder. It holds one folder of the same name with the three program files side by
# side (Tandrel.exe and its two hook modules), tandrel-rec.exe and LIESMICH.txt, the text for
# the user (from cmake/LIESMICH.txt.in, with Windows line ends).
if(NOT WIN32)
  return()
endif()

set(TANDREL_PACKAGE_NAME "Tandrel-${PROJECT_VERSION}-win32")

configure_file(${CMAKE_CURRENT_LIST_DIR}/LIESMICH.txt.in ${CMAKE_BINARY_DIR}/package/LIESMICH.txt
  @ONLY NEWLINE_STYLE CRLF)

# The programs and modules only: the hook modules' import libraries are no use to a user.
install(TARGETS Tandrel KeyBoardHook MouseHook tandrel-rec
  RUNTIME DESTINATION . COMPONENT program
  ARCHIVE DESTINATION lib COMPONENT program EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/package/LIESMICH.txt DESTINATION . COMPONENT program)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tandrel)
set(CPACK_PACKAGE_VENDOR Vorsk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${TANDREL_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# No source package: the sources are the repository.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
