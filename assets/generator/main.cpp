// The data-pack generator: draws every picture, synthesises the effects and the music, and writes
// svdata01.dat, svdata02.dat, svdata03.mx and svdata04.mx.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "archive_writer.h"
#include "pack.h"

namespace {

// Music files are masked byte by byte with this key (not the archive key).
constexpr unsigned char kMusicMask = 0xB6;

bool WriteOrComplain(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::string error;
  if (WriteFileAtomically(path, bytes, &error)) return true;
  std::fprintf(stderr, "svdatagen: %s\n", error.c_str());
  return false;
}

bool WriteArchive(const std::string& path, std::vector<ArchiveEntry> entries) {
  std::vector<unsigned char> image;
  std::string error;
  if (!BuildArchive(entries, &image, &error)) {
    std::fprintf(stderr, "svdatagen: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return WriteOrComplain(path, image);
}

std::vector<unsigned char> MaskedOgg(const MusicPiece& piece, int serial) {
  std::vector<unsigned char> bytes = EncodeOggVorbis(piece, serial);
  for (unsigned char& byte : bytes) byte ^= kMusicMask;
  return bytes;
}

void Usage() {
  std::fprintf(stderr,
               "usage: svdatagen [--out DIR] [--contact-sheet PNG] [--layout-sheet PNG] [--size-table MD]\n"
               "                 [--resources DIR]\n"
               "  --out DIR            write the four data files into DIR (default: .)\n"
               "  --contact-sheet PNG  also write one picture showing every picture with its id and name\n"
               "  --layout-sheet PNG   also write whole screens composed from the pictures\n"
               "  --zoom FIRST LAST PNG  also write pictures FIRST..LAST enlarged three times\n"
               "  --size-table MD      write the picture size table as markdown and stop\n"
               "  --resources DIR      write the launcher bitmap and the window icon into DIR and stop\n");
}

}  // namespace

// Fontconfig keeps its font cache until the process ends, and pango matches fonts on threads of
// its own that share it; in sanitizer builds neither is a fault of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __tsan_default_suppressions() {
  return "race:libfontconfig.so\nrace:libglib-2.0.so\nrace:libpango-1.0.so\nrace:libpangoft2-1.0.so\n"
         "race:libharfbuzz.so\nrace:libcairo.so\n";
}

int main(int argc, char** argv) {
  std::string outDir = ".", contactSheet, layoutSheet, sizeTable, resources, zoomSheet;
  int zoomFirst = 0, zoomLast = 0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--out" && hasValue) {
      outDir = argv[++i];
    } else if (arg == "--contact-sheet" && hasValue) {
      contactSheet = argv[++i];
    } else if (arg == "--layout-sheet" && hasValue) {
      layoutSheet = argv[++i];
    } else if (arg == "--zoom" && i + 3 < argc) {
      zoomFirst = std::atoi(argv[++i]);
      zoomLast = std::atoi(argv[++i]);
      zoomSheet = argv[++i];
    } else if (arg == "--size-table" && hasValue) {
      sizeTable = argv[++i];
    } else if (arg == "--resources" && hasValue) {
      resources = argv[++i];
    } else {
      Usage();
      return 2;
    }
  }
  if (!sizeTable.empty()) {
    std::string text = SizeTableMarkdown();
    return WriteOrComplain(sizeTable, std::vector<unsigned char>(text.begin(), text.end())) ? 0 : 1;
  }
  if (!resources.empty()) {
    bool ok = WriteOrComplain(resources + "/130.png", RenderLauncherBitmap()) &&
              WriteOrComplain(resources + "/107.png", RenderWindowIcon(64)) &&
              WriteOrComplain(resources + "/107-256.png", RenderWindowIcon(256));
    return ok ? 0 : 1;
  }

  // The music takes longest; it is composed and encoded beside the pictures.
  std::vector<unsigned char> titleOgg, playOgg;
  std::thread music([&] {
    titleOgg = MaskedOgg(ComposeTitleMusic(), 0x53560003);
    playOgg = MaskedOgg(ComposePlayMusic(), 0x53560004);
  });

  std::vector<GeneratedPicture> pictures;
  std::vector<ArchiveEntry> pictureEntries;
  for (int id = 0; id < NUMSURFACES; ++id) {
    pictures.push_back({static_cast<PictureId>(id), RenderPicture(static_cast<PictureId>(id))});
    pictureEntries.push_back({surfaces[id], pictures.back().png});
  }
  std::vector<ArchiveEntry> soundEntries;
  for (NamedBlob& effect : MakeSoundEffects()) soundEntries.push_back({effect.name, std::move(effect.bytes)});
  music.join();

  bool ok = WriteArchive(outDir + "/svdata01.dat", std::move(pictureEntries)) &&
            WriteArchive(outDir + "/svdata02.dat", std::move(soundEntries)) &&
            WriteOrComplain(outDir + "/svdata03.mx", titleOgg) && WriteOrComplain(outDir + "/svdata04.mx", playOgg);
  if (ok && !contactSheet.empty()) ok = WriteContactSheet(pictures, contactSheet);
  if (ok && !layoutSheet.empty()) ok = WriteLayoutSheet(pictures, layoutSheet);
  if (ok && !zoomSheet.empty() && zoomFirst >= 0 && zoomLast < NUMSURFACES && zoomFirst <= zoomLast)
    ok = WriteZoomSheet(pictures, zoomFirst, zoomLast, 3, zoomSheet);
  return ok ? 0 : 1;
}
