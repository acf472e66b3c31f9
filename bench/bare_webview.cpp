// The browser baseline: bare QWebEngineViews on one off-the-record profile.
// Usage: bench_bare_webview URL TITLE. Each line "open W H" on standard input opens one
// more W x H view loading URL and prints "titled <ns at the command> <ns at the title>"
// (CLOCK_MONOTONIC) once its title is TITLE.
#include <QApplication>
#include <QSocketNotifier>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <ctime>
#include <unistd.h>

static long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QUrl url(QString::fromLocal8Bit(argv[1]));
    const QString title = QString::fromLocal8Bit(argv[2]);
    QWebEngineProfile* profile = nullptr; // made with the first view, as the browser does

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64] = {};
        int width = 0, height = 0;
        if (::read(STDIN_FILENO, line, sizeof line - 1) <= 0) {
            input.setEnabled(false);
            return;
        }
        if (std::sscanf(line, "open %d %d", &width, &height) != 2)
            return;
        const long long openedAt = monotonicNs();
        if (!profile)
            profile = new QWebEngineProfile(&app); // no storage name: off the record
        auto* view = new QWebEngineView;
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->setPage(new QWebEnginePage(profile, view));
        QObject::connect(view, &QWebEngineView::titleChanged, view, [=](const QString& now) {
            if (now == title && !view->property("reported").toBool()) {
                view->setProperty("reported", true);
                std::printf("titled %lld %lld\n", openedAt, monotonicNs());
                std::fflush(stdout);
            }
        });
        view->resize(width, height);
        view->show();
        view->load(url);
    });
    const int result = app.exec();
    // Pages must go before their profile.
    qDeleteAll(QApplication::topLevelWidgets());
    return result;
}
