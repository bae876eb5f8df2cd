// Drawing surface for one generated picture: cairo underneath, a few shape and text helpers on top.
#include "canvas.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <cstdlib>

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Colour(Rgb c, double alpha) { cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha); }

void Canvas::FillRect(double x, double y, double w, double h, Rgb c, double alpha) {
  cairo_rectangle(cr_, x, y, w, h);
  Colour(c, alpha);
  cairo_fill(cr_);
}

void Canvas::RoundRect(double x, double y, double w, double h, double radius) {
  double r = std::fmin(radius, std::fmin(w, h) / 2);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, rx, ry);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr_);
  cairo_restore(cr_);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb c, double alpha) {
  Ellipse(cx, cy, rx, ry);
  Colour(c, alpha);
  cairo_fill(cr_);
}

void Canvas::FillOutline(Rgb fill, Rgb outline, double width, double alpha) {
  Colour(fill, alpha);
  cairo_fill_preserve(cr_);
  cairo_set_line_width(cr_, width);
  Colour(outline, alpha);
  cairo_stroke(cr_);
}

void Canvas::VerticalGradient(double x, double y, double w, double h, Rgb top, Rgb bottom, double alpha) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(pattern, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(pattern, 1, bottom.r, bottom.g, bottom.b, alpha);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_set_source(cr_, pattern);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

void Canvas::Glow(double cx, double cy, double radius, Rgb c, double alpha) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(pattern, 0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(pattern, 0.4, c.r, c.g, c.b, alpha * 0.5);
  cairo_pattern_add_color_stop_rgba(pattern, 1, c.r, c.g, c.b, 0);
  cairo_arc(cr_, cx, cy, radius, 0, 2 * M_PI);
  cairo_set_source(cr_, pattern);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

namespace {

PangoLayout* MakeLayout(cairo_t* cr, const std::string& utf8, const TextStyle& style, double wrapWidth) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  // Grey antialiasing and no hinting: the same pixels whatever the desktop's font settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);

  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, style.proportional ? "IPAPGothic" : "IPAGothic");
  pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(font, style.sizePx * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  if (style.letterSpacing != 0) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(static_cast<int>(style.letterSpacing * PANGO_SCALE)));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  if (wrapWidth > 0) {
    pango_layout_set_width(layout, static_cast<int>(wrapWidth * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_CHAR);
  }
  pango_layout_set_text(layout, utf8.c_str(), -1);
  return layout;
}

}  // namespace

double Canvas::TextWidth(const std::string& utf8, const TextStyle& style) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  PangoLayout* layout = MakeLayout(cr, utf8, style, 0);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return w;
}

double Canvas::Text(const std::string& utf8, double x, double y, const TextStyle& style, TextAlign align,
                    double wrapWidth) {
  PangoLayout* layout = MakeLayout(cr_, utf8, style, wrapWidth);
  if (wrapWidth > 0 && align == TextAlign::kCentre) pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  double left = x;
  if (wrapWidth <= 0 && align == TextAlign::kCentre) left = x - w / 2.0;
  if (wrapWidth <= 0 && align == TextAlign::kRight) left = x - w;
  cairo_save(cr_);
  cairo_move_to(cr_, left, y);
  pango_cairo_layout_path(cr_, layout);
  if (style.outlineWidth > 0) {
    cairo_set_line_width(cr_, style.outlineWidth * 2);
    Colour(style.outline);
    cairo_stroke_preserve(cr_);
  }
  Colour(style.fill);
  cairo_fill(cr_);
  cairo_restore(cr_);
  g_object_unref(layout);
  return w;
}

void Canvas::TextBox(const std::string& utf8, double x, double y, double w, double h, TextStyle style, TextAlign align) {
  PangoLayout* layout = MakeLayout(cr_, utf8, style, 0);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  double room = w - 2 * style.outlineWidth;
  if (ink.width > room && ink.width > 0) {
    style.sizePx *= room / ink.width;
    g_object_unref(layout);
    layout = MakeLayout(cr_, utf8, style, 0);
    pango_layout_get_pixel_extents(layout, &ink, &logical);
  }
  double left = align == TextAlign::kLeft    ? x + style.outlineWidth - ink.x
                : align == TextAlign::kRight ? x + w - style.outlineWidth - ink.x - ink.width
                                             : x + (w - ink.width) / 2.0 - ink.x;
  double top = y + (h - ink.height) / 2.0 - ink.y;
  cairo_save(cr_);
  cairo_move_to(cr_, left, top);
  pango_cairo_layout_path(cr_, layout);
  if (style.outlineWidth > 0) {
    cairo_set_line_width(cr_, style.outlineWidth * 2);
    Colour(style.outline);
    cairo_stroke_preserve(cr_);
  }
  Colour(style.fill);
  cairo_fill(cr_);
  cairo_restore(cr_);
  g_object_unref(layout);
}

ColourKey KeyForName(const std::string& name) {
  std::string prefix = name.substr(0, 4);
  if (prefix == "PIX_") return {true, 0x00, 0xFF, 0x00};
  if (prefix == "PIY_") return {true, 0x00, 0x80, 0x80};
  if (prefix == "PIZ_") return {true, 0x00, 0xDB, 0xFF};
  return {};
}

bool NearKey(const ColourKey& key, int r, int g, int b) {
  return std::abs(r - key.r) + std::abs(g - key.g) + std::abs(b - key.b) < 96;
}

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<unsigned char>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<unsigned char> EncodeOpaquePng(const Canvas& canvas) {
  cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, canvas.width(), canvas.height());
  cairo_t* cr = cairo_create(opaque);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_set_source_surface(cr, canvas.surface(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  std::vector<unsigned char> png;
  cairo_surface_write_to_png_stream(opaque, AppendBytes, &png);
  cairo_surface_destroy(opaque);
  return png;
}

std::vector<unsigned char> EncodePng(const Canvas& canvas, const ColourKey& key) {
  std::vector<unsigned char> png;
  cairo_surface_t* source = canvas.surface();
  cairo_surface_flush(source);
  if (!key.keyed) {
    cairo_surface_write_to_png_stream(source, AppendBytes, &png);
    return png;
  }
  int w = canvas.width(), h = canvas.height();
  cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  const unsigned char* in = cairo_image_surface_get_data(source);
  unsigned char* out = cairo_image_surface_get_data(opaque);
  int inStride = cairo_image_surface_get_stride(source), outStride = cairo_image_surface_get_stride(opaque);
  for (int y = 0; y < h; ++y) {
    auto* src = reinterpret_cast<const std::uint32_t*>(in + y * inStride);
    auto* dst = reinterpret_cast<std::uint32_t*>(out + y * outStride);
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = src[x];
      int a = p >> 24;
      if (a < 128) {
        dst[x] = (std::uint32_t{key.r} << 16) | (std::uint32_t{key.g} << 8) | key.b;
        continue;
      }
      // Undo cairo's premultiplication so a half-covered edge keeps the sprite's own colour.
      int r = ((p >> 16) & 0xFF) * 255 / a, g = ((p >> 8) & 0xFF) * 255 / a, b = (p & 0xFF) * 255 / a;
      for (int tries = 0; tries < 8 && NearKey(key, r, g, b); ++tries) {
        r = r / 2 + 16;
        g = g / 2;
        b = b / 2 + 16;
      }
      dst[x] = (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
    }
  }
  cairo_surface_mark_dirty(opaque);
  cairo_surface_write_to_png_stream(opaque, AppendBytes, &png);
  cairo_surface_destroy(opaque);
  return png;
}
