#pragma once

#include "common/keytexts.h"

#include <QString>

namespace ombrix::platform {

// A text split into characters as a person sees them, by Unicode's rules for grapheme
// clusters: a letter with its accents, an emoji with its joiners and modifiers, a flag.
Graphemes graphemesOf(const QString& text);

// What a typed text becomes in a record field `width` bytes wide.
FieldText typedField(const QString& text, std::size_t width);

} // namespace ombrix::platform
