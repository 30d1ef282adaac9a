// Windows of which at most one is open at a time: asking again brings the
// open one to the front instead of making a second.
#pragma once

#include <QPointer>

namespace ign::ui {

template <class Window, class Make> Window* showSingleWindow(QPointer<Window>& open, Make make)
{
    if (!open)
        open = make();
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

}  // namespace ign::ui
