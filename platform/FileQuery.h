#pragma once

#include <QString>

// Asks whether a file exists, as a directory listing would.
class FileQuery
{
public:
    virtual ~FileQuery() = default;
    // The name of the normal file at path (not hidden, not a system file, not a folder),
    // or the empty text when there is none.
    virtual QString Dir(const QString& path) = 0;
};

// The real file system. A backslash in the path separates folders, as it does in the
// stored folder values.
class LocalFileQuery : public FileQuery
{
public:
    QString Dir(const QString& path) override;
};
