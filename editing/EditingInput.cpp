#include "EditingInput.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "Canvas.h"
#include "Forms.h"
#include "Settings.h"
#include "Unitdata.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

constexpr TColor invalidDateColor = 0x0000FF;

// Whether what comes in now replaces the whole text: the field is empty, or all of its text is selected.
bool typesOverWholeText(QObject* field)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        edit = combo->lineEdit();
    if (edit)
        return edit->text().isEmpty() || edit->selectedText().size() == edit->text().size();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        const QString text = memo->toPlainText();
        return text.isEmpty() || memo->textCursor().selectedText().size() == text.size();
    }
    return false;
}

// The capital of a letter, or the text itself where there is no single capital for it.
QString capitalOf(const QString& letter)
{
    const QString upper = letter.toUpper();
    return upper.size() == letter.size() ? upper : letter;
}

// The key rules of one field: an event filter that lives in the field, so it sees each key and each text
// committed by an input method before the field does.
class FieldKeys : public QObject
{
public:
    static FieldKeys& of(QWidget* field)
    {
        for (QObject* child : field->children()) {
            if (auto* keys = dynamic_cast<FieldKeys*>(child))
                return *keys;
        }
        auto* keys = new FieldKeys(field);
        field->installEventFilter(keys);
        return *keys;
    }

    bool capitalise = false;
    bool enterMovesOn = false;
    bool escapeCloses = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return keyPressed(watched, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::InputMethod && capitalise)
            return textCommitted(watched, static_cast<QInputMethodEvent*>(event));
        return false;
    }

private:
    explicit FieldKeys(QWidget* field) : QObject(field), field(field) {}

    bool keyPressed(QObject* watched, QKeyEvent* key)
    {
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && enterMovesOn) {
            auto* memo = qobject_cast<QPlainTextEdit*>(field);
            if (memo && !memo->toPlainText().isEmpty())
                return false;
            // A Tab to the window moves the focus from the field to the next control in tab order.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(field->window(), &tab);
            return true;
        }
        if (key->key() == Qt::Key_Escape && escapeCloses) {
            if (TForm* form = GetParentForm(field))
                form->Close();
            return true;
        }
        if (!capitalise || key->text().size() != 1 || !typesOverWholeText(field))
            return false;
        const QString capital = capitalOf(key->text());
        if (capital == key->text())
            return false;
        QKeyEvent replacement(key->type(), key->key(), key->modifiers(), capital, key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &replacement);
        return true;
    }

    bool textCommitted(QObject* watched, QInputMethodEvent* event)
    {
        const QString committed = event->commitString();
        if (committed.isEmpty() || !typesOverWholeText(field))
            return false;
        const QString capital = capitalOf(committed.left(1)) + committed.mid(1);
        if (capital == committed)
            return false;
        QInputMethodEvent replacement(event->preeditString(), event->attributes());
        replacement.setCommitString(capital, event->replacementStart(), event->replacementLength());
        QCoreApplication::sendEvent(watched, &replacement);
        return true;
    }

    QWidget* field;
};

} // namespace

void CapitaliseFirstLetter(QWidget* field, bool on)
{
    FieldKeys::of(field).capitalise = on;
}

void EnterMovesOn(QWidget* field)
{
    FieldKeys::of(field).enterMovesOn = true;
}

void EscapeCloses(QPlainTextEdit* memo)
{
    FieldKeys::of(memo).escapeCloses = true;
}

void ShowDateValidity(TAdvEdit* date, const QWidget* reference)
{
    const TColor valid = FromQColor(reference->palette().color(QPalette::Text));
    date->SetFontColor(IsValidDateText(date->GetText()) ? valid : invalidDateColor);
}

QString NoteForMemo(const QString& note)
{
    return QString(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void ShowSexColor(TCustomAdvPanel* panel, int sex)
{
    panel->SetColorTo(gSettings.GetSexColor(sex));
}

void FillWordLists(const PersonWordFields& fields, int sex)
{
    const struct
    {
        TAdvComboBox* combo;
        DictionaryKind kind;
    } lists[] = {{fields.forenames, DictionaryKind::Forename},
                 {fields.familyName, DictionaryKind::Surname},
                 {fields.surname, DictionaryKind::Surname},
                 {fields.birthPlace, DictionaryKind::Place},
                 {fields.deathPlace, DictionaryKind::Place}};
    for (const auto& list : lists) {
        QStringList words;
        gDB.FillFromDictionary(words, list.kind, sex);
        list.combo->SetItems(words);
    }
}
