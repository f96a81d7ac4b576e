# Every shipped file says what it is: a version resource (company, product, a German
# description of the file's job, version, names, copyright) in each of the four, made from the
# one template cmake/VersionInfo.rc.in. Included at the end of the top-level CMakeLists.txt,
# once the targets exist. Windows build only.
if(NOT WIN32)
  return()
endif()

set(TANDREL_COPYRIGHT "© 2026 Vorsk")

# tandrel_version_resource(target "description")
function(tandrel_version_resource target description)
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(TANDREL_VERSION_INTERNAL ${name})
  set(TANDREL_VERSION_DESCRIPTION "${description}")
  if(type STREQUAL "SHARED_LIBRARY")
    set(TANDREL_VERSION_FILE_TYPE VFT_DLL)
    set(TANDREL_VERSION_FILE ${name}.dll)
  else()
    set(TANDREL_VERSION_FILE_TYPE VFT_APP)
    set(TANDREL_VERSION_FILE ${name}.exe)
  endif()
  set(rc ${CMAKE_BINARY_DIR}/version/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

tandrel_version_resource(Tandrel "Tandrel: Tastatur und Maus aufzeichnen und abspielen")
tandrel_version_resource(KeyBoardHook "Tastatur-Hook von Tandrel: meldet Tastatureingaben an Tandrel.exe")
tandrel_version_resource(MouseHook "Maus-Hook von Tandrel: meldet Mauseingaben an Tandrel.exe")
tandrel_version_resource(tandrel-rec "Tandrel-Aufzeichnungen umwandeln, prüfen und bearbeiten (Kommandozeile)")
