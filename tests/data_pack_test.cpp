// The default data pack as the build leaves it: every picture at its table size with clean colour
// keys, thirteen PCM effects, two seekable Ogg pieces that loop without a seam, same bytes twice.
#include <cairo.h>
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "gfx/archive.h"
#include "gfx/picture_names.h"
#include "test_support.h"

namespace {

const std::filesystem::path kDataDir = SORVANI_DATA_DIR;
const std::filesystem::path kAssetsDir = SORVANI_ASSETS_DIR;

std::string DataFile(const char* name) { return (kDataDir / name).string(); }

std::string Entry(const char* archive, const char* name) {
  std::unique_ptr<unsigned char[]> payload;
  std::uint32_t size = 0;
  if (!ReadArchiveEntry(DataFile(archive).c_str(), name, &payload, &size)) return {};
  return std::string(reinterpret_cast<char*>(payload.get()), size);
}

struct PngSource {
  const std::string* bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* data, unsigned int length) {
  auto* source = static_cast<PngSource*>(closure);
  if (source->offset + length > source->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, source->bytes->data() + source->offset, length);
  source->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

// A decoded picture as 0xAARRGGBB pixels (not premultiplied for the opaque ones we inspect).
struct Image {
  int width = 0, height = 0;
  bool opaque = false;  // stored without an alpha channel
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[y * width + x]; }
};

bool Decode(const std::string& png, Image* image) {
  PngSource source{&png};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadPng, &source);
  bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    image->width = cairo_image_surface_get_width(surface);
    image->height = cairo_image_surface_get_height(surface);
    image->opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    image->pixels.resize(static_cast<std::size_t>(image->width) * image->height);
    for (int y = 0; y < image->height; ++y)
      for (int x = 0; x < image->width; ++x) {
        std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
        image->pixels[y * image->width + x] = image->opaque ? (p | 0xFF000000u) : p;
      }
  }
  cairo_surface_destroy(surface);
  return ok;
}

// The size table in assets/picture_sizes.md: "| first-last | name | name | width | height | why |".
std::map<int, std::pair<int, int>> SizeTable() {
  std::ifstream file(kAssetsDir / "picture_sizes.md");
  std::map<int, std::pair<int, int>> sizes;
  for (std::string line; std::getline(file, line);) {
    int first = 0, last = 0, width = 0, height = 0;
    char a[128], b[128];
    if (std::sscanf(line.c_str(), "| %d-%d | %127s | %127s | %d | %d |", &first, &last, a, b, &width, &height) != 6)
      continue;
    for (int id = first; id <= last; ++id) sizes[id] = {width, height};
  }
  return sizes;
}

std::uint32_t KeyOf(const std::string& name) {
  if (name.rfind("PIX_", 0) == 0) return 0xFF00FF00u;
  if (name.rfind("PIY_", 0) == 0) return 0xFF008080u;
  if (name.rfind("PIZ_", 0) == 0) return 0xFF00DBFFu;
  return 0;
}

// Close to the key without being it: what anti-aliasing into the key colour would leave.
bool NearMiss(std::uint32_t pixel, std::uint32_t key) {
  if (pixel == key) return false;
  int distance = 0;
  for (int shift = 0; shift < 24; shift += 8)
    distance += std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((key >> shift) & 0xFF));
  return distance < 96;
}

TEST(DataPackTest, EveryPictureIsThereDecodesAndHasItsTableSize) {
  std::map<int, std::pair<int, int>> sizes = SizeTable();
  ASSERT_EQ(sizes.size(), static_cast<std::size_t>(NUMSURFACES)) << "assets/picture_sizes.md covers every id";
  for (int id = 0; id < NUMSURFACES; ++id) {
    std::string png = Entry("svdata01.dat", surfaces[id]);
    ASSERT_FALSE(png.empty()) << surfaces[id] << " is missing";
    Image image;
    ASSERT_TRUE(Decode(png, &image)) << surfaces[id] << " does not decode";
    EXPECT_EQ(image.width, sizes[id].first) << surfaces[id];
    EXPECT_EQ(image.height, sizes[id].second) << surfaces[id];
  }
}

