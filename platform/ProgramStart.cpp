#include "platform/ProgramStart.h"

#include <QProcess>

bool DetachedProgramStart::Shell(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, {});
}
