// The shade pictures of the panel's caption bar: noise, shades, bumps, brushed metal and radial light drawn pixel by
// pixel from the caption colour.
#pragma once

#include "Toolkit.h"

#include <QImage>

enum TShadeType {
    stNormal,
    stNoise,
    stDiagShade,
    stHShade,
    stVShade,
    stHBump,
    stVBump,
    stSoftBump,
    stHardBump,
    stLMetal,
    stRMetal,
    stIRadial,
    stORadial,
    stHShadeInv,
    stVShadeInv,
    stXPCaption,
    stBitmap,
    stBitmapRStretch,
    stBitmapLStretch
};

// A width by height picture of the shade type in the colour. shadeLight is the lightness (255 the colour itself;
// higher values shade as 255) and grain the noise amplitude. Noise and metal take new random numbers at every call.
// The kinds that show the plain colour or a picture (stNormal, stXPCaption and the bitmap kinds) come out filled
// with the colour. A size without pixels gives a null picture.
QImage RenderShade(TShadeType type, TColor color, int shadeLight, int grain, int width, int height);
