// The run log's file: one line appended to %LOCALAPPDATA%\Tandrel\Tandrel.log with one write.
#pragma once
#include <string>

// Appends the line (made when missing: the folder and the file), having first set aside a log
// that the line would take past its limit as Tandrel.log.1. False when it could not be written.
bool AppendRunLogLine(const std::string& line);
