#include "platform/UnexpectedError.h"

#include <QApplication>
#include <QMessageBox>

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
