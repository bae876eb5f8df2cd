// Where the run log and the screenshots go.
#include "app/output_paths.h"

#include "platform/backend.h"

namespace {

std::string prefix;

}  // namespace

void ChooseOutputDirectory() {
  prefix.clear();
  platform::System& machine = platform::Machine();
  if (machine.IsWritableDirectory(".")) return;
  std::string state;
  // With nowhere writable the log simply does not open; the game runs on without it.
  if (machine.UserStateDirectory(&state)) prefix = state + "/";
}

const std::string& OutputPrefix() { return prefix; }
