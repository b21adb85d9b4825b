// A scripted colour dialog for the tests of the windows that open one. Include it only where the platform's GUI
// library is linked.
#pragma once

#include "ColorDialogs.h"

#include <deque>
#include <optional>
#include <vector>

// Answers from a script and records the colour each dialog opened on; an empty answer (or none left) cancels.
class ScriptedColorDialogs : public ColorDialogs
{
public:
    ScriptedColorDialogs() { setColorDialogs(this); }
    ~ScriptedColorDialogs() override { setColorDialogs(nullptr); }

    bool Execute(QWidget*, TColor& colour) override
    {
        openedOn.push_back(colour);
        if (answers.empty())
            return false;
        const std::optional<TColor> answer = answers.front();
        answers.pop_front();
        if (!answer)
            return false;
        colour = *answer;
        return true;
    }

    std::deque<std::optional<TColor>> answers;
    std::vector<TColor> openedOn;
};
