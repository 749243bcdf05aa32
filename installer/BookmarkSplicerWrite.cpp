// The texts the splice adds to a bookmark file, to the byte.
#include <cstdio>
#include <cstring>

#include "browser/BrowserInterface.h"
#include "installer/BookmarkSplicer.h"
#include "installer/PathConvention.h"

namespace {

constexpr size_t kLineBufferSize = 2048;

constexpr char kFolderHeading[] = "        <DT><H3 FOLDED ADD_DATE=\"893970870\">Quillary</H3>\r\n";
constexpr char kFolderListOpen[] = "        <DL><p>\r\n";
constexpr char kFolderListClose[] = "        </DL><p>\r\n";

// %s stands for the link prefix, then the product directory.
constexpr const char* kFolderLinks[] = {
    "            <DT><A HREF=\"%s%ssave.qyv\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">Save</A>\r\n",
    "            <DT><A HREF=\"%s%squick.kyv\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">QuickSave</A>\r\n",
    "            <DT><A HREF=\"%s%sQuillary.htm\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">Search</A>\r\n",
};

constexpr char kNewToolbarFolderHead[] = "<DT><H3 ADD_DATE=\"899410187\">%s</H3>\r\n<DL><p>\r\n";

}  // namespace

BOOL WriteBytes(HANDLE file, const char* bytes, size_t size) {
  if (size > 0xFFFFFFFFu) {
    return FALSE;
  }
  DWORD written = 0;
  DWORD count = static_cast<DWORD>(size);
  return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

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
  if (!WriteString(file, kFolderHeading) || !WriteString(file, kFolderListOpen)) {
    return FALSE;
  }
  for (const char* format : kFolderLinks) {
    char line[kLineBufferSize];
    int length = std::snprintf(line, sizeof line, format, installer::kLinkPrefix, productDir);
    if (length < 0 || static_cast<size_t>(length) >= sizeof line || !WriteString(file, line)) {
      return FALSE;
    }
  }
  return WriteString(file, kFolderListClose);
}

BOOL WriteNewToolbarFolder(HANDLE file, const char* name, const char* productDir) {
  char head[kLineBufferSize];
  int length = std::snprintf(head, sizeof head, kNewToolbarFolderHead, name);
  if (length < 0 || static_cast<size_t>(length) >= sizeof head) {
    return FALSE;
  }
  return WriteString(file, head) && WriteFolderBlock(file, productDir) &&
         WriteString(file, browser::kListClose) && WriteString(file, browser::kLineEnd);
}
