#pragma once

class QWidget;

// Makes a window at least as wide as its title needs, with room for the frame's icon and buttons,
// so that a window manager does not cut a short dialog's caption, and at least as wide as its
// layout's contents. Call it after every change of the title and the texts (language changes
// included).
void FitToTitle(QWidget* Window);
