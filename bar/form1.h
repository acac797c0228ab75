#pragma once

#include "bar/barform.h"

namespace ombrix {

// The bar program's window: the bar window with the setup button "ins.", the see-through
// option Check2, and the handlers that open, close, dock and remember the bar.
class Form1 : public BarForm {
    Q_OBJECT

public:
    explicit Form1(BarContext context, QWidget* parent = nullptr);

    void setTransparentBack(bool on);
    void layoutRows();

    void Command1_Click();
    void Check2_Click();
    void Timer1_Timer() override;
    void Form_Unload() override;

    QCheckBox* transparentBox() const { return check2_; }
    QPushButton* setupButton() const { return command1_; }

private:
    LayoutInput layoutInput() const;

    bool transparentBack_ = false;
    bool unloaded_ = false;
    QPushButton* command1_ = nullptr;
    QCheckBox* check2_ = nullptr;
};

} // namespace ombrix
