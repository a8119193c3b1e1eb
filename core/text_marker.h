// Marks a text the user reads as translatable, without any toolkit: VF_TEXT
// stands for the text itself, unchanged. Qt's lupdate collects every marked
// text into res/translations/ (VF_TEXT is its QT_TR_NOOP there); the window's
// toolkit backend translates a text where a widget or a message box receives
// it, and leaves a text no translation knows (every text, in English) exactly
// as it is.
#pragma once

#define VF_TEXT(text) text
