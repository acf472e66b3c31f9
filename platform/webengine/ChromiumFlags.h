#pragma once

#include <QByteArray>
#include <QList>

namespace ChromiumFlags {

// The flags to start the engine with: the ones already set (the user's, kept as they
// are) plus "--no-sandbox" when running as root, where Chromium refuses its sandbox.
inline QByteArray withSandboxPolicy(const QByteArray& current, bool runningAsRoot)
{
    const QByteArray flags = current.trimmed();
    if (!runningAsRoot || flags.split(' ').contains(QByteArrayLiteral("--no-sandbox")))
        return current;
    return flags.isEmpty() ? QByteArrayLiteral("--no-sandbox") : flags + " --no-sandbox";
}

} // namespace ChromiumFlags
