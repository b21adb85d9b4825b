#include "UrlOpener.h"

#include "FileSystem.h"

namespace {

class NoOpener : public UrlOpener
{
public:
    bool open(const QUrl&) override { return false; }
};

NoOpener none;
UrlOpener* installed = nullptr;

} // namespace

UrlOpener& urlOpener()
{
    return installed ? *installed : none;
}

void setUrlOpener(UrlOpener* o)
{
    installed = o;
}

bool isAllowedLink(const QString& target)
{
    const QString text = target.trimmed();
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return false;
    const QString scheme = text.left(colon);
    for (const char* allowed : {"http", "https", "ftp", "mailto"}) {
        if (scheme.compare(QLatin1String(allowed), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool openLink(const QString& target)
{
    if (!isAllowedLink(target))
        return false;
    const QUrl url(target.trimmed(), QUrl::TolerantMode);
    return url.isValid() && urlOpener().open(url);
}

bool openLocalFile(const QString& path)
{
    return urlOpener().open(QUrl::fromLocalFile(path));
}

bool openHelp(const QString& programFolder)
{
    const QString compiledHelp = programFolder + QStringLiteral("help.chm");
    return openLocalFile(FileSystem::fileExists(compiledHelp) ? compiledHelp
                                                              : programFolder + QStringLiteral("help.pdf"));
}
