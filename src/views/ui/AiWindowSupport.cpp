#include "views/ui/AiWindowSupport.h"

#include "bus/AccessPoint.h"
#include "model/CustomZUVOChannel.h"
#include "model/ZUVOModule.h"
#include "shell/Dm.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

void ShowMessage(QWidget* Parent, const TMessageHook& Hook, const QString& Text) {
    if (Hook) {
        Hook(Text);
        return;
    }
    QMessageBox::warning(Parent, Parent ? Parent->windowTitle() : QString(), Text);
}

void SetTextColour(QWidget* Widget, const QColor& Colour) {
    QPalette p = Widget->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::WindowText, Colour);
        p.setColor(g, QPalette::ButtonText, Colour);
        p.setColor(g, QPalette::Text, Colour);
    }
    Widget->setPalette(p);
}

void ResetTextColour(QWidget* Widget) {
    Widget->setPalette(QPalette());
}

TBusyCursor::TBusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor() {
    QApplication::restoreOverrideCursor();
}

quint32 CurrentTypeCode(const TDm& Dm) {
    return Dm.CurrentDevice ? Dm.CurrentDevice->TypeCode : 0xFFFF;
}

bool ChannelIdle(bool Busy, const TCustomZUVOChannel* Channel) {
    if (Busy)
        return false;
    const TAccessPoint* ap = Channel && Channel->Module() ? Channel->Module()->AP() : nullptr;
    return !ap || !ap->Busy();
}
