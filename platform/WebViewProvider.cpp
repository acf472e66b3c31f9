#include "platform/WebViewProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QStringList>

// Qt's own setter for the context that every OpenGL context of the application shares
// with; exported by Qt GUI, and what the application object itself calls when it is asked
// for shared contexts at start. It is private Qt API: declared in no public header and
// free to change between Qt versions, so check it whenever Qt is upgraded.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace WebViewProvider {
namespace {

WebViewFactory* g_testFactory = nullptr;
QString g_testModuleFile;
WebViewFactory* g_moduleFactory = nullptr;

// The factory views come from, without loading the module: none while no view was made.
WebViewFactory* factoryInUse()
{
    return g_testFactory ? g_testFactory : g_moduleFactory;
}

// The web engine draws through OpenGL contexts shared with the application's. Asking for
// them before the application starts would load the OpenGL stack into every calculator
// (it doubles the start-up time and the memory), so the shared context is made here
// instead, before the first browser window loads the engine.
void shareOpenGLContexts()
{
    if (QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts) && QOpenGLContext::globalShareContext())
        return;
    if (!QOpenGLContext::globalShareContext()) {
        static QOpenGLContext* context = nullptr;
        context = new QOpenGLContext;
        context->setFormat(QSurfaceFormat::defaultFormat());
        context->create(); // as the application does: a context that cannot be made still serves
        qt_gl_set_global_share_context(context);
        // The engine releases its contexts in routines that run before this one.
        qAddPostRoutine([] {
            qt_gl_set_global_share_context(nullptr);
            delete context;
            context = nullptr;
        });
    }
    // Qt warns that the attribute belongs before the application; here that is the point.
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
}

// The file name CMake gives the MODULE target on this platform.
const QString ModuleFile = QStringLiteral("libcalculator_webview.so");

// Where the module may be: beside the program (the build tree), then its installed folder,
// by the relative path from the installed program's folder that the build worked out.
QStringList candidateFiles()
{
    if (!g_testModuleFile.isEmpty())
        return {g_testModuleFile};
    const QString programDir = QCoreApplication::applicationDirPath();
    return {
        programDir % u'/' % ModuleFile,
        QDir::cleanPath(programDir % u'/' % QStringLiteral(CALCULATOR_MODULE_DIR_FROM_PROGRAM) % u'/' % ModuleFile),
    };
}

// Loads the module on first use; a failure is not remembered, so a later request
// tries again.
WebViewFactory* moduleFactory(QString* error)
{
    if (g_moduleFactory)
        return g_moduleFactory;

    QStringList reasons;
    for (const QString& file : candidateFiles()) {
        const QString shown = u'"' % QDir::toNativeSeparators(file) % u'"';
        if (!QFileInfo::exists(file)) {
            reasons.append(shown % u" was not found.");
            continue;
        }
        QPluginLoader loader(file);
        if (!loader.load()) {
            reasons.append(shown % u" could not be loaded: " % loader.errorString());
            continue;
        }
        auto* factory = qobject_cast<WebViewFactory*>(loader.instance());
        if (!factory) {
            reasons.append(shown % u" is not a web view module.");
            loader.unload();
            continue;
        }
        g_moduleFactory = factory;
        return factory;
    }
    if (error)
        *error = u"The web view module could not be loaded. " % reasons.join(u' ');
    return nullptr;
}

} // namespace

std::unique_ptr<WebView> create(QWidget* parent, QString* error)
{
    if (!g_testFactory)
        shareOpenGLContexts();
    WebViewFactory* factory = g_testFactory ? g_testFactory : moduleFactory(error);
    if (!factory)
        return nullptr;
    std::unique_ptr<WebView> view = factory->create(parent);
    if (!view && error)
        *error = QStringLiteral("The web view module made no web view.");
    return view;
}

// Never loads the module: with no web view made, no download runs.
bool downloadRunning()
{
    const WebViewFactory* factory = factoryInUse();
    return factory && factory->downloadRunning();
}

void cancelDownloads()
{
    if (WebViewFactory* factory = factoryInUse())
        factory->cancelDownloads();
}

void setFactoryForTesting(WebViewFactory* factory)
{
    g_testFactory = factory;
}

void setModuleFileForTesting(const QString& path)
{
    g_testModuleFile = path;
    g_moduleFactory = nullptr;
}

} // namespace WebViewProvider
