// Drawing surface for one generated picture: cairo underneath, a few shape and text helpers on top.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  double r, g, b;
};

// Colours written as 0xRRGGBB.
constexpr Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);

enum class TextAlign { kLeft, kCentre, kRight };

struct TextStyle {
  double sizePx = 16;
  Rgb fill = Hex(0xFFFFFF);
  Rgb outline = Hex(0x201020);
  double outlineWidth = 0;  // 0 = no outline
  bool bold = true;
  bool proportional = true;  // IPA P Gothic for text, the fixed-width face for digits
  double letterSpacing = 0;  // px
};

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Colour(Rgb c, double alpha = 1.0);
  void FillRect(double x, double y, double w, double h, Rgb c, double alpha = 1.0);
  void RoundRect(double x, double y, double w, double h, double radius);  // path only
  void Ellipse(double cx, double cy, double rx, double ry);              // path only
  void FillEllipse(double cx, double cy, double rx, double ry, Rgb c, double alpha = 1.0);
  // Fills the current path, then strokes it with a dark outline, the house style for sprites.
  void FillOutline(Rgb fill, Rgb outline, double width, double alpha = 1.0);
  void VerticalGradient(double x, double y, double w, double h, Rgb top, Rgb bottom, double alpha = 1.0);
  // A soft glow: a radial gradient from colour at the centre to transparent at radius.
  void Glow(double cx, double cy, double radius, Rgb c, double alpha);

  // Lays the text out with its top-left (or top-centre, top-right) at (x, y); returns its width.
  double Text(const std::string& utf8, double x, double y, const TextStyle& style,
              TextAlign align = TextAlign::kLeft, double wrapWidth = 0);
  static double TextWidth(const std::string& utf8, const TextStyle& style);
  // Fits one line into the box: centred vertically on its ink, aligned horizontally, shrunk when
  // it would not fit the width.
  void TextBox(const std::string& utf8, double x, double y, double w, double h, TextStyle style,
               TextAlign align = TextAlign::kCentre);

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// How a picture is stored: its own alpha ("PIC_"), or opaque with a colour key for the rest.
struct ColourKey {
  bool keyed = false;
  std::uint8_t r = 0, g = 0, b = 0;
};
ColourKey KeyForName(const std::string& name);

// True when (r, g, b) is close enough to the key to count as a fringe of it.
bool NearKey(const ColourKey& key, int r, int g, int b);

// Encodes the canvas as PNG. Keyed pictures become opaque RGB: coverage below one half turns into
// exactly the key colour, the rest keeps its own colour pushed clear of the key, so no edge pixel
// is a blend towards the key.
std::vector<unsigned char> EncodePng(const Canvas& canvas, const ColourKey& key);
// Encodes a fully drawn canvas as a plain RGB PNG (no alpha channel).
std::vector<unsigned char> EncodeOpaquePng(const Canvas& canvas);
