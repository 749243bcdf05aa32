// The file: URL of a file in the product directory, as the browser writes
// file URLs: "C:\Program Files\Quillary\" gives
// "file:///C:/Program%20Files/Quillary/save.qyv" on Windows, "/opt/Quillary
// Pro/" gives "file:///opt/Quillary%20Pro/save.qyv" elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace installer::chromium {

// From a UTF-8 directory: "\" turned into "/" when it separates, and then
// a "\\" start (a UNC path) giving "file://server/...", a drive letter
// "file:///C:/...", an absolute POSIX path "file:///...". Every byte but
// ASCII letters, digits and - . _ ~ / : @ ! $ & ' ( ) * + , = is
// percent-encoded (upper-case hex), so the URL reads the same to the
// browser as the path does.
std::string FileUrl(std::string_view utf8Directory, std::string_view fileName,
                    bool backslashSeparates);

// The same from the directory as the program holds it (ANSI on Windows),
// with the target's separators; false when it is no text of its code page.
bool ProductFileUrl(std::string_view productDir, std::string_view fileName, std::string* url);

}  // namespace installer::chromium
