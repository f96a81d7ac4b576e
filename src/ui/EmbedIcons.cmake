# Script (cmake -P) that turns the two committed icon files into IconData.cpp, the program's
# copies of them: cmake -DIDLE=Idle.ico -DACTIVE=Active.ico -DOUT=IconData.cpp -P EmbedIcons.cmake
function(icon_array name path out outBytes)
  file(READ ${path} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  # 16 bytes per line: "0x.., " each.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " body "${body}")
  set(${out} "extern const unsigned char ${name}[] = {\n    ${body}\n};\n" PARENT_SCOPE)
  set(${outBytes} ${bytes} PARENT_SCOPE)
endfunction()

icon_array(IdleIconData ${IDLE} idle idleBytes)
icon_array(ActiveIconData ${ACTIVE} active activeBytes)
# The program reads both through one size.
if(NOT idleBytes EQUAL activeBytes)
  message(FATAL_ERROR "${IDLE} has ${idleBytes} bytes, ${ACTIVE} ${activeBytes}: the two icons must be drawn alike")
endif()
file(WRITE ${OUT}.tmp "// Made by src/ui/EmbedIcons.cmake from src/ui/icons; do not edit.\n#include \"ui/IconData.h\"\n\nextern const unsigned IconFileSize = ${idleBytes};\n\n${idle}\n${active}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
