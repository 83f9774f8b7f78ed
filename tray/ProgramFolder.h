#pragma once
#include <string>

// The folder of the running program, ending with a backslash; the installed
// location when the module path cannot be read.
std::wstring ProgramFolder();
