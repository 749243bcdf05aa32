#include "installer/chromium/StoreDocument.h"

#include "installer/chromium/Checksum.h"
#include "installer/chromium/JsonReader.h"
#include "installer/chromium/JsonWriter.h"

namespace chromium_store {

StoreStatus ReadDocument(std::string_view text, Json* document) {
  if (!ParseJson(text, document) || !document->is_object()) {
    return StoreStatus::kNotJson;
  }
  auto roots = document->find("roots");
  if (roots == document->end() || !roots->is_object()) {
    return StoreStatus::kMissingRoots;
  }
  for (const char* name : kProductRoots) {
    auto root = roots->find(name);
    if (root == roots->end() || !root->is_object()) {
      return StoreStatus::kMissingRoots;
    }
    auto children = root->find("children");
    if (children == root->end() || !children->is_array()) {
      return StoreStatus::kMissingRoots;
    }
  }
  return StoreStatus::kDone;
}

Json& RootChildren(Json* document, const char* root) {
  return (*document)["roots"][root]["children"];
}

StoreStatus WriteDocument(Json* document, std::string_view readFrom, std::string* text) {
  if (!UpdateChecksums(document)) {
    return StoreStatus::kSystemFailure;
  }
  *text = WriteJson(*document, LineEndOf(readFrom));
  return StoreStatus::kDone;
}

}  // namespace chromium_store
