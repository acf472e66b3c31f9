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

// flags with Chromium's log lines limited to fatal errors, unless the user asked for
// Chromium's logging with a flag of its own (--enable-logging, --log-level, --v,
// --vmodule): then flags are left as they are.
QByteArray withQuietLogging(const QByteArray& flags);

// Keeps the engine silent on the terminal: applies withQuietLogging to the environment
// and hides the engine's start-up report and the pages' console messages; rules the
// user sets in QT_LOGGING_RULES still show them, as they outrank the program's. Call
// before the engine starts.
void applyQuietLogging();

} // namespace ChromiumFlags
