// The review sheet: every picture of the pack on a checkerboard, with its id and name.
#include <algorithm>
#include <cstdio>

#include "pack.h"

namespace {

struct PngReader {
  const std::vector<unsigned char>* bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->offset + length > reader->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::copy_n(reader->bytes->data() + reader->offset, length, data);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

constexpr int kColumns = 12;
constexpr int kCell = 168;   // picture area, square
constexpr int kLabel = 26;   // two lines of caption under it

}  // namespace

bool WriteContactSheet(const std::vector<GeneratedPicture>& pictures, const std::string& path) {
  int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kCell, rows * (kCell + kLabel));
  sheet.FillRect(0, 0, sheet.width(), sheet.height(), Hex(0x303038));
  cairo_t* cr = sheet.cr();
  TextStyle caption;
  caption.sizePx = 10;
  caption.bold = false;
  caption.fill = Hex(0xF0F0F0);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    int cellX = static_cast<int>(i % kColumns) * kCell, cellY = static_cast<int>(i / kColumns) * (kCell + kLabel);
    for (int cy = 0; cy < kCell; cy += 8)
      for (int cx = 0; cx < kCell; cx += 8)
        sheet.FillRect(cellX + cx, cellY + cy, 8, 8, ((cx + cy) / 8) % 2 ? Hex(0x8A8A8A) : Hex(0x6A6A6A));
    PngReader reader{&pictures[i].png};
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
      double w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
      double scale = std::min(1.0, (kCell - 4) / std::max(w, h));
      cairo_save(cr);
      cairo_translate(cr, cellX + (kCell - w * scale) / 2, cellY + (kCell - h * scale) / 2);
      cairo_scale(cr, scale, scale);
      cairo_set_source_surface(cr, image, 0, 0);
      cairo_paint(cr);
      cairo_restore(cr);
      char size[32];
      std::snprintf(size, sizeof size, "%d  %dx%d", pictures[i].id, static_cast<int>(w), static_cast<int>(h));
      sheet.Text(size, cellX + 3, cellY + kCell + 1, caption);
    }
    cairo_surface_destroy(image);
    sheet.Text(surfaces[pictures[i].id], cellX + 3, cellY + kCell + 13, caption);
  }
  cairo_surface_flush(sheet.surface());
  if (cairo_surface_write_to_png(sheet.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "svdatagen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool WriteZoomSheet(const std::vector<GeneratedPicture>& pictures, int first, int last, int scale,
                    const std::string& path) {
  int maxW = 1, maxH = 1;
  std::vector<cairo_surface_t*> images;
  for (int id = first; id <= last; ++id) {
    PngReader reader{&pictures[id].png};
    images.push_back(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
    maxW = std::max(maxW, cairo_image_surface_get_width(images.back()));
    maxH = std::max(maxH, cairo_image_surface_get_height(images.back()));
  }
  int columns = std::max(1, std::min(static_cast<int>(images.size()), 1600 / (maxW * scale + 8)));
  int rows = (static_cast<int>(images.size()) + columns - 1) / columns;
  Canvas sheet(columns * (maxW * scale + 8), rows * (maxH * scale + 8));
  sheet.FillRect(0, 0, sheet.width(), sheet.height(), Hex(0x505058));
  cairo_t* cr = sheet.cr();
  for (std::size_t i = 0; i < images.size(); ++i) {
    cairo_save(cr);
    cairo_translate(cr, (i % columns) * (maxW * scale + 8) + 4, (i / columns) * (maxH * scale + 8) + 4);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, images[i], 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(images[i]);
  }
  cairo_surface_flush(sheet.surface());
  return cairo_surface_write_to_png(sheet.surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
