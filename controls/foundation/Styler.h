// One colour-scheme vocabulary for the styled controls, and the stylers that hand a scheme out: a form styler gives
// its scheme to every component of its form or frame that implements IQRBStyle, an application styler gives one
// scheme to every form styler linked to it. Both can follow the desktop's theme through a hidden notifier widget.
#pragma once

#include "Forms.h"
#include "Toolkit.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

// The colour schemes, in the order their values are stored.
enum TQRBStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver
};

// A component that takes a colour scheme implements this by deriving from it; stylers find it with dynamic_cast.
class IQRBStyle
{
public:
    virtual ~IQRBStyle() = default;
    virtual void SetComponentStyle(TQRBStyle AStyle) = 0;
};

// This platform has visual themes throughout.
bool IsWindowsXPOrLater();
// The colour variant of the active theme, 0 to 3. No theme here comes in colour variants: always 0.
int QueryThemeColorKind();

// A hidden widget without size that reports a change of the application's theme, style or palette.
class TThemeNotifierWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TThemeNotifierWindow(QWidget* parent = nullptr);

    TNotifyEvent OnThemeChange;

protected:
    bool event(QEvent* event) override;
};

// A hidden notifier in the nearest widget among owner and its parents (none when there is none), that calls
// onThemeChange. The caller owns it.
TThemeNotifierWindow* CreateThemeNotifier(QObject* owner, TNotifyEvent onThemeChange);
// The components a form or frame owns: every object below it in the order they were made; a frame below it is
// listed, but what the frame holds is the frame's.
QVector<QPointer<QObject>> OwnedComponents(QObject* owner);

class TAdvAppStyler;

// Placed on a form or frame (its parent), hands its scheme to the components there.
class TAdvFormStyler : public QObject
{
    Q_OBJECT
public:
    explicit TAdvFormStyler(QObject* owner);
    ~TAdvFormStyler() override;

    // With it, every theme change sets the theme's scheme.
    bool GetAutoThemeAdapt() const { return autoThemeAdapt; }
    void SetAutoThemeAdapt(bool value);
    TQRBStyle GetStyle() const { return style; }
    // Applies a new scheme (tsCustom leaves the components alone), then OnChange.
    void SetStyle(TQRBStyle value);
    // The application styler whose scheme this one follows; setting it takes its scheme and links to it, leaving
    // the one linked before.
    TAdvAppStyler* GetAppStyle() const { return appStyle; }
    void SetAppStyle(TAdvAppStyler* value);
    QString GetVersion() const;
    void SetVersion(const QString&) {}

    // Applies Style to the components of the owner.
    void ApplyStyle();
    // The components of a form are all objects on it but those inside frames; a frame's styling walks into the
    // frames placed on it.
    void ApplyStyleToForm(TForm* form, TQRBStyle style);
    void ApplyStyleToFrame(TFrame* frame, TQRBStyle style);
    void ThemeChanged(QObject* Sender);
    // Once the owner is built: takes the application styler's scheme, or applies its own again; then the theme.
    void Loaded();
    // From another form styler: its AutoThemeAdapt, then its Style. Any other source is ignored.
    void Assign(QObject* Source);

    // Allow set to false keeps the component's scheme.
    std::function<void(QObject* Sender, QObject* AComponent, bool& Allow)> OnApplyStyle;
    TNotifyEvent OnChange;

private:
    void applyTo(QObject* owner, TQRBStyle style, bool intoFrames);

    bool autoThemeAdapt = false;
    TQRBStyle style = tsOffice2003Blue;
    QPointer<TAdvAppStyler> appStyle;
    QPointer<TThemeNotifierWindow> notifier;
};

// Hands one scheme to every form styler linked to it.
class TAdvAppStyler : public QObject
{
    Q_OBJECT
public:
    explicit TAdvAppStyler(QObject* owner = nullptr);
    ~TAdvAppStyler() override;

    bool GetAutoThemeAdapt() const { return autoThemeAdapt; }
    void SetAutoThemeAdapt(bool value);
    TQRBStyle GetStyle() const { return style; }
    // Stores the scheme and sets it on every linked form styler in the order they were linked, then OnChange.
    void SetStyle(TQRBStyle value);
    QString GetVersion() const;
    void SetVersion(const QString&) {}

    void RegisterFormStyler(TAdvFormStyler* styler);
    void UnRegisterFormStyler(TAdvFormStyler* styler);
    int FormStylerCount() const { return int(formStylers.size()); }
    void ThemeChanged(QObject* Sender);
    void Loaded();
    // From another application styler: its Style, then its AutoThemeAdapt (so with adaptation the theme's scheme
    // wins). Any other source is ignored.
    void Assign(QObject* Source);

    TNotifyEvent OnChange;

private:
    bool autoThemeAdapt = false;
    TQRBStyle style = tsOffice2003Blue;
    QVector<QPointer<TAdvFormStyler>> formStylers;
    QPointer<TThemeNotifierWindow> notifier;
};
