#include "AnchorEvents.h"

#include "UrlOpener.h"

void followAnchor(QObject* sender, const QString& anchor, const TAnchorClick& onAnchorClick)
{
    if (anchor.contains(QLatin1String("://")) || anchor.contains(QLatin1String("mailto:")))
        openLink(anchor);
    else if (onAnchorClick)
        onAnchorClick(sender, anchor);
}
