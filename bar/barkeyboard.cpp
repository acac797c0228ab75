#include "bar/barkeyboard.h"

#include "bar/form1.h"
#include "common/contrast.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace ombrix {

namespace {

constexpr double keyHalf = keySize / 2.0;

std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.rgb()) & 0xFFFFFFu;
}

QColor faceOf(QWidget* widget) {
    if (auto* key = qobject_cast<KeyButton*>(widget))
        return key->faceColour();
    if (widget->autoFillBackground())
        return widget->palette().color(QPalette::Window);
    return widget->palette().color(QPalette::Button);
}

std::optional<BarMove> moveOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Backtab:
        return BarMove::Left;
    case Qt::Key_Right:
    case Qt::Key_Tab:
        return event.modifiers() & Qt::ShiftModifier ? BarMove::Left : BarMove::Right;
    case Qt::Key_Up:
        return BarMove::Up;
    case Qt::Key_Down:
        return BarMove::Down;
    case Qt::Key_Home:
        return BarMove::Home;
    case Qt::Key_End:
        return BarMove::End;
    default:
        return std::nullopt;
    }
}

bool usesFocused(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
           event.key() == Qt::Key_Space || event.key() == Qt::Key_Select;
}

} // namespace

FocusMark::FocusMark(QWidget* bar) : QWidget(bar) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusMark::follow(QWidget* target, const QColor& face) {
    ring_ = QColor::fromRgb(blackOrWhiteOn(rgbOf(face)));
    setGeometry(target->geometry().adjusted(-1, -1, 1, 1));
    raise();
    show();
    update();
}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(QColor::fromRgb(outline), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(ring_, 2));
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}

