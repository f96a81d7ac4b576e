# The shipped program: Tandrel.exe, beside the two hook modules in the dist folder.
get_property(TANDREL_PURE GLOBAL PROPERTY TANDREL_PURE_LIBS)
get_property(TANDREL_RESOURCES GLOBAL PROPERTY TANDREL_RESOURCES)
tandrel_object_files(tandrelObjectFiles)

add_executable(Tandrel WIN32 ${PROJECT_SOURCE_DIR}/src/app/Main.cpp ${tandrelObjectFiles} ${TANDREL_RESOURCES})
target_include_directories(Tandrel PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(Tandrel PRIVATE ${TANDREL_PURE} ${TANDREL_WIN_SYSTEM_LIBS})
tandrel_output_to(${TANDREL_DIST_DIR} Tandrel)

add_custom_target(tandrel_dist ALL DEPENDS Tandrel KeyBoardHook MouseHook)
