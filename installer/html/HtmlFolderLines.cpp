#include "installer/html/HtmlFolderLines.h"

#include "installer/shared/ProductFolder.h"

namespace installer::html {

using namespace installer::shared;

const std::string& HeadingLine() {
  static const std::string line = std::string("        <DT><H3 FOLDED ADD_DATE=\"") + kHtmlAddDate +
                                  "\">" + kFolderTitle + "</H3>\r\n";
  return line;
}

namespace {

std::string Tail(const ProductLink& link) {
  return std::string(link.fileName) + "\" ADD_DATE=\"" + kHtmlAddDate + "\" LAST_VISIT=\"" +
         kHtmlLastVisit + "\" LAST_MODIFIED=\"" + kHtmlLastModified + "\">" + link.title +
         "</A>\r\n";
}

}  // namespace

const std::string& LinkTail(size_t link) {
  static const std::string tails[kProductLinkCount] = {
      Tail(kProductLinks[0]), Tail(kProductLinks[1]), Tail(kProductLinks[2])};
  return tails[link];
}

const std::string& MadeToolbarHeadOpen() {
  static const std::string head =
      std::string("<DT><H3 ADD_DATE=\"") + kHtmlToolbarFolderDate + "\">";
  return head;
}

}  // namespace installer::html
