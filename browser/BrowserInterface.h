// What both programs rely on from the running browser: its DDE service and
// topics, its main window's caption, its registry entries, and the files of a
// user profile with the markers found in them. Kept in one place so that the
// launcher and the installer cannot drift apart.
#pragma once

#include <cstdint>

namespace browser {

// DDE service and topics, in the order in which the DDE link creates their
// string handles.
constexpr const char kDdeService[] = "NETSCAPE";
constexpr const char kTopicGetWindowInfo[] = "WWW_GetWindowInfo";
constexpr const char kTopicGetFrameParent[] = "WWW_GetFrameParent";
constexpr const char kTopicListFrameChildren[] = "WWW_ListFrameChildren";
constexpr const char kTopicListWindows[] = "WWW_ListWindows";
constexpr const char kTopicOpenUrl[] = "WWW_OpenURL";
constexpr const char kTopicShowFile[] = "WWW_ShowFile";
constexpr const char kTopicExit[] = "WWW_Exit";
constexpr int kTopicCount = 7;
constexpr const char* const kTopics[kTopicCount] = {
    kTopicGetWindowInfo, kTopicGetFrameParent, kTopicListFrameChildren,
    kTopicListWindows,   kTopicOpenUrl,        kTopicShowFile,
    kTopicExit,
};

// Every request is synchronous, in CF_TEXT, bounded by this time-out.
constexpr uint32_t kRequestTimeoutMs = 60000;

// A window id of all ones asks for the current window; as a lookup result it
// means that no window was found. It also stands for "no frame parent".
constexpr uint32_t kCurrentWindow = 0xFFFFFFFFu;
constexpr uint32_t kNoWindow = 0xFFFFFFFFu;

// Reply formats of the window-information and frame-parent requests.
constexpr const char kWindowInfoFormat[] = "QCS,QCS,QCS";
constexpr const char kWindowIdFormat[] = "DW";

// A top-level browser window is captioned with its page title followed by this.
// The launcher's string table holds the same text (a test keeps them equal).
constexpr const char kCaptionSuffix[] = " - Netscape";

// Registry, under HKEY_LOCAL_MACHINE.
constexpr const char kUsersKey[] = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr const char kCurrentUserValue[] = "CurrentUser";
constexpr const char kDirRootValue[] = "DirRoot";

// Files of a user profile and what is looked for in them.
constexpr const char kBookmarkFileName[] = "bookmark";
constexpr const char kBookmarkFileExt[] = ".htm";
constexpr const char kPrefsFileName[] = "prefs";
constexpr const char kPrefsFileExt[] = ".js";
constexpr const char kListOpen[] = "<DL><p>";
constexpr const char kListClose[] = "</DL><p>";
constexpr const char kLineEnd[] = "\r\n";
constexpr const char kHasToolbarFolderKey[] = "custtoolbar.has_toolbar_folder";
constexpr const char kPersonalToolbarFolderKey[] = "custtoolbar.personal_toolbar_folder";
constexpr const char kDefaultToolbarFolder[] = "Personal Toolbar Folder";

}  // namespace browser
