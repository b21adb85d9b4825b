// The row of filter fields along the bottom of the list view's header: under each column's item a field for a text
// (or a whole number) and a button. A change is reported once the user has paused typing for the time-out; the list
// filters nothing itself.
#pragma once

#include <QObject>
#include <QSet>
#include <QTimer>
#include <QVector>
#include <functional>

class QHeaderView;
class QLineEdit;
class QToolButton;

class HeaderFilterBar : public QObject
{
public:
    enum FilterType { TextFilter = 0, NumberFilter = 1 };
    // The most characters a text filter holds.
    static constexpr int MaxFilterLength = 255;

    explicit HeaderFilterBar(QHeaderView* header);

    bool isShown() const { return shown; }
    void setShown(bool value);
    // The room the row takes in the header; 0 while it is hidden.
    int height() const;
    // Puts every field under its column's item, after the columns changed, moved or scrolled.
    void layout();

    int timeout() const { return timer.interval(); }
    void setTimeout(int milliseconds) { timer.setInterval(milliseconds); }
    bool timerRunning() const { return timer.isActive(); }
    // Reports the fields changed since the pause began, as the time-out does.
    void tick();

    // A text filter's text, or a number filter's number in decimal.
    QString filter(int column, int type) const;
    // A number filter shows value, any other type the text.
    void setFilter(int column, int type, int value, const QString& text);
    // Puts the keyboard focus into a column's field.
    void edit(int column);

    std::function<void(int column)> onChange;
    std::function<void(int column)> onButtonClick;

private:
    struct Field
    {
        QLineEdit* edit;
        QToolButton* button;
        int type = TextFilter;
    };
    // One field for every column.
    void matchColumns();
    void setType(Field& field, int type);
    void edited(QLineEdit* edit);

    QHeaderView* header;
    QVector<Field> fields;
    QTimer timer;
    QSet<int> changed;
    bool shown = false;
    bool placing = false;
};
