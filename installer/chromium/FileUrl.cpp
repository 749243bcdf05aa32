#include "installer/chromium/FileUrl.h"

#include "installer/chromium/SystemServices.h"
#include "installer/shared/PathConvention.h"

namespace installer::chromium {

namespace {

bool PassesUnencoded(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
    return true;
  }
  return std::string_view("-._~/:@!$&'()*+,=").find(static_cast<char>(c)) != std::string_view::npos;
}

void AppendEncoded(std::string* url, std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (PassesUnencoded(byte)) {
      url->push_back(c);
    } else {
      url->push_back('%');
      url->push_back(kHex[byte >> 4]);
      url->push_back(kHex[byte & 0xF]);
    }
  }
}

}  // namespace

std::string FileUrl(std::string_view utf8Directory, std::string_view fileName,
                    bool backslashSeparates) {
  std::string path(utf8Directory);
  if (backslashSeparates) {
    for (char& c : path) {
      if (c == '\\') {
        c = '/';
      }
    }
  }
  if (path.empty() || path.back() != '/') {
    path.push_back('/');
  }
  path.append(fileName);
  std::string url = "file:";
  if (backslashSeparates && path.compare(0, 2, "//") == 0) {
    // A UNC path names its server where a URL has its host.
    url.append("//");
    path.erase(0, 2);
  } else {
    url.append(path.front() == '/' ? "//" : "///");
  }
  AppendEncoded(&url, path);
  return url;
}

bool ProductFileUrl(std::string_view productDir, std::string_view fileName, std::string* url) {
  std::string utf8;
  if (!AnsiToUtf8(productDir, &utf8)) {
    return false;
  }
  *url = FileUrl(utf8, fileName, installer::shared::kBackslashSeparates);
  return true;
}

}  // namespace installer::chromium
