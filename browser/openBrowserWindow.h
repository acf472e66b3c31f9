#pragma once

// Opens a new browser window on the fan site's home address, inside the main frame.
// When no web view can be made the failure goes the unexpected-error course and no
// window opens.
void openBrowserWindow();
