#pragma once
// Reports every exception that escapes an event handler in the error dialog; the
// program goes on.

#include <QObject>
#include <QString>
#include <exception>

class TExceptionHandler
{
public:
    // Makes HandleException the application's exception handler, remembering the old one.
    static void Install();
    // Puts the remembered handler back.
    static void Remove();
    static void HandleException(QObject *sender, const std::exception &e);
    // The text shown for an exception: its message as a sentence, with one full stop.
    static QString MessageText(const std::exception &e);
};
