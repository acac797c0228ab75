#pragma once

#include "common/boundedread.h"

#include <QBuffer>
#include <QString>

namespace ombrix::platform {

// A file for Qt's readers (pictures, plugins) read as readBoundedFile reads it: opening it
// never waits on a FIFO or a device, and fails for anything but a regular file within the
// limit. The bytes are read whole at open.
class BoundedFile : public QBuffer {
public:
    explicit BoundedFile(QString path, std::size_t limit = pictureFileLimit);
    bool open(OpenMode mode) override;

private:
    QString path_;
    std::size_t limit_;
};

} // namespace ombrix::platform
