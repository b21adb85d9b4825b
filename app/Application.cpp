#include "Application.h"

#include "Bazadanych.h"
#include "FileFailure.h"
#include "Prompter.h"
#include "Toolkit.h"

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}

void ShowException(const std::exception_ptr& error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const FileError& e) {
        message = FileFailureText(e);
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
    }
    prompter().message(message, gProductName, Prompter::Icon::Error);
}
