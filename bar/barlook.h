#pragma once

namespace ombrix {

class BarForm;

// The bar keeps the colours of its design whatever the desktop's palette: a dark palette must
// not make its "X" white on light green (1.42:1) or its side buttons the theme's highlight.
// Its texts are black on its own light faces.
void keepDesignColours(BarForm& bar);

// The key captions grow with the desktop's font: a caption designed at `designPoints` for a
// 9-point desktop font is drawn as much larger as the desktop font is, up to the largest size
// whose letters still fit inside a key's edge.
double captionPoints(double designPoints);

} // namespace ombrix
