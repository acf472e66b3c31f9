#pragma once

#include "platform/WebView.h"

#include <QString>

#include <memory>

class QWidget;

// Hands out web views. The Qt WebEngine backend is a module of its own that is loaded
// on the first request, so that the calculator alone never pays for the web engine.
namespace WebViewProvider {

// A new web view as a child of parent. When the module cannot be loaded (missing or
// broken) this returns null and, if error is given, the reason in it.
std::unique_ptr<WebView> create(QWidget* parent, QString* error = nullptr);

// Whether a download of the web views is running; false while the module is not loaded.
bool downloadRunning();
// Cancels every running download and removes its partial file.
void cancelDownloads();

// Tests: serve views from this factory instead of the module; null restores the module.
void setFactoryForTesting(WebViewFactory* factory);
// Tests: load the module from this file instead of looking for it beside the program.
void setModuleFileForTesting(const QString& path);

} // namespace WebViewProvider
