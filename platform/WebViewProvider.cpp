#include "platform/WebViewProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QStringList>

namespace {

const QString ModuleFileName = QStringLiteral("libcalculator_webview.so");

struct ProviderState
{
    WebViewFactory* testFactory = nullptr;
    QString moduleFileForTesting;
    // The loaded module's factory; the module stays loaded for the life of the process,
    // since the web engine cannot be unloaded once started.
    WebViewFactory* moduleFactory = nullptr;
};

ProviderState& state()
{
    static ProviderState s;
    return s;
}

// Beside the program (the build tree), then the installed module folder.
QStringList candidateFiles()
{
    if (!state().moduleFileForTesting.isEmpty())
        return {state().moduleFileForTesting};
    const QString programDir = QCoreApplication::applicationDirPath();
    return {
        QDir(programDir).filePath(ModuleFileName),
        QDir::cleanPath(programDir % u"/../" % QStringLiteral(CALCULATOR_MODULE_LIBDIR) % u'/'
                        % ModuleFileName),
    };
}

WebViewFactory* loadModule(QString* error)
{
    const QStringList candidates = candidateFiles();
    for (const QString& file : candidates) {
        if (!QFileInfo::exists(file))
            continue;
        QPluginLoader loader(file);
        QObject* instance = loader.instance();
        if (!instance) {
            *error = u"The web view module " % file % u" could not be loaded: " % loader.errorString();
            return nullptr;
        }
        auto* factory = qobject_cast<WebViewFactory*>(instance);
        if (!factory) {
            *error = u"The file " % file % u" is not a web view module";
            return nullptr;
        }
        return factory;
    }
    *error = u"The web view module was not found; looked for " % candidates.join(u" and ");
    return nullptr;
}

} // namespace

std::unique_ptr<WebView> WebViewProvider::create(QWidget* parent, QString* error)
{
    ProviderState& s = state();
    WebViewFactory* factory = s.testFactory ? s.testFactory : s.moduleFactory;
    QString reason;
    if (!factory) {
        factory = s.moduleFactory = loadModule(&reason);
    }
    std::unique_ptr<WebView> view = factory ? factory->create(parent) : nullptr;
    if (!view && reason.isEmpty())
        reason = QStringLiteral("The web view module made no web view");
    if (error)
        *error = view ? QString() : reason;
    return view;
}

void WebViewProvider::setFactoryForTesting(WebViewFactory* factory)
{
    state().testFactory = factory;
}

void WebViewProvider::setModuleFileForTesting(const QString& path)
{
    ProviderState& s = state();
    s.moduleFileForTesting = path;
    // A loaded module stays; a file named after it is only tried when none is loaded.
}
