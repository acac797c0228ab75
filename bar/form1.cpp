#include "bar/form1.h"

#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/screen.h"

namespace ombrix {

using platform::toPixels;

Form1::Form1(BarContext context, QWidget* parent) : BarForm(std::move(context), parent) {
    command1_ = new QPushButton(QStringLiteral("ins."), this);
    command1_->setGeometry(toPixels(1080, 30, 375, 300));
    command1_->setToolTip(
        QStringLiteral("Apre la finestra di personalizzazione/Open the personalization window"));
    command1_->setFocusPolicy(Qt::NoFocus);
    command1_->setFont(smallFont(font()));
    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);

    check2_ = new QCheckBox(QStringLiteral("Check2"), this);
    check2_->setGeometry(toPixels(360, 200, 135, 255));
    check2_->setFocusPolicy(Qt::NoFocus);
    connect(check2_, &QCheckBox::clicked, this, &Form1::Check2_Click);
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
    const auto tune = context_.programFolder / "tune";
    if (!fileExists(tune)) {
        context_.desktop->warn(this, QStringLiteral("The setup program is missing: %1")
                                         .arg(QString::fromStdString(tune.string())));
        return;
    }
    const int error =
        context_.desktop->startProgram(tune.string(), {}, context_.programFolder.string());
    if (error != 0) {
        context_.desktop->warn(this, QString::fromStdString(errorMessage(error)));
        return;
    }
    Form_Unload();
    context_.quit();
}

void Form1::Check2_Click() {
    transparentBack_ = check2_->isChecked();
    context_.preferences->setTransparentBack(transparentBack_);
    layoutRows();
    // The rows are re-cut on the open bar; a closed bar keeps its round handle.
    state_.shape = state_.closed() ? WindowShape::Handle : WindowShape::WholeBar;
    applyState();
}

void Form1::Timer1_Timer() {
    if (!followScreenWidth(state_, screenWidth_, context_.screen()))
        return;
    layoutRows();
    apri();
}

void Form1::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Preferences& prefs = *context_.preferences;
    prefs.setLeft(static_cast<float>(state_.left));
    prefs.setTop(static_cast<float>(state_.top));
    prefs.setWidth(keepOpenBox()->isChecked() ? static_cast<float>(state_.width) : closedWidth);
}

} // namespace ombrix
