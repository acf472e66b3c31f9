#include "platform/webengine/WebEngineViewFactory.h"

#include "platform/webengine/ChromiumFlags.h"
#include "platform/webengine/RunningDownloads.h"
#include "platform/webengine/WebEngineWebView.h"

#include <QCoreApplication>

WebEngineViewFactory::WebEngineViewFactory()
{
    // The module is loaded before the first view exists, so the engine has not read its
    // flags yet.
    ChromiumFlags::applySandboxPolicy();
    ChromiumFlags::applyQuietLogging();
}

std::unique_ptr<WebView> WebEngineViewFactory::create(QWidget* parent)
{
    // The engine needs the application's shared OpenGL context, which exists only when
    // asked for before the application was made; without it the first page crashes.
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
        return nullptr;
    return std::make_unique<WebEngineWebView>(parent);
}

bool WebEngineViewFactory::downloadRunning() const
{
    return RunningDownloads::any();
}

void WebEngineViewFactory::cancelDownloads()
{
    RunningDownloads::cancelAll();
}
