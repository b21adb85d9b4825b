#include "ChangeJournal.h"

#include "FileSystem.h"
#include "FolderLock.h"
#include "Vh_langmanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The first line of every journal, and the first word of its last: a journal without both was cut off while it
// was written, before any file was replaced.
const QByteArray header = QByteArrayLiteral("Kronvel change journal 1\n");
const QByteArray endWord = QByteArrayLiteral("end");

std::function<void(ChangeJournal::Point, int)>& observer()
{
    static std::function<void(ChangeJournal::Point, int)> current;
    return current;
}

void observe(ChangeJournal::Point point, int count = 0)
{
    if (observer())
        observer()(point, count);
}

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// A name directly in the folder: nothing a journal line names may lead elsewhere.
bool isBareName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && name != QStringLiteral(".") && name != QStringLiteral("..");
}

QByteArray journalText(const std::vector<ChangeJournal::Step>& steps)
{
    QByteArray text = header;
    for (const ChangeJournal::Step& step : steps) {
        text += step.temporary.isEmpty() ? QByteArrayLiteral("D\t") : "W\t" + step.temporary.toUtf8() + '\t';
        text += step.name.toUtf8() + '\n';
    }
    return text + endWord + '\t' + QByteArray::number(qsizetype(steps.size())) + '\n';
}

// The steps of a complete journal; false for one cut off (or not ours).
bool readSteps(const QByteArray& text, std::vector<ChangeJournal::Step>& steps)
{
    if (!text.startsWith(header) || !text.endsWith('\n'))
        return false;
    const QList<QByteArray> lines = text.mid(header.size(), text.size() - header.size() - 1).split('\n');
    const QList<QByteArray> last = lines.back().split('\t');
    bool counted = false;
    if (last.size() != 2 || last[0] != endWord || last[1].toLongLong(&counted) != lines.size() - 1 || !counted)
        return false;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        ChangeJournal::Step step;
        if (fields.size() == 3 && fields[0] == "W") {
            step.temporary = QString::fromUtf8(fields[1]);
            step.name = QString::fromUtf8(fields[2]);
            if (!FileSystem::isAtomicWriteTemporary(step.temporary))
                return false;
        } else if (fields.size() == 2 && fields[0] == "D") {
            step.name = QString::fromUtf8(fields[1]);
        } else {
            return false;
        }
        if (!isBareName(step.name))
            return false;
        steps.push_back(step);
    }
    return true;
}

// Replaces and removes the steps' files. A write whose temporary file is gone was carried out before (by a commit
// that was cut off after it), so a journal can be carried out any number of times. The names of what failed go to
// notDone.
void carryOut(const QString& folder, const std::vector<ChangeJournal::Step>& steps, QStringList& notDone)
{
    int done = 0;
    for (const ChangeJournal::Step& step : steps) {
        const QString target = folder + step.name;
        if (!step.temporary.isEmpty()) {
            const QString temporary = folder + step.temporary;
            if (FileSystem::fileExists(temporary) && !FileSystem::renameFile(temporary, target))
                notDone.append(target);
        } else if (QFileInfo::exists(target) && !FileSystem::deleteFile(target)) {
            notDone.append(target);
        }
        observe(ChangeJournal::Point::AfterStep, ++done);
    }
}

// Carries out the complete journal at path, or drops one cut off, then removes it; false with the reason when
// something could not be done (the journal then stays).
bool finishJournal(const QString& folder, const QString& path, QString& reason, bool* completed = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray text = file.readAll();
    file.close();
    std::vector<ChangeJournal::Step> steps;
    const bool complete = readSteps(text, steps);
    if (completed)
        *completed = complete;
    QStringList notDone;
    if (complete) {
        carryOut(folder, steps, notDone);
        if (!FileSystem::syncFolder(folder, &reason))
            notDone.append(reason);
    }
    // A journal cut off names temporary files that the sweep at start removes with any others.
    if (notDone.isEmpty() && !FileSystem::deleteFileDurably(path, &reason))
        notDone.append(reason);
    reason = notDone.join(u'\n');
    return notDone.isEmpty();
}

} // namespace

