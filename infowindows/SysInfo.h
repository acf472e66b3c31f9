#pragma once

#include "platform/Registry.h"

#include <QString>

#include <functional>

class FileQuery;
class ProgramStart;

// Finds the system-information viewer through the registry and starts it, or tells the
// user that it is unavailable. Both the about box and the help box use it.
class SysInfo
{
public:
    using MessageSink = std::function<void(const QString& message)>;

    SysInfo(Registry::Api& registry, FileQuery& files, ProgramStart& programs, MessageSink showMessage);

    void StartSysInfo();
    // Reads one value as text into KeyVal; false (and KeyVal empty) when the key or value
    // is missing, refused, too long for the buffer or empty.
    bool GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    // The launch as the boxes use it: the desktop's registry, the real file system and
    // program start, and a message box.
    static void startFromDesktop();

private:
    Registry::Api& m_registry;
    FileQuery& m_files;
    ProgramStart& m_programs;
    MessageSink m_showMessage;
};
