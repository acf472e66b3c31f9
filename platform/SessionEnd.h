#pragma once

// The end of the desktop session, or a request to stop (SIGTERM, SIGINT, SIGHUP), closes
// the program as a person's close would, without asking anything: every window closes
// (the frame stores its placement), then the program exits with status 0. A second
// signal ends it at once.
namespace SessionEnd {

// Turns those signals into that close. Called once, by the application object; a signal
// that the program was started with ignored (SIGHUP under nohup) stays ignored.
void watchSignals();

// True from the moment such a close begins: windows that would ask before closing close
// without asking then.
bool isEnding();

} // namespace SessionEnd
