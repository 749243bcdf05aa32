// Who Snaplet answers as a native messaging host: the name under which the
// browsers find it and the one extension, in each browser family, that may
// ask it to save a page.
#pragma once

namespace native_host {

constexpr char kHostName[] = "quillary.snaplet";
constexpr char kDescription[] = "Quillary Snaplet: saves the page you are viewing to Quillary";
// The Chromium family names the caller by its origin, Firefox by its id.
constexpr char kChromiumOrigin[] = "chrome-extension://lcjooaojphecmbgjembagdmbopnalcaf/";
constexpr char kFirefoxExtensionId[] = "snaplet@quillary";

}  // namespace native_host
