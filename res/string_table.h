// The program's string table: every text it shows by number.
#pragma once

#include <QString>

namespace vf::res {

// The text of string `id`; empty for a number the table does not hold.
QString LoadString(int id);

}  // namespace vf::res
