// Hands the tab's page to Snaplet, the native messaging host that gives it
// to Quillary's meter control, and shows the outcome on the toolbar button
// of that tab. The same script runs as the Chromium family's service worker
// and as Firefox's background script; both give chrome.* with promises.
"use strict";

const HOST = "quillary.snaplet";
const BUTTON_TITLE = "Save to Quillary";
// What Snaplet can hand on; the browser's own pages mean nothing to Quillary.
const SAVED_SCHEMES = ["http:", "https:", "file:", "ftp:"];
// The launcher's two requests: the default save, and QuickSave.
const MENU_MODES = { "quillary-save": 0, "quillary-quicksave": 1 };

chrome.runtime.onInstalled.addListener(async () => {
  // The items outlive the script; an update makes them anew.
  await chrome.contextMenus.removeAll();
  // A click in a frame saves the top page too, as the launcher does.
  const contexts = ["page", "frame"];
  chrome.contextMenus.create({ id: "quillary-save", title: "Save page to Quillary", contexts });
  chrome.contextMenus.create({ id: "quillary-quicksave", title: "QuickSave page to Quillary", contexts });
});

chrome.action.onClicked.addListener((tab) => save(tab, 0));

chrome.contextMenus.onClicked.addListener((info, tab) => {
  if (info.menuItemId in MENU_MODES) save(tab, MENU_MODES[info.menuItemId]);
});

function schemeOf(url) {
  try {
    return new URL(url).protocol;
  } catch {
    return "";
  }
}

// The reason the page was not saved, or "" when it was.
async function send(tab, mode) {
  if (!SAVED_SCHEMES.includes(schemeOf(tab.url))) return "this page cannot be saved";
  let reply;
  try {
    reply = await chrome.runtime.sendNativeMessage(HOST, { mode, title: tab.title || "", url: tab.url });
  } catch (error) {
    // Snaplet is not registered or did not answer: the browser's own words.
    return error.message || String(error);
  }
  if (reply && reply.saved === true) return "";
  return (reply && typeof reply.error === "string" && reply.error) || "Snaplet did not save the page";
}

async function save(tab, mode) {
  // Without a tab there is no page, and no button of its own to tell.
  if (!tab || tab.id === undefined || tab.id < 0) return;
  const reason = await send(tab, mode);
  await chrome.action.setBadgeText({ tabId: tab.id, text: reason ? "!" : "" });
  await chrome.action.setTitle({ tabId: tab.id, title: reason ? "Quillary: " + reason : BUTTON_TITLE });
}
