// A window with each input control in its states, painted offscreen with the Fusion style; the picture is written
// to the test output folder for a person to look at. The classic (unthemed) parts are shown on controls given the
// "Windows" style.
#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "AdvMaskEdit.h"
#include "AdvOfficeGroups.h"
#include "AdvScrollBox.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace {

class Gallery
{
public:
    Gallery() : classic(QStyleFactory::create(QStringLiteral("Windows"))) { window.form.SetClientSize(640, 400); }

    template <typename Control>
    Control* place(int x, int y, int width, const char* caption)
    {
        auto* control = new Control(&window.form);
        control->setGeometry(x, y, width, 21);
        control->SetLabelPosition(lpLeftCenter);
        control->SetLabelCaption(QString::fromUtf8(caption));
        return control;
    }

    void makeClassic(QWidget* control)
    {
        control->setStyle(classic.get());
        for (QWidget* child : control->findChildren<QWidget*>())
            child->setStyle(classic.get());
    }

    ShownForm window;
    std::unique_ptr<QStyle> classic;
};

} // namespace

TEST(InputGalleryTest, screenshotOfTheEditsAndCombosInTheirStates)
{
    Gallery g;
    g.place<TAdvEdit>(110, 20, 180, "Nazwisko:")->SetText(QStringLiteral("Kowalski"));
    g.place<TAdvEdit>(110, 50, 180, "Imię:")->SetEmptyText(QStringLiteral("wpisz imię"));
    auto* date = g.place<TAdvEdit>(110, 80, 180, "Data urodzenia:");
    date->SetText(QStringLiteral("31 lutego 1900"));
    date->SetFontColor(clRed);
    auto* money = g.place<TAdvEdit>(110, 110, 180, "Kwota:");
    money->SetEditType(etMoney);
    money->SetPrecision(2);
    money->SetSuffix(QStringLiteral(" zł"));
    money->SetText(QStringLiteral("1234,5"));
    auto* invalid = g.place<TAdvEdit>(110, 140, 180, "Błąd:");
    invalid->SetShowError(true);
    invalid->OnValueValidate = [](TAdvEdit*, const QString&, bool& valid) { valid = false; };
    invalid->SetText(QStringLiteral("1900-13-45"));
    auto* flat = g.place<TAdvEdit>(110, 170, 180, "Płaski:");
    flat->SetFlat(true);
    flat->SetText(QStringLiteral("bez ramki"));
    auto* disabled = g.place<TAdvEdit>(110, 200, 180, "Wyłączony:");
    disabled->SetText(QStringLiteral("nieczynny"));
    disabled->SetEnabledEx(false);
    auto* link = g.place<TAdvEdit>(110, 230, 180, "Strona:");
    link->SetShowURL(true);
    link->SetText(QStringLiteral("www.example.com"));
    auto* marked = g.place<TAdvEdit>(110, 260, 180, "Znacznik:");
    marked->SetText(QStringLiteral("Kowalskki"));
    marked->SetErrorMarkerPos(6);
    marked->SetErrorMarkerLen(2);
    auto* notes = g.place<TAdvEdit>(110, 310, 180, "Uwagi (nad polem):");
    notes->SetLabelPosition(lpTopLeft);

    auto* folder = g.place<TAdvDirectoryEdit>(420, 20, 200, "Folder danych:");
    folder->SetText(QStringLiteral("/home/jan/Kronvel/"));
    auto* file = g.place<TAdvFileNameEdit>(420, 50, 200, "Plik (klasyczny):");
    file->SetText(QStringLiteral("rodzina.ged"));
    file->SetFlat(true);
    g.makeClassic(file);
    auto* dropDown = g.place<TAdvEditBtn>(420, 80, 200, "Rozwijany:");
    dropDown->SetButtonStyle(bsDropDown);
    auto* unit = g.place<TUnitAdvEditBtn>(420, 110, 200, "Jednostka:");
    unit->SetText(QStringLiteral("12"));
    unit->SetUnitID(QStringLiteral("cm"));
    auto* caption = g.place<TAdvEditBtn>(420, 140, 200, "Z napisem:");
    caption->SetButtonCaption(QStringLiteral("..."));

    const QStringList sexes{QStringLiteral("mężczyzna"), QStringLiteral("kobieta"), QStringLiteral("nieznana")};
    auto* sex = g.place<TAdvComboBox>(420, 190, 200, "Płeć:");
    sex->SetStyle(csDropDownList);
    sex->addItems(sexes);
    auto* flatCombo = g.place<TAdvComboBox>(420, 220, 200, "Płaski:");
    flatCombo->SetStyle(csDropDownList);
    flatCombo->addItems(sexes);
    flatCombo->SetFlat(true);
    auto* classicCombo = g.place<TAdvComboBox>(420, 250, 200, "Płaski klasyczny:");
    classicCombo->SetStyle(csDropDownList);
    classicCombo->addItems(sexes);
    classicCombo->SetFlat(true);
    g.makeClassic(classicCombo);
    auto* editable = g.place<TAdvComboBox>(420, 280, 200, "Miejsce:");
    editable->addItems({QStringLiteral("Kraków"), QStringLiteral("Łódź")});
    auto* off = g.place<TAdvComboBox>(420, 310, 200, "Wyłączony:");
    off->addItems(sexes);
    off->SetEnabledEx(false);

    auto* button = new QPushButton(QStringLiteral("Zamknij"), &g.window.form);
    button->setGeometry(520, 360, 100, 28);
    ASSERT_TRUE(g.window.show());
    button->setFocus();
    settle();

    const QImage shot = g.window.form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/InputGallery.png")));
    for (QWidget* control : std::initializer_list<QWidget*>{date, folder, sex, flatCombo})
        EXPECT_TRUE(control->isVisible());
    EXPECT_FALSE(folder->GetGlyph().GetEmpty());
}

