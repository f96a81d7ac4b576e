# The icon files carried in the program and the choice of their image.
tandrel_unit_test(unit_icons SOURCES IconDirectoryTest.cpp IconFileTest.cpp)
