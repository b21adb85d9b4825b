// The stylers: a form styler hands its scheme to the components of its form or frame, with a veto per component;
// an application styler hands one scheme to its form stylers; both follow theme changes.
#include "Styler.h"
#include "FoundationTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <memory>

namespace {

// A component that takes schemes and remembers the last one.
class StyledWidget : public QWidget, public IQRBStyle
{
public:
    explicit StyledWidget(QWidget* parent) : QWidget(parent) {}
    void SetComponentStyle(TQRBStyle AStyle) override
    {
        style = AStyle;
        ++calls;
    }
    TQRBStyle style = tsCustom;
    int calls = 0;
};

void themeChange(QObject* styler)
{
    auto* notifier = styler->parent()->findChild<TThemeNotifierWindow*>();
    ASSERT_NE(notifier, nullptr);
    QEvent event(QEvent::ThemeChange);
    QApplication::sendEvent(notifier, &event);
}

} // namespace

TEST(StylerTest, newStylersStartWithTheBlueScheme)
{
    TForm form;
    TAdvFormStyler formStyler(&form);
    TAdvAppStyler appStyler(&form);
    EXPECT_EQ(formStyler.GetStyle(), tsOffice2003Blue);
    EXPECT_EQ(appStyler.GetStyle(), tsOffice2003Blue);
    EXPECT_FALSE(formStyler.GetAutoThemeAdapt());
    EXPECT_EQ(formStyler.GetVersion(), QStringLiteral("1.2.0.1"));
    EXPECT_EQ(appStyler.GetVersion(), QStringLiteral("1.2.0.1"));
    EXPECT_TRUE(IsWindowsXPOrLater());
    EXPECT_EQ(QueryThemeColorKind(), 0);
}

TEST(StylerTest, vetoKeepsOneComponentsScheme)
{
    TForm form;
    auto* a = new StyledWidget(&form);
    auto* b = new StyledWidget(&form);
    auto* inner = new QWidget(&form);
    auto* c = new StyledWidget(inner);
    auto* styler = new TAdvFormStyler(&form);
    QList<QObject*> asked;
    styler->OnApplyStyle = [&](QObject* sender, QObject* component, bool& allow) {
        EXPECT_EQ(sender, styler);
        asked.append(component);
        allow = component != b;
    };
    styler->SetStyle(tsOffice2007Luna);
    EXPECT_EQ(asked, (QList<QObject*>{a, b, c}));
    EXPECT_EQ(a->style, tsOffice2007Luna);
    EXPECT_EQ(b->style, tsCustom);
    EXPECT_EQ(c->style, tsOffice2007Luna);
}

TEST(StylerTest, customSchemeChangesNoComponentButIsAnnounced)
{
    TForm form;
    auto* a = new StyledWidget(&form);
    TAdvFormStyler styler(&form);
    int changes = 0;
    styler.OnChange = [&](QObject*) { ++changes; };
    styler.SetStyle(tsCustom);
    EXPECT_EQ(styler.GetStyle(), tsCustom);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a->calls, 0);
    styler.SetStyle(tsCustom);
    EXPECT_EQ(changes, 1);
}

TEST(StylerTest, loadedAppliesTheStoredSchemeAgain)
{
    TForm form;
    auto* a = new StyledWidget(&form);
    TAdvFormStyler styler(&form);
    int changes = 0;
    styler.OnChange = [&](QObject*) { ++changes; };
    styler.Loaded();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a->style, tsOffice2003Blue);
}

TEST(StylerTest, themeChangeWithAdaptationSetsTheClassicScheme)
{
    TForm form;
    auto* a = new StyledWidget(&form);
    auto* b = new StyledWidget(&form);
    auto* styler = new TAdvFormStyler(&form);
    styler->SetStyle(tsWhidbey);
    themeChange(styler);
    EXPECT_EQ(styler->GetStyle(), tsWhidbey) << "no adaptation, no change";

    styler->SetAutoThemeAdapt(true);
    EXPECT_EQ(styler->GetStyle(), tsOffice2003Classic);
    styler->SetStyle(tsOffice2007Obsidian);
    themeChange(styler);
    EXPECT_EQ(styler->GetStyle(), tsOffice2003Classic);
    EXPECT_EQ(a->style, tsOffice2003Classic);
    EXPECT_EQ(b->style, tsOffice2003Classic);

    TAdvAppStyler app(&form);
    app.SetAutoThemeAdapt(true);
    EXPECT_EQ(app.GetStyle(), tsOffice2003Classic);
}

