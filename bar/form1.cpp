#include "bar/form1.h"
#include "platform/translation.h"

#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/graphemes.h"
#include "platform/launchnotice.h"
#include "platform/screen.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace ombrix {

using platform::toPixels;

namespace {

// What a drag carries, as the bar reads it: the files and addresses of a uri-list, else its
// plain text.
std::vector<DropItem> dropItemsOf(const QMimeData& mime) {
    std::vector<DropItem> items;
    if (mime.hasUrls()) {
        for (const QUrl& url : mime.urls()) {
            if (url.isLocalFile())
                items.push_back({DropItem::Form::LocalFile, url.toLocalFile().toStdString()});
            else
                items.push_back({DropItem::Form::Address, url.toEncoded().toStdString()});
        }
    } else if (mime.hasText()) {
        items.push_back({DropItem::Form::Text, mime.text().toStdString()});
    }
    return items;
}

// The bar only reads what is dropped: it asks for a link, else a copy, and never for a move,
// which would have the source delete its file.
bool acceptWithoutMove(QDropEvent* event) {
    const Qt::DropActions offered = event->possibleActions();
    if (offered & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else if (offered & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

Form1::Form1(BarContext context, QWidget* parent) : BarForm(std::move(context), parent) {
    useKeyTexts(&texts_);
    command1_ = new QPushButton(translate("Ombrix", "ins."), this);
    command1_->setGeometry(toPixels(1080, 30, 375, 300));
    command1_->setToolTip(translate(
        "Ombrix", "Apre la finestra di personalizzazione/Open the personalization window"));
    command1_->setFocusPolicy(Qt::NoFocus);
    command1_->setFont(smallFont(font()));
    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);

    check2_ = new QCheckBox(QStringLiteral("Check2"), this);
    check2_->setGeometry(toPixels(360, 200, 135, 255));
    check2_->setFocusPolicy(Qt::NoFocus);
    // Its design place reaches into the round handle; the handle stays whole.
    check2_->setMask(
        QRegion(check2_->rect()) -
        QRegion(toPixels(0, 0, 400, 400), QRegion::Ellipse).translated(-check2_->pos()));
    connect(check2_, &QCheckBox::clicked, this, &Form1::Check2_Click);

    setAcceptDrops(true);
    dragOpenTimer_.setSingleShot(true);
    dragOpenTimer_.setInterval(dragOpenDelayMs);
    connect(&dragOpenTimer_, &QTimer::timeout, this, [this] {
        if (!state_.closed())
            return;
        apri();
        openedByDrag_ = true;
        draggedOverOpenBar_ = shapeRegion().contains(mapFromGlobal(dragAt_));
    });
    makeArrangingControls();
}

void Form1::setKeyStore(KeyStore store, IconLoader smallIcon) {
    store_ = std::move(store);
    smallIcon_ = std::move(smallIcon);
}

void Form1::setTransparentBack(bool on) {
    transparentBack_ = on;
    check2_->setChecked(on);
}

LayoutInput Form1::layoutInput() const {
    const ScreenSize screen = context_.screen();
    LayoutInput in;
    in.keyCount = static_cast<float>(keyCount());
    in.lastKey = keyCount() - 1;
    in.barLength = static_cast<float>(keyCount()) * keyPitch + 2020;
    in.screenWidth = screenWidth_;
    in.transparentBack = transparentBack_;
    in.screenWidthNow = screen.width;
    in.screenHeightNow = screen.height;
    return in;
}

void Form1::layoutRows() {
    geometry_.shapes[0].width = static_cast<float>(keyCount()) * keyPitch + 2020;
    layOut(barLayout(), layoutInput());
}

void Form1::Command1_Click() {
    playClick();
    startSetup({});
}

void Form1::startSetup(const std::vector<std::string>& arguments) {
    const auto tune = context_.programFolder / "tune";
    if (!fileExists(tune)) {
        context_.desktop->warn(this, translate("Ombrix", "The setup program is missing: %1")
                                         .arg(QString::fromStdString(tune.string())));
        return;
    }
    platform::LaunchNotice notice(QStringLiteral("tune"), translate("Ombrix", "Ombrix Setup"));
    const int error =
        context_.desktop->startProgram(tune.string(), arguments, context_.programFolder.string());
    if (error != 0) {
        notice.cancel();
        context_.desktop->warn(this, platform::startFailure(tune.string(), error));
        return;
    }
    Form_Unload();
    context_.quit();
}

void Form1::Check2_Click() {
    transparentBack_ = check2_->isChecked();
    if (!context_.preferences->setTransparentBack(transparentBack_))
        context_.desktop->warn(
            this, translate("Ombrix",
                            "The see-through choice could not be stored in the settings file."));
    layoutRows();
    // The rows are re-cut on the open bar; a closed bar keeps its round handle.
    state_.shape = state_.closed() ? WindowShape::Handle : WindowShape::WholeBar;
    applyState();
}

// A change of the monitors: the bar re-docks at once to its side of its area, keeping its
// place along the side, open or closed as it was.
void Form1::Timer1_Timer() {
    followScale();
    if (!moveToArea(context_.screen()))
        return;
    layoutRows();
    dock();
}

void Form1::remakePictures() {
    for (int i = 0; i < keyCount() && i < static_cast<int>(keys().size()); ++i)
        if (keys()[static_cast<std::size_t>(i)].iconIndex != 0)
            showFace(i, keys()[static_cast<std::size_t>(i)], context_.dataFolder, smallIcon_);
}

void Form1::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Preferences& prefs = *context_.preferences;
    // The program is ending: a place that cannot be stored only means that the next start
    // shows the bar where the settings last put it, and a box now would hold up the quit.
    // The place is kept from the area's corner, with the area's size, so that the next start
    // finds the same spot on a monitor that has moved, grown or changed its scale.
    const StoredPlace place =
        storedPlaceOf(state_, area(),
                      keepOpenBox()->isChecked() ? static_cast<float>(state_.width) : closedWidth);
    (void)prefs.setPlace(place);
}

int Form1::keyAt(QPoint at) const {
    for (int i = 0; i < keyCount(); ++i) {
        if (key(i)->isVisible() && key(i)->geometry().contains(at))
            return i;
    }
    return -1;
}

DropOutcome Form1::dropOutcomeAt(QPoint at) {
    if (state_.closed())
        return DropOutcome::Refused; // the handle only opens the bar
    const auto index = static_cast<std::size_t>(keyAt(at));
    return dropOutcome(dragged_, index < keys().size() ? &keys()[index] : nullptr);
}

// Said on every move, so the pointer shows at once whether letting go would do anything.
void Form1::answerDrag(QDropEvent* event) {
    dragAt_ = mapToGlobal(event->position().toPoint());
    const bool usable = std::any_of(dragged_.begin(), dragged_.end(), [](const auto& thing) {
        return thing.kind != DropKind::Unusable && thing.kind != DropKind::Folder;
    });
    if (usable && state_.closed() && !dragOpenTimer_.isActive())
        dragOpenTimer_.start();
    if (dropOutcomeAt(event->position().toPoint()) == DropOutcome::Refused ||
        !acceptWithoutMove(event))
        event->ignore();
}

// Only a drag taken on entering goes on to send its moves and its drop here; each move then
// says whether a drop at its place is wanted.
void Form1::dragEnterEvent(QDragEnterEvent* event) {
    dragged_ = sortOut(dropItemsOf(*event->mimeData()));
    if (dragged_.empty() || !acceptWithoutMove(event))
        event->ignore();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    if (!state_.closed())
        draggedOverOpenBar_ = true;
    answerDrag(event);
}

// Opening can take the bar from under the pointer (a handle docked right or far along the
// top opens a strip that starts at the left edge): that leave is the bar's own doing. Only a
// drag that has been over the open bar (when it opened, or moving since) and leaves it closes
// it again.
void Form1::dragLeaveEvent(QDragLeaveEvent*) {
    const bool close = openedByDrag_ && draggedOverOpenBar_;
    const bool stillOpenedByDrag = openedByDrag_ && !draggedOverOpenBar_;
    endDrag();
    openedByDrag_ = stillOpenedByDrag;
    if (close && !state_.closed())
        apri();
}

void Form1::endDrag() {
    dragOpenTimer_.stop();
    dragged_.clear();
    openedByDrag_ = false;
}

namespace {

// A dropped thing's new key, with the texts its record cannot hold (an entry's name in
// another script) kept as found in `texts`, at index `j` of the new keys.
KeyRecord keptAsFound(const DroppedThing& thing, int j, KeyTexts& texts) {
    KeyRecord key = *thing.newKey;
    if (const FieldText caption = platform::typedField(QString::fromStdString(thing.caption),
                                                       decltype(KeyRecord::caption)::width);
        !caption.exact()) {
        key.caption.assign(caption.stored);
        texts.keep(j, KeyTextField::Caption, caption);
    }
    if (const FieldText toolTip = platform::typedField(QString::fromStdString(thing.toolTip),
                                                       decltype(KeyRecord::toolTip)::width);
        !toolTip.exact()) {
        key.toolTip.assign(toolTip.stored);
        texts.keep(j, KeyTextField::ToolTip, toolTip);
    }
    return key;
}

} // namespace

// The work is done once the drop has been answered, so that a message box never keeps the
// program the drag came from waiting.
void Form1::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    const DropOutcome outcome = dropOutcomeAt(at);
    const bool openedByThisDrag = openedByDrag_;
    std::vector<DroppedThing> things = std::move(dragged_);
    endDrag();
    if (outcome == DropOutcome::Refused || !acceptWithoutMove(event)) {
        event->ignore();
        if (openedByThisDrag && !state_.closed())
            apri();
        return;
    }
    if (outcome == DropOutcome::AddKeys) {
        std::vector<KeyRecord> added;
        KeyTexts addedTexts;
        for (const DroppedThing& thing : things)
            added.push_back(keptAsFound(thing, static_cast<int>(added.size()), addedTexts));
        QTimer::singleShot(0, this,
                           [this, added = std::move(added), addedTexts = std::move(addedTexts),
                            openedByThisDrag]() mutable {
                               // A refused drop leaves the bar as the drag found it.
                               if (!addDroppedKeys(std::move(added), std::move(addedTexts)) &&
                                   openedByThisDrag && !state_.closed())
                                   apri();
                           });
        return;
    }
    std::vector<std::string> files;
    for (const DroppedThing& thing : things)
        files.push_back(thing.value);
    QTimer::singleShot(0, this, [this, index = keyAt(at), files = std::move(files)]() mutable {
        openWithKey(index, std::move(files));
    });
}

bool Form1::addDroppedKeys(std::vector<KeyRecord> added, KeyTexts addedTexts) {
    AddResult result = addKeys(store_, keys(), added, addedTexts);
    if (!result.added) {
        context_.desktop->warn(this, translated(result.message));
        return false;
    }
    playClick();
    removed_.reset(); // the keys changed: a removal before is no longer undone
    // The bar shows the keys as stored now: the setup program may have saved others since
    // the bar read them.
    texts_ = std::move(result.texts);
    showStoredKeys(std::move(result.keys));
    return true;
}

void Form1::showStoredKeys(std::vector<KeyRecord> stored) {
    const int count = static_cast<int>(stored.size());
    keys() = std::move(stored);
    if (count < keyCount())
        removeKeysFrom(count);
    createKeys(count);
    for (int i = 0; i < count; ++i) {
        KeyRecord& record = keys().at(static_cast<std::size_t>(i));
        showFace(i, record, context_.dataFolder, smallIcon_);
        showToolTipAndShutdownBlue(i, record);
        showColour(i, record.backColor);
        key(i)->show();
    }
    layoutRows();
}

// As a press of the key, with the dropped files for its document.
void Form1::openWithKey(int index, std::vector<std::string> files) {
    if (index < 0 || index >= static_cast<int>(keys().size()))
        return;
    playYes();
    bool started = false;
    for (const KeyAction& action :
         documentStarts(keys().at(static_cast<std::size_t>(index)), files))
        started = platform::carryOut(action, *context_.desktop, this,
                                     keys().at(static_cast<std::size_t>(index)).target.text()) ||
                  started;
    if (started)
        closeAfterKey();
}

} // namespace ombrix
