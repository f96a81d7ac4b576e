// STUB: replaced by the user-interface work.
#include "ui/IconData.h"
const unsigned char IdleIconData[IconFileSize] = {};
const unsigned char ActiveIconData[IconFileSize] = {};
