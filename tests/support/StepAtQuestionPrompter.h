// A recording prompter that runs a step when a question is asked or a message shown, before it is answered: the
// way a test deletes a record while the program waits for the user.
#pragma once

#include "TestSupport.h"

#include <functional>
#include <utility>

class StepAtQuestionPrompter : public RecordingPrompter
{
public:
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override
    {
        std::function<void()>& step = buttons == Buttons::Ok ? atMessage : atQuestion;
        if (step)
            std::exchange(step, nullptr)();
        return RecordingPrompter::ask(text, caption, buttons, icon);
    }

    // Each runs once: at the next question, at the next plain message.
    std::function<void()> atQuestion;
    std::function<void()> atMessage;
};
