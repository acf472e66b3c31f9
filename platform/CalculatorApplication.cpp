#include "platform/CalculatorApplication.h"

#include "platform/AppIcon.h"
#include "platform/StandardIconStyle.h"
#include "platform/UnexpectedError.h"

#include <QFontDatabase>

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

namespace {

// The windows are laid out for these faces; metric-compatible faces stand in for them, so
// that texts fit the places they were designed for. "MS Sans Serif" sets its texts about
// a fifth narrower than Arial at the same size, which Liberation Sans Narrow (Arial
// Narrow's metrics) matches closely; Liberation Sans would overflow the designed labels
// and buttons.
struct StandIns
{
    QString face;
    QStringList installed; // best first
};

const StandIns standIns[] = {
    {QStringLiteral("MS Sans Serif"),
     {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans"),
      QStringLiteral("Arial")}},
    {QStringLiteral("System"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}},
    {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")}},
    {QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")}},
};

// The face itself where it is installed, else the first of its stand-ins that is.
QString installedFace(const QString& face)
{
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(face, Qt::CaseInsensitive))
        return face;
    for (const StandIns& s : standIns) {
        if (s.face != face)
            continue;
        for (const QString& standIn : s.installed) {
            if (installed.contains(standIn, Qt::CaseInsensitive))
                return standIn;
        }
    }
    return face;
}

} // namespace

QFont CalculatorApplication::designFont(const QString& face, qreal points, bool bold)
{
    // Named by a face that is not installed, or by one with substitutes, a font costs Qt a
    // fontconfig query for fallback faces when it is first used (FcFontSort): 13 of the 108
    // million instructions the calculator took to its first paint. Named by the installed
    // stand-in, it costs none.
    QFont font(installedFace(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void CalculatorApplication::useDesignFonts()
{
    // The faces the window descriptions name come to their stand-ins by substitution.
    for (const StandIns& s : standIns)
        QFont::insertSubstitutions(s.face, s.installed);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
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
