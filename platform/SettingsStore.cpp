#include "platform/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace SettingsStore {

QString save(const QString& application, const QString& section, const QList<Entry>& entries)
{
    // On Linux the native format is INI text. The file is named here, so that it does not
    // depend on the user scope's folder, which keepOthersOut() takes away.
    QSettings settings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) % u'/' % application
                           % u".conf",
                       QSettings::NativeFormat);
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

void keepOthersOut()
{
    // No folder can be made under a device file, so nothing is found or stored there.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace SettingsStore
