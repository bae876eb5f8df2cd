// The program's entry on Linux: bring SDL up, install the backend, run the game.
#include <cstdio>
#include <string>

#include "app/program.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }

  // The backend shuts SDL down as it goes out of scope.
  platform::sdl::SdlBackend backend;
  std::string error;
  if (!backend.Init(&error)) {
    std::fprintf(stderr, "sorvani: cannot open a display: %s\n", error.c_str());
    return 1;
  }
  platform::InstallBackend(&backend);
  const int exitCode = RunProgram(commandLine.c_str());
  platform::InstallBackend(nullptr);
  return exitCode;
}
