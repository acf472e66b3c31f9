#include "platform/webengine/ChromiumFlags.h"

#include <QList>
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

} // namespace ChromiumFlags
