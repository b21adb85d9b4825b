// Ending the program's event loop and starting a program as a process of its own, behind a replaceable interface:
// the program installs the real one (QtProcessControl), tests install one that records. Until one is installed
// nothing happens, so no test ends its own event loop or starts a program by mistake.
#pragma once

#include <QString>
#include <QStringList>

class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    // Asks the event loop to end once the running handler has returned.
    virtual void quitEventLoop() = 0;
    // Starts program with the arguments, independent of this process; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

// The installed control. Until one is installed, one that does nothing (and starts nothing) answers.
ProcessControl& processControl();
// Installs c (not owned); nullptr restores the one that does nothing.
void setProcessControl(ProcessControl* c);

class QtProcessControl : public ProcessControl
{
public:
    void quitEventLoop() override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
};
