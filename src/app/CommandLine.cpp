// STUB
#include "app/CommandLine.h"
std::vector<std::wstring> SplitCommandLine(std::wstring_view) { return {}; }
void ReadCommandLineParameters(const std::vector<std::wstring>&, CommandLineSettings*) {}
