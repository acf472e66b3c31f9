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

const QString ModuleName = QStringLiteral("calculator_webview");

// Where the module may be: beside the program (the build tree), then the installed
// library folder relative to the program's folder.
QStringList candidateFiles()
{
    if (!g_testModuleFile.isEmpty())
        return {g_testModuleFile};
    const QString programDir = QCoreApplication::applicationDirPath();
    return {
        programDir % u'/' % ModuleName,
        QDir::cleanPath(programDir % u"/../" % QStringLiteral(CALCULATOR_INSTALL_LIBDIR)
                        % u"/calculator/" % ModuleName),
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
        QPluginLoader loader(file);
        if (!loader.load()) {
            reasons.append(loader.errorString());
            continue;
        }
        auto* factory = qobject_cast<WebViewFactory*>(loader.instance());
        if (!factory) {
            reasons.append(u"\"" % QDir::toNativeSeparators(loader.fileName())
                           % u"\" is not a web view module.");
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
