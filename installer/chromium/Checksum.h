// The checksums the browser keeps in its bookmark file: a digest over every
// node of the roots bookmark_bar, other and synced, in that order, depth
// first, a folder before its children. Per node: its id (ASCII), its name
// as UTF-16LE, then "url" and the URL for a URL node, "folder" for a folder.
#pragma once

#include <string>

#include "installer/chromium/Json.h"
#include "installer/chromium/SystemServices.h"

namespace chromium_store {

// The bytes the digest runs over, for the document's "roots".
std::string ChecksumInput(const Json& document);

// Sets "checksum" (MD5; put first when missing) and, when the document has
// one, "checksum_sha256". False when the system has no digest.
bool UpdateChecksums(Json* document);

}  // namespace chromium_store
