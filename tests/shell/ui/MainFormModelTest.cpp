// The application context's templates of the analog input models, and the language the channels
// report their errors in, as the main window applies it.
#include "localization/Localization.h"
#include "model/ChannelTexts.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/Dm.h"
#include "shell/ui/MainForm.h"
#include "support/LanguageRestored.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DmTemplates, AnalogInputModelsHaveTheirTemplates) {
    TDm dm;
    TZUVOModule* aik = dm.TemplateFor(0);
    ASSERT_NE(aik, nullptr);
    EXPECT_EQ(aik->ClassName(), QStringLiteral("TKVDAIKBUS"));
    EXPECT_EQ(dm.TemplateFor(20), aik);
    EXPECT_EQ(dm.TemplateFor(31), aik);
    EXPECT_EQ(aik->AnalogInputCount(), 4);
    EXPECT_EQ(aik->ByteOrder(), boNAN);
    for (quint16 type : {1, 15, 24, 25, 28, 29, 37, 41, 42, 65, 68, 72}) {
        ASSERT_NE(dm.TemplateFor(type), nullptr) << type;
        EXPECT_GT(dm.TemplateFor(type)->AnalogInputCount(), 0) << type;
    }
    EXPECT_EQ(dm.TemplateFor(25)->AnalogInput(12), nullptr);

    // The current device's template is pointed at it, with its inputs on the same engine.
    TDeviceProps props;
    props.Address = 9;
    props.TypeCode = 25;
    props.Protocol = tpModbus;
    dm.CurrentAccessPoint = &dm.ComAccessPoint;
    dm.CurrentDevice = &props;
    dm.TemplateFor(25)->Modified = true;
    dm.SelectCurrentModule();
    ASSERT_EQ(dm.CurrentModule, dm.TemplateFor(25));
    EXPECT_EQ(dm.CurrentModule->Address(), 9);
    EXPECT_EQ(dm.CurrentModule->TransferProtocol(), tpModbus);
    EXPECT_FALSE(dm.CurrentModule->Modified);
    EXPECT_EQ(dm.CurrentModule->AnalogInput(11)->Accessor.Module, &dm.CurrentModule->NerixModule());
    dm.CurrentDevice = nullptr;
}

TEST(MainFormLanguage, ChannelErrorsFollowTheChosenLanguage) {
    const TLanguageRestored restored;
    QTemporaryDir folder;
    TOptionsDm options(folder.path());
    options.AdminOptions()->SetLanguageID(liUkrainian);
    TDm dm;
    {
        TMainForm form(dm, *options.AdminOptions());
        form.FormActivate();
        EXPECT_EQ(ChannelTexts().ReadPolynomial,
                  QStringLiteral("Помилка під час зчитування полінома користувача"));
        form.SetLanguage(liEnglish);
        EXPECT_EQ(ChannelTexts().ReadPolynomial, QStringLiteral("Error reading the user polynomial"));
    }
}

} // namespace
