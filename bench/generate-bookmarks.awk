# Writes a bookmark file of about `links` links in nested folders, CR LF
# line ends, with the personal toolbar folder near the end so that the
# splice searches nearly the whole text.
#   awk -v links=1000000 -f generate-bookmarks.awk > bookmark.htm
function indent(depth) { return substr("                                        ", 1, 4 * depth) }
BEGIN {
  ORS = "\r\n"
  print "<!DOCTYPE NETSCAPE-Bookmark-file-1>"
  print "<TITLE>Bookmarks for Bench</TITLE>"
  print "<H1>Bookmarks for Bench</H1>"
  print ""
  print "<DL><p>"
  depth = 1
  for (i = 1; i <= links; i++) {
    # A new folder every 50 links, nested up to four deep, then back out.
    if (i % 50 == 1) {
      if (depth == 5) {
        for (; depth > 1; depth--) print indent(depth - 1) "</DL><p>"
      }
      print indent(depth) "<DT><H3 ADD_DATE=\"890000000\">Folder " i "</H3>"
      print indent(depth) "<DL><p>"
      depth++
    }
    print indent(depth) "<DT><A HREF=\"http://site" i % 9973 ".example.com/p/" i ".html\" ADD_DATE=\"890000000\">Page " i "</A>"
  }
  for (; depth > 1; depth--) print indent(depth - 1) "</DL><p>"
  print "    <DT><H3 ADD_DATE=\"890000000\">Personal Toolbar Folder</H3>"
  print "    <DL><p>"
  print "        <DT><A HREF=\"http://www.example.org/\" ADD_DATE=\"890000000\">Example</A>"
  print "    </DL><p>"
  print "</DL><p>"
}
