// The product's folder as the HTML splice writes it, line by line, CR LF
// ended, rendered from the folder's one description: what the writer puts
// into a file and what the removal knows again, to the byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace installer::html {

// "        <DT><H3 FOLDED ADD_DATE="...">Quillary</H3>" CR LF
const std::string& HeadingLine();
constexpr std::string_view kListOpenLine = "        <DL><p>\r\n";
constexpr std::string_view kListCloseLine = "        </DL><p>\r\n";
// A link line is its head, the link prefix and product directory, its tail.
constexpr std::string_view kLinkHead = "            <DT><A HREF=\"";
// From the file name to the line end: `save.qyv" ADD_DATE=... >Save</A>` CR LF.
const std::string& LinkTail(size_t link);

// The toolbar folder made for the second copy: its heading line and list
// opening stand around the folder's name.
const std::string& MadeToolbarHeadOpen();
constexpr std::string_view kMadeToolbarHeadClose = "</H3>\r\n<DL><p>\r\n";

}  // namespace installer::html
