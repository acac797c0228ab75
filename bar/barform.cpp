#include "bar/barform.h"
#include "platform/translation.h"

#include "bar/barlook.h"
#include "bar/keybutton.h"

#include "common/colourvalue.h"
#include "common/keypixels.h"
#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "widgets/design.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include <algorithm>

namespace ombrix {

using platform::toPixels;

namespace {

using design::Place;
constexpr design::Drawing drawing{};

constexpr double designHeight = 495;
constexpr Place check1Place{1480, 80, 155, 195};
constexpr Place label1Places[4] = {
    {560, 155, 155, 155}, {720, 0, 155, 155}, {860, 155, 155, 155}, {720, 310, 155, 155}};
constexpr Place label3Place{720, 155, 135, 155};
constexpr Place label4Place{1640, 0, 420, 440};
constexpr Place label5Place{0, 0, 355, 495};
constexpr Place outerCircle{0, 0, 400, 400}; // Shape2 and Shape5, the handle
constexpr Place innerRing{70, 70, 235, 235}; // Shape4
constexpr Place centreDot{150, 150, 80, 80}; // Shape6

const char* const sideToolTips[4] = {
    QT_TRANSLATE_NOOP("Ombrix", "Sposta Ombrix sul lato sinistor/Move Ombrix to the left side"),
    QT_TRANSLATE_NOOP("Ombrix", "Sposta Ombrix sul lato superiore/move Ombrix to the upper side"),
    QT_TRANSLATE_NOOP("Ombrix", "Sposta Ombrix sul lato destro/Put Ombrix on the right side"),
    QT_TRANSLATE_NOOP("Ombrix", "Sposta Ombrix sul lato inferiore/Move Ombrix to the buttom side")};

const QColor rowBackground(0xE6, 0xE2, 0xD8);
const QColor rowBorder(0x8A, 0x84, 0x78);
const QColor handleOuter(0x2B, 0x5F, 0x82);
const QColor handleRing(0x9C, 0xC9, 0xE4);
const QColor handleDot(0xF5, 0xD0, 0x4C);

QLabel* makeLabel(QWidget* parent, const Place& place, const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setGeometry(drawing.pixels(place));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

BarForm::BarForm(BarContext context, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                          Qt::WindowDoesNotAcceptFocus),
      context_(std::move(context)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The bar never takes the focus, and Qt shows pop-up texts only in the active window
    // unless told otherwise.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setMouseTracking(true);
    setWindowTitle(QStringLiteral("Ombrix"));
    state_.height = designHeight;
    createControls();
    keepDesignColours(*this);
    Form_Load();
    if (context_.screen)
        area_ = context_.screen();
    picturesScale_ = monitorScale();
}

BarForm::~BarForm() = default;

void BarForm::createControls() {
    const QFont small = smallFont(font());

    check1_ = new QCheckBox(this);
    check1_->setGeometry(drawing.pixels(check1Place));
    check1_->setToolTip(
        translate("Ombrix", "Carica e mantiene la barra aperta / load and let the bar open"));
    check1_->setFocusPolicy(Qt::NoFocus);

    for (int i = 0; i < 4; ++i) {
        label1_[i] = makeLabel(this, label1Places[i], palette().color(QPalette::Highlight));
        label1_[i]->setToolTip(translate(textContext, sideToolTips[i]));
        label1_[i]->installEventFilter(this);
    }

    label3_ = makeLabel(this, label3Place, QColor(0x90, 0xEE, 0x90));
    label3_->setText(QStringLiteral("X"));
    label3_->setAlignment(Qt::AlignCenter);
    QFont bold = small;
    bold.setBold(true);
    label3_->setFont(bold);
    label3_->setToolTip(
        translate("Ombrix", "Con un doppio clickchiude Ombrix/With a double click close Ombrix"));
    label3_->installEventFilter(this);

    label4_ = makeLabel(this, label4Place, Qt::yellow);

    label5_ = new QWidget(this);
    label5_->setGeometry(drawing.pixels(label5Place));
    label5_->setMouseTracking(true);
    label5_->setToolTip(translate("Ombrix", "Apre e chiude la barra/Open and close the bar"));
    label5_->installEventFilter(this);
}

void BarForm::Form_Load() {
    side_ = static_cast<Side>(context_.preferences->side());
}

void BarForm::createKeys(int count) {
    geometry_.keys = singleRowKeys(count);
    // A key's font is set with its caption (fitCaption); a key showing a picture needs none.
    for (int i = keyCount(); i < count; ++i) {
        auto* button = new KeyButton(this);
        button->setToolTip(translate("Ombrix", "Lancia il programma/Launch the program"));
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(16, 16));
        connect(button, &QAbstractButton::clicked, this, [this, i] { Command2_Click(i); });
        keyButtons_.push_back(button);
        keyCreated(button);
    }
    applyLayout();
}

void BarForm::removeKeysFrom(int count) {
    while (keyCount() > std::max(count, 0)) {
        delete keyButtons_.back();
        keyButtons_.pop_back();
    }
    geometry_.keys = singleRowKeys(keyCount());
    applyLayout();
}

namespace {

// A caption of up to six letters on a key 350 twips wide: the font shrinks, down to a floor
// where letters stay legible, until the caption fits inside the key's frame.
void fitCaption(KeyButton* button, const QString& caption) {
    const double largest = captionPoints(7.0);
    constexpr double smallest = 5.0;
    const int room = button->width() - 4;
    QFont font = button->font();
    font.setPointSizeF(largest);
    while (font.pointSizeF() > smallest && QFontMetrics(font).horizontalAdvance(caption) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
}

} // namespace

void BarForm::setKeyFace(int i, const QString& caption, const QPixmap& picture) {
    KeyButton* button = key(i);
    if (!caption.isEmpty())
        fitCaption(button, caption);
    button->setText(caption);
    button->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
    button->setToolButtonStyle(picture.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void BarForm::setKeyToolTip(int i, const QString& text) {
    key(i)->setToolTip(text);
}

bool BarForm::showFace(int i, KeyRecord& key, const std::filesystem::path& dataFolder,
                       const IconLoader& smallIcon) {
    const std::int16_t index = key.iconIndex;
    if (index >= 1 && index <= 998) {
        const QPixmap picture = smallIcon(iconFilePath(dataFolder, i));
        setKeyFace(i, QString(), picture);
        return !picture.isNull();
    }
    if (index == 0) {
        key.caption.trimInPlace();
        const std::string caption =
            texts_ ? texts_->textOf(key, i, KeyTextField::Caption) : key.caption.text();
        setKeyFace(i, caption.empty() ? QString::number(i + 1) : QString::fromStdString(caption),
                   QPixmap());
        return true;
    }
    if (index == targetIconIndex) {
        key.target.trimInPlace();
        const QPixmap picture = smallIcon(iconSourcePath(key.target.text()));
        setKeyFace(i, QString(), picture);
        return !picture.isNull();
    }
    return true; // any other value keeps the face as it is
}

void BarForm::showToolTipAndShutdownBlue(int i, KeyRecord& key) {
    key.toolTip.trimInPlace();
    key.target.trimInPlace();
    const std::string shown =
        texts_ ? texts_->textOf(key, i, KeyTextField::ToolTip) : key.toolTip.text();
    setKeyToolTip(i, showsShutdownToolTip(key.target.text(), shown)
                         ? translate(textContext, shutdownToolTip)
                         : QString::fromStdString(shown));
    if (isShutdownTarget(key.target.text()))
        setKeyColour(i, 0x0000FF);
}

bool BarForm::showColour(int i, float backColor) {
    const auto colour = colourValueOf(backColor);
    if (colour)
        setKeyColour(i, paintedRgb(*colour));
    return colour.has_value();
}

void BarForm::setKeyColour(int i, std::uint32_t rgb) {
    key(i)->setColour(rgb);
}

void BarForm::setSoundAndDoubleClick(bool soundOn, bool doubleClickMode) {
    soundOn_ = soundOn;
    doubleClickMode_ = doubleClickMode;
}

void BarForm::setWindowState(const BarWindowState& state) {
    const double height = state_.height;
    state_ = state;
    state_.height = height;
    area_ = context_.screen();
    screenWidth_ = storedWidthOf(area_);
    applyState();
}

void BarForm::setKeepOpen(bool on) {
    check1_->setChecked(on);
}

void BarForm::layOut(const LayoutVariant& variant, const LayoutInput& in) {
    // The rows' rules measure the window's top from the top of the area.
    const double areaTop = context_.screen().top;
    geometry_.windowTop = state_.top - areaTop;
    geometry_.windowHeight = state_.height;
    layoutRows(variant, in, geometry_);
    state_.top = geometry_.windowTop + areaTop;
    state_.height = geometry_.windowHeight;
    applyLayout();
    applyState();
}

bool BarForm::moveToArea(ScreenSize now) {
    if (now == area_)
        return false;
    followArea(state_, side_, area_, now);
    area_ = now;
    screenWidth_ = storedWidthOf(now);
    return true;
}

void BarForm::dock() {
    dockToSide(state_, side_, screenWidth_, context_.screen());
    applyState();
}

void BarForm::finishStartUp() {
    label4_->hide();
}

// The keys' places become device pixels in one rounding for all of them (keyPixels), so that
// keys are equally wide and evenly spaced at any scale; each key widget covers its pixels.
void BarForm::applyLayout() {
    const double scale = devicePixelRatioF();
    placedScale_ = scale;
    const std::vector<KeyPlace> places(geometry_.keys.begin(),
                                       geometry_.keys.begin() + std::ptrdiff_t(keyButtons_.size()));
    const std::vector<DeviceRect> pixels = keyPixels(places, scale / platform::twipsPerPixel());
    for (std::size_t i = 0; i < keyButtons_.size(); ++i) {
        const DeviceRect& face = pixels[i];
        const DeviceRect cover = logicalCover(face, scale);
        keyButtons_[i]->setGeometry(cover.left, cover.top, cover.width, cover.height);
        keyButtons_[i]->setFacePixels(QRect(face.left, face.top, face.width, face.height));
    }
    update();
}

void BarForm::showKeyAt(int i, const KeyPlace& place) {
    const double scale = devicePixelRatioF();
    const DeviceRect face = keyPixels({place}, scale / platform::twipsPerPixel()).front();
    const DeviceRect cover = logicalCover(face, scale);
    KeyButton* button = key(i);
    button->setGeometry(cover.left, cover.top, cover.width, cover.height);
    button->setFacePixels(QRect(face.left, face.top, face.width, face.height));
}

double BarForm::monitorScale() const {
    return context_.scale ? context_.scale() : 1.0;
}

void BarForm::followScale() {
    if (devicePixelRatioF() != placedScale_) {
        applyLayout();
        // Qt turns the outline into device pixels when it is set, and setting the same one
        // again does nothing: it is cleared first so that it covers the new pixels.
        clearMask();
        applyState();
    }
    const double now = monitorScale();
    const bool remake = picturesOutOfScale(picturesScale_, now);
    picturesScale_ = now;
    if (remake)
        remakePictures();
}

// The window taken to a monitor of another scale hears it here.
bool BarForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ScreenChangeInternal)
        followScale();
    return handled;
}

QRegion BarForm::shapeRegion() const {
    if (state_.shape == WindowShape::Handle)
        return QRegion(drawing.pixels(outerCircle), QRegion::Ellipse);
    QRegion region;
    for (const ShapeRect& s : geometry_.shapes)
        region += toPixels(s.left, s.top, s.width, s.height);
    return region;
}

// The window's place, size and outline are set here only, from the state in twips.
void BarForm::applyState() {
    setGeometry(toPixels(state_.left, state_.top, state_.width, state_.height));
    setMask(shapeRegion());
    update();
}

namespace {

// The device pixels of a region of logical pixels, each rectangle scaled and rounded as Qt
// scales the window's mask, so that what is painted is what the mask leaves.
QRegion devicePixels(const QRegion& logical, double scale) {
    QRegion device;
    for (const QRect& r : logical)
        device +=
            QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale).toRect();
    return device;
}

// One background for the union of the rows, with a line along its upper and left edges, drawn
// on whole device pixels so that it stays sharp at fractional scales.
void paintRows(QPainter& painter, const QRegion& rows, double scale) {
    const QRegion device = devicePixels(rows, scale);
    const int line = std::max(1, static_cast<int>(std::lround(scale)));
    const QRegion inside = device & device.translated(line, 0) & device.translated(0, line) &
                           device.translated(line, line);
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale));
    for (const QRect& r : inside)
        painter.fillRect(r, rowBackground);
    for (const QRect& r : device - inside)
        painter.fillRect(r, rowBorder);
    painter.restore();
}

} // namespace

void BarForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (state_.shape == WindowShape::WholeBar)
        paintRows(painter, shapeRegion(), devicePixelRatioF());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(handleOuter.darker(140), 1));
    painter.setBrush(handleOuter);
    painter.drawEllipse(QRectF(drawing.pixels(outerCircle)).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(QPen(handleRing, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(drawing.pixels(innerRing));
    painter.setPen(Qt::NoPen);
    painter.setBrush(handleDot);
    painter.drawEllipse(drawing.pixels(centreDot));
}

void BarForm::apri() {
    ombrix::apri(state_, side_, screenWidth_, context_.screen());
    applyState();
}

void BarForm::Label5_Click() {
    apri();
}

void BarForm::Form_DblClick() {
    if (doubleClickMode_)
        apri();
}

void BarForm::Form_MouseMove(double xTwips, double yTwips, Qt::MouseButtons buttons) {
    const BarWindowState before = state_;
    const MouseState mouse{xTwips, yTwips, buttons == Qt::NoButton, buttons == Qt::LeftButton};
    dragStep(state_, grabPoint_, mouse, side_, screenWidth_, context_.screen());
    if (crossesMonitors() && mouse.leftButtonOnly && state_.closed())
        crossToScreenUnder(before.left + xTwips, before.top + yTwips);
    if (state_.left != before.left || state_.top != before.top) {
        draggedDuringPress_ = buttons != Qt::NoButton;
        applyState();
    }
}

// The handle dragged onto another monitor docks there, to the same side, where the pointer
// holds it; that monitor becomes the bar's.
void BarForm::crossToScreenUnder(double x, double y) {
    if (!context_.screens)
        return;
    const std::vector<DockScreen> screens = context_.screens();
    const int current = dockedScreen(screens, context_.preferences->monitor());
    const int target = screenUnderPointer(screens, current, x, y);
    if (target < 0)
        return;
    if (!context_.preferences->setMonitor(screens[static_cast<std::size_t>(target)].name))
        return; // the bar stays where its stored monitor would put it at the next start
    state_.left = x - grabPoint_.x;
    state_.top = y - grabPoint_.y;
    area_ = context_.screen();
    screenWidth_ = storedWidthOf(area_);
    dockToSide(state_, side_, screenWidth_, area_);
    followScale();
}

void BarForm::Label1_Click(int index) {
    playClick();
    side_ = static_cast<Side>(index + 1);
    dock();
    if (!context_.preferences->setSide(static_cast<std::int16_t>(index + 1)))
        context_.desktop->warn(
            this, translate("Ombrix", "The side could not be stored in the settings file."));
}

void BarForm::Label3_DblClick() {
    playYes();
    Form_Unload();
    context_.quit();
}

void BarForm::Command2_Click(int index) {
    playYes();
    KeyRecord& key = keyRecord(index);
    key.target.trimInPlace();
    key.argument.trimInPlace();
    const auto action = planKeyPress(key.target.text(), key.argument.text(), keyPressRules());
    if (platform::carryOut(action, *context_.desktop, this, key.target.text()))
        closeAfterKey();
}

// A used key closes the bar unless it is kept open; the handle goes back against its side.
void BarForm::closeAfterKey() {
    if (check1_->isChecked())
        return;
    closeBar(state_, side_, context_.screen());
    applyState();
}

void BarForm::Form_Unload() {}

KeyRecord& BarForm::keyRecord(int index) {
    return keys_.at(static_cast<std::size_t>(index));
}

QFont BarForm::smallFont(const QFont& base) {
    QFont small = base;
    small.setPointSizeF(7);
    return small;
}

void BarForm::playYes() {
    if (soundOn_ && context_.sounds)
        context_.sounds->playYes();
}

void BarForm::playClick() {
    if (soundOn_ && context_.sounds)
        context_.sounds->playClick();
}

void BarForm::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    Form_MouseMove(platform::toTwips(1) * p.x(), platform::toTwips(1) * p.y(), event->buttons());
}

void BarForm::mouseDoubleClickEvent(QMouseEvent*) {
    Form_DblClick();
}

void BarForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool BarForm::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    const bool doubleClick = type == QEvent::MouseButtonDblClick;
    if (watched == label5_) {
        if (type == QEvent::MouseMove) {
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
            return true;
        }
        if (press)
            draggedDuringPress_ = false;
        // The second press of a double click belongs to the click already made.
        if (doubleClick)
            draggedDuringPress_ = true;
        // A press that dragged the handle is a move, not a click.
        if (release && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            !draggedDuringPress_ &&
            label5_->rect().contains(static_cast<QMouseEvent*>(event)->pos()))
            Label5_Click();
        return press || release || doubleClick;
    }
    if (watched == label3_) {
        if (doubleClick)
            Label3_DblClick();
        return press || release || doubleClick;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched == label1_[i]) {
            if (release && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                Label1_Click(i);
            return press || release || doubleClick;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ombrix
