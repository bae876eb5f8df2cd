// Inside the scene folder: the reset of each scene's own variables, for ResetScenes.
#pragma once

void ResetOpeningLogoState();
void ResetTitleState();
void ResetStoryState();
void ResetWeaponSelectState();
void ResetEndingState();
