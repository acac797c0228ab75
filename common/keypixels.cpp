#include "common/keypixels.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

namespace {

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

std::vector<DeviceRect> keyPixels(const std::vector<KeyPlace>& keys, double pixelsPerTwip) {
    const int side = rounded(keySize * pixelsPerTwip);
    std::vector<DeviceRect> pixels;
    pixels.reserve(keys.size());
    for (const KeyPlace& key : keys)
        pixels.push_back(
            {rounded(key.left * pixelsPerTwip), rounded(key.top * pixelsPerTwip), side, side});
    return pixels;
}

DeviceRect logicalCover(const DeviceRect& device, double scale) {
    // A hair of tolerance, so that a device edge that falls on a logical one stays there.
    constexpr double tolerance = 1e-9;
    const int left = static_cast<int>(std::floor(device.left / scale + tolerance));
    const int top = static_cast<int>(std::floor(device.top / scale + tolerance));
    const int right = static_cast<int>(std::ceil(device.right() / scale - tolerance));
    const int bottom =
        static_cast<int>(std::ceil((device.top + device.height) / scale - tolerance));
    return {left, top, right - left, bottom - top};
}

int keyPictureSide(double scale) {
    constexpr int logicalSide = 16;
    constexpr int largestSide = 256;
    return std::clamp(rounded(logicalSide * scale), 1, largestSide);
}

bool picturesOutOfScale(double made, double now) {
    return keyPictureSide(made) != keyPictureSide(now);
}

} // namespace ombrix
