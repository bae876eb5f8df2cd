// placeholder
#include "pack.h"
std::vector<unsigned char> RenderLauncherBitmap() { Canvas c(200, 200); return EncodePng(c, {}); }
std::vector<unsigned char> RenderWindowIcon(int size) { Canvas c(size, size); return EncodePng(c, {}); }
