// The program's translations: translations/vellafind_<language>.qm beside
// the program (a build) or in share/vellafind/translations (an
// installation), compiled from res/translations/*.ts.
#pragma once

namespace vf::res {

inline constexpr char kTranslationName[] = "vellafind";

}  // namespace vf::res
