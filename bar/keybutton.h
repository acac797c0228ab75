#pragma once

#include <QAbstractButton>

#include <cstdint>
#include <optional>

namespace ombrix {

// A key as the bar, its copy in the setup program and the colour window's sample keys show it:
// the face filled flat with exactly the key's colour (a styled button would shade it lighter),
// a thin raised edge that sinks while the key is pressed, and the picture or the caption in the
// middle. A caption always fits inside the edge: too long for the key's font, it is drawn
// narrower, never cut.
class KeyButton : public QAbstractButton {
    Q_OBJECT

public:
    using QAbstractButton::QAbstractButton;

    // Whether the key shows its picture or its caption.
    void setToolButtonStyle(Qt::ToolButtonStyle style);
    Qt::ToolButtonStyle toolButtonStyle() const { return style_; }

    // The face's colour (0xRRGGBB), kept by the key itself: a bar's keys start without setting
    // a palette each. The caption is black or white, whichever reads better on it, and for a
    // key not in use halfway between the two. Until it is set, the face and caption have the
    // palette's button colours.
    void setColour(std::uint32_t rgb);
    // The colour the face is painted with.
    QColor faceColour() const;

    // The device pixels the face covers, relative to the parent's top left corner; the key's
    // own geometry must hold them. Unset, the face covers the key's geometry, each edge
    // rounded to the nearest device pixel.
    void setFacePixels(const QRect& devicePixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect facePixels() const;

    std::optional<QColor> colour_;
    std::optional<QRect> facePixels_;
    Qt::ToolButtonStyle style_ = Qt::ToolButtonIconOnly;
};

} // namespace ombrix
