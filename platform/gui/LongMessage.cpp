#include "LongMessage.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// A message box with more lines than this is hard to read whole, however much room the screen has.
constexpr qsizetype mostPlainLines = 15;
// The width a message box wraps its text at, as Qt's box does: half the screen, at most 500 pixels.
constexpr int plainWrapWidth = 500;
// What the buttons, the icon and the frame add to a plain box's height.
constexpr int plainBoxExtraHeight = 120;
// A summary is at most three lines of this many characters, and has no word longer than a line of the box.
constexpr qsizetype longestSummary = 400;
constexpr qsizetype longestSummaryWord = 60;
constexpr qsizetype cutSummary = 100;
// The long form is never narrower than this, so that a short list still reads as a list.
constexpr int narrowestLongForm = 420;

QString withPlainLineEnds(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

bool fitsSummary(const QString& text)
{
    if (text.size() > longestSummary || text.count(u'\n') >= 3)
        return false;
    static const QRegularExpression whitespace(QStringLiteral("\\s+"));
    const QStringList words = text.split(whitespace, Qt::SkipEmptyParts);
    return std::none_of(words.cbegin(), words.cend(),
                        [](const QString& word) { return word.size() > longestSummaryWord; });
}

QString withoutLeadingLineEnds(QString text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u'\n')
        ++start;
    return text.mid(start);
}

QPixmap iconPixmap(const QStyle* style, Prompter::Icon icon)
{
    QStyle::StandardPixmap standard = QStyle::SP_MessageBoxInformation;
    switch (icon) {
    case Prompter::Icon::None:
        return QPixmap();
    case Prompter::Icon::Information:
        break;
    case Prompter::Icon::Warning:
        standard = QStyle::SP_MessageBoxWarning;
        break;
    case Prompter::Icon::Error:
        standard = QStyle::SP_MessageBoxCritical;
        break;
    case Prompter::Icon::Question:
        standard = QStyle::SP_MessageBoxQuestion;
        break;
    }
    const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize);
    return style->standardIcon(standard).pixmap(size, size);
}

QSize availableScreen(const QWidget* widget)
{
    const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

} // namespace

QMessageBox::StandardButtons MessageButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok:
        break;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon MessageIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::None:
        break;
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

Prompter::Answer MessageAnswer(int pressed)
{
    switch (pressed) {
    case QMessageBox::Yes:
        return Prompter::Answer::Yes;
    case QMessageBox::No:
        return Prompter::Answer::No;
    case QMessageBox::Ok:
        return Prompter::Answer::Ok;
    default:
        return Prompter::Answer::Cancel;
    }
}

void SetPolishButtonTexts(const std::function<QAbstractButton*(QMessageBox::StandardButton)>& buttonOf)
{
    const std::pair<QMessageBox::StandardButton, const char*> polishTexts[] = {
        {QMessageBox::Yes, "Tak"}, {QMessageBox::No, "Nie"}, {QMessageBox::Cancel, "Anuluj"}, {QMessageBox::Ok, "OK"}};
    for (const auto& [button, text] : polishTexts) {
        if (QAbstractButton* shown = buttonOf(button))
            shown->setText(QString::fromUtf8(text));
    }
}

bool IsLongMessage(const QString& text, const QSize& screen, const QFont& font)
{
    const QString plain = withPlainLineEnds(text);
    if (plain.count(u'\n') + 1 > mostPlainLines)
        return true;
    const int wrapWidth = std::min(plainWrapWidth, screen.width() / 2);
    const QRect wrapped = QFontMetrics(font).boundingRect(QRect(0, 0, wrapWidth, std::numeric_limits<int>::max() / 2),
                                                          Qt::TextWordWrap, plain);
    return wrapped.height() + plainBoxExtraHeight > screen.height() * 2 / 3 || wrapped.width() > screen.width() * 2 / 3;
}

LongMessageParts SplitLongMessage(const QString& text)
{
    const QString plain = withPlainLineEnds(text);
    const qsizetype paragraphEnd = plain.indexOf(QStringLiteral("\n\n"));
    const QString paragraph = paragraphEnd < 0 ? plain : plain.left(paragraphEnd);
    if (fitsSummary(paragraph))
        return {paragraph, withoutLeadingLineEnds(plain.mid(paragraph.size()))};
    const QString line = plain.section(u'\n', 0, 0);
    if (fitsSummary(line))
        return {line, withoutLeadingLineEnds(plain.mid(line.size()))};
    return {line.left(cutSummary) + QChar(0x2026), plain};
}

