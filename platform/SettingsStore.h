#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The per-user settings store: text values addressed by application, section and key.
// The application name chooses the file (~/.config/<application>.conf, INI text);
// the section is a group in it.
namespace SettingsStore {

using Entry = QPair<QString, QString>; // key, value

// Writes the entries in their order under application and section, replacing earlier
// values, and commits them to disk in one step. Returns an empty string on success,
// otherwise what went wrong; the file on disk then keeps its earlier content.
QString save(const QString& application, const QString& section, const QList<Entry>& entries);

} // namespace SettingsStore
