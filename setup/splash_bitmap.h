// Loading the splash picture: the file named by the configuration, as a
// device-independent bitmap section, with a palette made for it.
#pragma once

class CBitmap;
class CPalette;

// Loads fileName afresh as a bitmap section into `bitmap` and makes its
// palette in `palette` (both empty on entry): the picture's own colours when
// it has at most 256, the screen's halftone palette otherwise. When the file
// cannot be loaded, both stay empty; when the platform refuses a palette, or
// memory for it runs out, `palette` stays empty.
void LoadSplashBitmap(const char* fileName, CBitmap& bitmap, CPalette& palette);
