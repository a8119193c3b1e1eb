// Splitting a text at one separator character: DNS lists ("a;b;") and dotted addresses.
#pragma once

#include <string>
#include <vector>

namespace vf::core {

// Appends the pieces of `text` between separators to `parts` (callers pass it empty).
// An empty text gives no parts. A final separator ends the last piece without adding an empty
// part, so "a.b" and "a.b." both give {"a", "b"}; adjacent separators give an empty part, and a
// leading separator an empty first part.
void SplitString(const std::string &text, std::vector<std::string> &parts, char separator);

}  // namespace vf::core
