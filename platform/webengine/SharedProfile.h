#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QObject;
class QWebEngineProfile;

// The one off-the-record profile of the process, shared by every page: no cookies,
// cache or history reach the disk. It is made for the first page and deleted when its
// last user has gone (the pages, and the running downloads, which outlive their pages),
// so that no page ever outlives it. Every setting of the profile and of its pages is
// made here.
namespace SharedProfile {

// The profile, made on first use. The caller must tie each page to it with track();
// WebEnginePage does.
QWebEngineProfile* get();
// Counts user (a page, or what holds a running download) as a user of the profile until
// it is destroyed.
void track(QObject* user);

// The bad certificates accepted on the profile, by host (in ASCII form) and SHA-256
// fingerprint. The engine remembers each for as long as the profile lives and lets it
// through again for that host without asking, in every page and on every port.
void rememberAccepted(const QString& host, const QByteArray& fingerprint);
QList<QByteArray> accepted(const QString& host);

} // namespace SharedProfile
