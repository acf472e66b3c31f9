#pragma once

#include <QByteArray>

// The command-line flags Qt WebEngine passes to Chromium come from the environment
// variable QTWEBENGINE_CHROMIUM_FLAGS, read once when the engine starts.
namespace ChromiumFlags {

// flags with --no-sandbox appended when running as root (Chromium refuses its sandbox
// for root), unchanged otherwise. Whatever the user set stays, in its order.
QByteArray withSandboxPolicy(const QByteArray& flags, bool runningAsRoot);

// Applies withSandboxPolicy to the environment for the effective user. Call before the
// engine starts.
void applySandboxPolicy();

} // namespace ChromiumFlags
