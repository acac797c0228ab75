#pragma once

#include <vector>

// The order Tab visits a window's controls in: the layout read row by row, as text is read.
namespace ombrix {

struct ControlBox {
    double left = 0, top = 0, width = 0, height = 0;
};

// Control indices in reading order: by top, where controls whose tops lie within
// `rowTolerance` of the first control of a row make one row, read from left to right.
std::vector<int> readingOrder(const std::vector<ControlBox>& boxes, double rowTolerance);

} // namespace ombrix
