#include "platform/Registry.h"

#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace Registry {

void Table::set(HKEY root, const QString& key, const QString& valueName, Value value)
{
    m_values[{root, key.toLower(), valueName.toLower()}] = std::move(value);
}

long Table::RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD samDesired, HKEY* result)
{
    Q_UNUSED(options);
    *result = 0;
    if ((samDesired & ~KEY_READ) != 0)
        return ERROR_ACCESS_DENIED;
    const QString key = subKey.toLower();
    const auto found = std::find_if(m_values.begin(), m_values.end(), [&](const auto& entry) {
        return std::get<0>(entry.first) == root && std::get<1>(entry.first) == key;
    });
    if (found == m_values.end())
        return ERROR_FILE_NOT_FOUND;
    *result = m_nextHandle++;
    m_open[*result] = {root, key};
    return ERROR_SUCCESS;
}

long Table::RegQueryValueExA(HKEY key, const QString& valueName, DWORD reserved, DWORD* type, char* data, DWORD* size)
{
    Q_UNUSED(reserved);
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return ERROR_INVALID_HANDLE;
    const auto found = m_values.find({open->second.first, open->second.second, valueName.toLower()});
    if (found == m_values.end())
        return ERROR_FILE_NOT_FOUND;
    const Value& value = found->second;
    *type = value.type;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (needed > *size) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value.data.constData(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

long Table::RegCloseKey(HKEY key)
{
    return m_open.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

Table desktopRegistry()
{
    Table table;
    // System-information viewers of the usual Linux desktops, best first.
    static const char* const viewers[] = {"hardinfo", "kinfocenter", "cpu-x", "lshw-gtk"};
    for (const char* viewer : viewers) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(viewer));
        if (path.isEmpty())
            continue;
        table.set(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                  QStringLiteral("PATH"), {REG_SZ, path.toUtf8() + '\0'});
        break;
    }
    return table;
}

} // namespace Registry
