#pragma once

class QWebEngineProfile;

// Answers every download of a profile as a person expects: a save dialog proposing the
// page's file name in the user's Downloads folder, then the download's progress in the
// frame's downloads window. Nothing about downloads is recorded anywhere.
namespace DownloadManager {

void watch(QWebEngineProfile* profile);

} // namespace DownloadManager
