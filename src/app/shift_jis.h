// UTF-8 to Shift-JIS (code page 932) for the text that leaves the program in that code page.
#pragma once

#include <string>

// Characters that code page 932 cannot hold become '?'.
std::string Utf8ToShiftJis(const std::string& utf8);
