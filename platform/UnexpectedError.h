#pragma once

#include <QString>

// The one course for a failure that a handler does not expect: a message box titled
// "Calculator" that names the error. The handler that met it is abandoned; the program
// keeps running.
namespace UnexpectedError {

void report(const QString& description);

// Tests replace the message box to see what would have been shown. Pass an empty
// function to restore the box.
using Reporter = void (*)(const QString& description);
void setReporterForTesting(Reporter reporter);

} // namespace UnexpectedError
