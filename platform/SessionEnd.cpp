#include "platform/SessionEnd.h"

#include "platform/WebViewProvider.h"

#include <QApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace SessionEnd {
namespace {

// The handler only writes the signal's number into this pipe (the self-pipe pattern): no
// Qt call is safe inside a signal handler. The event loop reads it and does the rest.
int g_pipe[2] = {-1, -1};
// Set by the first signal. Signals may reach any thread, two at the same moment: a flag
// that is tested and set in one step lets exactly one of them start the close.
std::atomic_flag g_signalled = ATOMIC_FLAG_INIT;
bool g_ending = false;

void onSignal(int number)
{
    if (g_signalled.test_and_set()) { // asked again while closing: end now, as the signal would have
        struct sigaction fallback = {};
        fallback.sa_handler = SIG_DFL;
        ::sigaction(number, &fallback, nullptr);
        ::raise(number); // delivered when this handler returns
        return;
    }
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void closeEverything()
{
    g_ending = true;
    // Downloads outlive the browser windows, and the frame would ask about them: they go
    // first, with their partial files.
    WebViewProvider::cancelDownloads();
    // Open dialogs first, then every window; each dialog's own event loop ends with it.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace

void watchSignals()
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        char byte;
        while (::read(g_pipe[0], &byte, 1) > 0) { }
        notifier->setEnabled(false);
        closeEverything();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction started = {};
        if (::sigaction(number, nullptr, &started) == 0 && started.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

bool isEnding()
{
    return g_ending;
}

} // namespace SessionEnd
