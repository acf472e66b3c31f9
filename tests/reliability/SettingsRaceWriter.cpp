// Opens the frame at the geometry given on the command line, waits for a start file to
// appear, then closes the frame so that its placement is stored. Prints the entries the
// frame meant to store, one "key=value" a line; exits 1 if a failure was reported.
#include "mainframe/Placement.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QThread>

#include <cstdio>

namespace {
bool g_failed = false;
void recordFailure(const QString& description)
{
    g_failed = true;
    std::fprintf(stderr, "%s\n", description.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return 2;
    UnexpectedError::setReporterForTesting(&recordFailure);
    frmMain::showChild(new QLabel(QStringLiteral("race")));
    frmMain* frame = frmMain::current();
    frame->move(args.at(1).toInt(), args.at(2).toInt());
    frame->resize(args.at(3).toInt(), args.at(4).toInt());
    QCoreApplication::processEvents();

    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(args.at(5)))
        QThread::usleep(200);

    for (const auto& entry : Placement::entries(frame->frameGeometry()))
        std::printf("%s=%s\n", entry.first.toUtf8().constData(), entry.second.toUtf8().constData());
    std::fflush(stdout);
    frame->close();
    return g_failed ? 1 : 0;
}
