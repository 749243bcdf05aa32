// The launcher's DDE client for the running browser: the DDEML instance with
// the service and topic string handles, the cache of open conversations (one
// per topic), the item codec, and the catalogue of the browser's windows.
// A plain class: failures are results (0, null, 0xFFFFFFFF), never exceptions.
#pragma once

#include <string>

#include "browser/BrowserInterface.h"
#include "launcher/dde/BrowserWindow.h"
#include "launcher/dde/GrowableArray.h"
#include "platform/Win32Api.h"

struct ConversationEntry {
  HSZ topic;           // one of DdeLink::topicHandles
  HCONV conversation;  // never 0 in a stored entry
};

class DdeLink {
 public:
  // Positions in topicHandles, in the order in which the handles are made.
  enum Topic {
    kGetWindowInfo = 0,
    kGetFrameParent = 1,
    kListFrameChildren = 2,
    kListWindows = 3,
    kOpenUrl = 4,
    kShowFile = 5,
    kExit = 6,
  };

  static_assert(browser::kTopics[kGetWindowInfo] == browser::kTopicGetWindowInfo &&
                    browser::kTopics[kGetFrameParent] == browser::kTopicGetFrameParent &&
                    browser::kTopics[kListWindows] == browser::kTopicListWindows,
                "positions follow the browser's topic table");

  DdeLink();
  ~DdeLink();
  DdeLink(const DdeLink&) = delete;
  DdeLink& operator=(const DdeLink&) = delete;

  // Instance and conversation cache.
  HCONV ConnectTopic(HSZ topic);
  HDDEDATA RequestItem(HCONV conversation, HSZ item);
  HSZ MakeStringHandle(const char* text);
  void ReleaseStringHandle(HSZ handle);
  DWORD NoteDdeError(const char* tag);
  HCONV FindConversation(HSZ topic);
  void DisconnectAll();
  void OpenInstance();
  void CloseInstance();
  void CreateTopicHandles();
  static HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                       HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

  // Item codec. The format is a comma-separated list of codes: "DW" (a
  // DWORD), "CS" (a plain string), "QCS" (a quoted string), "BL" (a SHORT
  // flag). BuildItem takes one pointer per code, up to the first code it
  // does not know: const DWORD*, const char* (for CS and QCS), const SHORT*;
  // a null pointer leaves its field empty. DecodeReply takes one destination
  // per known code: DWORD*, std::string* (for CS and QCS), SHORT*; unknown
  // codes take none. DecodeReply always gives the reply data handle back.
  HSZ BuildItem(const char* format, ...);
  void DecodeReply(HDDEDATA reply, const char* format, ...);
  static const char* NextCode(const char* position);
  char* ExtractField(HSZ text, int fieldNumber);

  // Window catalogue.
  void RefreshWindowList();
  void ClearWindowList();
  int QueryWindowInfo(BrowserWindowInfo* destination, DWORD windowId);
  DWORD QueryFrameParent(DWORD windowId);
  DWORD FindWindowByUrl(const char* url, BOOL frameParent);
  bool StepToFrameParent(DWORD* windowId);
  DWORD FindCurrentTopWindow();
  int CopyWindowInfo(BrowserWindowInfo* destination, DWORD windowId);

  BYTE initialized = 0;
  DWORD instanceId = 0;
  HSZ browserService = 0;
  GrowableArray<BrowserWindowRecord> windowList;
  HSZ topicHandles[browser::kTopicCount] = {};
  GrowableArray<ConversationEntry> conversations;
  // A browser that let one request time out is taken as hung: no later
  // request waits again, and no conversation is opened any more.
  bool requestTimedOut = false;
};
