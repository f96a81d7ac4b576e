# Script (cmake -P) that prints the size of each file in FILES (paths separated by |) and their
# total.
string(REPLACE "|" ";" files "${FILES}")
set(total 0)
foreach(f IN LISTS files)
  file(SIZE ${f} bytes)
  math(EXPR total "${total} + ${bytes}")
  get_filename_component(name ${f} NAME)
  message(STATUS "${name}: ${bytes} bytes")
endforeach()
message(STATUS "Shipped files together: ${total} bytes")