TEST(DataPackTest, KeyedPicturesAreOpaqueWithExactKeysAndNoFringes) {
  int keyed = 0;
  for (int id = 0; id < NUMSURFACES; ++id) {
    std::uint32_t key = KeyOf(surfaces[id]);
    if (key == 0) continue;
    ++keyed;
    Image image;
    ASSERT_TRUE(Decode(Entry("svdata01.dat", surfaces[id]), &image)) << surfaces[id];
    // The key is matched on opaque pixels only, so a keyed picture has no alpha of its own.
    EXPECT_TRUE(image.opaque) << surfaces[id];
    long keyPixels = 0, fringes = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        std::uint32_t p = image.At(x, y);
        if (p == key) {
          ++keyPixels;
          continue;
        }
        bool touchesKey = (x > 0 && image.At(x - 1, y) == key) || (x + 1 < image.width && image.At(x + 1, y) == key) ||
                          (y > 0 && image.At(x, y - 1) == key) || (y + 1 < image.height && image.At(x, y + 1) == key);
        if (touchesKey && NearMiss(p, key)) ++fringes;
      }
    EXPECT_GT(keyPixels, 0) << surfaces[id] << " never uses its key colour";
    EXPECT_LT(keyPixels, static_cast<long>(image.pixels.size())) << surfaces[id] << " is all key";
    EXPECT_EQ(fringes, 0) << surfaces[id] << " has near-key pixels at its edges";
  }
  EXPECT_EQ(keyed, 48 + 1 + 4 + 3 + 14 + 6 + 6 + 8 + 11 + 1);  // every PIX_, PIY_ and PIZ_ name
}

TEST(DataPackTest, PlainPicturesAreNotBlank) {
  for (int id = 0; id < NUMSURFACES; ++id) {
    if (KeyOf(surfaces[id]) != 0) continue;
    Image image;
    ASSERT_TRUE(Decode(Entry("svdata01.dat", surfaces[id]), &image)) << surfaces[id];
    long visible = std::count_if(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return (p >> 24) > 0; });
    EXPECT_GT(visible, 0) << surfaces[id] << " is fully transparent";
  }
}

TEST(DataPackTest, BackdropStripsJoinSeamlesslyAt640) {
  // Each strip is drawn at its offset and 640 px further on: its last column meets its first,
  // and that step must look like any other step between two neighbouring columns of the strip.
  for (int id = PIC_BG02; id <= PIC_BG11; ++id) {
    Image image;
    ASSERT_TRUE(Decode(Entry("svdata01.dat", surfaces[id]), &image)) << surfaces[id];
    ASSERT_EQ(image.width, 640) << surfaces[id];
    auto columnStep = [&](int a, int b) {
      double sum = 0;
      for (int y = 0; y < image.height; ++y)
        for (int shift = 0; shift < 24; shift += 8)
          sum += std::abs(static_cast<int>((image.At(a, y) >> shift) & 0xFF) - static_cast<int>((image.At(b, y) >> shift) & 0xFF));
      return sum / image.height;
    };
    std::vector<double> steps;
    for (int x = 0; x + 1 < 640; ++x) steps.push_back(columnStep(x, x + 1));
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(columnStep(639, 0), steps[steps.size() * 99 / 100] + 1) << surfaces[id] << " shows a seam";
    long opaque = std::count_if(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return (p >> 24) == 0xFF; });
    EXPECT_EQ(opaque, static_cast<long>(image.pixels.size())) << surfaces[id] << " would let black show between strips";
  }
}

TEST(DataPackTest, BossTwoFillsTheHitBoxOfEveryFrame) {
  // The boss is hit only inside its frame's part box, so the drawn body must be there: most of
  // each box is body, not the transparent key.
  const int boxes[14][4] = {{23, 42, 101, 85}, {23, 42, 101, 85}, {23, 42, 101, 85}, {55, 46, 89, 99},
                            {24, 56, 95, 90},  {40, 35, 99, 97},  {31, 50, 87, 106}, {26, 42, 103, 85},
                            {26, 42, 103, 85}, {26, 42, 103, 85}, {20, 34, 84, 84},  {21, 32, 88, 69},
                            {37, 14, 80, 98},  {33, 39, 60, 96}};
  for (int frame = 0; frame < 14; ++frame) {
    const char* name = surfaces[PIZ_BOSS2RA + frame];
    Image image;
    ASSERT_TRUE(Decode(Entry("svdata01.dat", name), &image)) << name;
    const int* box = boxes[frame];
    long body = 0, area = 0;
    for (int y = box[1]; y <= box[3]; ++y)
      for (int x = box[0]; x <= box[2]; ++x, ++area) body += image.At(x, y) != 0xFF00DBFFu;
    EXPECT_GE(body * 2, area) << name << ": body covers " << body << " of " << area << " pixels of its hit box";
  }
}