LongMessageDialog::LongMessageDialog(QWidget* parent, const QString& text, const QString& caption,
                                     Prompter::Buttons buttons, Prompter::Icon icon)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setSizeGripEnabled(true);
    const LongMessageParts parts = SplitLongMessage(text);

    iconLabel = new QLabel(this);
    iconLabel->setPixmap(iconPixmap(style(), icon));
    iconLabel->setAlignment(Qt::AlignTop);
    summaryLabel = new QLabel(parts.summary, this);
    summaryLabel->setObjectName(QStringLiteral("summary"));
    summaryLabel->setTextFormat(Qt::PlainText);
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The window's width comes from the screen and the detail, never from a summary that cannot wrap.
    summaryLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    detailView = new QPlainTextEdit(this);
    detailView->setObjectName(QStringLiteral("detail"));
    detailView->setReadOnly(true);
    detailView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    detailView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    detailView->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    detailView->setPlainText(parts.detail);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::StandardButtons::fromInt(MessageButtons(buttons).toInt()), this);
    SetPolishButtonTexts([this](QMessageBox::StandardButton button) -> QAbstractButton* {
        return buttonBox->button(QDialogButtonBox::StandardButton(int(button)));
    });
    connect(buttonBox, &QDialogButtonBox::clicked, this,
            [this](QAbstractButton* pressed) { done(int(buttonBox->standardButton(pressed))); });

    auto* top = new QHBoxLayout;
    if (icon != Prompter::Icon::None)
        top->addWidget(iconLabel);
    else
        iconLabel->hide();
    top->addWidget(summaryLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(detailView, 1);
    layout->addWidget(buttonBox);
    fitToScreen();
}

Prompter::Answer LongMessageDialog::ask()
{
    return MessageAnswer(exec());
}

// As wide as the longest line and as tall as the whole text, within two thirds of the screen; the detail scrolls
// for the rest.
void LongMessageDialog::fitToScreen()
{
    const QSize screen = availableScreen(parentWidget());
    const int widest = screen.width() * 2 / 3;
    const int tallest = screen.height() * 2 / 3;
    const QFontMetrics metrics(detailView->font());
    int longestLine = 0;
    // Enough lines to judge the width; a list of thousands is as wide as its first ones.
    const QStringList lines = detailView->toPlainText().split(u'\n');
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 2000); ++i)
        longestLine = std::max(longestLine, metrics.horizontalAdvance(lines[i]));
    const QMargins margins = layout()->contentsMargins();
    const int chrome = 2 * detailView->frameWidth() + 2 * int(detailView->document()->documentMargin()) +
                       detailView->verticalScrollBar()->sizeHint().width();
    const int width = std::clamp(longestLine + chrome + margins.left() + margins.right(), narrowestLongForm, widest);

    // A summary with a word wider than its room shows one line, cut; the detail holds the whole text.
    const int iconRoom = iconLabel->isHidden() ? 0 : iconLabel->pixmap().width() + layout()->spacing();
    const int summaryWidth = width - margins.left() - margins.right() - iconRoom;
    const QFontMetrics summaryMetrics(summaryLabel->font());
    const QRect wrapped = summaryMetrics.boundingRect(QRect(0, 0, summaryWidth, std::numeric_limits<int>::max() / 2),
                                                      Qt::TextWordWrap, summaryLabel->text());
    if (wrapped.width() > summaryWidth)
        summaryLabel->setText(summaryMetrics.elidedText(summaryLabel->text(), Qt::ElideRight, summaryWidth));

    detailView->setMinimumHeight(std::min(6 * metrics.lineSpacing(), tallest / 3));
    const int detailHeight = int(lines.size()) * metrics.lineSpacing() + 2 * detailView->frameWidth() +
                             2 * int(detailView->document()->documentMargin());
    const int others = sizeHint().height() - detailView->sizeHint().height();
    const int height = std::min(others + detailHeight, tallest);
    setMaximumSize(screen);
    resize(width, std::max(height, minimumSizeHint().height()));
}
