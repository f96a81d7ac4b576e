# Script (cmake -P) that turns the two committed icon files into IconData.cpp, the program's
# copies of them: cmake -DIDLE=Idle.ico -DACTIVE=Active.ico -DOUT=IconData.cpp -P EmbedIcons.cmake
function(icon_array name path out)
  file(READ ${path} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  if(NOT bytes EQUAL 9062)
    message(FATAL_ERROR "${path} has ${bytes} bytes, not 9062")
  endif()
  # 16 bytes per line: "0x.., " each.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " body "${body}")
  set(${out} "const unsigned char ${name}[IconFileSize] = {\n    ${body}\n};\n" PARENT_SCOPE)
endfunction()

icon_array(IdleIconData ${IDLE} idle)
icon_array(ActiveIconData ${ACTIVE} active)
file(WRITE ${OUT}.tmp "// Made by src/ui/EmbedIcons.cmake from src/ui/icons; do not edit.\n#include \"ui/IconData.h\"\n\n${idle}\n${active}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
