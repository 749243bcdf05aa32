// The texts the splice adds to a bookmark file, to the byte.
#include "installer/html/BookmarkSplicerWrite.h"

#include <cstring>
#include <string>
#include <string_view>

#include "browser/BrowserInterface.h"
#include "installer/html/HtmlFolderLines.h"
#include "installer/shared/FileWrite.h"
#include "installer/shared/PathConvention.h"
#include "installer/shared/ProductFolder.h"

namespace {

using product_folder::kHtmlLineBufferSize;

}  // namespace

BOOL WriteString(HANDLE file, const char* text) {
  if (text == nullptr) {
    return 0;
  }
  return WriteBytes(file, text, std::strlen(text));
}

BOOL WriteFolderBlock(HANDLE file, const char* productDir) {
  if (file == INVALID_HANDLE_VALUE) {
    return FALSE;
  }
  if (!WriteView(file, html_folder::HeadingLine()) ||
      !WriteView(file, html_folder::kListOpenLine)) {
    return FALSE;
  }
  for (size_t link = 0; link < product_folder::kLinkCount; ++link) {
    std::string line = std::string(html_folder::kLinkHead) + installer::kLinkPrefix + productDir +
                       html_folder::LinkTail(link);
    if (line.size() >= kHtmlLineBufferSize || !WriteView(file, line)) {
      return FALSE;
    }
  }
  return WriteView(file, html_folder::kListCloseLine);
}

BOOL WriteNewToolbarFolder(HANDLE file, const char* name, const char* productDir) {
  std::string head =
      html_folder::MadeToolbarHeadOpen() + name + std::string(html_folder::kMadeToolbarHeadClose);
  if (head.size() >= kHtmlLineBufferSize) {
    return FALSE;
  }
  return WriteView(file, head) && WriteFolderBlock(file, productDir) &&
         WriteString(file, browser::kListClose) && WriteString(file, browser::kLineEnd);
}
