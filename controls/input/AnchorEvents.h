// Links in the markup of check boxes, radio buttons and panels: the events that report them and where a clicked
// link goes.
#pragma once

#include <QString>
#include <functional>

class QObject;

using TAnchorClick = std::function<void(QObject* Sender, const QString& Anchor)>;
using TAnchorEvent = TAnchorClick;

// A target with "://" or "mailto:" is a web or mail link: it goes to the desktop, and only through the link policy
// (which refuses file:, javascript: and programs). Any other target is the owner's, through OnAnchorClick.
void followAnchor(QObject* sender, const QString& anchor, const TAnchorClick& onAnchorClick);
