// What a long operation of the model (loading or deleting the data folder) reports while it runs. The main
// window shows it as a progress bar with a label; tests and tools may pass none.
#pragma once

#include <QString>

class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    // Shows the bar and its label with the given text, at position 0 of maximum steps.
    virtual void begin(const QString& text, int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // Hides the bar and its label.
    virtual void end() = 0;
};
