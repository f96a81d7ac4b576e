# The release zip: `cmake --build build --target package` (and every full build) makes
# Tandrel-<version>-win32.zip in the build folder, and Tandrel-<version>-win32.zip.sha256 beside
# it. The zip holds one folder of the same name with the three program files side by side
# (Tandrel.exe and its two hook modules), tandrel-rec.exe, LIESMICH.txt, the text for the user
# (from cmake/LIESMICH.txt.in, with Windows line ends), and SHA256SUMS.txt, the sums of those
# five. scripts/make-release-zip.py makes it the same bytes for the same commit: fixed order,
# the commit's time, no owner (scripts/check-reproducible.sh checks it).
if(NOT WIN32)
  return()
endif()

set(TANDREL_PACKAGE_NAME "Tandrel-${PROJECT_VERSION}-win32")

configure_file(${CMAKE_CURRENT_LIST_DIR}/LIESMICH.txt.in ${CMAKE_BINARY_DIR}/package/LIESMICH.txt
  @ONLY NEWLINE_STYLE CRLF)

# `cmake --install` puts the same files in a folder; the hook modules' import libraries are no
# use to a user.
install(TARGETS Tandrel KeyBoardHook MouseHook tandrel-rec
  RUNTIME DESTINATION . COMPONENT program
  ARCHIVE DESTINATION lib COMPONENT program EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/package/LIESMICH.txt DESTINATION . COMPONENT program)

# A build folder that an older version configured with CPack keeps its CPackConfig.cmake, and
# while that file is there CMake reserves the name of the target below.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  # Made again on every build (a second or less): the commit, and with it the entries' time,
  # may have changed while the files did not.
  add_custom_target(package ALL
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-release-zip.py
            --name ${TANDREL_PACKAGE_NAME} --out-dir ${CMAKE_BINARY_DIR} --source-dir ${PROJECT_SOURCE_DIR}
            $<TARGET_FILE:Tandrel> $<TARGET_FILE:KeyBoardHook> $<TARGET_FILE:MouseHook>
            $<TARGET_FILE:tandrel-rec> ${CMAKE_BINARY_DIR}/package/LIESMICH.txt
    DEPENDS Tandrel KeyBoardHook MouseHook tandrel-rec
    BYPRODUCTS ${CMAKE_BINARY_DIR}/${TANDREL_PACKAGE_NAME}.zip ${CMAKE_BINARY_DIR}/${TANDREL_PACKAGE_NAME}.zip.sha256
    COMMENT "Making ${TANDREL_PACKAGE_NAME}.zip"
    VERBATIM)
else()
  add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E echo "The release zip is made by scripts/make-release-zip.py, which needs Python 3."
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endif()
