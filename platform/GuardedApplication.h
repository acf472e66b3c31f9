#pragma once

#include <QApplication>

// The application object. It names the program for the platform and turns an exception
// that escapes an event handler into the unexpected-error message instead of ending the
// program.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The windows' standard font and the stand-ins for the faces they name.
    static void useDesignFonts();
};