TEST(InputGalleryTest, screenshotOfTheMaskEditsGroupsAndScrollBox)
{
    Gallery g;
    const QString date = QStringLiteral("!99/99/0000;1;_");
    auto* empty = g.place<TAdvMaskEdit>(110, 20, 120, "Data ślubu:");
    empty->SetEditMask(date);
    auto* filled = g.place<TAdvMaskEdit>(110, 50, 120, "Data urodzenia:");
    filled->SetEditMask(date);
    filled->SetText(QStringLiteral("31.12.1901"));
    auto* flat = g.place<TAdvMaskEdit>(110, 80, 120, "Płaski:");
    flat->SetEditMask(QStringLiteral("00:00"));
    flat->SetFlat(true);
    auto* soft = g.place<TAdvMaskEdit>(110, 110, 120, "Miękka ramka:");
    soft->SetEditMask(QStringLiteral("(999) 000-000;0;_"));
    soft->SetFlat(true);
    soft->SetSoftBorder(true);
    auto* off = g.place<TAdvMaskEdit>(110, 140, 120, "Wyłączony:");
    off->SetEditMask(date);
    off->SetText(QStringLiteral("01.05.1950"));
    off->SetEnabledEx(false);
    auto* focused = g.place<TAdvMaskEdit>(110, 170, 120, "Z fokusem:");
    focused->SetEditMask(date);
    focused->SetFocusColor(clInfoBk);
    focused->SetFocusBorderColor(clNavy);
    for (TAdvMaskEdit* edit : {empty, filled, flat, soft, off, focused})
        edit->Loaded();

    auto* radios = new TAdvOfficeRadioGroup(&g.window.form);
    radios->setGeometry(260, 10, 360, 100);
    radios->SetCaption(QStringLiteral("Forma małżeństwa"));
    radios->SetColumns(2);
    radios->SetItems({QStringLiteral("cywilne"), QStringLiteral("kościelne"), QStringLiteral("konkordatowe"),
                      QStringLiteral("wyznaniowe"), QStringLiteral("<i>nieznana</i>")});
    radios->SetItemIndex(1);
    auto* checks = new TAdvOfficeCheckGroup(&g.window.form);
    checks->setGeometry(260, 120, 360, 100);
    checks->SetCaption(QStringLiteral("Pokaż w raporcie"));
    checks->SetColumns(3);
    checks->SetItems({QStringLiteral("daty"), QStringLiteral("miejsca"), QStringLiteral("zawody"),
                      QStringLiteral("zdjęcia"), QStringLiteral("notatki"), QStringLiteral("źródła")});
    checks->SetValue(0b100101);
    checks->OnIsEnabled = [](QObject*, int index, bool& enabled) { enabled = index != 4; };
    checks->ArrangeButtons();
    auto* offGroup = new TAdvOfficeRadioGroup(&g.window.form);
    offGroup->setGeometry(260, 230, 170, 70);
    offGroup->SetCaption(QStringLiteral("Wyłączona"));
    offGroup->SetItems({QStringLiteral("tak"), QStringLiteral("nie")});
    offGroup->SetItemIndex(0);
    offGroup->setEnabled(false);

    auto* box = new TAdvScrollBox(&g.window.form);
    box->setGeometry(450, 230, 170, 90);
    box->SetBorderColor(clGray);
    for (int i = 0; i < 8; ++i) {
        auto* line = new QLabel(QStringLiteral("Osoba %1 — Kowalska").arg(i + 1), box->GetContents());
        line->move(6, 4 + 20 * i);
        line->show();
    }
    auto* framed = new TAdvScrollBox(&g.window.form);
    framed->setGeometry(450, 330, 170, 50);
    framed->SetCtl3D(true);

    ASSERT_TRUE(g.window.show());
    focused->setFocus();
    settle();

    const QImage shot = g.window.form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/MaskGroupsScrollGallery.png")));
    EXPECT_TRUE(focused->hasFocus());
    EXPECT_EQ(radios->GetItemIndex(), 1);
}
