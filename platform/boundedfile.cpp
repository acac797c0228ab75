#include "platform/boundedfile.h"

#include <QFile>

namespace ombrix::platform {

BoundedFile::BoundedFile(QString path, std::size_t limit) : path_(std::move(path)), limit_(limit) {}

bool BoundedFile::open(OpenMode mode) {
    if (mode & QIODevice::WriteOnly)
        return false;
    const auto bytes = readBoundedFile(QFile::encodeName(path_).toStdString(), limit_);
    if (!bytes)
        return false;
    setData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    return QBuffer::open(QIODevice::ReadOnly);
}

} // namespace ombrix::platform
