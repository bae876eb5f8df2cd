// placeholder
#include "pack.h"

bool DrawPages(Canvas&, PictureId) { return false; }
