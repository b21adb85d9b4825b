#include "OProgramieUnit.h"

#include "Bazadanych.h"
#include "Canvas.h"
#include "DialogFrame.h"
#include "HTMLabel.h"
#include "HtmlEscape.h"
#include "Settings.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

TFormOProgramie* FormOProgramie = nullptr;

namespace {

// The box's picture, drawn rather than shipped: a tree whose crown holds the medallions of a small family.
QPixmap familyTreePicture()
{
    QPixmap pixmap(205, 166);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath trunk;
    trunk.moveTo(92, 164);
    trunk.cubicTo(98, 140, 98, 118, 90, 96);
    trunk.lineTo(115, 96);
    trunk.cubicTo(107, 118, 107, 140, 113, 164);
    trunk.closeSubpath();
    p.setPen(QPen(QColor(95, 62, 36), 1.5));
    p.setBrush(QColor(139, 94, 60));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(139, 94, 60), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(100, 104), QPointF(62, 70));
    p.drawLine(QPointF(105, 104), QPointF(143, 70));
    p.drawLine(QPointF(102, 100), QPointF(102, 48));

    p.setPen(Qt::NoPen);
    const QColor leaves[] = {QColor(94, 160, 82), QColor(120, 182, 96), QColor(74, 140, 70)};
    const QRectF crown[] = {{20, 30, 80, 66}, {105, 30, 80, 66}, {55, 4, 95, 70},
                            {8, 52, 60, 46},  {137, 52, 60, 46}, {60, 50, 85, 50}};
    for (int i = 0; i < int(std::size(crown)); ++i) {
        p.setBrush(leaves[i % 3]);
        p.drawEllipse(crown[i]);
    }

    // Parents above, their children below, each in the colour of the program's sexes.
    const QColor woman = ToQColor(gSettings.FemaleColor);
    const QColor man = ToQColor(gSettings.MaleColor);
    const struct
    {
        QPointF centre;
        QColor colour;
    } persons[] = {
        {{80, 28}, man}, {{125, 28}, woman}, {{45, 70}, woman}, {{102, 72}, man}, {{160, 70}, woman},
    };
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.drawLine(QPointF(80, 28), QPointF(125, 28));
    p.drawLine(QPointF(102, 28), QPointF(102, 72));
    p.drawLine(QPointF(45, 70), QPointF(160, 70));
    for (const auto& person : persons) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(person.colour);
        p.drawEllipse(person.centre, 13, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 90));
        p.drawEllipse(person.centre + QPointF(0, -4), 4, 4);
        p.drawChord(QRectF(person.centre + QPointF(-7, 1), QSizeF(14, 14)), 0, 180 * 16);
    }
    return pixmap;
}

} // namespace

TFormOProgramie::TFormOProgramie(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormOProgramie", 645, 341);
    PanelTytul = addTitlePanel(this, "PanelTytul", QStringLiteral("O programie"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(24, 84, 205, 166);
    Image1->setPixmap(familyTreePicture());

    HTMLabel1 = new THTMLabel(this);
    HTMLabel1->setObjectName(QStringLiteral("HTMLabel1"));
    HTMLabel1->setGeometry(256, 112, 365, 110);
    HTMLabel1->SetTransparent(true);
    TFont font;
    font.SetSize(10);
    HTMLabel1->SetFont(font);
    const QString address = htmlEscape(gWebAddress);
    HTMLabel1->SetHTMLText(QStringLiteral("<b>Kronvel</b><br><br>Program do ewidencji danych genealogicznych.<br><br>"
                                          "Więcej na stronie: <a href=\"%1\">%1</a>")
                               .arg(address));

    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    Button2 = addCloseButton(this, PanelPrzyciski);

    OnActivate = [this](QObject*) { FormActivate(); };
    // Placed before it is on the screen as well, so the box does not jump when it is activated.
    OnShow = [this](QObject*) { placeDialogHigh(this); };
}

void TFormOProgramie::ShowAbout()
{
    SetCaption(gProductName + QStringLiteral(" v.") + gProductVersion);
    ShowModal();
}

void TFormOProgramie::FormActivate()
{
    placeDialogHigh(this);
}
