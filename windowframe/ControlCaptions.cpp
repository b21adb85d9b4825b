#include "ControlCaptions.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "ListView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QMenu>

QString FoldCaptionText(const QString& text)
{
    static const std::pair<const char16_t*, const char16_t*> replacements[] = {
        {u"Ą", u"A"}, {u"ą", u"a"}, {u"Ć", u"C"}, {u"ć", u"c"}, {u"Ę", u"E"},  {u"ę", u"e"}, {u"Ł", u"L"},
        {u"ł", u"l"}, {u"Ń", u"N"}, {u"ń", u"n"}, {u"Ó", u"O"}, {u"ó", u"o"},  {u"Ś", u"S"}, {u"ś", u"s"},
        {u"Ż", u"Z"}, {u"ż", u"z"}, {u"Ź", u"Z"}, {u"ź", u"z"}, {u" ", u"_"},  {u"{", u"_"}, {u"}", u"_"},
        {u"[", u"_"}, {u"]", u"_"}, {u"=", u"_"}, {u"'", u"_"}, {u"->", u"_"},
    };
    QString folded = text;
    for (const auto& [from, to] : replacements)
        folded.replace(QString::fromUtf16(from), QString::fromUtf16(to));
    return folded;
}

QString CaptionKey(const QString& path, const QString& designText)
{
    return FoldCaptionText(path) + u'_' + FoldCaptionText(designText);
}

void SetComponentCaption(QObject* component, const QString& caption)
{
    if (auto* menu = qobject_cast<QMenu*>(component))
        menu->setTitle(caption);
    else if (auto* action = qobject_cast<QAction*>(component)) {
        // A separator's design caption is "-": given as text, the style would draw it on the line.
        if (!action->isSeparator())
            action->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(component))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(component))
        label->setText(caption);
    else if (auto* checkBox = qobject_cast<OfficeButtonBase*>(component))
        checkBox->SetCaption(caption);
    else if (auto* sheet = qobject_cast<TAdvTabSheet*>(component))
        sheet->SetCaption(caption);
    else if (auto* groupBox = qobject_cast<TAdvCustomGroupBox*>(component))
        groupBox->SetCaption(caption);
    else if (auto* edit = qobject_cast<TAdvEdit*>(component))
        edit->SetLabelCaption(caption);
    else if (auto* combo = qobject_cast<TAdvCustomCombo*>(component))
        combo->SetLabelCaption(caption);
    else if (auto* window = qobject_cast<QWidget*>(component))
        window->setWindowTitle(caption);
}

void ApplyCaption(const CaptionEntry& entry, const QString& caption)
{
    // An item is replaced in place: the combo keeps its selection, or its lack of one.
    if (entry.item >= 0)
        qobject_cast<QComboBox*>(entry.component)->setItemText(entry.item, caption);
    else if (auto* list = qobject_cast<TListView*>(entry.component); list && entry.column >= 0)
        list->Columns()[entry.column]->SetCaption(caption);
    else if (entry.column >= 0)
        qobject_cast<QAbstractItemView*>(entry.component)
            ->model()
            ->setHeaderData(entry.column, Qt::Horizontal, caption);
    else
        SetComponentCaption(entry.component, caption);
}
