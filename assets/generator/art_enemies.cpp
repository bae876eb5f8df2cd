// placeholder
#include "pack.h"

bool DrawEnemies(Canvas&, PictureId) { return false; }
