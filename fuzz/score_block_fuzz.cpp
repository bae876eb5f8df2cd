// A stored settings key holding arbitrary "scoredata" and "Buttons" values of any type and
// length: the start-up read keeps to its buffers and the ranking stays a ranking.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/app.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "app/settings_store.h"
#include "platform/fake/fake_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  fake::FakeBackend backend;
  platform::InstallBackend(&backend);
  const std::uint32_t type = data[0] % 12;
  const std::vector<unsigned char> bytes(data + 1, data + size);
  backend.registry.Put(kSettingsKeyPath, "scoredata", type, bytes);
  backend.registry.Put(kSettingsKeyPath, "Buttons", type, bytes);
  backend.registry.Put(kSettingsKeyPath, "demowait", type, bytes);
  ResetAppState();
  ReadStartupSettings();
  platform::InstallBackend(nullptr);
  return 0;
}
