// A recording prompter that runs a step when a question is asked, before it is answered: the way a test deletes a
// record while the program waits for the user.
#pragma once

#include "TestSupport.h"

#include <functional>
#include <utility>

class StepAtQuestionPrompter : public RecordingPrompter
{
public:
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override
    {
        // Plain messages ask nothing: the step waits for a question.
        if (buttons != Buttons::Ok && atQuestion)
            std::exchange(atQuestion, nullptr)();
        return RecordingPrompter::ask(text, caption, buttons, icon);
    }

    // Runs once, at the next question.
    std::function<void()> atQuestion;
};
