#include "platform/webengine/WebEngineViewFactory.h"

#include "platform/webengine/ChromiumFlags.h"
#include "platform/webengine/WebEngineWebView.h"

WebEngineViewFactory::WebEngineViewFactory()
{
    // The module is loaded before the first view exists, so the engine has not read its
    // flags yet.
    ChromiumFlags::applySandboxPolicy();
}

std::unique_ptr<WebView> WebEngineViewFactory::create(QWidget* parent)
{
    return std::make_unique<WebEngineWebView>(parent);
}
