// Picture-set switch on the real backend: the play set loaded through the archive, against
// decoding the same picture files alone. Uses the data pack beside the program when there is
// one, else a pack of PNG pictures of the game's sizes made here.
//   SDL_VIDEODRIVER=offscreen ./picture_set_bench --benchmark_repetitions=9
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "archive_writer.h"
#include "gfx/archive.h"
#include "gfx/gfx.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_device.h"

namespace {

namespace fs = std::filesystem;

// Rough sizes of the game's pictures: full-screen backdrops and pages, big bosses, the rest
// sprite-sized.
void PictureSize(int id, int* width, int* height) {
  const std::string name = surfaces[id];
  if (id == PIC_HAIKEI || (id >= PIC_BG01 && id <= PIC_BG11) || (id >= PIC_STORY1 && id <= PIC_STORY5) ||
      (id >= PIC_ENDING1 && id <= PIC_ENDING4)) {
    *width = 640;
    *height = 480;
  } else if (name.rfind("PIZ_BOSS", 0) == 0 || name.rfind("PIC_BOSS", 0) == 0) {
    *width = 160;
    *height = 160;
  } else {
    *width = 64;
    *height = 48;
  }
}

// Smooth shading with some texture, so the files compress about as drawn pictures do.
std::vector<unsigned char> MakePng(int id, int width, int height) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  std::uint32_t seed = 2166136261u ^ static_cast<std::uint32_t>(id);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<unsigned char*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const std::uint32_t noise = (seed >> 24) & 0x1F;
      const std::uint32_t r = (static_cast<std::uint32_t>(x * 255 / width) + noise) & 0xFF;
      const std::uint32_t g = (static_cast<std::uint32_t>(y * 255 / height) + noise) & 0xFF;
      const std::uint32_t b = static_cast<std::uint32_t>((x / 8 + y / 8 + id) % 2 ? 0xC0 : 0x40);
      const std::uint32_t a = (x + y) % 17 == 0 ? 0 : 0xFF;
      row[x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * 4 + 4096);
  SDL_RWops* stream = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
  IMG_SavePNG_RW(surface, stream, 0);
  bytes.resize(static_cast<std::size_t>(SDL_RWtell(stream)));
  SDL_RWclose(stream);
  SDL_FreeSurface(surface);
  return bytes;
}

// The program, its window and device, and a folder holding the pack; made once.
struct Stage {
  platform::sdl::SdlBackend backend;
  fs::path directory;
  std::string packNote;
  bool ready = false;

  Stage() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string error;
    if (!backend.Init(&error)) {
      std::fprintf(stderr, "SDL did not come up: %s\n", error.c_str());
      return;
    }
    platform::InstallBackend(&backend);
    char executable[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    const fs::path beside = length > 0 ? fs::path(executable).parent_path() / kPictureArchive : fs::path();
    char pattern[] = "/tmp/sorvani-bench-XXXXXX";
    directory = mkdtemp(pattern);
    if (!beside.empty() && fs::exists(beside)) {
      fs::copy_file(beside, directory / kPictureArchive);
      packNote = "data pack " + beside.string();
    } else {
      std::vector<ArchiveEntry> entries;
      for (int id = 0; id < NUMSURFACES; ++id) {
        int width = 0, height = 0;
        PictureSize(id, &width, &height);
        entries.push_back({surfaces[id], MakePng(id, width, height)});
      }
      std::vector<unsigned char> image;
      BuildArchive(entries, &image, &error);
      std::ofstream(directory / kPictureArchive, std::ios::binary)
          .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
      packNote = "generated PNG pack";
    }
    fs::current_path(directory);

    platform::WindowSystem& windows = platform::Windows();
    windows.RegisterWindowClass(platform::WindowClass{
        "sorvani-bench", [](platform::WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t) { return 0; }, 0});
    const platform::WindowHandle window = windows.CreateMainWindow("sorvani-bench", "bench", 640, 480);
    appState.bWindowed = 1;
    ready = window != platform::kNoWindow && InitDirect3D(window, true, true) == platform::S_OK;
  }

