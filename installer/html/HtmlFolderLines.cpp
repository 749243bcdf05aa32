#include "installer/html/HtmlFolderLines.h"

#include "installer/shared/ProductFolder.h"

namespace html_folder {

using namespace product_folder;

const std::string& HeadingLine() {
  static const std::string line = std::string("        <DT><H3 FOLDED ADD_DATE=\"") + kHtmlAddDate +
                                  "\">" + kTitle + "</H3>\r\n";
  return line;
}

namespace {

std::string Tail(const Link& link) {
  return std::string(link.fileName) + "\" ADD_DATE=\"" + kHtmlAddDate + "\" LAST_VISIT=\"" +
         kHtmlLastVisit + "\" LAST_MODIFIED=\"" + kHtmlLastModified + "\">" + link.title + "</A>\r\n";
}

}  // namespace

const std::string& LinkTail(size_t link) {
  static const std::string tails[kLinkCount] = {Tail(kLinks[0]), Tail(kLinks[1]), Tail(kLinks[2])};
  return tails[link];
}

const std::string& MadeToolbarHeadOpen() {
  static const std::string head = std::string("<DT><H3 ADD_DATE=\"") + kHtmlToolbarFolderDate + "\">";
  return head;
}

}  // namespace html_folder
