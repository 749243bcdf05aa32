// A bookmark path with blanks, as today's browsers keep theirs ("User
// Data"): a line that starts with a double quote takes the path up to the
// next one.
#include <gtest/gtest.h>

#include <string>

#include "installer/CommandLine.h"

namespace {

TEST(QuotedCommandLine, LeadingQuoteTakesThePathUpToTheNextQuote) {
  struct Row {
    const char* name;
    std::string line;
    bool usable;
    std::string bookmarkPath;
    std::string productDir;
    // The first argument as the platform handed it over on its own.
    const char* firstArgument = nullptr;
  } rows[] = {
      {"path with blanks, then the product directory",
       "\"C:\\Users\\ann\\User Data\\Default\\Bookmarks\" C:\\Program Files\\Quillary\\", true,
       "C:\\Users\\ann\\User Data\\Default\\Bookmarks", "C:\\Program Files\\Quillary\\"},
      {"quoted path alone: the product directory is asked for", "\"/p/User Data/Bookmarks\"", true,
       "/p/User Data/Bookmarks", ""},
      {"two blanks after the quote: the product directory begins with one", "\"a b.htm\"  /Q/",
       true, "a b.htm", " /Q/"},
      {"a product directory wholly in quotes loses them", "\"a b.htm\" \"/Q R/\"", true, "a b.htm",
       "/Q R/"},
      {"only the one pair", "\"a b.htm\" \"\"/Q/\"\"", true, "a b.htm", "\"/Q/\""},
      {"quotes inside stay", "\"a b.htm\" \"/Q\"R/\"", true, "a b.htm", "/Q\"R/"},
      {"not wholly in quotes: kept", "\"a b.htm\" \"/Q/\" ", true, "a b.htm", "\"/Q/\" "},
      {"a lone quote is kept", "a.htm \"", true, "a.htm", "\""},
      {"empty quotes: the product directory is asked for", "a.htm \"\"", true, "a.htm", ""},
      {"a quoted product directory of 259 characters fits",
       "a.htm \"" + std::string(259, 'q') + "\"", true, "a.htm", std::string(259, 'q')},
      {"empty quotes: the bookmark path is asked for", "\"\" /Q/", true, "", "/Q/"},
      {"no closing quote", "\"a b.htm /Q/", false, "", ""},
      {"something other than a blank after the closing quote", "\"a b\".htm /Q/", false, "", ""},
      {"a quoted path of 259 characters fits", "\"" + std::string(259, 'b') + "\" /Q/", true,
       std::string(259, 'b'), "/Q/"},
      {"one of 260 is refused", "\"" + std::string(260, 'b') + "\" /Q/", false, "", ""},
      {"no leading quote: split at the first blank as always", "a.htm \"/Q R/\"", true, "a.htm",
       "/Q R/"},
      {"a first argument handed over ends the path, blanks and all", "/p/User Data/B /opt/My Q/",
       true, "/p/User Data/B", "/opt/My Q/", "/p/User Data/B"},
      {"after its leading blanks, which the line lost", "/p/a b/B /Q/", true, "/p/a b/B", "/Q/",
       " \t/p/a b/B"},
      {"one that starts with a quote: the line's own rule", "\"a b\" /Q/", true, "a b", "/Q/",
       "\"a"},
      {"one the line does not start with: the first blank", "x y /Q/", true, "x", "y /Q/", "z"},
      {"the switch and a blank in one argument are a path", "--remove x /Q/", true, "--remove x",
       "/Q/", "--remove x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    char bookmarkPath[MAX_PATH];
    char productDir[MAX_PATH];
    installer::InstallerRequest request =
        installer::SplitCommandLine(row.line.c_str(), bookmarkPath, productDir, row.firstArgument);
    EXPECT_EQ(request.usable != FALSE, row.usable);
    EXPECT_FALSE(request.removal);
    EXPECT_EQ(std::string(bookmarkPath), row.bookmarkPath);
    EXPECT_EQ(std::string(productDir), row.productDir);
  }
}

}  // namespace
