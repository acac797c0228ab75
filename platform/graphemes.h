#pragma once

#include "common/keytexts.h"

#include <QString>

namespace ombrix::platform {

// A text split into characters as a person sees them, by Unicode's rules for grapheme
// clusters: a letter with its accents, an emoji with its joiners and modifiers, a flag.
Graphemes graphemesOf(const QString& text);

} // namespace ombrix::platform
