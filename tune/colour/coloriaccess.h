#pragma once

namespace ombrix {

class colori;

// The colour window for screen reader users, named in this one place: each number box labelled
// by its label and named in words, the pickers and sample keys named, the key selectors "Key"
// and their number.
void makeColourWindowAccessible(colori& window);

} // namespace ombrix
