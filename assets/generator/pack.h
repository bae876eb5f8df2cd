// The data-pack generator's parts: picture sizes, the artwork by family, effects, music, sheet.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "gfx/picture_names.h"

struct PictureSize {
  int width, height;
};

// The stored size of every picture; the game's coordinates are laid out around these.
PictureSize SizeOfPicture(PictureId id);
// The same table as markdown, as kept in assets/picture_sizes.md.
std::string SizeTableMarkdown();

// Each family draws the ids it knows and returns false for the others.
bool DrawInterface(Canvas& canvas, PictureId id);  // menus, labels, digits, HUD, pause, ranking
bool DrawPages(Canvas& canvas, PictureId id);      // logos, title, story, rules, staff, ending
bool DrawSisters(Canvas& canvas, PictureId id);    // the two players, their shots and pop-ups
bool DrawEnemies(Canvas& canvas, PictureId id);    // the four kinds, capsules, shots, explosions
bool DrawBosses(Canvas& canvas, PictureId id);
bool DrawBackdrop(Canvas& canvas, PictureId id);   // sky, strips, clouds, tiles, backgrounds

// One sister in flight inside a 64 x 44 box at the current cairo transform (sister 0 SENRA,
// 1 YUSERA; weapon 0..2; frame 0..3; tilt in radians), for the larger illustrations.
void DrawMaiden(Canvas& canvas, int sister, int weapon, int frame, double tilt);

// One youkai of an ordinary stage at the current cairo transform (kind 1 umbrella walker in
// 48 x 48, 2 gourd in 48 x 40, 3 fire-cart cat in 40 x 40, 4 wisp in 40 x 40), for illustrations.
void DrawYoukai(Canvas& canvas, int kind, int frame);

struct GeneratedPicture {
  PictureId id;
  std::vector<unsigned char> png;
};
std::vector<unsigned char> RenderPicture(PictureId id);

struct NamedBlob {
  std::string name;
  std::vector<unsigned char> bytes;
};
std::vector<NamedBlob> MakeSoundEffects();  // the thirteen RIFF WAVE images, in effect id order

struct MusicPiece {
  std::vector<short> samples;  // interleaved stereo, 44100 Hz
  long loopStart, loopEnd;     // frames
};
MusicPiece ComposeTitleMusic();
MusicPiece ComposePlayMusic();
// Ogg Vorbis bytes of the piece (unmasked); the serial number keeps every build identical.
std::vector<unsigned char> EncodeOggVorbis(const MusicPiece& piece, int serial);

// One PNG with every picture over a checkerboard, labelled with its id and name.
bool WriteContactSheet(const std::vector<GeneratedPicture>& pictures, const std::string& path);
// Pictures first..last enlarged, for a close look at sprites.
bool WriteZoomSheet(const std::vector<GeneratedPicture>& pictures, int first, int last, int scale,
                    const std::string& path);
// Whole screens (title, play, weapon selection, bosses and pause, story, rules) composed from the
// pictures at the game's positions.
bool WriteLayoutSheet(const std::vector<GeneratedPicture>& pictures, const std::string& path);

// Launcher bitmap 130 (200 x 200) and window icon 107, as PNG.
std::vector<unsigned char> RenderLauncherBitmap();
std::vector<unsigned char> RenderWindowIcon(int size);

// The palette the whole pack shares.
namespace palette {
constexpr Rgb kInk = Hex(0x1E1426);        // outlines
constexpr Rgb kPaper = Hex(0xF6EEDC);      // washi white
constexpr Rgb kVermilion = Hex(0xD8402C);  // shrine red
constexpr Rgb kGold = Hex(0xF2C14E);
constexpr Rgb kNight = Hex(0x1C2A4A);
constexpr Rgb kDusk = Hex(0x6A4C8C);
constexpr Rgb kSkin = Hex(0xFAD9C0);
constexpr Rgb kSenraHair = Hex(0x3A2A4E);   // elder sister: dark violet hair, red ribbon
constexpr Rgb kSenraAccent = Hex(0xD8402C);
constexpr Rgb kYuseraHair = Hex(0xE8A23A);  // younger sister: amber hair, indigo ribbon
constexpr Rgb kYuseraAccent = Hex(0x3E5BB8);
constexpr Rgb kYoukai = Hex(0x8C5AB4);
constexpr Rgb kFoxfire = Hex(0x8FD3FF);
}  // namespace palette
