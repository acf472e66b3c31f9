#include "platform/webengine/SharedWebProfile.h"

#include "platform/webengine/ChromiumFlags.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <unistd.h>

namespace {

QWebEngineProfile* s_profile = nullptr;
QList<QPointer<QWebEnginePage>> s_pages;

// Runs from the application's destructor, before the engine's own clean-up (post
// routines run newest first, and this one is added after the engine has started).
void releaseAtExit()
{
    const QList<QPointer<QWebEnginePage>> pages = std::exchange(s_pages, {});
    for (const QPointer<QWebEnginePage>& page : pages)
        delete page.data();
    delete std::exchange(s_profile, nullptr);
}

} // namespace

QWebEngineProfile* SharedWebProfile::instance()
{
    if (s_profile)
        return s_profile;

    // The engine reads its flags once, when it starts with the first profile.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            ChromiumFlags::withSandboxPolicy(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), geteuid() == 0));

    s_profile = new QWebEngineProfile(); // no storage name: off the record
    s_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    s_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    // Links to schemes the engine does not show itself are never passed to the desktop.
    s_profile->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    qAddPostRoutine(releaseAtExit);
    return s_profile;
}

void SharedWebProfile::registerPage(QWebEnginePage* page)
{
    s_pages.removeAll(nullptr);
    s_pages.append(page);
}
