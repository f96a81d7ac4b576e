# The shipped program: Tandrel.exe, beside the two hook modules in the dist folder.
get_property(TANDREL_PURE GLOBAL PROPERTY TANDREL_PURE_LIBS)
get_property(TANDREL_OBJECTS GLOBAL PROPERTY TANDREL_WIN_OBJECTS)
get_property(TANDREL_RESOURCES GLOBAL PROPERTY TANDREL_RESOURCES)

set(tandrelObjectFiles)
foreach(o IN LISTS TANDREL_OBJECTS)
  list(APPEND tandrelObjectFiles $<TARGET_OBJECTS:${o}>)
endforeach()

add_executable(Tandrel WIN32 ${PROJECT_SOURCE_DIR}/src/app/Main.cpp ${tandrelObjectFiles} ${TANDREL_RESOURCES})
target_include_directories(Tandrel PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(Tandrel PRIVATE ${TANDREL_PURE} ${TANDREL_WIN_SYSTEM_LIBS})
set_target_properties(Tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TANDREL_DIST_DIR})
foreach(config IN ITEMS DEBUG RELEASE MINSIZEREL RELWITHDEBINFO)
  set_target_properties(Tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY_${config} ${TANDREL_DIST_DIR})
endforeach()

add_custom_target(tandrel_dist ALL DEPENDS Tandrel KeyBoardHook MouseHook)
