#include "platform/CalculatorApplication.h"

#include "platform/AppIcon.h"
#include "platform/MenuBarIconStyle.h"
#include "platform/UnexpectedError.h"

#include <QFont>

#include <exception>

CalculatorApplication::CalculatorApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Calculator"));
    setApplicationVersion(QStringLiteral("1.01"));
    setApplicationDisplayName(QString());
    setDesktopFileName(AppIcon::desktopId());
    // The menus are part of each window's designed layout, so they stay in the window
    // even on desktops that offer a global menu; that also spares every menu bar the
    // session bus query for a menu registrar.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    setStyle(new MenuBarIconStyle(style()->name()));
    useDesignFonts();
}

void CalculatorApplication::useDesignFonts()
{
    // The windows are laid out for these faces; the metric-compatible Liberation faces
    // stand in for them, so that texts fit the places they were designed for.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont standard(QStringLiteral("MS Sans Serif"));
    standard.setPointSizeF(8.25);
    setFont(standard);
}

bool CalculatorApplication::notify(QObject* receiver, QEvent* event)
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
