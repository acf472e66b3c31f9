// Serves web views from the factory a test installs, for builds in which the real
// provider (which loads the Qt WebEngine module) is not part of the platform library.
#include "platform/WebViewProvider.h"

namespace WebViewProvider {
namespace {
WebViewFactory* g_factory = nullptr;
}

std::unique_ptr<WebView> create(QWidget* parent, QString* error)
{
    std::unique_ptr<WebView> view = g_factory ? g_factory->create(parent) : nullptr;
    if (!view && error)
        *error = QStringLiteral("No web view module is available.");
    return view;
}

void setFactoryForTesting(WebViewFactory* factory)
{
    g_factory = factory;
}

void setModuleFileForTesting(const QString&) {}

} // namespace WebViewProvider
