// How a run of the installer ended. The Windows program keeps this to
// itself, as it always has; the POSIX program makes it its exit status.
#pragma once

enum class InstallOutcome {
  kDone = 0,                 // the product's folder is in (or, for a removal, out of) the file
  kCancelled = 1,            // a prompt was cancelled; nothing changed
  kUnusableCommandLine = 2,  // a part too long, an empty product directory; nothing changed
  kUnreadable = 3,           // neither the bookmark file nor a backup could be read
  kUnwritable = 4,           // the new bookmark file could not be written; nothing changed
  kLeftAlone = 5,            // removal left a folder the user had changed
  kBrowserRunning = 6,       // a browser holds the profile of a Chromium-family file; nothing changed
};
