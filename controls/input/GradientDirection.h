// The direction of the colour gradients of panels, status bars and tab sheets.
#pragma once

// gdVertical changes colour from top to bottom, gdHorizontal from left to right.
enum TGradientDirection { gdVertical, gdHorizontal };
