// The program's built-in resources by id, as PNG bytes.
#pragma once

#include <cstddef>

constexpr int kIconResourceId = 107;    // window icon, 64 x 64 with alpha
constexpr int kLauncherBitmapId = 130;  // launcher dialog picture, 200 x 200, opaque

struct BinaryResource {
  const unsigned char* data;  // null when there is no such resource
  std::size_t size;
};

BinaryResource FindBinaryResource(int id);
