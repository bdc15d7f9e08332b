#include "views/ui/AiWindowSupport.h"

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
