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

using installer::shared::kHtmlLineBufferSize;

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
  if (!WriteView(file, installer::html::HeadingLine()) ||
      !WriteView(file, installer::html::kListOpenLine)) {
    return FALSE;
  }
  for (size_t link = 0; link < installer::shared::kProductLinkCount; ++link) {
    std::string line = std::string(installer::html::kLinkHead) + installer::shared::kLinkPrefix +
                       productDir + installer::html::LinkTail(link);
    if (line.size() >= kHtmlLineBufferSize || !WriteView(file, line)) {
      return FALSE;
    }
  }
  return WriteView(file, installer::html::kListCloseLine);
}

BOOL WriteNewToolbarFolder(HANDLE file, const char* name, const char* productDir) {
  std::string head = installer::html::MadeToolbarHeadOpen() + name +
                     std::string(installer::html::kMadeToolbarHeadClose);
  if (head.size() >= kHtmlLineBufferSize) {
    return FALSE;
  }
  return WriteView(file, head) && WriteFolderBlock(file, productDir) &&
         WriteString(file, browser::kListClose) && WriteString(file, browser::kLineEnd);
}