BarKeyboard::BarKeyboard(Form1& bar) : QObject(&bar), bar_(bar), mark_(new FocusMark(&bar)) {
    clock_.start();
    bar_.installEventFilter(this);
    // Qt polishes a text label that may take the focus into a text document of its own, laid
    // out there and then with the fonts loaded for it, before the bar is on the screen.
    // Polished before the controls may take the focus, the close label draws its "X" as plain
    // text, and makes that document only when the keyboard gives it the focus.
    bar_.ensurePolished();
    for (const BarStop& stop : stops()) {
        QWidget* widget = widgetOf(stop);
        // Tab and the mouse never give a control the focus: only the bar opened by the keyboard
        // does.
        widget->setFocusPolicy(Qt::TabFocus);
        widget->installEventFilter(this);
    }
    // Keys made later (a drop, a removal undone) are reached as the first ones are.
    connect(&bar_, &Form1::keyAdded, this, [this](QWidget* key) {
        key->setFocusPolicy(Qt::TabFocus);
        key->installEventFilter(this);
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { showMarkOn(now); });
    showControlsOfState();
}

// The closed bar is its handle: the keys and controls cut away by its outline are hidden too, so
// that a screen reader does not offer them at places outside the window.
void BarKeyboard::showControlsOfState() {
    const bool open = !bar_.state().closed();
    for (const BarStop& stop : stops())
        if (stop.kind != BarStopKind::Handle)
            widgetOf(stop)->setVisible(open);
}

std::vector<BarStop> BarKeyboard::stops() const {
    std::vector<KeyFace> keys;
    for (int i = 0; i < bar_.keyCount(); ++i) {
        const KeyPlace& place = bar_.rows().keys.at(static_cast<std::size_t>(i));
        keys.push_back({place.left + keyHalf, place.top + keyHalf,
                        bar_.key(i)->text().toStdString(), bar_.key(i)->toolTip().toStdString()});
    }
    return barStops(keys);
}

QWidget* BarKeyboard::widgetOf(const BarStop& stop) const {
    switch (stop.kind) {
    case BarStopKind::Handle:
        return bar_.handleArea();
    case BarStopKind::SeeThrough:
        return bar_.transparentBox();
    case BarStopKind::SideButton:
        return bar_.sideButton(stop.index);
    case BarStopKind::Close:
        return bar_.closeLabel();
    case BarStopKind::Setup:
        return bar_.setupButton();
    case BarStopKind::KeepOpen:
        return bar_.keepOpenBox();
    case BarStopKind::Key:
        return bar_.key(stop.index);
    }
    return nullptr;
}

int BarKeyboard::focusedStop() const {
    const QWidget* focused = bar_.focusWidget();
    const std::vector<BarStop> all = stops();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (widgetOf(all[i]) == focused)
            return static_cast<int>(i);
    return -1;
}

void BarKeyboard::toggle() {
    if (holdsFocus_)
        closeByKeyboard();
    else if (!bar_.state().closed())
        bar_.apri(); // opened by the mouse: closed without taking the focus
    else
        openByKeyboard();
}

void BarKeyboard::openByKeyboard() {
    const platform::DesktopWindow active = platform::activeDesktopWindow();
    if (active != static_cast<platform::DesktopWindow>(bar_.winId()))
        previous_ = active;
    holdsFocus_ = true;
    platform::takeFocus(&bar_);
    if (bar_.state().closed())
        bar_.apri();
    showControlsOfState();
    focusStop(firstKeyStop(stops()));
}

void BarKeyboard::closeByKeyboard() {
    if (!bar_.state().closed())
        bar_.apri(); // the resize that closes it gives the focus back
    if (holdsFocus_)
        release();
}

void BarKeyboard::release() {
    holdsFocus_ = false;
    mark_->hide();
    if (QWidget* focused = bar_.focusWidget())
        focused->clearFocus();
    platform::giveFocusBack(&bar_, previous_);
    previous_ = 0;
}

void BarKeyboard::focusStop(int index) {
    const std::vector<BarStop> all = stops();
    if (index < 0 || index >= static_cast<int>(all.size()))
        return;
    widgetOf(all[static_cast<std::size_t>(index)])->setFocus(Qt::OtherFocusReason);
    showMarkOn(bar_.focusWidget());
}

void BarKeyboard::showMarkOn(QWidget* focused) {
    if (holdsFocus_ && focused && focused != &bar_ && focused->parentWidget() == &bar_ &&
        !bar_.state().closed())
        mark_->follow(focused, faceOf(focused));
    else
        mark_->hide();
}

void BarKeyboard::use(const BarStop& stop) {
    switch (stop.kind) {
    case BarStopKind::Handle:
        bar_.Label5_Click();
        break;
    case BarStopKind::SeeThrough:
        bar_.transparentBox()->click();
        break;
    case BarStopKind::SideButton:
        bar_.Label1_Click(stop.index);
        break;
    case BarStopKind::Close:
        release();
        bar_.Label3_DblClick();
        break;
    case BarStopKind::Setup:
        bar_.setupButton()->click();
        break;
    case BarStopKind::KeepOpen:
        bar_.keepOpenBox()->click();
        break;
    case BarStopKind::Key:
        bar_.key(stop.index)->click();
        break;
    }
    showMarkOn(bar_.focusWidget());
}

bool BarKeyboard::handleKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        closeByKeyboard();
        return true;
    }
    const std::vector<BarStop> all = stops();
    const int current = focusedStop();
    if (const auto move = moveOf(*event)) {
        focusStop(movedFocus(all, current < 0 ? firstKeyStop(all) : current, *move));
        return true;
    }
    if (usesFocused(*event)) {
        if (!event->isAutoRepeat() && current >= 0)
            use(all[static_cast<std::size_t>(current)]);
        return true;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const int found = typeAhead_.type(all, current, text.toStdString(), clock_.elapsed());
        if (found >= 0)
            focusStop(found);
        return true;
    }
    return false;
}

bool BarKeyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched != &bar_)
            break;
        showControlsOfState();
        // However the bar was closed (a used key, the handle, the mouse), the focus goes back.
        if (holdsFocus_ && bar_.state().closed())
            release();
        break;
    case QEvent::WindowDeactivate:
        // The user went to another window with the mouse: that window keeps the focus, and the
        // open bar goes back to leaving it alone.
        if (watched == &bar_ && holdsFocus_) {
            previous_ = 0;
            release();
        }
        break;
    case QEvent::KeyPress:
        if (holdsFocus_)
            return handleKey(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::KeyRelease: {
        // The buttons' own Space would click a second time.
        const auto* key = static_cast<QKeyEvent*>(event);
        return holdsFocus_ && key->key() == Qt::Key_Space;
    }
    default:
        break;
    }
    return false;
}

} // namespace ombrix
