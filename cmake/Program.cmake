# The shipped program: Tandrel.exe, beside the two hook modules in the dist folder.
get_property(TANDREL_PURE GLOBAL PROPERTY TANDREL_PURE_LIBS)
get_property(TANDREL_RESOURCES GLOBAL PROPERTY TANDREL_RESOURCES)
tandrel_object_files(tandrelObjectFiles)

set(programSources ${PROJECT_SOURCE_DIR}/src/app/Main.cpp)
if(MINGW)
  list(APPEND programSources ${PROJECT_SOURCE_DIR}/src/core/LeanRuntime.cpp)
endif()
add_executable(Tandrel WIN32 ${programSources} ${tandrelObjectFiles} ${TANDREL_RESOURCES})
tandrel_without_exceptions(Tandrel)
target_include_directories(Tandrel PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(Tandrel PRIVATE ${TANDREL_PURE} ${TANDREL_WIN_SYSTEM_LIBS})
tandrel_output_to(${TANDREL_DIST_DIR} Tandrel)

# The build ends by printing the sizes of the three shipped files.
add_custom_target(tandrel_dist ALL
  COMMAND ${CMAKE_COMMAND} -DFILES=$<TARGET_FILE:Tandrel>|$<TARGET_FILE:KeyBoardHook>|$<TARGET_FILE:MouseHook>
          -P ${PROJECT_SOURCE_DIR}/cmake/PrintSizes.cmake
  DEPENDS Tandrel KeyBoardHook MouseHook
  VERBATIM)
