// A window with each input control in its states, painted offscreen with the Fusion style; the picture is written
// to the test output folder for a person to look at. The classic (unthemed) parts are shown on controls given the
// "Windows" style.
#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

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
