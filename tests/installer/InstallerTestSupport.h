// Paths, profiles and expected files for the installer's tests, in the form
// the tested target takes them (under Wine, the Z: drive stands for "/").
#pragma once

#include <optional>
#include <string>

#include "platform/Win32Api.h"

namespace installer_test {

// Where the keys the installer reads are on a user's 64-bit Windows: the
// browser and the product's setup are 32-bit programs, so the 32-bit view.
const REGSAM kUsersRegistryView = KEY_WOW64_32KEY;

char Separator();
// "|" stands for the target's directory separator.
std::string WithSeparators(std::string text);
std::string TargetPath(const std::string& unixPath);

// An empty directory of the test's own, as a target path ending in the separator.
std::string FreshDirectory(const std::string& name);
// A fresh directory holding a sample profile: bookmark.htm and prefs.js.
std::string FreshProfile(const std::string& name);

std::optional<std::string> FileBytes(const std::string& path);
// The sample bookmark file as it was, and as the splice leaves it for a
// product directory.
std::string OriginalBookmarks();
std::string SplicedBookmarks(const std::string& productDir);

}  // namespace installer_test
