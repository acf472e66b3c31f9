#include "platform/CalculatorApplication.h"

#include "platform/AppIcon.h"
#include "platform/SessionEnd.h"
#include "platform/SettingsStore.h"
#include "platform/StandardIconStyle.h"
#include "platform/UnexpectedError.h"

#include <QFontDatabase>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include <sys/statvfs.h>

namespace {

// Qt meets a display it cannot open with a warning, then ends the program with abort()
// and a paragraph of advice. While the application object is being made, the platform's
// messages are held back; a fatal one then ends the program with one line and status 1.
QtMessageHandler g_nextHandler = nullptr;
bool g_starting = false;
struct HeldBack
{
    QtMsgType type;
    QByteArray category;
    QString message;
};
QList<HeldBack> g_heldBack;
QString g_unopenedDisplay;

void startMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static const QString unopened = QStringLiteral("could not connect to display ");
    if (g_starting && type == QtFatalMsg) {
        const QString line = g_unopenedDisplay.isNull() ? message.section(u'\n', 0, 0)
            : g_unopenedDisplay.isEmpty()               ? QStringLiteral("cannot open display: DISPLAY is not set")
                                                        : u"cannot open display " % g_unopenedDisplay;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::_Exit(1);
    }
    if (g_starting && QByteArrayView(context.category).startsWith("qt.qpa")) {
        if (message.startsWith(unopened))
            g_unopenedDisplay = message.mid(unopened.size());
        g_heldBack.append({type, context.category, message});
        return;
    }
    g_nextHandler(type, context, message);
}

// The OpenGL drivers keep the shaders they compile in cache files that they map into
// memory; written on a full disk, such a mapping kills the program (SIGBUS). The caches
// save the browser tens of milliseconds on every start, so Mesa's and NVIDIA's live in the
// session's runtime folder (in memory, emptied at logout, never the home) when it has
// ample room, and are off otherwise. Qt's own would go in the home and stays off. A cache
// setting the user made is left as it is.
void placeShaderCaches()
{
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    if (qEnvironmentVariableIsSet("MESA_SHADER_CACHE_DIR") || qEnvironmentVariableIsSet("MESA_SHADER_CACHE_DISABLE"))
        return;
    constexpr unsigned long long ample = 256ull << 20; // four times the largest cache allowed
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct statvfs room = {};
    if (!runtime.isEmpty() && statvfs(runtime.constData(), &room) == 0
        && static_cast<unsigned long long>(room.f_bavail) * room.f_frsize >= ample) {
        const QByteArray folder = runtime + "/calculator-shader-cache";
        qputenv("MESA_SHADER_CACHE_DIR", folder);
        qputenv("MESA_SHADER_CACHE_MAX_SIZE", "64M");
        qputenv("__GL_SHADER_DISK_CACHE_PATH", folder);
    } else {
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
        qputenv("__GL_SHADER_DISK_CACHE", "0");
    }
}

// What must hold before the application object exists.
int& beforeStart(int& argc)
{
    g_nextHandler = qInstallMessageHandler(&startMessage);
    g_starting = true;
    placeShaderCaches();
    return argc;
}

// The messages held back while the application object was made, now that it stands.
void started()
{
    g_starting = false;
    qInstallMessageHandler(g_nextHandler);
    for (const HeldBack& held : std::as_const(g_heldBack))
        g_nextHandler(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.constData()), held.message);
    g_heldBack.clear();
}

} // namespace

CalculatorApplication::CalculatorApplication(int& argc, char** argv)
    : QApplication(beforeStart(argc), argv)
{
    started();
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
    SessionEnd::watchSignals();
    SettingsStore::keepOthersOut();
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
