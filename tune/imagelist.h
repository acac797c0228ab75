#pragma once

#include <QPixmap>

#include <filesystem>
#include <vector>

// The 125 pictures of 32 x 32 pixels that the key editor offers for a key's face, numbered
// 1..125; picture 121 is the shut-down picture. They are made at build time into the program
// folder (imagelist.png, the pictures side by side) and read once, when first asked for.
namespace ombrix {

inline constexpr int imageListSize = 125;
inline constexpr int shutdownImage = 121;

class ImageList {
public:
    explicit ImageList(std::filesystem::path programFolder);

    // Picture n (1..125), or a null pixmap for any other number or a missing file.
    QPixmap image(int n) const;
    int count() const;

private:
    void load() const;

    std::filesystem::path folder_;
    mutable bool loaded_ = false;
    mutable std::vector<QPixmap> images_;
};

} // namespace ombrix
