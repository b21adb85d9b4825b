// Test entry point: every test program runs headless, in Polish, with the Fusion style, and with HOME and the
// XDG folders pointing into a temporary folder so no test touches the real user's settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);

    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/.cache")).toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", (home.path() + QStringLiteral("/Documents")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");

    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    return RUN_ALL_TESTS();
}
