// Lets the benchmark driver open browser windows from inside the running calculator and
// time them. Active only when CALCULATOR_BENCH_PAGE_TITLE names the page the browser's
// home address ends on; the driver then writes one command a line on standard input:
//   open  triggers the calculator's File > Browser command and, once a browser window
//         that has not reported yet shows the page's name as its title, prints
//         "titled <ns at the command> <ns at the title> <view width> <view height>"
//   poll  prints "poll <busy polls running> <browser windows>"
// Times are CLOCK_MONOTONIC nanoseconds. Compiled only into calculator_bench.
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

QList<QWidget*> browserWindows()
{
    QList<QWidget*> found;
    const auto widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (widget->inherits("frmBrowser"))
            found.append(widget);
    }
    return found;
}

class BrowserProbe : public QObject
{
public:
    BrowserProbe(const QString& pageTitle, QObject* parent)
        : QObject(parent)
        , m_pageTitle(pageTitle)
        , m_input(STDIN_FILENO, QSocketNotifier::Read, this)
    {
        connect(&m_input, &QSocketNotifier::activated, this, &BrowserProbe::readCommands);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_openedAt && event->type() == QEvent::WindowTitleChange && watched->inherits("frmBrowser")) {
            auto* window = static_cast<QWidget*>(watched);
            if (!m_reported.contains(window) && window->windowTitle() == m_pageTitle) {
                m_reported.insert(window);
                const long long titledAt = monotonicNs();
                const QWidget* view = window->findChild<QWidget*>(QStringLiteral("brwWebBrowser"));
                std::printf("titled %lld %lld %d %d\n", m_openedAt, titledAt, view ? view->width() : 0,
                            view ? view->height() : 0);
                std::fflush(stdout);
                m_openedAt = 0;
            }
        }
        return false;
    }

private:
    void readCommands()
    {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            m_input.setEnabled(false); // the driver went away
            return;
        }
        m_pending.append(buffer, int(count));
        for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
            const QByteArray command = m_pending.left(end).trimmed();
            m_pending.remove(0, end + 1);
            run(command);
        }
    }

    void run(const QByteArray& command)
    {
        if (command == "open") {
            QAction* browser = nullptr;
            const auto windows = QApplication::topLevelWidgets();
            for (QWidget* window : windows) {
                if ((browser = window->findChild<QAction*>(QStringLiteral("mnuFileBrowser"))))
                    break;
            }
            if (!browser) {
                std::printf("error no mnuFileBrowser action\n");
                std::fflush(stdout);
                return;
            }
            m_openedAt = monotonicNs();
            browser->trigger();
        } else if (command == "poll") {
            const QList<QWidget*> windows = browserWindows();
            int running = 0;
            for (const QWidget* window : windows) {
                const auto* poll = window->findChild<QTimer*>(QStringLiteral("timTimer"));
                running += poll && poll->isActive();
            }
            std::printf("poll %d %d\n", running, int(windows.size()));
            std::fflush(stdout);
        }
    }

    const QString m_pageTitle;
    QSocketNotifier m_input;
    QByteArray m_pending;
    QSet<QWidget*> m_reported;
    long long m_openedAt = 0;
};

void installBrowserProbe()
{
    const QString title = qEnvironmentVariable("CALCULATOR_BENCH_PAGE_TITLE");
    if (!title.isEmpty())
        new BrowserProbe(title, qApp);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installBrowserProbe)