// Checks the RIFF layout an effect buffer is made from; returns "" or what is wrong.
std::string WaveProblem(const std::string& wave) {
  auto u16 = [&](std::size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(wave[at]) | static_cast<unsigned char>(wave[at + 1]) << 8); };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (wave.size() < 12 || wave.compare(0, 4, "RIFF") != 0 || wave.compare(8, 4, "WAVE") != 0) return "not RIFF WAVE";
  if (u32(4) + 8 != wave.size()) return "RIFF size does not match";
  bool haveFormat = false;
  for (std::size_t at = 12; at + 8 <= wave.size();) {
    std::string id = wave.substr(at, 4);
    std::size_t size = u32(at + 4);
    if (at + 8 + size > wave.size()) return "chunk " + id + " runs past the end";
    if (id == "fmt ") {
      if (size < 16) return "short fmt chunk";
      if (u16(at + 8) != 1) return "not PCM";
      unsigned channels = u16(at + 10), rate = u32(at + 12), align = u16(at + 20), bits = u16(at + 22);
      if (bits != 16 || (rate != 44100 && rate != 22050) || channels < 1 || channels > 2) return "not 16-bit 44.1/22.05 kHz";
      if (align != channels * 2 || u32(at + 16) != rate * align) return "inconsistent block align or byte rate";
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return "data before fmt";
      if (size == 0 || size % 2 != 0) return "empty or odd data";
      double peak = 0;
      for (std::size_t i = 0; i < size; i += 2)
        peak = std::max(peak, std::fabs(static_cast<double>(static_cast<std::int16_t>(u16(at + 8 + i)))));
      if (peak < 3000) return "nearly silent";
      if (size / 2 > 44100 * 2) return "longer than two seconds";
      return "";
    }
    at += 8 + size + (size & 1);
  }
  return "no data chunk";
}

TEST(DataPackTest, TheThirteenEffectsArePcmWaves) {
  const char* effects[] = {"WAV_MENU_SELECT", "WAV_MENU_DECIDE", "WAV_MENU_CANCEL",  "WAV_KAIWA_NEXT", "WAV_WARP",
                           "WAV_RA",          "WAV_SHOT_1",      "WAV_SHOT_2",       "WAV_ENEMY_DAMAGE",
                           "WAV_ENEMY_HIT",   "WAV_GET_ITEM",    "WAV_DAMAGE",       "WAV_HITITEM"};
  for (const char* name : effects) {
    std::string wave = Entry("svdata02.dat", name);
    ASSERT_FALSE(wave.empty()) << name << " is missing";
    EXPECT_EQ(WaveProblem(wave), "") << name;
  }
}

// Unmasks a music file and serves it to vorbisfile from memory.
struct MemoryFile {
  std::string bytes;
  std::size_t at = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  std::size_t n = std::min(size * count, file->bytes.size() - file->at);
  std::memcpy(out, file->bytes.data() + file->at, n);
  file->at += n;
  return size ? n / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int origin) {
  auto* file = static_cast<MemoryFile*>(source);
  ogg_int64_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? file->at : file->bytes.size();
  if (base + offset < 0 || base + offset > static_cast<ogg_int64_t>(file->bytes.size())) return -1;
  file->at = static_cast<std::size_t>(base + offset);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }

// Reads frames [from, from + count) as interleaved stereo.
std::vector<short> ReadFrames(OggVorbis_File* vf, long from, long count) {
  std::vector<short> out(count * 2);
  if (ov_pcm_seek(vf, from) != 0) return {};
  std::size_t bytes = 0;
  while (bytes < out.size() * 2) {
    int section = 0;
    long got = ov_read(vf, reinterpret_cast<char*>(out.data()) + bytes, static_cast<int>(out.size() * 2 - bytes), 0, 2, 1, &section);
    if (got <= 0) return {};
    bytes += got;
  }
  return out;
}

double Rms(const std::vector<short>& a) {
  double sum = 0;
  for (short s : a) sum += double(s) * s;
  return std::sqrt(sum / std::max<std::size_t>(1, a.size()));
}

// Mean squared one-step error over the 16 samples from `at` of a linear predictor (order 24)
// fitted by autocorrelation on the 1024 samples before `at`.
double PredictionError(const std::vector<double>& x, long at) {
  const int order = 24, fit = 1024, span = 16;
  std::vector<double> r(order + 1);
  for (int lag = 0; lag <= order; ++lag)
    for (long i = at - fit + lag; i < at; ++i) r[lag] += x[i] * x[i - lag];
  r[0] = r[0] * 1.0001 + 1e-6;
  std::vector<double> a(order + 1), previous(order + 1);
  a[0] = 1;
  double error = r[0];
  for (int m = 1; m <= order; ++m) {  // Levinson-Durbin
    double k = -r[m];
    for (int i = 1; i < m; ++i) k -= a[i] * r[m - i];
    k /= error;
    previous = a;
    for (int i = 1; i < m; ++i) a[i] = previous[i] + k * previous[m - i];
    a[m] = k;
    error *= 1 - k * k;
  }
  double sum = 0;
  for (long n = at; n < at + span; ++n) {
    double e = x[n];
    for (int i = 1; i <= order; ++i) e += a[i] * x[n - i];
    sum += e * e;
  }
  return sum / span;
}

