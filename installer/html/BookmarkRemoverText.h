// Taking the product's folder out of a bookmark text again. The text is a
// whole file's content, NUL bytes included; nothing in it is changed but
// what this rule removes.
//
// 1. As the installer left it. Each folder block the installer writes goes:
//    its six lines byte for byte, CR LF ended, the first at the start of a
//    line, the three addresses "file:" + one and the same directory +
//    save.qyv, quick.kyv, Quillary.htm. At the end of the text:
//    - after a "<DL><p>" somewhere before it, the block inside
//        <DT><H3 ADD_DATE="899410187">NAME</H3> CR LF <DL><p> CR LF
//        ...block... </DL><p> CR LF
//      (NAME not empty, without double quote or NUL) goes with those lines,
//      wherever on a line the header starts;
//    - with no "<DL><p>" before it, "<DL><p>" CR LF, the block and
//      "</DL><p>" CR LF go.
//    A CR LF between "<DL><p>" and a block goes too when no CR or LF is
//    left after the block and, for the first block of the text, that
//    "<DL><p>" is the text's first: the installer writes one there when the
//    list's opening had no line end after it.
//
// 2. As a browser rewrote it. A line ends at CR LF, at a lone LF or at a
//    lone CR; the last line may have none. Each line is taken with the
//    blanks and tabs around it trimmed, tags and attribute names in any
//    case, attribute values in double or single quotes or bare:
//      folder header  <DT><H3 attributes>TITLE</H3>
//      list opening   <DL> or <DL><p>         list closing  </DL> or </DL><p>
//      link           <DT><A attributes>title</A>
//      description    a line starting with <DD>
//      blank          nothing at all
//    A folder is a header line, then at most one description line and
//    blank lines, then a list opening, up to the closing that matches it.
//    A product link is a link whose first HREF value is one by the rule
//    every format shares (installer/shared/FolderVerdict.h: "file:", any
//    case, then a directory ending in "/" or "\" and save.qyv, quick.kyv
//    or Quillary.htm). A folder titled exactly "Quillary" goes, every line
//    from its header to its list's closing, each with its line end, when
//    its list holds each of the three product links once, all under one
//    directory, and otherwise only blank lines and descriptions, each
//    description right after a link (it belongs to that link). A folder whose header carries
//    ADD_DATE="899410187" (as the one the installer makes for the second
//    copy) goes the same way when a product folder went from its list and
//    only blank lines are left there. Folders are judged innermost first,
//    so that what went from inside a folder no longer counts as held.
//
// 3. Left alone: a folder titled "Quillary" that holds anything else (a
//    link to another address, a second copy of a link, a folder, a
//    separator, a description not right after a link, any other line),
//    that lacks one of the three links, or whose list cannot be found or
//    is never closed; and everything else.
//
// So removal after the installer's splice gives back the text before it,
// byte for byte, but for two texts whose splice reads the same as another
// text's: a "<DL><p>" line followed by one last line without a line end
// comes back without the CR LF after "<DL><p>" (as a text with none there),
// and an empty folder carrying ADD_DATE="899410187" that a copy went into
// (the second, or the first when the text's first list is that folder's)
// goes with the copy.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/shared/LeftAloneReport.h"

namespace installer::html {

using installer::shared::LeftAloneReason;

// One "Quillary" folder that stays, by the line of its header (from 1).
struct LeftAloneFolder {
  size_t line;
  LeftAloneReason reason;
};

// Bytes [begin, end) of the text.
struct ByteRange {
  size_t begin;
  size_t end;
};

// What goes, as ranges of the text: the new text is what lies between
// them, so that it can be written straight from the old one without a
// second copy of a large file.
struct RemovalResult {
  std::vector<ByteRange> removed;  // in order, not empty, none overlapping
  int removedFolders = 0;          // product folders, every copy
  int removedToolbarFolders = 0;   // folders made to hold the second copy
  std::vector<LeftAloneFolder> leftAlone;
  bool changed = false;
};

// One pass over the text; it holds a few records per folder it judges,
// none per line.
RemovalResult RemoveProductFolders(std::string_view text);

// Hands the parts of `text` that stay to `write`, in order; false as soon
// as `write` is.
bool ForEachKeptPart(std::string_view text, const RemovalResult& removal,
                     const std::function<bool(std::string_view)>& write);

// The new text whole, for checks on small texts.
std::string KeptText(std::string_view text, const RemovalResult& removal);

}  // namespace installer::html
