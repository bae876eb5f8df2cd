// placeholder
#include "pack.h"

bool DrawBosses(Canvas&, PictureId) { return false; }
