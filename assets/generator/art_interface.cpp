// placeholder
#include "pack.h"

bool DrawInterface(Canvas&, PictureId) { return false; }
