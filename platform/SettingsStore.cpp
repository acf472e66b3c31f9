#include "platform/SettingsStore.h"

#include <QSettings>

namespace SettingsStore {

QString save(const QString& application, const QString& section, const QList<Entry>& entries)
{
    // On Linux the native format is an INI text file named <application>.conf in the
    // user's configuration folder (IniFormat would name it .ini).
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application);
    // Atomic sync (the default) writes a temporary file and renames it over the old one,
    // so a failed write never leaves a half-written file behind.
    settings.setAtomicSyncRequired(true);
    settings.beginGroup(section);
    for (const Entry& entry : entries)
        settings.setValue(entry.first, entry.second);
    settings.endGroup();
    settings.sync();

    switch (settings.status()) {
    case QSettings::NoError:
        return {};
    case QSettings::AccessError:
        return QStringLiteral("The settings file %1 could not be written.").arg(settings.fileName());
    case QSettings::FormatError:
        return QStringLiteral("The settings file %1 is not in a readable format.").arg(settings.fileName());
    }
    return QStringLiteral("The settings file %1 could not be written.").arg(settings.fileName());
}

} // namespace SettingsStore
