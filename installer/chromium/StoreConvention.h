// Where the two targets differ for the Chromium-family store, and only here:
// whether "\" separates directories in the product path, and the line end
// the browser of the target writes its bookmark file with (used when the
// file gives none away).
#pragma once

namespace chromium_store {

#ifdef _WIN32
constexpr bool kBackslashSeparates = true;
constexpr char kDefaultLineEnd[] = "\r\n";
#else
constexpr bool kBackslashSeparates = false;
constexpr char kDefaultLineEnd[] = "\n";
#endif

}  // namespace chromium_store
