// Removal run through the program's own application object, as the
// splicer tests run the splice.
#pragma once

#include <string>

namespace splicer_test {

// Takes the product's folder out of the bookmark file at this path.
void RunRemover(const std::string& bookmarkPath);

}  // namespace splicer_test
