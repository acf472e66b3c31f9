#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

// The placement keys the frame stores, in the order it writes them.
inline const QStringList& placementKeys()
{
    static const QStringList keys{QStringLiteral("MainLeft"), QStringLiteral("MainTop"),
                                  QStringLiteral("MainWidth"), QStringLiteral("MainHeight")};
    return keys;
}

// Reads the [Settings] group of an INI file straight from disk, without QSettings and
// its in-memory cache, so that a test sees what a later program start would see.
inline QMap<QString, QString> settingsOnDisk(const QString& fileName)
{
    QMap<QString, QString> values;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    bool inGroup = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Settings]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0)
            values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return values;
}

inline QString settingsText(const QMap<QString, QString>& values)
{
    QString text = QStringLiteral("[Settings]\n");
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text += it.key() % QLatin1Char('=') % it.value() % QLatin1Char('\n');
    return text;
}
