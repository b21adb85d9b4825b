// Times the PDF layer's text work at the scale of a family tree of 100,000 persons: every box measures a name,
// its dates and a spouse line (one-line width, then the wrapped height at that width, as the tree's layout does),
// and a person list of the same size is drawn as table rows onto pages.
#include "Pdfmanager.h"

#include "BenchSupport.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int personCount = 100000;

QString nameOf(int i)
{
    static const char* const forenames[] = {"Jan", "Zofia", "Stanisław", "Małgorzata", "Józef", "Jadwiga"};
    static const char* const surnames[] = {"Kowalski", "Wiśniewska", "Żółkiewski", "Nowak", "Dąbrowska"};
    return QString::fromUtf8(forenames[i % 6]) + u' ' + QString::fromUtf8(surnames[i % 5]) + u' ' + QString::number(i);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QElapsedTimer timer;

    gPDFManager.SetScale(1.0);
    gPDFManager.BeginDocument(true);
    const int nameFont = gPDFManager.SelectFontDescription("Tahoma, 10pt, pogrubienie", "", 0);
    const int textFont = gPDFManager.SelectFontDescription("Tahoma, 9pt", "", 0);
    timer.start();
    double total = 0;
    for (int i = 0; i < personCount; ++i) {
        const QString lines[] = {nameOf(i), QStringLiteral("ur. 12 maja 1901, zm. 3 stycznia 1978"), nameOf(i + 7)};
        for (const QString& line : lines) {
            const int font = &line == &lines[0] ? nameFont : textFont;
            const double width = gPDFManager.TextWidth(line, font, 10);
            total += gPDFManager.WrappedTextHeight(font, 10, line, width);
        }
    }
    report("tree box measures (width, wrapped height)", timer, 3 * personCount);
    gPDFManager.EndDocument("");

    gPDFManager.BeginDocument(true);
    const int rowFont = gPDFManager.SelectFontDescription("Tahoma", "", 0);
    double y = gPDFManager.CmToPt(1.5);
    timer.restart();
    for (int i = 0; i < personCount; ++i) {
        y = gPDFManager.EnsureRoomForText(y, gPDFManager.CmToPt(1.5), nameOf(i), 200, rowFont, 10, false, true, false,
                                          1);
        y += gPDFManager.DrawTextBox(rowFont, nameOf(i), 0, 50, y, "", 10, 200, 100, false, 0, false);
        gPDFManager.DrawTextBox(rowFont, QStringLiteral("12.05.1901"), 2, 300, y, "", 10, 100, 100, false, 0, false);
    }
    report("list rows drawn with page breaks", timer, personCount);
    const bool written = gPDFManager.EndDocument(dir.filePath("list.pdf"));
    report("list document written", timer, 1);
    std::printf("(checksum %.0f, written %d)\n", total, written);
    return 0;
}
