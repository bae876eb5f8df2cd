// placeholder
#include "pack.h"

bool DrawBackdrop(Canvas&, PictureId) { return false; }
