#include "platform/webengine/ChromiumFlags.h"

#include <QList>
#include <QLoggingCategory>
#include <QtGlobal>

#include <unistd.h>

namespace ChromiumFlags {

QByteArray withSandboxPolicy(const QByteArray& flags, bool runningAsRoot)
{
    static const QByteArray noSandbox = QByteArrayLiteral("--no-sandbox");
    if (!runningAsRoot || flags.simplified().split(' ').contains(noSandbox))
        return flags;
    const QByteArray kept = flags.trimmed();
    return kept.isEmpty() ? noSandbox : kept + ' ' + noSandbox;
}

void applySandboxPolicy()
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray adjusted = withSandboxPolicy(flags, geteuid() == 0);
    if (adjusted != flags)
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", adjusted);
}

QByteArray withQuietLogging(const QByteArray& flags)
{
    static const QByteArray loggingFlags[] = {"--enable-logging", "--log-level", "--v", "--vmodule"};
    const QList<QByteArray> given = flags.simplified().split(' ');
    for (const QByteArray& flag : given) {
        const QByteArray name = flag.left(flag.indexOf('='));
        if (std::find(std::begin(loggingFlags), std::end(loggingFlags), name) != std::end(loggingFlags))
            return flags;
    }
    const QByteArray kept = flags.trimmed();
    return kept.isEmpty() ? QByteArray("--log-level=3") : kept + " --log-level=3";
}

void applyQuietLogging()
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", withQuietLogging(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
    // The engine's start-up report, and the console messages of pages (category "js").
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\njs=false"));
}

} // namespace ChromiumFlags
