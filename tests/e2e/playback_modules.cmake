# Modules only from the program's own folder (a module planted under a hook module's name in
# the working directory and on PATH); the back and forward buttons and the horizontal wheel
# played into the fixture window.
if(NOT WIN32)
  return()
endif()

add_library(PlantedModule SHARED ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/PlantedModule.cpp)
target_link_libraries(PlantedModule PRIVATE kernel32)
set_target_properties(PlantedModule PROPERTIES PREFIX "")
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e PlantedModule)

tandrel_e2e_test(e2e_module_folder test_module_folder.py)
tandrel_e2e_test(e2e_playback_xbuttons test_playback_xbuttons.py)
