// The decimal separator of the user's regional settings, as the core takes
// it: one byte.
#pragma once

namespace ign::ui {

// The user's separator when it is one printable ASCII character, otherwise the
// full stop: the table source is written byte by byte.
char userDecimalSeparator();

}  // namespace ign::ui
