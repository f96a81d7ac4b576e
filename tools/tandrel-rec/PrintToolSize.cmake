# Script (cmake -P) that prints the size of tandrel-rec.exe (FILE), after the sizes of the
# program's three files, and fails the build when it has grown past its limit.
set(limit 153600)
file(SIZE ${FILE} bytes)
get_filename_component(name ${FILE} NAME)
message(STATUS "${name}: ${bytes} bytes (at most ${limit})")
if(bytes GREATER limit)
  message(FATAL_ERROR "${name} is ${bytes} bytes, over its limit of ${limit}")
endif()
