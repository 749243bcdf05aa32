// The catalogue of the browser's windows: listed, described and linked to
// their frame parents over DDE, then searched for the current page's
// top-level window.
#include <cstring>
#include <string>

#include "launcher/dde/DdeLink.h"

namespace {

DWORD ReadId(const BYTE* data) {
  return static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
         static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24;
}

void FreeInfoStrings(BrowserWindowInfo* info) {
  FreeOwnedString(info->extraText);
  FreeOwnedString(info->title);
  info->extraText = nullptr;
  info->title = nullptr;
}

}  // namespace

void DdeLink::ClearWindowList() {
  for (int i = 0; i < windowList.size; ++i) {
    FreeOwnedString(windowList.data[i].extraText);
    FreeOwnedString(windowList.data[i].title);
  }
  windowList.Free();
}

void DdeLink::RefreshWindowList() {
  ClearWindowList();
  HSZ listTopic = topicHandles[kListWindows];
  HCONV conversation = ConnectTopic(listTopic);
  HDDEDATA reply = RequestItem(conversation, listTopic);
  if (reply == 0) {
    return;
  }
  DWORD size = 0;
  const BYTE* ids = DdeAccessData(reply, &size);
  NoteDdeError("Access Data");
  if (ids == nullptr) {
    size = 0;
  }
  // The list ends at an id of 0, or where the reply's data ends.
  for (DWORD offset = 0; offset + 4 <= size; offset += 4) {
    DWORD windowId = ReadId(ids + offset);
    if (windowId == 0) {
      break;
    }
    BrowserWindowInfo info;
    if (!QueryWindowInfo(&info, windowId)) {
      break;
    }
    BrowserWindowRecord record;
    std::memset(&record, 0, sizeof record);
    CopyBounded(record.url, sizeof record.url, info.url);
    record.extraText = info.extraText;
    record.title = info.title;
    record.windowId = windowId;
    record.frameParentId = QueryFrameParent(windowId);
    if (!windowList.Append(record)) {
      FreeInfoStrings(&info);
      break;
    }
  }
  DdeUnaccessData(reply);
  NoteDdeError("Unaccess Data");
  DdeFreeDataHandle(reply);
  NoteDdeError("Free Data Handle");
}

int DdeLink::QueryWindowInfo(BrowserWindowInfo* destination, DWORD windowId) {
  destination->extraText = nullptr;
  destination->title = nullptr;
  destination->url[0] = '\0';

  int result = 1;
  HCONV conversation = ConnectTopic(topicHandles[kGetWindowInfo]);
  HSZ item = BuildItem(browser::kWindowIdFormat, &windowId);
  HDDEDATA reply = RequestItem(conversation, item);
  if (reply != 0) {
    std::string url;
    std::string title;
    std::string extraText;
    DecodeReply(reply, browser::kWindowInfoFormat, &url, &title, &extraText);
    CopyBounded(destination->url, sizeof destination->url, url.c_str());
    destination->extraText = CopyOwnedString(extraText.c_str());
    destination->title = CopyOwnedString(title.c_str());
    if (destination->extraText == nullptr || destination->title == nullptr) {
      FreeInfoStrings(destination);
      result = 0;
    }
  }
  ReleaseStringHandle(item);
  return result;
}

DWORD DdeLink::QueryFrameParent(DWORD windowId) {
  DWORD parent = browser::kNoWindow;
  HCONV conversation = ConnectTopic(topicHandles[kGetFrameParent]);
  HSZ item = BuildItem(browser::kWindowIdFormat, &windowId);
  HDDEDATA reply = RequestItem(conversation, item);
  if (reply != 0) {
    DWORD size = 0;
    const BYTE* data = DdeAccessData(reply, &size);
    // A reply too short to hold an id names no parent.
    if (data != nullptr && size >= 4) {
      parent = ReadId(data);
    }
    DdeUnaccessData(reply);
    NoteDdeError("Unaccess Data");
    DdeFreeDataHandle(reply);
    NoteDdeError("Free Data Handle");
  }
  ReleaseStringHandle(item);
  return parent;
}

DWORD DdeLink::FindWindowByUrl(const char* url, BOOL frameParent) {
  for (int i = 0; i < windowList.size; ++i) {
    const BrowserWindowRecord& record = windowList.data[i];
    if (std::strcmp(record.url, url) == 0) {
      return frameParent ? record.frameParentId : record.windowId;
    }
  }
  return browser::kNoWindow;
}

bool DdeLink::StepToFrameParent(DWORD* windowId) {
  for (int i = 0; i < windowList.size; ++i) {
    const BrowserWindowRecord& record = windowList.data[i];
    if (record.windowId == *windowId && record.frameParentId != browser::kNoWindow) {
      *windowId = record.frameParentId;
      return true;
    }
  }
  return false;
}

DWORD DdeLink::FindCurrentTopWindow() {
  BrowserWindowInfo current;
  if (!QueryWindowInfo(&current, browser::kCurrentWindow)) {
    return browser::kNoWindow;
  }
  DWORD windowId = FindWindowByUrl(current.url, TRUE);
  FreeInfoStrings(&current);
  // In a tree of n records no climb takes more than n steps; parents that
  // lead back to a window already passed stop it after n steps, wherever
  // it has got to.
  for (int steps = 0; steps < windowList.size && StepToFrameParent(&windowId); ++steps) {
  }
  return windowId;
}

int DdeLink::CopyWindowInfo(BrowserWindowInfo* destination, DWORD windowId) {
  if (windowId == browser::kCurrentWindow) {
    return QueryWindowInfo(destination, windowId);
  }
  for (int i = 0; i < windowList.size; ++i) {
    const BrowserWindowRecord& record = windowList.data[i];
    if (record.windowId != windowId) {
      continue;
    }
    char* extraText = CopyOwnedString(record.extraText);
    char* title = CopyOwnedString(record.title);
    if ((record.extraText != nullptr && extraText == nullptr) ||
        (record.title != nullptr && title == nullptr)) {
      FreeOwnedString(extraText);
      FreeOwnedString(title);
      return 0;
    }
    CopyBounded(destination->url, sizeof destination->url, record.url);
    destination->extraText = extraText;
    destination->title = title;
    return 1;
  }
  return 0;
}
