#include "platform/ui/DialogTitle.h"

#include <QFontMetrics>
#include <QLayout>
#include <QWidget>

#include <algorithm>

namespace {

// A layout and every layout nested in it forget their cached sizes.
void InvalidateAll(QLayout* Layout) {
    for (int i = 0; i < Layout->count(); ++i)
        if (QLayout* nested = Layout->itemAt(i)->layout())
            InvalidateAll(nested);
    Layout->invalidate();
}

} // namespace

void FitToTitle(QWidget* Window) {
    // Title bars usually use a bold face slightly larger than the dialog's; the margin also pays for
    // the window icon and the close (and maybe minimise and maximise) buttons.
    QFont font = Window->font();
    font.setBold(true);
    constexpr int kFrameRoom = 150;
    int need = QFontMetrics(font).horizontalAdvance(Window->windowTitle()) * 11 / 10 + kFrameRoom;
    // An explicit minimum width takes the place of the one the window's layout would set, so it must
    // hold the layout's contents too, or the window could be made narrower than its texts.
    if (QLayout* layout = Window->layout()) {
        // Texts changed while the window is hidden reach the outer layouts only when it is shown;
        // every widget is asked afresh so the minimum is that of the new texts.
        for (QWidget* w : Window->findChildren<QWidget*>()) {
            w->updateGeometry();
            if (w->layout())
                InvalidateAll(w->layout());
        }
        InvalidateAll(layout);
        need = std::max(need, layout->totalMinimumSize().width());
    }
    if (Window->minimumWidth() < need)
        Window->setMinimumWidth(need);
}
