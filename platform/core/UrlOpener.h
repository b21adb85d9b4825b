// Handing a document or a link to the desktop. Every link the program opens goes through one policy: only
// http, https, ftp and mailto targets reach the desktop; anything else (file:, javascript:, programs) is refused.
#pragma once

#include <QString>
#include <QUrl>

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl& url) = 0;
};

// The installed opener. Until one is installed, nothing is opened.
UrlOpener& urlOpener();
// Installs o (not owned); nullptr restores the one that opens nothing.
void setUrlOpener(UrlOpener* o);

// True when target's scheme (compared ignoring case) is http, https, ftp or mailto.
bool isAllowedLink(const QString& target);
// Opens target when the link policy allows it; false when it was refused or could not be opened.
bool openLink(const QString& target);
// Opens a local file (a report, the help) with the desktop's default program.
bool openLocalFile(const QString& path);
// Opens the program's help beside the program in programFolder (ending with "/"): help.chm when it is there,
// else help.pdf.
bool openHelp(const QString& programFolder);
