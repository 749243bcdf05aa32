// Where the two targets differ in paths, and only here: the separator that
// completes a directory, and how a directory becomes a link address.
// Windows: "D:\Q\" gives "file:///D:\Q\save.qyv"; POSIX: "/opt/q/" gives
// "file:///opt/q/save.qyv".
#pragma once

namespace installer {

#ifdef _WIN32
constexpr char kDirSeparator = '\\';
constexpr char kLinkPrefix[] = "file:///";
#else
constexpr char kDirSeparator = '/';
constexpr char kLinkPrefix[] = "file://";
#endif

}  // namespace installer
