#pragma once

namespace dialogs {

// v rounded to single precision, for the values that dialogs keep from one button press to the
// next. Defined out of line on purpose: g++ 12.2 at -O2 pairs the two conversions of an (X, Y)
// point with its SLP vectorizer and then passes the unrounded doubles on, so a plain
// static_cast<float> beside its twin can silently do nothing.
[[nodiscard]] float toSingle(double v);

}  // namespace dialogs
