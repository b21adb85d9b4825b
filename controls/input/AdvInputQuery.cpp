// The ready-made dialog that asks for one typed value.
#include "AdvEdit.h"

#include <QFontMetrics>
#include <QPushButton>

bool AdvInputQuery(TAdvEditType editType, const TQueryParams* params, const QString& caption, const QString& prompt,
                   QString& value)
{
    TForm form;
    // Dialog units from the dialog's font: the average letter width and the line height.
    const QRect letters =
        QFontMetrics(form.font()).boundingRect(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int w = letters.width() / 52;
    const int h = letters.height();
    form.SetBorderStyle(bsDialog);
    form.SetCaption(caption);
    form.SetClientSize(MulDiv(180, w, 4), MulDiv(63, h, 8));
    form.SetPosition(poScreenCenter);

    auto* label = new TLabel(&form);
    label->move(MulDiv(8, w, 4), MulDiv(8, h, 8));
    label->SetCaption(prompt);

    auto* edit = new TAdvEdit(&form);
    edit->setGeometry(label->x(), MulDiv(19, h, 8), MulDiv(164, w, 4), edit->sizeHint().height());
    edit->SetMaxLength(255);
    edit->SetFocusColor(clNone);
    edit->Init();
    edit->DialogKeyHandling = false;
    edit->SetText(value);
    edit->SelectAll();
    edit->SetEditType(editType);
    if (params) {
        edit->SetPrefix(params->prefix);
        edit->SetSuffix(params->suffix);
        edit->SetPrecision(params->precision);
        edit->SetLengthLimit(params->lengthLimit);
        edit->SetFlat(params->flat);
        if (params->flat)
            edit->resize(edit->width(), edit->height() - 4);
    }

    const int buttonTop = MulDiv(41, h, 8);
    const QSize buttonSize(MulDiv(50, w, 4), MulDiv(14, h, 8));
    auto* ok = new QPushButton(QStringLiteral("OK"), &form);
    ok->setGeometry(QRect(QPoint(MulDiv(38, w, 4), buttonTop), buttonSize));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &form);
    cancel->setGeometry(QRect(QPoint(MulDiv(92, w, 4), buttonTop), buttonSize));
    QObject::connect(ok, &QPushButton::clicked, &form, [&form] { form.SetModalResult(mrOk); });
    QObject::connect(cancel, &QPushButton::clicked, &form, [&form] { form.SetModalResult(mrCancel); });
    form.SetDefaultButton(ok);
    form.SetCancelButton(cancel);
    edit->setFocus();

    if (form.ShowModal() != mrOk)
        return false;
    value = edit->GetText();
    return true;
}
