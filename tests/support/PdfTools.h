// Reading rendered PDF files back with the poppler tools, for tests that check what a document shows: its text
// with word boxes, its fonts, its pictures, its pages as images, and the inflated contents of its streams.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVector>

// Tests that read PDF files back skip themselves on a machine without the tool.
#define SKIP_WITHOUT_TOOL(tool)                                                                                        \
    if (!PdfTools::available(tool))                                                                                    \
    GTEST_SKIP() << tool << " is not installed"

namespace PdfTools {

inline bool available(const char* tool)
{
    return !QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty();
}

inline QByteArray run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// The text of one page (or of all pages when page is 0), in reading order.
inline QString text(const QString& pdf, int page = 0)
{
    QStringList arguments;
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    arguments << "-enc"
              << "UTF-8" << pdf << "-";
    return QString::fromUtf8(run("pdftotext", arguments));
}

struct Word
{
    QString text;
    QRectF box;
};

inline QString unescapeXml(QString text)
{
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return text.replace("&amp;", "&");
}

// The words of one page with their boxes in points, top-left origin.
inline QVector<Word> words(const QString& pdf, int page)
{
    const QString html = QString::fromUtf8(run(
        "pdftotext", {"-bbox", "-enc", "UTF-8", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"}));
    static const QRegularExpression word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">(.*?)</word>)re");
    QVector<Word> found;
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const auto match = m.next();
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        found.append({unescapeXml(match.captured(5)), QRectF(topLeft, bottomRight)});
    }
    return found;
}

// The first word of the page with that text; an empty box when there is none.
inline Word findWord(const QVector<Word>& words, const QString& text)
{
    for (const Word& w : words) {
        if (w.text == text)
            return w;
    }
    return {};
}

// The rows of pdffonts after its two heading lines.
inline QStringList fonts(const QString& pdf)
{
    QStringList rows = QString::fromUtf8(run("pdffonts", {pdf})).split('\n', Qt::SkipEmptyParts);
    return rows.mid(2);
}

// The rows of pdfimages -list after its two heading lines, one per picture drawn.
inline QStringList images(const QString& pdf)
{
    QStringList rows = QString::fromUtf8(run("pdfimages", {"-list", pdf})).split('\n', Qt::SkipEmptyParts);
    return rows.mid(2);
}

// One page rendered at dpi dots per inch: at 72, one pixel is one point.
inline QImage page(const QString& pdf, int page, int dpi = 72)
{
    const QByteArray png = run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                                            QString::number(page), "-singlefile", pdf});
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

// The bounds of the pixels in area that are not white: where something was drawn.
inline QRect inkBounds(const QImage& image, const QRect& area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 200 || c.green() < 200 || c.blue() < 200)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline int pageCount(const QString& pdf)
{
    static const QRegularExpression pages(R"(Pages:\s+(\d+))");
    return pages.match(QString::fromUtf8(run("pdfinfo", {pdf}))).captured(1).toInt();
}

// The contents of every stream in the file, inflated where they are compressed, one after the other.
inline QByteArray streams(const QByteArray& pdf)
{
    QByteArray all;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
            at += 7;
            continue;
        }
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        const QByteArray data = pdf.mid(start, end - start);
        // zlib data starts with 0x78; qUncompress wants the expected length first and grows past a wrong guess.
        const QByteArray inflated =
            data.startsWith('\x78') ? qUncompress(QByteArray("\0\0\0\0", 4) + data) : QByteArray();
        all += inflated.isEmpty() ? data : inflated;
        all += '\n';
        at = end + 9;
    }
    return all;
}

} // namespace PdfTools
