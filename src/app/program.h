// The program's entry, called by the backend's main() once the backend is installed.
#pragma once

// commandLine is the arguments joined by single spaces ("" when there are none). Returns the
// process exit code.
int RunProgram(const char* commandLine);
