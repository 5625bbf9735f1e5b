#pragma once

class QApplication;

// The window is laid out in pixels with fixed colours, so the application brings its own
// style, palette and font: whatever the desktop, QT_STYLE_OVERRIDE or a dark theme says, the
// window, its menus, message boxes and file dialogs look the same everywhere.
void UseFixedLook(QApplication& application);