const QString ChangeJournal::FileName = QStringLiteral("change-journal.txt");

ChangeJournal::ChangeJournal(const QString& folder) : folder(withSlash(folder)) {}

ChangeJournal::~ChangeJournal()
{
    dropTemporaries();
}

void ChangeJournal::SetObserver(std::function<void(Point, int)> observer)
{
    ::observer() = std::move(observer);
}

bool ChangeJournal::write(const QString& path, const QByteArray& data, QString* error)
{
    const QString name = path.mid(folder.size());
    if (!path.startsWith(folder) || !isBareName(name)) {
        if (error)
            *error = QStringLiteral("%1: not in %2").arg(path, folder);
        return false;
    }
    const QString temporary = FileSystem::writeTemporaryBeside(path, data, error);
    if (temporary.isEmpty())
        return false;
    replaceStep({name, QFileInfo(temporary).fileName()});
    return true;
}

void ChangeJournal::remove(const QString& path)
{
    const QString name = path.mid(folder.size());
    if (path.startsWith(folder) && isBareName(name))
        replaceStep({name, QString()});
}

void ChangeJournal::replaceStep(Step step)
{
    const auto earlier = std::find_if(steps.begin(), steps.end(), [&](const Step& s) { return s.name == step.name; });
    if (earlier == steps.end()) {
        steps.push_back(std::move(step));
        return;
    }
    if (!earlier->temporary.isEmpty())
        FileSystem::deleteFile(folder + earlier->temporary);
    *earlier = std::move(step);
}

void ChangeJournal::dropTemporaries()
{
    for (const Step& step : steps) {
        if (!step.temporary.isEmpty())
            FileSystem::deleteFile(folder + step.temporary);
    }
    steps.clear();
}

bool ChangeJournal::commit(QString* error)
{
    const auto fail = [&](const QString& reason) {
        dropTemporaries();
        if (error)
            *error = reason;
        return false;
    };
    QString reason;
    // Every new content is on disk before anything names it: a journal is acted on whole, and a file replaced
    // alone must not be replaced by an empty one. The first flush commits the file system's pending work, so the
    // others cost little.
    for (const Step& step : steps) {
        if (!step.temporary.isEmpty() && !FileSystem::flushFile(folder + step.temporary, &reason))
            return fail(reason);
    }
    // A change of one file needs no journal.
    const QString journal = folder + FileName;
    if (steps.size() > 1) {
        observe(Point::BeforeJournal);
        // A journal that an earlier commit could not finish is finished first.
        if (!FileSystem::createDurably(journal, journalText(steps), &reason) &&
            (!finishJournal(folder, journal, reason) ||
             !FileSystem::createDurably(journal, journalText(steps), &reason)))
            return fail(reason);
        observe(Point::AfterJournal);
    }
    const bool journaled = steps.size() > 1;
    QStringList notDone;
    carryOut(folder, std::exchange(steps, {}), notDone);
    if (!notDone.isEmpty()) {
        if (error)
            *error = notDone.join(u'\n');
        return false;
    }
    // No wait for the disk here, as a single save does not wait for its rename: the file system keeps the order of
    // the renames and this removal, so a crash that loses a rename keeps the journal too, and the next start
    // carries it out again (which changes nothing that is done already).
    if (journaled)
        FileSystem::deleteFile(journal);
    return true;
}

InterruptedChange FinishInterruptedChange(const FolderLock& lock)
{
    InterruptedChange finished;
    const QString folder = withSlash(lock.folder());
    const QString journal = folder + ChangeJournal::FileName;
    if (!lock.held() || !QFileInfo::exists(journal))
        return finished;
    finished.found = true;
    QString reason;
    if (!finishJournal(folder, journal, reason, &finished.completed))
        finished.notDone = reason.split(u'\n');
    return finished;
}

QString InterruptedChange::message() const
{
    if (notDone.isEmpty())
        return QString();
    return gLangM.FormatStr(QStringLiteral("LABEL_PRZERWANA_ZMIANA_DANYCH_NIE_ZOSTALA_DOKONCZONA_[%S]"),
                            notDone.join(QStringLiteral("\r\n")));
}
