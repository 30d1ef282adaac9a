// The platform's own widget style, with one icon fetched when first drawn and
// the colour-coded buttons in their colours.
#pragma once

class QStyle;

namespace ign::ui {

// To be made the application's style before the first window is built; null
// where the platform's style cannot be made a second time.
// Every drawing goes to the style the platform chose, but for two things. The
// overflow button of a menu bar, which a window as wide as ours never shows,
// fetches its icon when it is first painted instead of while the menu bar is
// built: that fetch, the first icon file of a run, looks through Qt's icon and
// image plugins and cost the start about 0.8 ms, a tenth of a bare window's
// start. And a push button given a colour of its own is drawn by Qt's Fusion
// style, in that colour: Windows' own styles draw every push button in the
// system theme's colours whatever its palette says, and the window's buttons
// are colour-coded.
QStyle* makeStartStyle();

// The same over the given platform style, which it takes.
QStyle* makeStartStyle(QStyle* platformStyle);

}  // namespace ign::ui
