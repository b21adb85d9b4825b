#include "Styler.h"

#include <QEvent>

namespace {

constexpr quint32 versionNr = 0x01020001;

// The scheme that matches a theme's colour variant.
TQRBStyle themeStyle()
{
    switch (QueryThemeColorKind()) {
    case 1:
        return tsOffice2003Blue;
    case 2:
        return tsOffice2003Olive;
    case 3:
        return tsOffice2003Silver;
    default:
        return tsOffice2003Classic;
    }
}

// The nearest widget among an object and its parents.
QWidget* nearestWidget(QObject* object)
{
    for (QObject* o = object; o; o = o->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(o))
            return widget;
    }
    return nullptr;
}

// The objects below root in the order they were made, depth first; a frame below root is listed but not entered.
void collectComponents(const QObject* root, QVector<QPointer<QObject>>& components)
{
    for (QObject* child : root->children()) {
        components.append(child);
        if (!qobject_cast<TFrame*>(child))
            collectComponents(child, components);
    }
}

} // namespace

TThemeNotifierWindow* CreateThemeNotifier(QObject* owner, TNotifyEvent onThemeChange)
{
    auto* notifier = new TThemeNotifierWindow(nearestWidget(owner));
    notifier->OnThemeChange = std::move(onThemeChange);
    return notifier;
}

QVector<QPointer<QObject>> OwnedComponents(QObject* owner)
{
    QVector<QPointer<QObject>> components;
    if (owner)
        collectComponents(owner, components);
    return components;
}

bool IsWindowsXPOrLater()
{
    return true;
}

int QueryThemeColorKind()
{
    return 0;
}

TThemeNotifierWindow::TThemeNotifierWindow(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 0, 0);
    hide();
}

bool TThemeNotifierWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ThemeChange:
    case QEvent::StyleChange:
    case QEvent::ApplicationPaletteChange:
        if (OnThemeChange)
            OnThemeChange(this);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

TAdvFormStyler::TAdvFormStyler(QObject* owner) : QObject(owner)
{
    notifier = CreateThemeNotifier(owner, [this](QObject* sender) { ThemeChanged(sender); });
}

TAdvFormStyler::~TAdvFormStyler()
{
    if (appStyle)
        appStyle->UnRegisterFormStyler(this);
    delete notifier;
}

void TAdvFormStyler::SetStyle(TQRBStyle value)
{
    if (value == style)
        return;
    style = value;
    if (style != tsCustom)
        ApplyStyle();
    if (OnChange)
        OnChange(this);
}

void TAdvFormStyler::ApplyStyle()
{
    if (auto* form = qobject_cast<TForm*>(parent()))
        ApplyStyleToForm(form, style);
    else if (auto* frame = qobject_cast<TFrame*>(parent()))
        ApplyStyleToFrame(frame, style);
}

void TAdvFormStyler::ApplyStyleToForm(TForm* form, TQRBStyle style)
{
    applyTo(form, style, false);
}

void TAdvFormStyler::ApplyStyleToFrame(TFrame* frame, TQRBStyle style)
{
    applyTo(frame, style, true);
}

// The list is taken before any component hears of the scheme, which may make or remove objects.
void TAdvFormStyler::applyTo(QObject* owner, TQRBStyle style, bool intoFrames)
{
    for (const QPointer<QObject>& component : OwnedComponents(owner)) {
        if (auto* styled = dynamic_cast<IQRBStyle*>(component.data())) {
            bool allow = true;
            if (OnApplyStyle)
                OnApplyStyle(this, component, allow);
            if (allow && component)
                styled->SetComponentStyle(style);
        }
        if (auto* frame = qobject_cast<TFrame*>(component.data()); frame && intoFrames)
            ApplyStyleToFrame(frame, style);
    }
}

void TAdvFormStyler::SetAppStyle(TAdvAppStyler* value)
{
    if (appStyle && appStyle != value)
        appStyle->UnRegisterFormStyler(this);
    appStyle = value;
    if (!value)
        return;
    SetStyle(value->GetStyle());
    value->RegisterFormStyler(this);
}

void TAdvFormStyler::SetAutoThemeAdapt(bool value)
{
    autoThemeAdapt = value;
    ThemeChanged(this);
}

void TAdvFormStyler::ThemeChanged(QObject*)
{
    if (autoThemeAdapt)
        SetStyle(themeStyle());
}

void TAdvFormStyler::Loaded()
{
    if (appStyle) {
        SetStyle(appStyle->GetStyle());
    } else {
        // Applied again from scratch, as the scheme was never applied while the owner was being built.
        const TQRBStyle stored = style;
        SetStyle(tsCustom);
        SetStyle(stored);
    }
    ThemeChanged(this);
}

void TAdvFormStyler::Assign(QObject* Source)
{
    auto* source = qobject_cast<TAdvFormStyler*>(Source);
    if (!source)
        return;
    SetAutoThemeAdapt(source->GetAutoThemeAdapt());
    SetStyle(source->GetStyle());
}

QString TAdvFormStyler::GetVersion() const
{
    return VersionNrText(versionNr);
}

TAdvAppStyler::TAdvAppStyler(QObject* owner) : QObject(owner)
{
    notifier = CreateThemeNotifier(owner, [this](QObject* sender) { ThemeChanged(sender); });
}

// The linked form stylers lose their application styler through their guarded pointers; none is styled again.
TAdvAppStyler::~TAdvAppStyler()
{
    delete notifier;
}

void TAdvAppStyler::RegisterFormStyler(TAdvFormStyler* styler)
{
    if (!formStylers.contains(styler))
        formStylers.append(styler);
}

void TAdvAppStyler::UnRegisterFormStyler(TAdvFormStyler* styler)
{
    formStylers.removeAll(styler);
}

void TAdvAppStyler::SetStyle(TQRBStyle value)
{
    if (value == style)
        return;
    style = value;
    const QVector<QPointer<TAdvFormStyler>> linked = formStylers;
    for (const QPointer<TAdvFormStyler>& styler : linked) {
        if (styler)
            styler->SetStyle(value);
    }
    if (OnChange)
        OnChange(this);
}

void TAdvAppStyler::SetAutoThemeAdapt(bool value)
{
    autoThemeAdapt = value;
    ThemeChanged(this);
}

void TAdvAppStyler::ThemeChanged(QObject*)
{
    if (autoThemeAdapt)
        SetStyle(themeStyle());
}

void TAdvAppStyler::Loaded()
{
    if (autoThemeAdapt)
        ThemeChanged(this);
}

void TAdvAppStyler::Assign(QObject* Source)
{
    auto* source = qobject_cast<TAdvAppStyler*>(Source);
    if (!source)
        return;
    SetStyle(source->GetStyle());
    SetAutoThemeAdapt(source->GetAutoThemeAdapt());
}

QString TAdvAppStyler::GetVersion() const
{
    return VersionNrText(versionNr);
}
