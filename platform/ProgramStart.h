#pragma once

#include <QString>

// Starts a program by its path, as a separate process that the caller does not wait for.
class ProgramStart
{
public:
    virtual ~ProgramStart() = default;
    // False when the program could not be started.
    [[nodiscard]] virtual bool Shell(const QString& path) = 0;
};

// Starts the program itself, never through a shell, so no character of the path is
// interpreted.
class DetachedProgramStart : public ProgramStart
{
public:
    bool Shell(const QString& path) override;
};
