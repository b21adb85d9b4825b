// The desktop's "open" behind the UrlOpener interface.
#pragma once

#include "UrlOpener.h"

class DesktopUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl& url) override;
};
