// The desktop as a user meets it, for tests on a real X server with a window manager: input through the X server
// (xdotool), the window manager's stacking order, screen grabs, and journeys of steps that each wait for the
// windows to be ready and fail when a step does not come within its time.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

namespace RealDesktop {

// A left click at a point of the widget (its centre by default), moved and clicked by the X server.
void click(QWidget* widget, QPoint at = QPoint(-1, -1));
// The pointer moved over a point of the widget.
void hover(QWidget* widget, QPoint at);
// Keys as xdotool names them ("Escape", "Return", "ctrl+a", "F3").
void key(const QString& keys);
// Text typed key by key.
void type(const QString& text);
// A window manager that follows the desktop conventions runs on the display.
bool windowManagerRuns();
// Top-level windows as the window manager stacks them, the top one last.
QList<WId> stacking();
// The window is visible, the application's active window and the top one of the window manager's stack.
bool activeOnTop(const QWidget* window);
// As activeOnTop, and the application's modal window as well.
bool modalOnTop(const QWidget* window);
// The application's visible top-level window of the class, or null.
QWidget* shownWindowOf(const char* className);
// Saves a grab of the whole screen as name.png in the folder of the shots.
void saveScreen(const QString& name);

// One step: act runs once ready holds; the next step waits for its own ready. act may open a modal window and
// return only when it closes: the following steps run inside that showing.
struct Step
{
    QString name;
    std::function<bool()> ready;
    std::function<void()> act;
};

// Runs the steps; a step whose ready does not hold within the limit (a stuck modal loop, a window below another)
// ends the process with a failure, a report of the windows and a screen grab, as no test can go on from there.
void run(const QString& journey, const std::vector<Step>& steps, int stepLimitMs = 20000);

} // namespace RealDesktop
