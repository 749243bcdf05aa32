// The host manifest through which a browser finds Snaplet: its name,
// description, the program's full path, type "stdio", and the one extension
// allowed to start it (allowed_origins for the Chromium family,
// allowed_extensions for Firefox).
#pragma once

#include <string>

namespace native_host {

enum class BrowserFamily { kChromium, kFirefox };

// The manifest's text (UTF-8, a line end at the end), or false when the path
// is not valid UTF-8 and so cannot be written into JSON.
bool HostManifestText(BrowserFamily family, const std::string& programPath, std::string* text);

// The "path" of a host manifest's text; false for a text that is not a host
// manifest of ours (another host's name, no path, not JSON).
bool ManifestProgramPath(const std::string& text, std::string* programPath);

}  // namespace native_host
