#include "tune/imagelist.h"

#include <QImage>
#include <QString>

#include <utility>

namespace ombrix {

namespace {

constexpr int pictureSize = 32;
constexpr const char* stripFileName = "imagelist.png";

} // namespace

ImageList::ImageList(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {}

int ImageList::count() const {
    return imageListSize;
}

QPixmap ImageList::image(int n) const {
    if (n < 1 || n > imageListSize)
        return {};
    if (!loaded_)
        load();
    if (images_.empty())
        return {};
    return images_[static_cast<std::size_t>(n - 1)];
}

// A strip too small to hold every picture is treated as missing: a half-read list would put
// wrong pictures behind the higher numbers.
void ImageList::load() const {
    loaded_ = true;
    const auto path = folder_ / stripFileName;
    const QImage strip(QString::fromStdString(path.string()));
    if (strip.width() < pictureSize * imageListSize || strip.height() < pictureSize)
        return;
    images_.reserve(imageListSize);
    for (int index = 0; index < imageListSize; ++index)
        images_.push_back(
            QPixmap::fromImage(strip.copy(index * pictureSize, 0, pictureSize, pictureSize)));
}

} // namespace ombrix
