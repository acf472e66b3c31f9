#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The per-user settings store: text values addressed by application, section and key.
// The application name chooses the file (<application>.conf, INI text, in the user's
// configuration folder: $XDG_CONFIG_HOME, else ~/.config); the section is a group in it.
namespace SettingsStore {

using Entry = QPair<QString, QString>; // key, value

// Writes the entries in their order under application and section, replacing earlier
// values, and commits them to disk in one step. Returns an empty string on success,
// otherwise what went wrong; the file on disk then keeps its earlier content.
QString save(const QString& application, const QString& section, const QList<Entry>& entries);

// Qt's own dialogs keep their history in the user's settings (QtProject.conf holds the
// file dialog's folders). The program keeps nothing but its own entries, so from this
// call on, user settings stored any other way than by save() are neither read nor written.
void keepOthersOut();

} // namespace SettingsStore
