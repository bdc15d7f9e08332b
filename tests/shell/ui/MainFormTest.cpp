#include "shell/ui/MainForm.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

TEST(MainForm, OpensAndClosesCleanly) {
    QPointer<TMainForm> form = new TMainForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ZUVO Dovuvavarovod"));
    EXPECT_TRUE(form->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

} // namespace
