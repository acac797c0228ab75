#pragma once

namespace ombrix {

class BarForm;

// The bar keeps the colours of its design whatever the desktop's palette: a dark palette must
// not make its "X" white on light green (1.42:1) or its side buttons the theme's highlight.
// Its texts are black on its own light faces.
void keepDesignColours(BarForm& bar);

} // namespace ombrix
