#include "Module1.h"

#include <QWidget>
#include <QWindow>

namespace Module1 {

void SetTopmost(QWidget* window, bool on) {
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || !window->isVisible()) {
        // Not on screen yet: the flag goes with the window when it is shown.
        window->setWindowFlags(flags);
        return;
    }
    // QWidget::setWindowFlags would hide a shown window; the native window
    // takes the hint in place (on X11 as _NET_WM_STATE_ABOVE), and the widget
    // is told of it without a round trip through the window system.
    handle->setFlags(flags);
    window->overrideWindowFlags(flags);
}

}  // namespace Module1
