#include "platform/ui/DialogTitle.h"

#include <QFontMetrics>
#include <QWidget>

void FitToTitle(QWidget* Window) {
    // Title bars usually use a bold face slightly larger than the dialog's; the margin also pays for
    // the window icon and the close (and maybe minimise and maximise) buttons.
    QFont font = Window->font();
    font.setBold(true);
    constexpr int kFrameRoom = 150;
    const int need = QFontMetrics(font).horizontalAdvance(Window->windowTitle()) * 11 / 10 + kFrameRoom;
    if (Window->minimumWidth() < need)
        Window->setMinimumWidth(need);
}
