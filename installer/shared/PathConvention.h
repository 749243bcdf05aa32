// Where the two targets differ, and only here: the separator that
// completes a directory, whether "\" separates directories too, how a
// directory becomes a link address in an HTML file, and the line end the
// target's browsers write their files with (for a file that shows none).
// Windows: "D:\Q\" gives "file:///D:\Q\save.qyv"; POSIX: "/opt/q/" gives
// "file:///opt/q/save.qyv".
#pragma once

namespace installer::shared {

#ifdef _WIN32
constexpr char kDirSeparator = '\\';
constexpr char kLinkPrefix[] = "file:///";
constexpr char kDefaultLineEnd[] = "\r\n";
#else
constexpr char kDirSeparator = '/';
constexpr char kLinkPrefix[] = "file://";
constexpr char kDefaultLineEnd[] = "\n";
#endif

// On Windows "/" and "\" both separate; on POSIX "\" is a file name's own.
constexpr bool kBackslashSeparates = kDirSeparator == '\\';

}  // namespace installer::shared
