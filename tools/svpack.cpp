// svpack: lists, extracts and packs the game's data archives and masks its music files, so a
// player can replace any picture or sound.
#include <iostream>

#include "svpack_commands.h"

int main(int argc, char** argv) { return RunSvpack(argc, argv, std::cout, std::cerr); }
