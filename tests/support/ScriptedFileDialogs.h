// Scripted file and folder dialogs for the tests of the controls and windows that open them. Include it only where
// the platform's GUI library is linked.
#pragma once

#include "FileDialogs.h"

#include <deque>
#include <vector>

// Answers the dialogs from a script and records what they were asked; an empty answer cancels.
class ScriptedFileDialogs : public FileDialogs
{
public:
    ScriptedFileDialogs() { setFileDialogs(this); }
    ~ScriptedFileDialogs() override { setFileDialogs(nullptr); }

    bool Execute(QWidget*, TFileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        const QString answer = next();
        if (answer.isEmpty())
            return false;
        request.FileName = answer;
        request.FilterIndex = answerFilterIndex;
        return true;
    }
    bool BrowseForFolder(QWidget*, const TFolderDialogRequest& request, QString& folder) override
    {
        folderRequests.push_back(request);
        folder = next();
        return !folder.isEmpty();
    }

    std::deque<QString> answers;
    int answerFilterIndex = 1;
    std::vector<TFileDialogRequest> fileRequests;
    std::vector<TFolderDialogRequest> folderRequests;

private:
    QString next()
    {
        if (answers.empty())
            return QString();
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
