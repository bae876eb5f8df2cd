// Where the run log and the screenshots go: beside the program, or, when the program's folder
// cannot be written (an installed copy), the user's state folder.
#pragma once

#include <string>

// Decides once per run, after the working directory is the program's own.
void ChooseOutputDirectory();
// "" beside the program, else the state folder with its trailing slash.
const std::string& OutputPrefix();
