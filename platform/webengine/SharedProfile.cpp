#include "platform/webengine/SharedProfile.h"

#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace SharedProfile {
namespace {

QWebEngineProfile* g_profile = nullptr;
int g_pages = 0;

QWebEngineProfile* makeProfile()
{
    // A profile without a storage name is off the record.
    auto* profile = new QWebEngineProfile();
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    // Links and scripts must never hand an address to another program of the desktop
    // (mailto:, custom schemes): the engine then refuses such navigations itself.
    profile->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    return profile;
}

} // namespace

QWebEngineProfile* get()
{
    if (!g_profile)
        g_profile = makeProfile();
    return g_profile;
}

void track(QWebEnginePage* page)
{
    ++g_pages;
    // destroyed is emitted once the page's own destructor has run, so deleting the
    // profile here never leaves a page without it.
    QObject::connect(page, &QObject::destroyed, QCoreApplication::instance(), [] {
        if (--g_pages == 0) {
            delete g_profile;
            g_profile = nullptr;
        }
    });
}

} // namespace SharedProfile
