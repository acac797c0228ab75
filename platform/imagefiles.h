#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace ombrix::platform {

// The readers of picture files that key pictures are made from, each giving the file's
// picture at the small size of a key.

inline constexpr int smallSize = 16;
inline const QSize smallIcon(smallSize, smallSize);

// Scales to fit 16 x 16 keeping proportions; a picture that is not square sits centred.
QImage fitSmall(const QImage& image);

// An icon file's image nearest 16 x 16 through Qt's icon reader alone; nothing when that
// reader is not installed.
std::optional<QImage> icoFileSmall(const QString& path);

// A picture file's image nearest 16 x 16, fitted to that size; `format` empty to go by the
// file's suffix. Null when the file holds no readable image.
QImage imageFileSmall(const QString& path, QByteArray format = {});

} // namespace ombrix::platform
