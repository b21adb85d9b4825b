// The auto-complete list: the entries of Lookup.DisplayList that begin with what has been typed, in a small list
// under the text; a chosen entry (or its value) replaces what was typed. In multi mode the completion works on the
// last of several entries.
#include "AdvEdit.h"

#include <QApplication>
#include <QListWidget>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int itemHeight = 12;

} // namespace

TListHintWindow::TListHintWindow(QWidget* owner)
    : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint), list(new QListWidget(this))
{
    // The edit keeps the keyboard: it steers the list while the user types on.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFrameShape(QFrame::NoFrame);
    list->setUniformItemSizes(true);
    resize(0, 0);
}

bool TAdvEdit::lookupVisible() const
{
    return lookupWindow && lookupWindow->isVisible();
}

void TAdvEdit::hideLookup()
{
    if (lookupWindow)
        lookupWindow->hide();
}

void TAdvEdit::moveLookupSelection(int row)
{
    QListWidget* list = lookupWindow->GetListControl();
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
}

void TAdvEdit::UpdateLookup()
{
    if (!lookup.GetEnabled())
        return;
    const QString value = GetText();
    QString typed = value;
    int offset = 0;
    if (lookup.GetMulti()) {
        const qsizetype separator = value.lastIndexOf(lookup.GetSeparator());
        if (separator >= 0) {
            offset = int(separator + 1);
            typed = value.mid(offset);
        }
    }
    if (typed.size() < lookup.GetNumChars()) {
        hideLookup();
        return;
    }
    if (!lookupWindow) {
        lookupWindow = new TListHintWindow(this);
        connect(lookupWindow->GetListControl(), &QListWidget::itemClicked, this, [this] { DoneLookup(); });
    }
    QListWidget* list = lookupWindow->GetListControl();
    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(11);
    list->setFont(listFont);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, ToQColor(lookup.GetColor()));
    list->setPalette(palette);

    // Matching entries, keeping the index of each in the display list, shown in alphabetical order.
    struct Match
    {
        QString text;
        int index;
    };
    QVector<Match> matches;
    const TStringList& entries = lookup.GetDisplayList();
    const QLocale locale;
    const QString key = lookup.GetCaseSensitive() ? typed : locale.toUpper(typed);
    for (int i = 0; i < entries.Count(); ++i) {
        const QString entry = entries[i];
        const QString compared = lookup.GetCaseSensitive() ? entry : locale.toUpper(entry);
        if (compared.startsWith(key))
            matches.append({entry, i});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return LocaleCompare(a.text, b.text) < 0; });
    list->clear();
    for (const Match& match : matches) {
        auto* item = new QListWidgetItem(match.text, list);
        item->setData(Qt::UserRole, match.index);
        item->setSizeHint(QSize(0, itemHeight));
    }
    if (matches.isEmpty()) {
        hideLookup();
        return;
    }
    list->setCurrentRow(0);

    const int rows = int(qMin<qsizetype>(matches.size(), lookup.GetDisplayCount()));
    int listWidth = 50;
    for (const Match& match : matches)
        listWidth = qMax(listWidth, list->fontMetrics().horizontalAdvance(match.text));
    if (matches.size() > lookup.GetDisplayCount())
        listWidth += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QPoint origin = mapToGlobal(QPoint(PosFromChar(int(prefix.size()) + offset).x() + 8, height() - 6));
    // A list already on screen keeps its width while the user types on.
    const int shownWidth = lookupWindow->isVisible() ? lookupWindow->width() : listWidth + 10;
    lookupWindow->setGeometry(origin.x(), origin.y(), shownWidth, rows * itemHeight + 4);
    lookupWindow->show();
}

void TAdvEdit::DoneLookup()
{
    if (!lookupWindow)
        return;
    activateWindow();
    setFocus();
    lookupWindow->hide();
    QListWidgetItem* item = lookupWindow->GetListControl()->currentItem();
    if (!item)
        return;
    const int index = item->data(Qt::UserRole).toInt();
    const TStringList& values = lookup.GetValueList();
    QString chosen = index >= 0 && index < values.Count() ? values[index] : item->text();
    if (OnLookupSelect)
        OnLookupSelect(this, chosen);
    if (OnLookupIndexSelect)
        OnLookupIndexSelect(this, index, chosen);
    if (lookup.GetMulti()) {
        const QString value = GetText();
        const QString kept = value.left(value.lastIndexOf(lookup.GetSeparator()) + 1);
        SetText(kept + chosen + lookup.GetSeparator());
        setCursorPosition(valueEnd());
    } else {
        SetText(chosen);
        SelectAll();
    }
}

void TAdvEdit::addToHistory()
{
    const QString value = TrimBlanks(GetText());
    TStringList& history = lookup.GetDisplayList();
    for (int i = 0; i < history.Count(); ++i) {
        if (history[i] == value)
            return;
    }
    if (!value.isEmpty())
        history.Add(value);
}
