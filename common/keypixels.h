#pragma once

#include "common/layout.h"

#include <vector>

// Where keys land on the screen's own pixels. Widgets get whole logical pixels, and a screen
// at a fractional scale (1.25, 1.5) turns each into a fraction of a device pixel: rounding a
// key's twips to logical pixels and then again to device pixels makes keys of one row differ
// in width and their gaps jump between one and three pixels. Here each place is rounded once,
// straight from twips to device pixels, with one width for every key.
namespace ombrix {

struct DeviceRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; } // one past the last pixel
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// The device pixels of each key: `pixelsPerTwip` is the screen's device pixels per twip (its
// scale divided by the twips per logical pixel). Every key is round(keySize x pixelsPerTwip)
// wide and high; its left and top are its twips rounded once, so the keys of a row are equally
// wide and their gaps differ by at most one pixel.
std::vector<DeviceRect> keyPixels(const std::vector<KeyPlace>& keys, double pixelsPerTwip);

// The smallest rectangle of whole logical pixels (device pixels divided by `scale`) that
// holds `device`: a widget there can draw the key on exactly its device pixels.
DeviceRect logicalCover(const DeviceRect& device, double scale);

// The device pixels of a key picture's side, 16 logical pixels at scale `scale`, rounded once
// and kept between 1 and 256.
int keyPictureSide(double scale);

// Whether key pictures made for scale `made` must be made again for scale `now`: only when
// their side in device pixels differs, as the picture cache keeps one picture per side.
bool picturesOutOfScale(double made, double now);

} // namespace ombrix