struct Piece {
  const char* file;
  long loopStart, loopEnd;
};

void PrintTo(const Piece& piece, std::ostream* out) { *out << piece.file; }

class MusicTest : public ::testing::TestWithParam<Piece> {};

TEST_P(MusicTest, OpensSeeksAndJoinsAtTheLoopPoint) {
  const Piece piece = GetParam();
  MemoryFile file{ReadFileBytes(kDataDir / piece.file)};
  ASSERT_FALSE(file.bytes.empty()) << piece.file;
  ASSERT_NE(file.bytes.compare(0, 4, "OggS"), 0) << "the file must be masked";
  for (char& c : file.bytes) c = static_cast<char>(c ^ 0xB6);
  OggVorbis_File vf;
  ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  ASSERT_EQ(ov_open_callbacks(&file, &vf, nullptr, 0, callbacks), 0);
  EXPECT_NE(ov_seekable(&vf), 0);
  vorbis_info* info = ov_info(&vf, -1);
  EXPECT_EQ(info->rate, 44100);
  EXPECT_EQ(info->channels, 2);
  EXPECT_GE(ov_pcm_total(&vf, -1), piece.loopEnd);

  // Playback runs on from the loop end straight into the loop start. Join the frames before the
  // one and after the other and ask a linear predictor, fitted on the music just before, how well
  // it foresees the first samples after: at a click, a jump in phase or a cut-off note it fails
  // far worse than it does at ordinary points of the same stretch.
  const long window = 8192;
  std::vector<short> beforeEnd = ReadFrames(&vf, piece.loopEnd - window, window);
  std::vector<short> afterStart = ReadFrames(&vf, piece.loopStart, window);
  ASSERT_EQ(beforeEnd.size(), static_cast<std::size_t>(2 * window));
  ASSERT_EQ(afterStart.size(), static_cast<std::size_t>(2 * window));
  EXPECT_GT(Rms(beforeEnd), 500) << "the music is nearly silent at its loop end";
  EXPECT_GT(Rms(afterStart), 500) << "the music is nearly silent at its loop start";
  for (int channel = 0; channel < 2; ++channel) {
    std::vector<double> joined;
    for (long i = 0; i < window; ++i) joined.push_back(beforeEnd[2 * i + channel]);
    for (long i = 0; i < window; ++i) joined.push_back(afterStart[2 * i + channel]);
    std::vector<double> ordinary;
    for (long at = 2048; at + 64 < 2 * window; at += 192)
      if (std::labs(at - window) > 256) ordinary.push_back(PredictionError(joined, at));
    std::nth_element(ordinary.begin(), ordinary.begin() + ordinary.size() / 2, ordinary.end());
    double typical = ordinary[ordinary.size() / 2];
    EXPECT_LT(PredictionError(joined, window), 4 * typical + 1) << "seam at the loop point on channel " << channel;
  }
  ov_clear(&vf);
}

INSTANTIATE_TEST_SUITE_P(Pieces, MusicTest,
                         ::testing::Values(Piece{"svdata03.mx", 35584, 1453056}, Piece{"svdata04.mx", 344064, 4458496}),
                         [](const ::testing::TestParamInfo<Piece>& param) { return std::string(param.param.file).substr(0, 8); });

TEST(DataPackTest, TheIconAndTheLauncherBitmapLieBesideTheProgram) {
  struct Case {
    const char* file;
    int width, height;
    bool opaque;
  };
  for (const Case& c : {Case{"resources/107.png", 64, 64, false}, Case{"resources/130.png", 200, 200, true}}) {
    Image image;
    ASSERT_TRUE(Decode(ReadFileBytes(kDataDir / c.file), &image)) << c.file;
    EXPECT_EQ(image.width, c.width) << c.file;
    EXPECT_EQ(image.height, c.height) << c.file;
    EXPECT_EQ(image.opaque, c.opaque) << c.file;
  }
}

TEST(DataPackTest, GeneratingAgainGivesTheSameBytes) {
  std::filesystem::path again = std::filesystem::temp_directory_path() / ("svdata_again_" + std::to_string(::getpid()));
  std::filesystem::create_directories(again);
  std::string command = std::string("\"") + SORVANI_DATAGEN + "\" --out \"" + again.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* name : {"svdata01.dat", "svdata02.dat", "svdata03.mx", "svdata04.mx"}) {
    std::string built = ReadFileBytes(kDataDir / name), rebuilt = ReadFileBytes(again / name);
    EXPECT_FALSE(built.empty()) << name;
    EXPECT_TRUE(built == rebuilt) << name << " differs between two runs of the generator";
  }
  std::filesystem::remove_all(again);
}

}  // namespace
