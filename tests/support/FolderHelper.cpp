// A process of its own for the tests that need one: flock locks belong to the open file, and a crash is a process
// killed with SIGKILL.
//
//   kv_folder_helper lock FOLDER
//     locks FOLDER, prints "held", "in use" or "failed" and, when held, keeps the lock until its input ends.
//   kv_folder_helper relink FOLDER PARENT CHILD POINT [STEP]
//     loads FOLDER and links CHILD to PARENT (a man) as his child, or unlinks them when they are linked, writing
//     both persons in one change; with POINT "before-journal", "after-journal" or "after-step" (STEP files
//     replaced) it kills itself there, with "none" it finishes.
#include "Bazadanych.h"
#include "ChangeJournal.h"
#include "FolderLock.h"

#include <QCoreApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

int holdLock(const QString& folder)
{
    const FolderLock lock(folder);
    std::puts(lock.held() ? "held" : lock.state() == FolderLock::State::InUse ? "in use" : "failed");
    std::fflush(stdout);
    if (!lock.held())
        return 1;
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}

int relink(const QString& folder, const QString& parentID, const QString& childID, const QString& point, int step)
{
    gDB.DataFolder = QDir(folder).absolutePath() + u'/';
    gDB.FileExtension = QStringLiteral(".kvfile");
    gDB.LoadAll(nullptr);
    KV_Person* parent = gDB.FindPerson(parentID);
    KV_Person* child = gDB.FindPerson(childID);
    if (!parent || !child)
        return 2;
    ChangeJournal::SetObserver([&](ChangeJournal::Point reached, int count) {
        const bool stop =
            (reached == ChangeJournal::Point::BeforeJournal && point == QStringLiteral("before-journal")) ||
            (reached == ChangeJournal::Point::AfterJournal && point == QStringLiteral("after-journal")) ||
            (reached == ChangeJournal::Point::AfterStep && point == QStringLiteral("after-step") && count == step);
        if (stop)
            std::raise(SIGKILL);
    });
    if (parent->HasChild(childID)) {
        parent->RemoveChild(childID);
        child->FID.clear();
    } else {
        parent->AddChild(childID);
        child->FID = parentID;
    }
    return gDB.SavePersons(parent, child) ? 0 : 3;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() == 2 && arguments[0] == QStringLiteral("lock"))
        return holdLock(arguments[1]);
    if ((arguments.size() == 5 || arguments.size() == 6) && arguments[0] == QStringLiteral("relink"))
        return relink(arguments[1], arguments[2], arguments[3], arguments[4], arguments.value(5).toInt());
    std::fprintf(stderr, "usage: kv_folder_helper lock FOLDER | relink FOLDER PARENT CHILD POINT [STEP]\n");
    return 2;
}
