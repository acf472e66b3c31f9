#include "platform/WebViewProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QStringList>

namespace WebViewProvider {
namespace {

WebViewFactory* g_testFactory = nullptr;
QString g_testModuleFile;
WebViewFactory* g_moduleFactory = nullptr;

// The file name CMake gives the MODULE target on this platform.
const QString ModuleFile = QStringLiteral("libcalculator_webview.so");

// Where the module may be: beside the program (the build tree), then the installed
// library folder relative to the program's folder.
QStringList candidateFiles()
{
    if (!g_testModuleFile.isEmpty())
        return {g_testModuleFile};
    const QString programDir = QCoreApplication::applicationDirPath();
    return {
        programDir % u'/' % ModuleFile,
        QDir::cleanPath(programDir % u"/../" % QStringLiteral(CALCULATOR_INSTALL_LIBDIR)
                        % u"/calculator/" % ModuleFile),
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
    WebViewFactory* factory = g_testFactory ? g_testFactory : moduleFactory(error);
    if (!factory)
        return nullptr;
    // Without shared contexts the engine crashes on its first page; say so instead.
    if (!g_testFactory && !QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts)) {
        if (error) {
            *error = QStringLiteral("The web view cannot start: the program did not ask for "
                                    "shared OpenGL contexts before it created its application.");
        }
        return nullptr;
    }
    std::unique_ptr<WebView> view = factory->create(parent);
    if (!view && error)
        *error = QStringLiteral("The web view module made no web view.");
    return view;
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
