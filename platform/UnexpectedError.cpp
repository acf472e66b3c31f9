#include "platform/UnexpectedError.h"

#include "platform/SessionEnd.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace UnexpectedError {
namespace {
Reporter g_reporter = nullptr;
bool g_showing = false;
} // namespace

void report(const QString& description)
{
    if (g_reporter) {
        g_reporter(description);
        return;
    }
    // While the session ends no one is there to answer a box: the failure goes to the
    // standard error stream instead, and the close goes on.
    if (SessionEnd::isEnding()) {
        std::fprintf(stderr, "Calculator: unexpected error: %s\n", qUtf8Printable(description));
        return;
    }
    // A failure raised while the box is already up (a timer firing under it) is not
    // stacked into a second box.
    if (g_showing)
        return;
    g_showing = true;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Calculator"),
                    QStringLiteral("Unexpected error: %1").arg(description), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
    g_showing = false;
}

void setReporterForTesting(Reporter reporter)
{
    g_reporter = reporter;
}

} // namespace UnexpectedError
