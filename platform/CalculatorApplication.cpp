#include "platform/CalculatorApplication.h"

#include "platform/AppIcon.h"
#include "platform/StandardIconStyle.h"
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
    setStyle(new StandardIconStyle);
    useDesignFonts();
}

void CalculatorApplication::useDesignFonts()
{
    // The windows are laid out for these faces; metric-compatible faces stand in for them,
    // so that texts fit the places they were designed for. "MS Sans Serif" sets its
    // texts about a fifth narrower than Arial at the same size, which Liberation Sans
    // Narrow (Arial Narrow's metrics) matches closely; Liberation Sans would overflow the
    // designed labels and buttons.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
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
