// A window with the glow button in every look for each colour scheme, in its eight layouts and with its drop-down
// looks, painted offscreen; the picture is written to the test output folder for a person to look at.
#include "DBAdvGlowButton.h"
#include "GlowButtonTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>

namespace {

const char* const schemeNames[] = {"Office 2003 niebieski",
                                   "Office 2003 srebrny",
                                   "Office 2003 oliwkowy",
                                   "Office 2003 klasyczny",
                                   "Office 2007 Luna",
                                   "Office 2007 Obsidian",
                                   "Windows XP",
                                   "Whidbey",
                                   "własny",
                                   "Office 2007 srebrny"};
const char* const lookNames[] = {"zwykły", "gorący", "wciśnięty", "zaznaczony", "wyłączony", "w połowie"};

DrivenGlowButton* button(QWidget* parent, int x, int y, int width, int height, const char* caption)
{
    auto* b = new DrivenGlowButton(parent);
    b->setGeometry(x, y, width, height);
    b->SetCaption(QString::fromUtf8(caption));
    return b;
}

// The look of the column: normal, hot, down, checked, disabled, halfway through the fade into the hot look.
void showLook(DrivenGlowButton* b, int look)
{
    switch (look) {
    case 1:
        b->showHot();
        break;
    case 2:
        b->state = absDown;
        break;
    case 3:
        b->SetStyle(bsCheck);
        b->SetDown(true);
        break;
    case 4:
        b->setEnabled(false);
        break;
    case 5:
        b->fadeHalfway();
        break;
    }
}

} // namespace

TEST(GlowButtonGalleryTest, screenshotOfEveryLookLayoutAndDropDown)
{
    QWidget window;
    window.resize(800, 700);
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(QColor(236, 233, 216)));
    window.setFont(TFont().ToQFont()); // the program's windows are set in Tahoma
    TImageList* glyphs = glyphList(&window);

    for (int look = 0; look < 6; ++look) {
        auto* label = new QLabel(QString::fromUtf8(lookNames[look]), &window);
        label->setGeometry(150 + look * 105, 4, 100, 16);
    }
    for (int scheme = 0; scheme < 10; ++scheme) {
        const int y = 22 + scheme * 34;
        auto* label = new QLabel(QString::fromUtf8(schemeNames[scheme]), &window);
        label->setGeometry(6, y + 8, 140, 16);
        for (int look = 0; look < 6; ++look) {
            DrivenGlowButton* b = button(&window, 150 + look * 105, y, 100, 30, "&Zapisz");
            b->SetComponentStyle(TQRBStyle(scheme));
            b->SetImages(glyphs);
            b->SetImageIndex(0);
            showLook(b, look);
        }
    }

    const char* const layoutNames[] = {"Lewo", "Góra", "Prawo", "Dół", "Lewo+", "Prawo+", "Góra+", "Dół+"};
    for (int layout = 0; layout < 8; ++layout) {
        DrivenGlowButton* b = button(&window, 10 + layout * 97, 370, 92, 56, layoutNames[layout]);
        b->SetImages(glyphs);
        b->SetImageIndex(0);
        b->SetLayout(TButtonLayout(layout));
    }

    int x = 10;
    auto next = [&](const char* caption, int width = 110) {
        DrivenGlowButton* b = button(&window, x, 440, width, 34, caption);
        x += width + 8;
        return b;
    };
    next("Menu")->SetDropDownButton(true);
    DrivenGlowButton* splitMain = next("Dzielony");
    splitMain->SetDropDownButton(true);
    splitMain->showHot();
    DrivenGlowButton* splitDrop = next("Strzałka");
    splitDrop->SetDropDownButton(true);
    splitDrop->showHot();
    splitDrop->dropPartHot = true;
    DrivenGlowButton* below = next("Pod spodem", 90);
    below->SetDropDownButton(true);
    below->SetDropDownPosition(dpBottom);
    below->resize(90, 48);
    DrivenGlowButton* right = next("W prawo");
    right->SetDropDownButton(true);
    right->SetDropDownDirection(ddRight);
    DrivenGlowButton* off = next("Wyłączony");
    off->SetDropDownButton(true);
    off->setEnabled(false);

    x = 10;
    const TButtonPosition positions[] = {bpLeft, bpMiddle, bpMiddle, bpRight};
    const char* const row[] = {"Pierwszy", "Środek", "Środek", "Ostatni"};
    for (int i = 0; i < 4; ++i) {
        DrivenGlowButton* b = button(&window, 10 + i * 80, 500, 80, 30, row[i]);
        b->SetPosition(positions[i]);
        if (i == 1)
            b->mouseInControl = true;
    }
    DrivenGlowButton* square = button(&window, 350, 500, 90, 30, "Kwadratowy");
    square->SetRounded(false);
    DrivenGlowButton* focus = button(&window, 450, 500, 90, 30, "Fokus");
    focus->focused = true;
    DrivenGlowButton* notes = button(&window, 10, 545, 220, 50, "Zapisz osobę");
    TStringList lines;
    lines.Add(QStringLiteral("Zapisuje zmiany w pliku"));
    notes->SetNotes(lines);
    notes->SetImages(glyphs);
    notes->SetImageIndex(0);
    button(&window, 240, 545, 110, 50, "Dwa\\nwiersze");
    DrivenGlowButton* sized = button(&window, 360, 545, 10, 10, "Dopasowany");
    sized->SetImages(glyphs);
    sized->SetImageIndex(0);
    sized->SetAutoSizeEx(true);

    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("glow-button-gallery.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
}

TEST(GlowButtonGalleryTest, screenshotOfAKeyTip)
{
    QWidget window;
    window.resize(200, 100);
    auto* b = new DrivenGlowButton(&window);
    b->setGeometry(40, 30, 100, 41);
    b->SetCaption(QStringLiteral("Zapisz"));
    b->SetComponentStyle(tsOffice2007Luna);
    b->SetShortCutHint(QStringLiteral("ZS"));
    window.show();
    b->ShowShortCutHint();
    QApplication::processEvents();
    // Four times as large, so that the frame can be seen.
    const QImage tip = b->GetShortCutHintWindow()->grab().toImage();
    const QImage shot = tip.scaled(tip.size() * 4);
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("glow-button-key-tip.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
}

TEST(GlowButtonGalleryTest, screenshotOfTheDataSetButtonsEnabledAndDisabled)
{
    const char* const captions[] = {"Własny", "Pierwszy", "Poprzedni", "Następny", "Ostatni", "Wstaw",
                                    "Dołącz", "Usuń",     "Edytuj",    "Zapisz",   "Anuluj",  "Odśwież"};
    QWidget window;
    window.resize(12 * 96 + 10, 110);
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(QColor(236, 233, 216)));
    window.setFont(TFont().ToQFont());
    for (int row = 0; row < 2; ++row) {
        for (int type = dbCustom; type <= dbRefresh; ++type) {
            auto* b = new TDBAdvGlowButton(&window);
            b->setGeometry(6 + type * 96, 8 + row * 50, 92, 40);
            b->SetCaption(QString::fromUtf8(captions[type]));
            b->SetComponentStyle(tsOffice2007Luna);
            // Shown as set here, not as a data set would have them.
            b->SetAutoDisable(false);
            b->SetDBButtonType(TDBGlowButtonType(type));
            b->setEnabled(row == 0);
            b->Loaded();
        }
    }
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("glow-button-data-set.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
}
