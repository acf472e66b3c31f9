// Opens each window of the program in turn, the way its menu would, and saves a PNG of
// it: screenshots-driver OUTDIR [--dark]. The browser window loads a page served on
// 127.0.0.1, with all of the web engine's traffic routed there; nothing leaves the
// machine. --dark gives the application a dark palette, as a dark desktop would, to
// show which parts follow the desktop and which keep fixed colours.
#include "browser/FixedAddresses.h"
#include "calculator/Calculator.h"
#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/AppIcon.h"
#include "platform/CalculatorApplication.h"
#include "support/LoopbackHttpServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QStyleHints>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

const QString PageTitle = QStringLiteral("Ardel's Corvel Universe");
const QString Landing = u"http://" % QStringView(FixedAddresses::PageHost) % u"/band/corveluniverse/index.htm";

const QByteArray LandingBody
    = QByteArrayLiteral("<body style='font-family:sans-serif;background:#1b1030;color:#f4e9ff;margin:24px'>"
                        "<h1 style='color:#ff80ff'>Ardel's Corvel Universe</h1>"
                        "<p>News, pictures and profiles of Nimbrel, and downloads for your desktop.</p>"
                        "<ul><li>Latest news</li><li>Picture gallery</li><li>Member profiles</li>"
                        "<li>Downloads</li></ul></body>");

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(58, 58, 62));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(90, 120, 200));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    return p;
}

bool save(QWidget* window, const QString& file)
{
    window->show();
    window->raise();
    if (!QTest::qWaitForWindowExposed(window, 10000)) {
        std::fprintf(stderr, "screenshots-driver: %s never appeared\n", qPrintable(file));
        return false;
    }
    QTest::qWait(300); // let the first paint land
    const QPixmap shot = window->grab();
    if (!shot.save(file)) {
        std::fprintf(stderr, "screenshots-driver: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s (%d x %d)\n", qPrintable(file), shot.width(), shot.height());
    return true;
}

template <typename Window> bool saveWindow(const QString& file)
{
    Window window;
    return save(&window, file);
}

template <const Profiles::Profile& (*profile)()> bool saveProfile(const QString& file)
{
    ProfileWindow window(profile());
    return save(&window, file);
}

bool saveFrame(const QString& file)
{
    frmMain::openBrowserWindow();
    QPointer<frmMain> frame = frmMain::current();
    if (!frame)
        return false;
    QMdiSubWindow* sub = frame->mdiArea()->subWindowList().value(0);
    QDeadlineTimer deadline(30000);
    while (sub && sub->widget()->windowTitle() != PageTitle && !deadline.hasExpired())
        QTest::qWait(50);
    if (!sub || sub->widget()->windowTitle() != PageTitle) {
        std::fprintf(stderr, "screenshots-driver: the page did not load\n");
        return false;
    }
    QTest::qWait(700); // the page paints after its title arrives
    const bool saved = save(frame, file);
    frame->close();
    QTest::qWait(100);
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    CalculatorApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: screenshots-driver OUTDIR [--dark]\n");
        return 2;
    }
    const QDir out(args.at(1));
    const bool dark = args.contains(QStringLiteral("--dark"));
    const QString suffix = dark ? QStringLiteral("-dark.png") : QStringLiteral(".png");
    if (dark)
        QApplication::setPalette(darkPalette());

    LoopbackHttpServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "screenshots-driver: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    server.setResponse(FixedAddresses::home(), LoopbackResponse::redirect(Landing));
    server.setResponse(Landing, LoopbackResponse::page(PageTitle, LandingBody));
    routeWebEngineThrough(server);

    const std::pair<const char*, std::function<bool(const QString&)>> windows[] = {
        {"calculator", saveWindow<Calculator>},
        {"browser", saveFrame},
        {"about", saveWindow<frmAbout>},
        {"help", saveWindow<frmAbout1>},
        {"profile-fenna", saveProfile<Profiles::fenna>},
        {"profile-dova", saveProfile<Profiles::dova>},
        {"profile-brisa", saveProfile<Profiles::brisa>},
        {"profile-caddo", saveProfile<Profiles::caddo>},
        {"profile-efri", saveProfile<Profiles::efri>},
    };
    bool ok = true;
    for (const auto& [name, shoot] : windows)
        ok = shoot(out.filePath(QString::fromLatin1(name) + suffix)) && ok;
    return ok ? 0 : 1;
}
