// Whether a browser of the Chromium family has a profile open. Such a
// browser keeps the bookmarks in memory while it runs and writes them back
// over the file, so an edit made meanwhile would be lost: the installer
// changes nothing then. Implemented in posix/ and win32/; the build links
// one of them.
#pragma once

namespace installer {

// Whether a browser of the Chromium family runs on the profile whose
// bookmark file is `bookmarkPath`. Most browsers keep it in
// "<User Data>/<profile>/Bookmarks", Opera in "<User Data>/Bookmarks": the
// browser's instance lock is looked for in the folder that holds the file
// and in the folder above it, both taken from the path as written ('/'
// separates; on Windows '\' too; a path without a directory part is in the
// current directory), without following symbolic links (the caller looks
// from the real file too). The lock, in either folder:
//
// - POSIX: the symbolic link "SingletonLock", whose text is
//   "<host name>-<process id>". No such entry: false. A lock of this
//   machine: true while that process exists (it may be another user's).
//   A lock of another machine (User Data on a shared disk): true, since its
//   process cannot be looked at.
// - Windows: the file "lockfile", which the browser keeps open for as long
//   as it runs. No such file: false. A file that the open fails on because
//   another handle has it: true. A file that opens: false.
//
// Whatever cannot be told (an unreadable or malformed lock, a lock that is
// no symbolic link, a User Data that cannot be searched, this machine's
// name unknown) counts as running: refusing costs the user a retry, an edit
// under a running browser costs the edit. A null or empty path: false.
bool BrowserHoldsProfile(const char* bookmarkPath);

}  // namespace installer
