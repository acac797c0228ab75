#include "common/textscale.h"

#include <algorithm>

namespace ombrix {

double textScale(const TextScaleInput& in) {
    const double wanted = in.desktopFontPoints / designFontPoints;
    if (!(wanted > 1) || in.windowWidth <= 0 || in.windowHeight <= 0)
        return 1;
    const double fits =
        std::min(in.screenWidth / in.windowWidth, in.screenHeight / in.windowHeight);
    return std::max(1.0, std::min(wanted, fits));
}

} // namespace ombrix
