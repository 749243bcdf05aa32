// Line syntax shared by the fake browser's script and counters files: tokens
// separated by blanks, a token in double quotes may hold blanks, and inside
// quotes \" stands for a quote and \\ for a backslash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fake_browser {

// Splits one line into tokens. A '#' outside quotes starts a comment. Returns
// false for an unclosed quote.
bool SplitLine(const std::string& line, std::vector<std::string>* tokens);

// The token that SplitLine reads back as the value.
std::string QuoteToken(const std::string& value);

// A decimal 32-bit value, digits only.
bool ParseNumber(const std::string& text, uint32_t* value);

// A number, or "-" for 0xFFFFFFFF.
bool ParseWindowId(const std::string& text, uint32_t* id);

// The text compared without regard to ASCII letter case, as DDE names are.
bool SameName(const std::string& a, const std::string& b);

}  // namespace fake_browser
