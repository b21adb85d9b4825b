#include "DialogFrame.h"

#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Fonts.h"
#include "Forms.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int nameTitleHeight = 64;
constexpr int nameTitleFontHeight = 29;

// The buttons of the button panel: "Zamknij" at its right end, the main button this far left of it.
constexpr int buttonTop = 11;
constexpr int buttonHeight = 28;
constexpr int closeButtonWidth = 108;
constexpr int closeButtonRightGap = 16;
constexpr int mainButtonGap = 8;
constexpr int mainButtonWidth = 108;
constexpr int saveButtonWidth = 112;

// A bold button of the width, ending the gap left of "Zamknij".
QPushButton* addBoldButton(TAdvPanel* buttons, const char* name, const QString& caption, int width)
{
    const int right = buttons->width() - closeButtonRightGap - closeButtonWidth - mainButtonGap;
    QPushButton* button = addButton(buttons, name, caption, QRect(right - width, buttonTop, width, buttonHeight));
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

TAdvPanel* addPanel(QWidget* dialog, const char* name, int height, TAlign align)
{
    auto* panel = new TAdvPanel(dialog);
    panel->setObjectName(QLatin1String(name));
    panel->resize(dialog->width(), height);
    panel->SetBevelOuter(bvNone);
    SetAlign(panel, align);
    return panel;
}

} // namespace

void setUpDialogFrame(TForm* dialog, const char* name, int clientWidth, int clientHeight)
{
    dialog->setObjectName(QLatin1String(name));
    dialog->setFont(QFont(Fonts::familyFor(QStringLiteral("Tahoma")), 8));
    dialog->SetBorderStyle(bsDialog);
    dialog->SetClientSize(clientWidth, clientHeight);
    dialog->SetPosition(poScreenCenter);
}

TAdvPanel* addTitlePanel(QWidget* dialog, const char* name, const QString& title)
{
    TAdvPanel* panel = addPanel(dialog, name, 56, alTop);
    panel->SetColor(clWhite);
    panel->SetColorTo(clBtnFace);
    TFont font;
    font.SetSize(16);
    font.Style = fsBold;
    panel->SetFont(font);
    panel->SetTextVAlign(tvaCenter);
    panel->SetIndent(16);
    panel->SetText(title);
    panel->Loaded();
    return panel;
}

TAdvPanel* addNameTitlePanel(QWidget* dialog, const char* name, const QString& title)
{
    TAdvPanel* panel = addTitlePanel(dialog, name, title);
    TFont big = panel->GetFont();
    big.SetHeight(nameTitleFontHeight);
    big.Style = 0;
    panel->SetFont(big);
    panel->SetEllipsis(true);
    panel->resize(panel->width(), nameTitleHeight);
    return panel;
}

TAdvPanel* addFieldPanel(QWidget* parent, const char* name)
{
    auto* panel = new TAdvPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    SetAlign(panel, alClient);
    return panel;
}

TAdvPanel* addButtonPanel(QWidget* dialog, const char* name)
{
    TAdvPanel* panel = addPanel(dialog, name, 50, alBottom);
    panel->Loaded();
    return panel;
}

QPushButton* addCloseButton(TForm* dialog, TAdvPanel* buttons, TModalResult result)
{
    auto* button = new QPushButton(QStringLiteral("Zamknij"), buttons);
    button->setObjectName(QStringLiteral("Button2"));
    button->setGeometry(buttons->width() - closeButtonRightGap - closeButtonWidth, buttonTop, closeButtonWidth,
                        buttonHeight);
    dialog->SetCancelButton(button);
    if (result == mrCancel)
        QObject::connect(button, &QPushButton::clicked, dialog, &TForm::Close);
    else
        QObject::connect(button, &QPushButton::clicked, dialog, [dialog, result] { dialog->SetModalResult(result); });
    return button;
}

QPushButton* addMainButton(TAdvPanel* buttons, const char* name, const QString& caption)
{
    return addBoldButton(buttons, name, caption, mainButtonWidth);
}

QPushButton* addSaveButton(TAdvPanel* buttons, const char* name)
{
    return addBoldButton(buttons, name, QStringLiteral("F3 - Zapisz"), saveButtonWidth);
}

void finishLoading(QWidget* dialog)
{
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (auto* edit = qobject_cast<TAdvEdit*>(control))
            edit->Loaded();
        else if (auto* combo = qobject_cast<TAdvCustomCombo*>(control))
            combo->Loaded();
        else if (auto* box = qobject_cast<OfficeButtonBase*>(control))
            box->Loaded();
    }
}

void placeDialogHigh(QWidget* dialog)
{
    const QScreen* screen = dialog->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = dialog->frameGeometry().size();
    const int top = qMin((area.height() - size.height()) / 2, int(area.height() * 0.2));
    dialog->move(area.left() + (area.width() - size.width()) / 2, area.top() + top);
}

void placeDialogAtFifth(QWidget* dialog)
{
    const QScreen* screen = dialog->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int left = (area.width() - dialog->frameGeometry().width()) / 2;
    dialog->move(area.left() + left, area.top() + int(area.height() * 0.2));
}

bool clickOnF3(const QKeyEvent* key, QAbstractButton* button)
{
    if (key->key() != Qt::Key_F3 || !button->isEnabled())
        return false;
    button->click();
    return true;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    // Return stays with the window's own rules; a button takes it only while it has the focus.
    button->setAutoDefault(false);
    return button;
}

TAdvOfficeCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* box = new TAdvOfficeCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->SetCaption(caption);
    box->SetTabStop(true);
    return box;
}

TAdvComboBox* addComboBox(QWidget* parent, const char* name, const QString& label, TLabelPosition labelPosition,
                          TComboBoxStyle style, const QStringList& items, const QRect& geometry)
{
    auto* combo = new TAdvComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setGeometry(geometry);
    combo->SetStyle(style);
    combo->SetLabelPosition(labelPosition);
    combo->SetLabelCaption(label);
    combo->addItems(items);
    return combo;
}

TAdvEdit* addEdit(QWidget* parent, const char* name, const QString& label, TLabelPosition labelPosition,
                  const QRect& geometry)
{
    auto* edit = new TAdvEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->SetLabelPosition(labelPosition);
    edit->SetLabelCaption(label);
    return edit;
}

TAdvGroupBox* addGroupBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* group = new TAdvGroupBox(parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(geometry);
    group->SetCaption(caption);
    return group;
}
