#pragma once

#include <QApplication>
#include <QFont>

// The program's application object. It names the program for the desktop, keeps the
// menus inside the windows, gives the windows the fonts they were laid out for, and turns
// an exception that escapes an event handler into the unexpected-error message instead
// of ending the program.
class CalculatorApplication : public QApplication
{
public:
    CalculatorApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // A font of a face the windows are designed in ("MS Sans Serif", "System", "Arial"),
    // made of the installed face that stands in for it.
    static QFont designFont(const QString& face, qreal points, bool bold = false);

private:
    // The windows' standard font and the stand-ins for the faces they name.
    void useDesignFonts();
};
