#include "platform/GuardedApplication.h"

#include "platform/UnexpectedError.h"

#include <exception>

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Calculator"));
    setApplicationVersion(QStringLiteral("1.01"));
    setApplicationDisplayName(QString());
    setDesktopFileName(QStringLiteral("calculator"));
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        UnexpectedError::report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        UnexpectedError::report(QStringLiteral("an unknown error"));
    }
    return false;
}
