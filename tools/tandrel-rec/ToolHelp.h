// The help texts of tandrel-rec: the usage of the whole tool, and each command's own.
#pragma once
#include <string>
#include <string_view>

// The help of a command, or the tool's usage for any other name (empty included).
std::string HelpText(std::string_view command);
