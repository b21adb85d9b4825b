// The panel styler: one set of panel settings that every panel of the styler's form takes when its Styler is this
// styler, filled in one step by fourteen named colour schemes. It takes the library's schemes through IQRBStyle and
// can follow theme changes.
#pragma once

#include "AdvPanelSettings.h"
#include "Styler.h"

#include <QObject>
#include <QPointer>
#include <QString>

enum TAdvPanelStyle {
    psXP,
    psFlat,
    psQRB,
    psClassic,
    psOffice2003Blue,
    psOffice2003Olive,
    psOffice2003Silver,
    psOffice2003Classic,
    psOffice2007Luna,
    psOffice2007Obsidian,
    psWhidbey,
    psWindowsXP,
    psCustom,
    psOffice2007Silver
};

class TAdvPanelStyler : public QObject, public IQRBStyle
{
    Q_OBJECT
public:
    // The settings start with the psXP scheme.
    explicit TAdvPanelStyler(QObject* owner = nullptr);
    ~TAdvPanelStyler() override;

    // With it, every theme change applies the theme's scheme again; no theme here has a colour scheme of its own,
    // so that is psXP.
    bool GetAutoThemeAdapt() const { return autoThemeAdapt; }
    void SetAutoThemeAdapt(bool value) { autoThemeAdapt = value; }
    TAdvPanelSettings& GetSettings() { return settings; }
    const TAdvPanelSettings& GetSettings() const { return settings; }
    // Copies the settings.
    void SetSettings(const TAdvPanelSettings& Value) { settings.Assign(Value); }
    QString GetComments() const { return comments; }
    void SetComments(const QString& Value) { comments = Value; }
    int GetTag() const { return tag; }
    void SetTag(int Value) { tag = Value; }
    TAdvPanelStyle GetStyle() const { return style; }
    // Writes the scheme's values into the settings (psCustom writes none), which then restyle the panels once.
    void SetStyle(TAdvPanelStyle Value);

    void SetComponentStyle(TQRBStyle AStyle) override;
    void ThemeChanged(QObject* Sender);
    // Once the form is built: the theme, then the settings to the panels.
    void Loaded();
    // Every panel of the styler's form whose Styler is this one takes the settings.
    void Changed(QObject* Sender);
    // From another panel styler: AutoThemeAdapt, the settings, the comments and the style.
    void Assign(QObject* Source);

private:
    bool autoThemeAdapt = false;
    TAdvPanelSettings settings;
    QString comments;
    int tag = 0;
    TAdvPanelStyle style = psXP;
    QPointer<TThemeNotifierWindow> notifier;
};
