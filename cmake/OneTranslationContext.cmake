# cmake -DIN=<file.ts> -DOUT=<file.ts> -P OneTranslationContext.cmake
#
# lupdate files each text under the class or namespace that marks it. The
# window translates a text by the text alone, wherever it was marked, so
# before lrelease compiles a translation every text moves into the one
# context "texts" (kTranslationContext, ui/window/qt/translation_qt.h).
file(READ "${IN}" _ts)
string(REGEX REPLACE "<name>[^<]*</name>" "<name>texts</name>" _ts "${_ts}")
file(WRITE "${OUT}" "${_ts}")
