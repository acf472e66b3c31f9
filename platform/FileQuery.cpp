#include "platform/FileQuery.h"

#include <QFileInfo>

QString LocalFileQuery::Dir(const QString& path)
{
    QString local = path;
    local.replace(u'\\', u'/');
    const QFileInfo info(local);
    if (!info.isFile() || info.isHidden())
        return {};
    return info.fileName();
}
