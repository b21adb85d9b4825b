// The toolkit's progress bar: a position within 0..Max, drawn as a plain filled bar. Max 0 shows an empty bar, as
// the toolkit's does, where Qt's own bar would show its endless busy animation.
#pragma once

#include <QProgressBar>

class TProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int GetPosition() const { return shownPosition; }
    // Kept within 0..Max.
    void SetPosition(int value);
    int GetMax() const { return shownMax; }
    // Below 0 counts as 0; the position follows a maximum that falls below it.
    void SetMax(int value);

private:
    void apply();

    int shownPosition = 0;
    int shownMax = 100;
};
