#include "ProcessControl.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

class NoProcessControl : public ProcessControl
{
public:
    void quitEventLoop() override {}
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

NoProcessControl none;
ProcessControl* installed = nullptr;

} // namespace

ProcessControl& processControl()
{
    return installed ? *installed : none;
}

void setProcessControl(ProcessControl* c)
{
    installed = c;
}

void QtProcessControl::quitEventLoop()
{
    QCoreApplication::quit();
}

bool QtProcessControl::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
