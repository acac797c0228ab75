#include "widgets/focusring.h"

#include "common/contrast.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollArea>

namespace ombrix {

namespace {

constexpr int ringWidth = 2;
constexpr int gap = 1; // between the control and the ring

} // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* focused) {
    if (target_)
        target_->removeEventFilter(this);
    target_ = focused;
    QWidget* window = parentWidget();
    // The ring's parent may be a window's scrolled drawing rather than the window itself.
    if (!focused || focused == this || !window->isAncestorOf(focused)) {
        hide();
        return;
    }
    focused->installEventFilter(this);
    const QColor background = window->palette().color(QPalette::Window);
    colour_ =
        QColor::fromRgb(blackOrWhiteOn(static_cast<std::uint32_t>(background.rgb()) & 0xFFFFFF));
    const int margin = ringWidth + gap;
    setGeometry(QRect(focused->mapTo(window, QPoint(0, 0)), focused->size())
                    .adjusted(-margin, -margin, margin, margin));
    raise();
    setVisible(focused->isVisible());
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == target_ && (type == QEvent::Move || type == QEvent::Resize ||
                               type == QEvent::Show || type == QEvent::Hide))
        follow(target_);
    return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, ringWidth));
    painter.drawRect(QRectF(rect()).adjusted(ringWidth / 2.0, ringWidth / 2.0, -ringWidth / 2.0,
                                             -ringWidth / 2.0));
}

void bringFocusIntoView(QScrollArea* area) {
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget*, QWidget* now) {
        if (now && area->widget() && area->widget()->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
}

} // namespace ombrix
