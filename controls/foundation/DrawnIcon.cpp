#include "DrawnIcon.h"

DrawnIcon::DrawnIcon() : m_pixmap(Size, Size)
{
    m_pixmap.fill(Qt::transparent);
    m_painter.begin(&m_pixmap);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(QPen(ink(), 1.5));
}

void DrawnIcon::paintHelp()
{
    const QRectF disc(2, 2, 28, 28);
    m_painter.setBrush(QColor(183, 219, 255));
    m_painter.drawEllipse(disc);
    QFont font = m_painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    m_painter.setFont(font);
    m_painter.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
}

QIcon DrawnIcon::icon()
{
    m_painter.end();
    return QIcon(m_pixmap);
}
