#include "platform/webengine/WebEngineViewFactory.h"

#include "platform/webengine/SharedWebProfile.h"
#include "platform/webengine/WebEngineWebView.h"

std::unique_ptr<WebView> WebEngineViewFactory::create(QWidget* parent)
{
    return std::make_unique<WebEngineWebView>(SharedWebProfile::instance(), parent);
}
