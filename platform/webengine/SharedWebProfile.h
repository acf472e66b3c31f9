#pragma once

class QWebEnginePage;
class QWebEngineProfile;

// The one off-the-record profile of the process, shared by every view: nothing of it
// (cookies, cache, history) reaches the disk. It is made on first use. Pages are
// registered so that any still alive when the application ends are deleted before the
// profile, as the engine requires.
namespace SharedWebProfile {

QWebEngineProfile* instance();
void registerPage(QWebEnginePage* page);

} // namespace SharedWebProfile
