#include "common/taborder.h"

#include <algorithm>
#include <numeric>

namespace ombrix {

std::vector<int> readingOrder(const std::vector<ControlBox>& boxes, double rowTolerance) {
    std::vector<int> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    const auto box = [&](int i) -> const ControlBox& { return boxes[static_cast<std::size_t>(i)]; };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return box(a).top < box(b).top; });
    auto rowStart = order.begin();
    while (rowStart != order.end()) {
        const double rowTop = box(*rowStart).top;
        const auto rowEnd = std::find_if(rowStart, order.end(),
                                         [&](int i) { return box(i).top - rowTop > rowTolerance; });
        std::stable_sort(rowStart, rowEnd, [&](int a, int b) { return box(a).left < box(b).left; });
        rowStart = rowEnd;
    }
    return order;
}

} // namespace ombrix
