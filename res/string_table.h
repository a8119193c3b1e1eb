// The program's string table: every text it shows by number.
#pragma once

#include <string>

namespace vf::res {

// The text of string `id` (UTF-8, untranslated); empty for a number the
// table does not hold.
std::string LoadString(int id);

}  // namespace vf::res
