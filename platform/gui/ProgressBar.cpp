#include "ProgressBar.h"

#include <QtGlobal>

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
    apply();
}

void TProgressBar::SetPosition(int value)
{
    shownPosition = qBound(0, value, shownMax);
    apply();
}

void TProgressBar::SetMax(int value)
{
    shownMax = qMax(0, value);
    shownPosition = qMin(shownPosition, shownMax);
    apply();
}

void TProgressBar::apply()
{
    // An empty range of one step stands for Max 0, so that Qt draws an empty bar instead of its busy animation.
    setRange(0, qMax(1, shownMax));
    setValue(shownPosition);
}
