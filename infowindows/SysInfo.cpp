#include "infowindows/SysInfo.h"

#include "platform/FileQuery.h"
#include "platform/ProgramStart.h"

#include <QApplication>
#include <QMessageBox>

#include <array>
#include <cstdint>

namespace {

const QString FirstKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FirstValue = QStringLiteral("PATH");
const QString SecondKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SecondValue = QStringLiteral("MSINFO");
const QString ViewerFile = QStringLiteral("\\MSINFO32.EXE");
constexpr Registry::DWORD BufferSize = 1024;

} // namespace

SysInfo::SysInfo(Registry::Api& registry, FileQuery& files, ProgramStart& programs, MessageSink showMessage)
    : m_registry(registry)
    , m_files(files)
    , m_programs(programs)
    , m_showMessage(std::move(showMessage))
{ }

void SysInfo::StartSysInfo()
{
    QString viewerPath;
    if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, FirstKey, FirstValue, viewerPath)) {
        if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, SecondKey, SecondValue, viewerPath)
            || m_files.Dir(viewerPath + ViewerFile).isEmpty()) {
            m_showMessage(QStringLiteral("System Information Is Unavailable At This Time"));
            return;
        }
        viewerPath += ViewerFile;
    }
    // The path from the first look-up is started as it stands, without an existence test.
    if (!m_programs.Shell(viewerPath))
        m_showMessage(QStringLiteral("System Information Is Unavailable At This Time"));
}

bool SysInfo::GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    Registry::HKEY hKey = 0;
    bool ok = false;
    // Reading is all the launch needs, so the key is opened for reading only: an account
    // that may not write to it can still find the viewer.
    if (m_registry.RegOpenKeyExA(KeyRoot, KeyName, 0, Registry::KEY_READ, &hKey) == Registry::ERROR_SUCCESS) {
        std::array<char, BufferSize> buffer{};
        Registry::DWORD size = BufferSize;
        Registry::DWORD type = 0;
        if (m_registry.RegQueryValueExA(hKey, SubKeyRef, 0, &type, buffer.data(), &size) == Registry::ERROR_SUCCESS
            && size > 0 && size <= BufferSize) {
            ok = true;
            const Registry::DWORD length = buffer[size - 1] == '\0' ? size - 1 : size;
            if (type == Registry::REG_SZ) {
                KeyVal = QString::fromUtf8(buffer.data(), length);
            } else if (type == Registry::REG_DWORD) {
                // A little-endian 32-bit number, shown as its decimal value.
                if (size == 4) {
                    std::uint32_t value = 0;
                    for (int i = 3; i >= 0; --i)
                        value = (value << 8) | static_cast<unsigned char>(buffer[i]);
                    KeyVal = QString::number(value);
                } else {
                    ok = false;
                }
            }
        }
    }
    if (!ok)
        KeyVal.clear();
    m_registry.RegCloseKey(hKey);
    return ok;
}

void SysInfo::startFromDesktop()
{
    Registry::Table registry = Registry::desktopRegistry();
    LocalFileQuery files;
    DetachedProgramStart programs;
    SysInfo sysInfo(registry, files, programs, [](const QString& message) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Calculator"), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
    sysInfo.StartSysInfo();
}
