// The resources of a Windows program, read from the bytes of its file (the
// .rsrc section, as the loader finds it through the resource directory),
// so that a build on any machine can check what a program carries.
#pragma once

#include <string>
#include <vector>

namespace pe {

// A resource type or name: a number, or a name (kept as its ASCII
// characters; others become '?').
struct ResourceId {
  bool named = false;
  unsigned number = 0;
  std::string name;
};

struct Resource {
  ResourceId type;
  ResourceId name;
  unsigned language = 0;
  std::string bytes;
};

constexpr unsigned kManifestType = 24;  // RT_MANIFEST

// Every resource of the image, in directory order. False, with the reason,
// when the bytes are no PE image or its resource directory does not fit
// the file; an image without resources gives an empty list.
bool ReadResources(const std::string& image, std::vector<Resource>* resources, std::string* error);

// The one manifest a program may carry: type 24, id 1, in one language.
// False, with the reason, when there is none, more than one, or another id.
bool FindProgramManifest(const std::vector<Resource>& resources, std::string* manifest,
                         std::string* error);

}  // namespace pe
