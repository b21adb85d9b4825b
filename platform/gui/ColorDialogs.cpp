#include "ColorDialogs.h"

#include "Canvas.h"

#include <QColorDialog>

namespace {

class CancellingColorDialogs : public ColorDialogs
{
public:
    bool Execute(QWidget*, TColor&) override { return false; }
};

CancellingColorDialogs cancelling;
ColorDialogs* installed = nullptr;

} // namespace

ColorDialogs& colorDialogs()
{
    return installed ? *installed : cancelling;
}

void setColorDialogs(ColorDialogs* d)
{
    installed = d;
}

bool QtColorDialogs::Execute(QWidget* owner, TColor& colour)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(colour), owner);
    if (!chosen.isValid())
        return false;
    colour = FromQColor(chosen);
    return true;
}
