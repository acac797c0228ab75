#pragma once

// Marks a text a person reads, written here in the design's words, for the translation tools,
// which find it by this name; the window that shows the text gives it in the user's language.
// The rules here stay free of the toolkit: the mark leaves the text as it is.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x // as the toolkit defines it, so either may come first
#endif
