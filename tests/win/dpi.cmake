# The main window and the input dialog at three display scales: the same test in the build's
# prefix (96 DPI) and in two prefixes of its own whose LogPixels is 144 (150 %) and 192 (200 %),
# made by a fixture before them. The build's prefix is never changed. Each scaled prefix has a
# lock of its own (its fixture and its test), so they run beside the lanes of the other tests.
if(WIN32)
  tandrel_win_test(win_ui_scaled SOURCES ScaledWindowsTest.cpp ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc ONLY ui_win)
  set_property(TEST win_ui_scaled APPEND PROPERTY ENVIRONMENT TANDREL_TEST_DPI=96)
  foreach(dpi IN ITEMS 144 192)
    set(prefix ${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi})
    add_test(NAME win_ui_scaled_prefix_${dpi}
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make-dpi-prefix.sh ${prefix} ${dpi})
    set_tests_properties(win_ui_scaled_prefix_${dpi} PROPERTIES
      LABELS win RESOURCE_LOCK wine_dpi${dpi} TIMEOUT 180 FIXTURES_SETUP wine_dpi_${dpi})
    # wine-env.sh takes the prefix from TANDREL_WINEPREFIX; WINEPREFIX says the same to
    # anything that reads it directly. wine-run.sh stops the prefix's wineserver after the run.
    add_test(NAME win_ui_scaled_${dpi} COMMAND win_ui_scaled)
    set_tests_properties(win_ui_scaled_${dpi} PROPERTIES
      LABELS win RESOURCE_LOCK wine_dpi${dpi} TIMEOUT ${TANDREL_TIMEOUT_WINE} FIXTURES_REQUIRED "tandrel_built;wine_dpi_${dpi}"
      ENVIRONMENT "TANDREL_DIST_DIR=${TANDREL_DIST_DIR};TANDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};TANDREL_WINEPREFIX=${prefix};WINEPREFIX=${prefix};TANDREL_TEST_DPI=${dpi}")
  endforeach()
endif()
