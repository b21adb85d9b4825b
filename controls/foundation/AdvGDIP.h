// The control library's door to GDI+: the platform's GDI+ object model (platform/GdiPlus) and the settings that
// the library's own GDI+ drawing shares. GDI+ needs no start-up here: QPainter is ready as soon as the
// application object exists.
#pragma once

#include "GdiPlus.h"

// Antialiasing of the glow button's text and face.
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };

// The interval of the glow buttons' fade timer, in milliseconds.
extern int GlowSpeed;

// Whether the platform's system font is "Segoe UI" (true) or "Tahoma" (false). This platform carries the
// Tahoma-compatible face, so the answer is false.
bool IsVista();
