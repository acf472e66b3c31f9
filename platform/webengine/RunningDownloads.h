#pragma once

class QWebEngineDownloadRequest;

// The downloads of this run that have not ended. The shared profile lives while one runs,
// so that closing the last browser window does not end it; a download that ends without
// its whole file (cancelled, failed) leaves no partial file behind.
namespace RunningDownloads {

// Counts download (accepted already) until it ends.
void add(QWebEngineDownloadRequest* download);
bool any();
// Cancels every running download; its partial file is removed before this returns.
void cancelAll();

} // namespace RunningDownloads