  ~Stage() {
    ReleaseDirect3D();
    platform::InstallBackend(nullptr);
    std::error_code ignored;
    fs::remove_all(directory, ignored);
  }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

std::vector<PictureId> FirstIds(const PictureId* set, int count) {
  std::vector<PictureId> ids(set, set + count);
  ids.push_back(kPictureListEnd);
  return ids;
}

// The one-player play set: the first 228 ids of the play set.
const std::vector<PictureId>& OnePlayerSet() {
  static const std::vector<PictureId> ids = FirstIds(kPlayPictureSet, 228);
  return ids;
}

void Label(benchmark::State& state, const PictureId* set) {
  auto* device = static_cast<platform::sdl::SdlDevice*>(graphics.pDevice.get());
  state.SetLabel(TheStage().packNote + ", " + (device ? device->RendererName() : "no device") + " renderer");
  state.counters["pictures"] = PictureSetSize(set);
}

void BM_LoadPictureSet(benchmark::State& state, const PictureId* set) {
  Stage& stage = TheStage();
  if (!stage.ready) {
    state.SkipWithError("no device");
    return;
  }
  for (auto _ : state) {
    const platform::HRESULT result = LoadPictureSet(set);
    if (result != platform::S_OK) {
      state.SkipWithError("the set did not load");
      break;
    }
  }
  Label(state, set);
}

// The set's picture files as the archive holds them, read once before the timing.
std::vector<std::vector<unsigned char>> PictureFiles(const PictureId* set) {
  std::vector<std::vector<unsigned char>> files;
  for (int i = 0; i < PictureSetSize(set); ++i) {
    std::unique_ptr<unsigned char[]> payload;
    std::uint32_t size = 0;
    if (ReadArchiveEntry(kPictureArchive, surfaces[set[i]], &payload, &size)) {
      files.emplace_back(payload.get(), payload.get() + size);
    }
  }
  return files;
}

// The same picture files decoded from memory and nothing else: no archive, no texture.
void BM_DecodeOnly(benchmark::State& state, const PictureId* set) {
  Stage& stage = TheStage();
  if (!stage.ready) {
    state.SkipWithError("no device");
    return;
  }
  const std::vector<std::vector<unsigned char>> files = PictureFiles(set);
  for (auto _ : state) {
    for (const auto& file : files) {
      SDL_Surface* image = IMG_Load_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
      benchmark::DoNotOptimize(image);
      SDL_FreeSurface(image);
    }
  }
  Label(state, set);
}

// The same picture files decoded and made into textures, without the archive (and without
// colour keys): what a load costs beyond decoding, less the archive.
void BM_TexturesOnly(benchmark::State& state, const PictureId* set) {
  if (!TheStage().ready) {
    state.SkipWithError("no device");
    return;
  }
  const std::vector<std::vector<unsigned char>> files = PictureFiles(set);
  std::vector<std::unique_ptr<platform::Texture>> textures(files.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      textures[i].reset();  // as a set switch lets the old set go first
      graphics.pDevice->CreateTextureFromMemory(files[i].data(), files[i].size(), 0, &textures[i]);
    }
  }
  Label(state, set);
}

// The archive walk alone: every picture of the set read and unmasked, as a load reads them.
void BM_ReadArchiveOnly(benchmark::State& state, const PictureId* set) {
  if (!TheStage().ready) {
    state.SkipWithError("no device");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < PictureSetSize(set); ++i) {
      std::unique_ptr<unsigned char[]> payload;
      std::uint32_t size = 0;
      benchmark::DoNotOptimize(ReadArchiveEntry(kPictureArchive, surfaces[set[i]], &payload, &size));
    }
  }
  Label(state, set);
}

void BM_LoadOnePlayerPlaySet(benchmark::State& state) { BM_LoadPictureSet(state, OnePlayerSet().data()); }
void BM_DecodeOnePlayerPlaySet(benchmark::State& state) { BM_DecodeOnly(state, OnePlayerSet().data()); }
void BM_LoadFullPlaySet(benchmark::State& state) { BM_LoadPictureSet(state, kPlayPictureSet); }
void BM_ReadFullPlaySet(benchmark::State& state) { BM_ReadArchiveOnly(state, kPlayPictureSet); }
void BM_DecodeFullPlaySet(benchmark::State& state) { BM_DecodeOnly(state, kPlayPictureSet); }
void BM_TexturesFullPlaySet(benchmark::State& state) { BM_TexturesOnly(state, kPlayPictureSet); }

BENCHMARK(BM_DecodeOnePlayerPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOnePlayerPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadFullPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodeFullPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TexturesFullPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadFullPlaySet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
