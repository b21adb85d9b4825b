// Times the markup engine on large texts: measuring must stay linear in the length of the markup, with word wrap
// (many short runs and tags) and without it (one long run cut with an ellipsis), and so must the plain-text and
// highlighting helpers. Each figure is printed for 256 KB and 1 MB of markup; the second should be about four
// times the first.
#include "Canvas.h"
#include "HTMLText.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

namespace {

// Prose with the tags captions use: bold names, links, font colours, line breaks and entities.
QString prose(qsizetype size)
{
    const QString piece =
        QStringLiteral("Jan <b>Kowalski</b> ur. 12 maja 1901 w <a href=\"http://example.org/Kraków\">Krakowie</a>, "
                       "syn <font color=\"#800000\">Józefa</font> &amp; Zofii z d. Nowak.<br>");
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    return text;
}

QString oneLine(qsizetype size)
{
    return QString(size, u'x');
}

struct Figures
{
    int width = 0;
    int height = 0;
};

Figures measure(TCanvas& canvas, const QString& markup, bool wordWrap)
{
    Figures f;
    QString anchor, plain, focused;
    int anchors = 0, number = -1;
    TRect hoverRect;
    MarkupRender(&canvas, markup, Rect(0, 0, 400, 300), nullptr, -1, -1, -1, -1, 1, false, true, false, false, true,
                 false, wordWrap, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focused, f.width, f.height,
                 anchors, number, hoverRect, nullptr, nullptr, 0);
    return f;
}

void time(const char* what, const std::function<QString(qsizetype)>& make,
          const std::function<void(const QString&)>& run)
{
    for (qsizetype size : {qsizetype(256) * 1024, qsizetype(1024) * 1024}) {
        const QString markup = make(size);
        QElapsedTimer timer;
        timer.start();
        run(markup);
        std::printf("%-46s %5lld KB %8lld ms\n", what, static_cast<long long>(size / 1024),
                    static_cast<long long>(timer.elapsed()));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TCanvas canvas;
    canvas.Font.Name = QStringLiteral("DejaVu Sans");
    canvas.Font.SetSize(10);

    time("measure, word wrap, prose with tags", prose, [&](const QString& m) { measure(canvas, m, true); });
    time("measure, no word wrap, prose with tags", prose, [&](const QString& m) { measure(canvas, m, false); });
    time("measure, word wrap, one word", oneLine, [&](const QString& m) { measure(canvas, m, true); });
    time("measure, no word wrap, one run with ellipsis", oneLine, [&](const QString& m) { measure(canvas, m, false); });
    time("plain text", prose, [](const QString& m) { MarkupToPlainText(m); });
    time("highlight every \"Kowalski\"", prose,
         [](const QString& m) { MarkupUnwrapTag(MarkupWrapMatches(m, "kowalski", "hi", false), "hi"); });
    return 0;
}
