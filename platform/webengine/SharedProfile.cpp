#include "platform/webengine/SharedProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMultiHash>
#include <QPointer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace SharedProfile {
namespace {

QWebEngineProfile* g_profile = nullptr;
QList<QPointer<QObject>> g_users;

// What the engine of the profile below remembers: a new profile remembers nothing.
QMultiHash<QString, QByteArray>& acceptedCertificates()
{
    static QPointer<QWebEngineProfile> rememberedBy;
    static QMultiHash<QString, QByteArray> remembered;
    if (rememberedBy != g_profile) {
        remembered.clear();
        rememberedBy = g_profile;
    }
    return remembered;
}

// The engine tears its profiles down when the application ends, and warns (and may
// crash) if a page still exists then. Windows that are still open when the event loop
// ends keep their views, so their pages are deleted here first, with the views that
// show them, and what holds a download that still runs; the profile follows the last.
void deletePagesBeforeExit()
{
    const QList<QPointer<QObject>> users = g_users;
    for (const QPointer<QObject>& user : users) {
        if (!user)
            continue;
        if (auto* page = qobject_cast<QWebEnginePage*>(user))
            delete QWebEngineView::forPage(page); // none: deleting nullptr does nothing
        delete user.data();
    }
}

// Off the record, the engine still makes folders on disk: scratch folders for pages'
// storage under the profile's storage path (left empty), and on the first secure
// connection NSS's certificate database in ~/.pki/nssdb. The scratch folders go to a
// temporary folder removed with the program; a certificate database that was not there
// when the engine started is removed when the program ends. One that was there holds the
// user's own trust settings and stays.
QTemporaryDir* scratchFolder()
{
    static QTemporaryDir folder;
    return &folder;
}

const QString g_certificates = QDir::homePath() + u"/.pki";
const bool g_certificatesBefore = QFileInfo::exists(g_certificates);

void removeCertificatesMadeByTheEngine()
{
    if (g_certificatesBefore)
        return;
    QDir database(g_certificates + u"/nssdb");
    for (const char* file : {"cert9.db", "key4.db", "pkcs11.txt"})
        database.remove(QLatin1String(file));
    QDir().rmdir(database.path()); // only when nothing else is in them
    QDir().rmdir(g_certificates);
}

QWebEngineProfile* makeProfile()
{
    // A profile without a storage name is off the record.
    auto* profile = new QWebEngineProfile();
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setPersistentStoragePath(scratchFolder()->path());

    // Every page reads its settings from these, the profile's: no page sets its own.
    QWebEngineSettings* settings = profile->settings();
    // Addresses of other programs of the desktop (mailto:, custom schemes) reach the page
    // on a user's click, which hands them on or refuses them; the engine refuses the others.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    // Every window a page opens reaches the page, which refuses those opened without a
    // user's click or key, and says so.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // The engine's PDF viewer is a plugin: PDFs show in the page instead of downloading.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    // Full-screen requests reach the page's FullScreenRequests, which grants them.
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // Copying to the clipboard on a click is allowed; reading from it is not.
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    // A page opened from disk reads no other local file. In Qt 6.4 that holds for the
    // pictures beside it too; pages this browser saves are single files, which show theirs.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);

    static bool exitHooked = false;
    if (!exitHooked) {
        exitHooked = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, QCoreApplication::instance(),
                         &deletePagesBeforeExit);
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, QCoreApplication::instance(),
                         &removeCertificatesMadeByTheEngine);
    }
    return profile;
}

} // namespace

QWebEngineProfile* get()
{
    if (!g_profile)
        g_profile = makeProfile();
    return g_profile;
}

void track(QObject* user)
{
    g_users.append(user);
    // destroyed is emitted once the page's own destructor has run, so deleting the
    // profile here never leaves a page without it.
    QObject::connect(user, &QObject::destroyed, QCoreApplication::instance(), [] {
        g_users.removeAll(nullptr); // the user's guard is already cleared
        if (g_users.isEmpty()) {
            delete g_profile;
            g_profile = nullptr;
        }
    });
}

void rememberAccepted(const QString& host, const QByteArray& fingerprint)
{
    if (!acceptedCertificates().contains(host, fingerprint))
        acceptedCertificates().insert(host, fingerprint);
}

QList<QByteArray> accepted(const QString& host)
{
    return acceptedCertificates().values(host);
}

} // namespace SharedProfile
