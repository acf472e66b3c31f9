#include "browser/openBrowserWindow.h"

#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "platform/UnexpectedError.h"

void openBrowserWindow()
{
    QString error;
    std::unique_ptr<frmBrowser> window = frmBrowser::create(&error);
    if (!window) {
        UnexpectedError::report(error.isEmpty() ? QStringLiteral("The web view could not be created.") : error);
        return;
    }
    window->setStartingAddress(FixedAddresses::home());
    window->Show();
    window.release(); // the main frame owns it now
}
