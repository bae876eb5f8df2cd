// Finding the data files beside the program when a copy from another system changed the case
// of their names ("SVDATA01.DAT").
#pragma once

#include <string>

// The name itself when it exists; else the one file in its folder whose name differs only in
// ASCII case (the first in byte order if several do); else the name unchanged, so that the
// caller's own not-found path runs.
std::string FindDataFile(const char* name);
