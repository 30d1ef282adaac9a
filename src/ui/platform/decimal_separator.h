// The decimal separator of the user's regional settings, one rule for every
// number the window writes: the listing and the reading boxes.
#pragma once

namespace ign::ui {

// The user's separator when it is one printable ASCII character, otherwise the
// full stop: the table source is written byte by byte.
char userDecimalSeparator();

}  // namespace ign::ui
