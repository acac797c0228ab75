#pragma once

namespace ombrix {

class BarForm;
class Form1;

// What a screen reader meets on the bar windows, set in this one place: every control named
// as a person would say it, the coloured labels and the handle as buttons whose "Press" does
// what their click does, and every key named by its caption, its pop-up text or its number.
void makeBarAccessible(BarForm& bar);
// The bar program's own controls besides: "ins." and the see-through box.
void makeBarAccessible(Form1& bar);

} // namespace ombrix
