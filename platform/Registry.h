#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <tuple>

// The registry calls the system-information launch makes, with their status codes,
// value types and byte sizes.
namespace Registry {

using HKEY = std::uint32_t;
using DWORD = std::uint32_t;

inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr DWORD KEY_NOTIFY = 0x0010;
inline constexpr DWORD READ_CONTROL = 0x20000;
inline constexpr DWORD KEY_READ = READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY; // 0x20019

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_DWORD = 4;

class Api
{
public:
    virtual ~Api() = default;
    virtual long RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD samDesired, HKEY* result) = 0;
    // Copies the value's bytes into data (capacity *size bytes); on return *type holds its
    // type and *size the number of data bytes. ERROR_MORE_DATA when they do not fit.
    virtual long RegQueryValueExA(HKEY key, const QString& valueName, DWORD reserved, DWORD* type, char* data,
                                  DWORD* size)
        = 0;
    virtual long RegCloseKey(HKEY key) = 0;
};

// A read-only registry held as a table of values. Like a real one for an account that
// may only read, it refuses any access mask asking for more than reading.
class Table : public Api
{
public:
    struct Value
    {
        DWORD type;
        QByteArray data;
    };

    void set(HKEY root, const QString& key, const QString& valueName, Value value);

    long RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD samDesired, HKEY* result) override;
    long RegQueryValueExA(HKEY key, const QString& valueName, DWORD reserved, DWORD* type, char* data,
                          DWORD* size) override;
    long RegCloseKey(HKEY key) override;

private:
    std::map<std::tuple<HKEY, QString, QString>, Value> m_values;
    std::map<HKEY, std::pair<HKEY, QString>> m_open; // handle -> (root, key)
    HKEY m_nextHandle = 1;
};

// The desktop's registry as the launch sees it: the system-information viewer that this
// machine has (the first of the usual ones found on PATH) under the launch's first key,
// or nothing when there is none.
Table desktopRegistry();

} // namespace Registry
