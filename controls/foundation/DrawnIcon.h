// Button pictures drawn in code rather than shipped as files.
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>

// A 32x32 picture on a transparent ground, painted antialiased with a thin grey pen; icon() ends the painting.
class DrawnIcon
{
public:
    static constexpr int Size = 32;

    DrawnIcon();

    QPainter& painter() { return m_painter; }
    QColor ink() const { return QColor(70, 70, 70); }

    // The question mark on a light blue disc that every help button shows.
    void paintHelp();

    QIcon icon();

private:
    QPixmap m_pixmap;
    QPainter m_painter;
};
