#pragma once

#include "platform/WebView.h"

#include <QObject>

// The module's entry point: makes Qt WebEngine views.
class WebEngineViewFactory : public QObject, public WebViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WebViewFactory_iid)
    Q_INTERFACES(WebViewFactory)

public:
    WebEngineViewFactory();

    std::unique_ptr<WebView> create(QWidget* parent) override;
    bool downloadRunning() const override;
    void cancelDownloads() override;
};
