#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace ombrix::platform {

// The readers of picture files that key pictures are made from, each giving the file's
// picture `side` device pixels square: 16 on a screen of scale 1, 32 at scale 2.

// Scales to fit side x side keeping proportions, smoothly both down and up; a picture that is
// not square sits centred.
QImage fitSmall(const QImage& image, int side);

// An icon file's image nearest side x side (the larger on a tie) through Qt's icon reader
// alone, fitted to that size; nothing when that reader is not installed.
std::optional<QImage> icoFileSmall(const QString& path, int side);

// A picture file's image nearest side x side, a scalable one drawn at that size, fitted to
// it; `format` empty to go by the file's suffix. Null when the file holds no readable image.
QImage imageFileSmall(const QString& path, int side, QByteArray format = {});

} // namespace ombrix::platform
