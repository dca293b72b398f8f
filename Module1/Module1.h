#pragma once

// Thin wrappers over what the platform does for a window: keep it above all
// others, and ask for the path of a file to write.

class QWidget;

namespace Module1 {

// Puts a window into the window manager's always-on-top band, or takes it
// back out, without hiding, moving or resizing it.
void SetTopmost(QWidget* window, bool on);

}  // namespace Module1
