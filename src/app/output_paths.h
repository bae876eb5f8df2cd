// Where the run log and the screenshots go: beside the program, or, for an installed copy
// (marked by "sorvani.installed" beside it) or one whose folder cannot be written, the user's
// state folder.
#pragma once

#include <string>

// Decides once per run, after the working directory is the program's own.
void ChooseOutputDirectory();
// "" beside the program, else the state folder with its trailing slash.
const std::string& OutputPrefix();
// One log line naming that folder.
void LogOutputDirectory();
