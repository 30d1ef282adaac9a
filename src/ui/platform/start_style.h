// The platform's own widget style, with one icon fetched when first drawn.
#pragma once

class QStyle;

namespace ign::ui {

// To be made the application's style before the first window is built; null
// where the platform's style cannot be made a second time.
// Every drawing goes to the style the platform chose; only the overflow
// button of a menu bar, which a window as wide as ours never shows, fetches
// its icon when it is first painted instead of while the menu bar is built:
// that fetch, the first icon file of a run, looks through Qt's icon and image
// plugins and cost the start about 0.8 ms, a tenth of a bare window's start.
QStyle* makeStartStyle();

}  // namespace ign::ui
