// placeholder
#include "pack.h"

bool DrawSisters(Canvas&, PictureId) { return false; }
