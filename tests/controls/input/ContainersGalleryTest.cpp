// A window with every check box, radio button, group box, panel and page control state side by side, written as a
// picture for a person to look at.
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QTest>

namespace {

template <class Button>
Button* button(QWidget* parent, int x, int y, const QString& caption)
{
    auto* b = new Button(parent);
    b->move(x, y);
    b->resize(180, 22);
    b->SetCaption(caption);
    return b;
}

void hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(widget, &enter);
}

TAdvPanel* panel(QWidget* parent, const QRect& geometry, TColor colorTo)
{
    auto* p = new TAdvPanel(parent);
    p->setGeometry(geometry);
    p->SetColor(clWhite);
    p->SetColorTo(colorTo);
    p->SetBevelOuter(bvNone);
    p->SetBorderColor(clGray);
    p->SetBorderShadow(true);
    return p;
}

} // namespace

TEST(ContainersGalleryTest, everyControlInItsStates)
{
    QWidget window;
    paintGalleryBackground(window);
    window.resize(980, 640);

    // Check boxes and radio buttons.
    button<TAdvOfficeCheckBox>(&window, 10, 10, QStringLiteral("Niezaznaczone"));
    button<TAdvOfficeCheckBox>(&window, 10, 32, QStringLiteral("<b>Zaznaczone</b>"))->SetChecked(true);
    button<TAdvOfficeCheckBox>(&window, 10, 54, QStringLiteral("Nieokreślone"))->SetState(cbGrayed);
    QVector<QWidget*> hot{button<TAdvOfficeCheckBox>(&window, 10, 76, QStringLiteral("Pod kursorem"))};
    auto* pressed = button<TAdvOfficeCheckBox>(&window, 10, 98, QStringLiteral("Wciśnięte"));
    pressed->SetDown(true);
    auto* disabled = button<TAdvOfficeCheckBox>(&window, 10, 120, QStringLiteral("Wyłączone, <a href=\"x\">link</a>"));
    disabled->SetChecked(true);
    disabled->setEnabled(false);
    auto* focused = button<TAdvOfficeCheckBox>(&window, 10, 142, QStringLiteral("&Zmarły (fokus)"));
    focused->SetTabStop(true);
    button<TAdvOfficeCheckBox>(&window, 10, 164, QStringLiteral("Zobacz <a href=\"http://example.com\">stronę</a>"));
    auto* right = button<TAdvOfficeCheckBox>(&window, 10, 186, QStringLiteral("Pole po prawej"));
    right->SetAlignment(taRightJustify);
    right->SetChecked(true);

    button<TAdvOfficeRadioButton>(&window, 200, 10, QStringLiteral("Kobieta"));
    button<TAdvOfficeRadioButton>(&window, 200, 32, QStringLiteral("<b>Mężczyzna</b>"))->SetChecked(true);
    hot.append(button<TAdvOfficeRadioButton>(&window, 200, 54, QStringLiteral("Pod kursorem")));
    auto* radioDown = button<TAdvOfficeRadioButton>(&window, 200, 76, QStringLiteral("Wciśnięty"));
    radioDown->SetDown(true);
    auto* radioOff = button<TAdvOfficeRadioButton>(&window, 200, 98, QStringLiteral("Wyłączony"));
    radioOff->SetGroupIndex(1);
    radioOff->SetChecked(true);
    radioOff->setEnabled(false);
    auto* radioBottom = button<TAdvOfficeRadioButton>(&window, 200, 120, QStringLiteral("Przycisk na dole"));
    radioBottom->SetGroupIndex(2);
    radioBottom->resize(180, 40);
    radioBottom->SetButtonVertAlign(tlBottom);

    // Group boxes.
    auto* single = new TAdvGroupBox(&window);
    single->setGeometry(400, 10, 170, 70);
    single->SetCaption(QStringLiteral("Dane osoby"));
    auto* etched = new TAdvGroupBox(&window);
    etched->setGeometry(580, 10, 170, 70);
    etched->SetBorderStyle(TAdvCustomGroupBox::bsDouble);
    etched->SetCaptionPosition(TAdvCustomGroupBox::cpTopCenter);
    etched->SetCaption(QStringLiteral("Podwójna (3D)"));
    auto* flat = new TAdvGroupBox(&window);
    flat->setGeometry(760, 10, 170, 70);
    flat->SetBorderStyle(TAdvCustomGroupBox::bsDouble);
    flat->SetCtl3D(false);
    flat->SetBorderColor(clNavy);
    flat->SetCaptionPosition(TAdvCustomGroupBox::cpBottomRight);
    flat->SetCaption(QStringLiteral("Podwójna płaska"));
    auto* rounded = new TAdvGroupBox(&window);
    rounded->setGeometry(400, 90, 170, 70);
    rounded->SetRoundEdges(true);
    rounded->SetBorderColor(clGray);
    rounded->SetCaptionPosition(TAdvCustomGroupBox::cpBottomLeft);
    rounded->SetCaption(QStringLiteral("Zaokrąglona"));
    auto* frameless = new TAdvGroupBox(&window);
    frameless->setGeometry(580, 90, 170, 70);
    frameless->SetBorderStyle(TAdvCustomGroupBox::bsNone);
    frameless->SetCaption(QStringLiteral("Bez ramki"));
    auto* opaque = new TAdvGroupBox(&window);
    opaque->setGeometry(760, 90, 170, 70);
    opaque->SetTransparent(false);
    opaque->SetColor(clWhite);
    opaque->SetCaptionPosition(TAdvCustomGroupBox::cpTopRight);
    opaque->SetCaption(QStringLiteral("Nieprzezroczysta"));
    button<TAdvOfficeRadioButton>(opaque, 10, 25, QStringLiteral("W ramce"))->SetChecked(true);

    // Panels: the window tints, border, bevels, mirror, text and status bar.
    int x = 10;
    for (const TColor tint : {TColor(0xE4E4E4), TColor(0xC4C4FF), TColor(0xFFDBB7), TColor(0xE6E6E6)}) {
        panel(&window, QRect(x, 240, 120, 90), tint);
        x += 130;
    }
    auto* bordered = panel(&window, QRect(530, 240, 120, 90), 0xE4E4E4);
    bordered->SetBorderWidth(1);
    bordered->SetText(QStringLiteral("Ramka z cieniem"));
    auto* raised = new TAdvPanel(&window);
    raised->setGeometry(660, 240, 120, 90);
    raised->SetBevelInner(bvLowered);
    raised->SetBevelWidth(2);
    raised->SetText(QStringLiteral("Wypukła i <i>wklęsła</i>"));
    raised->SetTextVAlign(tvaCenter);
    auto* mirror = new TAdvPanel(&window);
    mirror->setGeometry(790, 240, 120, 90);
    mirror->SetBevelOuter(bvNone);
    mirror->SetColor(0xFFEFE3);
    mirror->SetColorTo(0xFFD9C0);
    mirror->SetColorMirror(0xFFCBA8);
    mirror->SetColorMirrorTo(0xFFE7D9);
    mirror->SetText(QStringLiteral("Lustrzany"));
    auto* texted = panel(&window, QRect(10, 340, 380, 110), 0xE4E4E4);
    texted->SetBorderWidth(1);
    texted->SetIndent(4);
    texted->SetText(QStringLiteral("<b>Jan Kowalski</b> (1901-1975)<br>Urodzony w <a href=\"miejsce\">Krakowie</a>, "
                                   "zobacz <a href=\"http://example.com\">stronę rodziny</a>."));
    texted->SetCanSize(true);
    texted->GetStatusBar().SetColor(0xDEDEDE);
    texted->GetStatusBar().SetColorTo(0xA9A9A9);
    texted->GetStatusBar().SetText(QStringLiteral("Pasek stanu"));
    texted->GetStatusBar().SetBorderStyle(bsSingle);
    texted->GetStatusBar().SetBorderColor(clWhite);
    texted->GetStatusBar().SetVisible(true);

    // Page control: a hidden and a disabled tab, a gradient page body.
    auto* pages = new TAdvPageControl(&window);
    pages->setGeometry(400, 340, 560, 280);
    pages->SetTabBorder3D(true);
    pages->SetTabBackGroundColor(clWhite);
    for (const char* caption : {"&Osoba", "Ukryta", "&Zdarzenia", "Ź&ródła (wyłączona)"}) {
        auto* sheet = new TAdvTabSheet(&window);
        sheet->SetCaption(QString::fromUtf8(caption));
        sheet->SetColor(clWhite);
        sheet->SetColorTo(0xE4E4E4);
        sheet->SetAdvPageControl(pages);
    }
    pages->GetPage(1)->SetTabVisible(false);
    pages->GetPage(3)->SetTabEnable(false);
    auto* inner = new TAdvGroupBox(pages->GetPage(0));
    inner->setGeometry(10, 10, 250, 100);
    inner->SetCaption(QStringLiteral("Na stronie"));
    button<TAdvOfficeCheckBox>(inner, 10, 25, QStringLiteral("Pole na stronie"))->SetChecked(true);
    button<TAdvOfficeRadioButton>(inner, 10, 50, QStringLiteral("Przycisk na stronie"))->SetChecked(true);

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    focused->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    for (QWidget* widget : hot)
        hover(widget);

    const QImage shot = window.grab().toImage();
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("input-containers-gallery.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
    EXPECT_EQ(shot.size(), window.size());
}
