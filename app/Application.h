// The program's application object. An exception that escapes an event handler is shown in an error box
// captioned with the product name, and the event loop goes on.
#pragma once

#include <QApplication>
#include <exception>

class TApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the error's message (the empty text for a thrown value that is no exception) in an error box.
void ShowException(const std::exception_ptr& error);