TEST(StylerTest, formStylerStopsAtFramesAndAFramesStylerReachesInside)
{
    TForm form;
    auto* onForm = new StyledWidget(&form);
    auto* frame = new TFrame(&form);
    auto* inFrame = new StyledWidget(frame);
    auto* nested = new TFrame(frame);
    auto* inNested = new StyledWidget(nested);
    auto* formStyler = new TAdvFormStyler(&form);
    formStyler->SetStyle(tsWindowsXP);
    EXPECT_EQ(onForm->style, tsWindowsXP);
    EXPECT_EQ(inFrame->calls, 0);
    EXPECT_EQ(inNested->calls, 0);

    auto* frameStyler = new TAdvFormStyler(frame);
    frameStyler->SetStyle(tsOffice2007Silver);
    EXPECT_EQ(inFrame->style, tsOffice2007Silver);
    EXPECT_EQ(inNested->style, tsOffice2007Silver);
    EXPECT_EQ(inNested->calls, 1);
    EXPECT_EQ(onForm->style, tsWindowsXP);
}

TEST(StylerTest, assignCopiesInEachStylersOrder)
{
    TForm form;
    TAdvFormStyler source(&form);
    source.SetAutoThemeAdapt(true);
    source.SetStyle(tsOffice2007Luna);
    TAdvFormStyler target(&form);
    target.Assign(&source);
    EXPECT_TRUE(target.GetAutoThemeAdapt());
    EXPECT_EQ(target.GetStyle(), tsOffice2007Luna) << "the form styler takes the source's scheme last";

    TAdvAppStyler appSource(&form);
    appSource.SetAutoThemeAdapt(true);
    appSource.SetStyle(tsOffice2007Luna);
    TAdvAppStyler appTarget(&form);
    appTarget.Assign(&appSource);
    EXPECT_TRUE(appTarget.GetAutoThemeAdapt());
    EXPECT_EQ(appTarget.GetStyle(), tsOffice2003Classic) << "the application styler follows the theme last";

    target.Assign(&appSource);
    EXPECT_EQ(target.GetStyle(), tsOffice2007Luna) << "another kind of source is ignored";
}

TEST(StylerTest, appStylerSetsItsSchemeOnItsFormStylers)
{
    TForm first;
    TForm second;
    auto* a = new StyledWidget(&first);
    auto* b = new StyledWidget(&second);
    TAdvAppStyler app;
    app.SetStyle(tsOffice2003Olive);
    auto* firstStyler = new TAdvFormStyler(&first);
    auto* secondStyler = new TAdvFormStyler(&second);
    firstStyler->SetAppStyle(&app);
    secondStyler->SetAppStyle(&app);
    EXPECT_EQ(a->style, tsOffice2003Olive) << "linking takes the application's scheme";
    firstStyler->SetAppStyle(&app);
    EXPECT_EQ(app.FormStylerCount(), 2);

    app.SetStyle(tsWhidbey);
    EXPECT_EQ(a->style, tsWhidbey);
    EXPECT_EQ(b->style, tsWhidbey);
    firstStyler->Loaded();
    EXPECT_EQ(firstStyler->GetStyle(), tsWhidbey);
}

TEST(StylerTest, relinkingAndDestroyingInEitherOrderLeavesNoDanglingLink)
{
    for (const bool newFirst : {true, false}) {
        auto form = std::make_unique<TForm>();
        auto* styler = new TAdvFormStyler(form.get());
        auto oldApp = std::make_unique<TAdvAppStyler>();
        auto newApp = std::make_unique<TAdvAppStyler>();
        styler->SetAppStyle(oldApp.get());
        styler->SetAppStyle(newApp.get());
        EXPECT_EQ(oldApp->FormStylerCount(), 0);
        EXPECT_EQ(newApp->FormStylerCount(), 1);
        if (newFirst) {
            newApp.reset();
            EXPECT_EQ(styler->GetAppStyle(), nullptr);
            oldApp->SetStyle(tsWhidbey);
            oldApp.reset();
        } else {
            oldApp.reset();
            newApp->SetStyle(tsWhidbey);
            EXPECT_EQ(styler->GetStyle(), tsWhidbey);
            form.reset();
            EXPECT_EQ(newApp->FormStylerCount(), 0);
            newApp->SetStyle(tsOffice2007Luna);
            newApp.reset();
        }
    }
}
