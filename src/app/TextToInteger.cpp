// STUB
#include "app/TextToInteger.h"
int64_t TextToInteger(std::wstring_view) { return 0; }
