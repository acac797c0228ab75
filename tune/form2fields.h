#pragma once

#include "common/keyrecord.h"
#include "tune/imagelist.h"
#include "tune/targetline.h"

#include <QLineEdit>
#include <QString>

#include <cstddef>
#include <string>

// A key's fields as the key editor's units show them and write them back, shared by the files
// that hold the key editor (Form2).
namespace ombrix::form2fields {

inline constexpr int highestIconNumber = imageListSize;

inline QString targetLine(const KeyRecord& key) {
    return QString::fromStdString(targetLineOf(key));
}

// A long text shows its beginning, as a text box filled by the program does.
inline void showFromStart(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

inline bool isPictureIndex(int iconIndex) {
    return iconIndex >= 1 && iconIndex <= 998;
}

// A field keeps its bytes when the text shown for it is the text it holds, so "Setup" without
// an edit stores the key as it was.
inline constexpr std::size_t captionWidth = decltype(KeyRecord::caption)::width;
inline constexpr std::size_t toolTipWidth = decltype(KeyRecord::toolTip)::width;

template <std::size_t Width> void assignChanged(FixedText<Width>& field, const std::string& text) {
    if (text != field.text())
        field.assign(text);
}

template <std::size_t Width> void assignChanged(FixedText<Width>& field, const QString& shown) {
    assignChanged(field, shown.toStdString());
}

} // namespace ombrix::form2fields
