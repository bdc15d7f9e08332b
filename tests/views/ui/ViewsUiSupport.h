#pragma once

#include "localization/Localization.h"
#include "platform/Ticks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

// Modal windows run their own event loop; a test acts on them from timers. The next modal window of
// type T that becomes active gets Action; polled, since it opens inside another window's loop.
template <class T> void WhenModal(std::function<void(T*)> Action, int Tries = 500) {
    QTimer::singleShot(5, [Action, Tries] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()); w && w->isVisible()) {
            Action(w);
            return;
        }
        if (Tries > 0)
            WhenModal<T>(Action, Tries - 1);
    });
}

// Runs events until Done or a generous safety limit; no assertion depends on the time it took.
template <class Pred> bool RunUntil(Pred Done, int LimitMs = 8000) {
    const quint64 start = TickCount();
    while (!Done()) {
        if (TickCount() - start > quint64(LimitMs))
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        SleepMs(1);
    }
    return true;
}

// Every test leaves the program in English.
struct TEnglishAfterwards {
    ~TEnglishAfterwards() { SetCurrentLanguage(liEnglish); }
};

// The texts of the window's labels, buttons and lists that do not get the room they need; empty when
// every text shows whole.
inline QStringList CutTexts(QWidget* Window) {
    QStringList cut;
    for (QWidget* w : Window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(Window))
            continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            text = c->currentText();
        else
            continue;
        if (text.isEmpty())
            continue;
        if (w->width() < w->minimumSizeHint().width() || w->width() < w->sizeHint().width())
            cut << QStringLiteral("%1 (%2 < %3)").arg(text).arg(w->width()).arg(w->sizeHint().width());
    }
    return cut;
}
