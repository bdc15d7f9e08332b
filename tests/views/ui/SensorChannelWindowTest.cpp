// The special sensor channel windows, driven offscreen against a scripted device on a
// pseudo-terminal that keeps the channels' properties and indexed lists.
#include "views/ui/KVD_A_VIX_Form.h"

#include "ViewsUiSupport.h"
#include "localization/SensorChannelLanguage.h"
#include "model/AnalogInputModules.h"
#include "model/Ranges.h"
#include "model/SensorChannelTexts.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/SensorDevice.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <bit>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

class SensorWindows : public ::testing::Test {
protected:
    void Start(quint32 TypeCode, const char* Model) {
        ASSERT_TRUE(dev.Ok());
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        dm.Bus.SetPortName(dev.PortPath());
        dm.Bus.SetInputTimeout(60);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        device.Address = 1;
        device.BaudCode = br9600;
        device.Protocol = tpNerix;
        device.TypeCode = TypeCode;
        device.ModelName = QString::fromLatin1(Model);
        dm.CurrentDevice = &device;
        dm.CurrentChannel = 1;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
    }
    void TearDown() override { dm.ComAccessPoint.SetActive(false); }
    template <class F> void Hook(F& Form) {
        Form.OnMessage = [this](const QString& t) { messages << t; };
        Form.OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
    }

    TEnglishAfterwards english;
    TSensorDevice object; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    QStringList messages;
    std::function<int(QDialog&)> dialog;
};

// KVD-A-VIX: the input's settings on object 1, the unit's on object 2 with its four conversion
// entries behind property 6.
class AVixWindow : public SensorWindows {
protected:
    void SetUp() override {
        for (quint16 p : {16, 14, 3, 5, 2, 37, 38, 39, 4, 40, 41})
            object.Set(1, p, 0);
        object.Set(1, 1, 150);
        object.Set(2, 3, 0);
        object.Set(2, 4, 1);
        object.Set(2, 5, 9);
        object.AddList(2, 6, {7}, 4, false);
        const float range[4] = {4.0f, 20.0f, 0.0f, 100.0f};
        for (size_t i = 0; i < 4; ++i)
            object.SetEntry(2, 6, i, 0, Bits(range[i]));
        Start(15, "KVD-A-VIX");
    }
};

TEST_F(AVixWindow, OpensWithBothRangesNamedAndWritesTheNormalizationFlag) {
    TKVD_A_VIX_Form form(dm);
    Hook(form);
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.InputRangeLb->text(), RangeName(150));
    EXPECT_EQ(form.OutputRangeLb->text(), RangeName(9));
    EXPECT_TRUE(form.NormalizationCheck->isChecked());
    EXPECT_EQ(form.ConversionLb->text(), QStringLiteral("input 4 … 20  →  output 0 … 100"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Module: KVD-A-VIX. GVix protection unit"));

    form.NormalizationCheck->click();
    EXPECT_EQ(object.Get(2, 4), 0u);
    EXPECT_TRUE(dm.CurrentModule->Modified);
    // Refused: the box goes back and the unit's text is shown.
    object.SetRefuse([](bool write, quint8, quint16 p, quint32) { return write && p == 4; });
    form.NormalizationCheck->click();
    EXPECT_FALSE(form.NormalizationCheck->isChecked());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], SensorChannelTexts().GVixWriteNormalization);

    // Shown in every language, no text is cut.
    form.show();
    QStringList cut;
    for (int l = 0; l < kLanguageCount; ++l) {
        SetCurrentLanguage(Languages()[size_t(l)].Id);
        form.UpdateLanguage();
        QApplication::processEvents();
        cut << CutTexts(&form);
    }
    form.hide();
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
}

TEST_F(AVixWindow, TheConversionRangeDialogRefusesAZeroInputSpanAndReportsAFailedSave) {
    TKVD_A_VIX_Form form(dm);
    Hook(form);
    ASSERT_TRUE(form.Load());
    std::array<QString, 4> typed;
    QString shownStop;
    dialog = [&](QDialog& d) {
        auto& range = static_cast<TGVixRangeDlg&>(d);
        if (shownStop.isEmpty())
            shownStop = range.Edits[1]->text();
        for (size_t i = 0; i < 4; ++i)
            range.Edits[i]->setText(typed[i]);
        return int(QDialog::Accepted);
    };
    typed = {QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("1")};
    form.RangeBtn->click();
    EXPECT_EQ(shownStop, QStringLiteral("20"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("The input range must not be zero"));
    EXPECT_EQ(object.Entry(2, 6, 0, 0), Bits(4.0f)); // nothing was written

    typed = {QStringLiteral("0,5"), QStringLiteral("x"), QStringLiteral("0"), QStringLiteral("1")};
    form.RangeBtn->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("Input end: \"x\" is not a number"));

    typed = {QStringLiteral("0,5"), QStringLiteral("10"), QStringLiteral("-1"), QStringLiteral("1")};
    form.RangeBtn->click();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(object.Entry(2, 6, 0, 0), Bits(0.5f));
    EXPECT_EQ(object.Entry(2, 6, 2, 0), Bits(-1.0f));
    EXPECT_EQ(form.ConversionLb->text(), QStringLiteral("input 0.5 … 10  →  output -1 … 1"));

    // The device refuses the third entry: the message, and the window keeps what it knew.
    object.SetRefuse([](bool write, quint8, quint16 p, quint32 v) { return write && p == 6 && v == 2; });
    typed = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    form.RangeBtn->click();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[2], QStringLiteral("Error saving the ranges"));
    EXPECT_EQ(form.ConversionLb->text(), QStringLiteral("input 0.5 … 10  →  output -1 … 1"));
}

TEST_F(AVixWindow, AWindowWhoseReadsFailDoesNotOpenAndANestedExchangeGivesWay) {
    object.SetRefuse([](bool, quint8 o, quint16 p, quint32) { return o == 2 && p == 5; });
    TKVD_A_VIX_Form form(dm);
    Hook(form);
    EXPECT_FALSE(form.Load());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], SensorChannelTexts().GVixReadOutputRange);

    // While the output write waits for its answer, the range button and a refresh come due: both
    // give way without a word and without traffic of their own.
    object.SetRefuse({});
    ASSERT_TRUE(form.Load());
    messages.clear();
    form.OutputValueEdit->setText(QStringLiteral("7.5"));
    bool nested = false;
    bool dialogOpened = false;
    dialog = [&](QDialog&) {
        dialogOpened = true;
        return int(QDialog::Rejected);
    };
    const int before = dev.RequestCount();
    QTimer::singleShot(0, [&] {
        nested = dm.ComAccessPoint.Busy() || dm.CurrentModule->AP()->Busy();
        form.RefreshBtnClick();
        form.RangeBtnClick();
    });
    form.SetOutputBtn->click();
    EXPECT_TRUE(nested);
    EXPECT_FALSE(dialogOpened);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_EQ(dev.RequestCount(), before + 1);
    EXPECT_EQ(object.Get(2, 3), Bits(7.5f));

    // Ukrainian: the texts change with the language.
    SetCurrentLanguage(liUkrainian);
    form.UpdateLanguage();
    EXPECT_EQ(form.CloseBtn->text(), KVD_A_VIX_FormLanguage().Texts(liUkrainian).Close);
}

TEST(SensorWindowTables, EveryLanguageIsComplete) {
    for (const TTableReport& r : CheckSensorChannelLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(QStringLiteral("; ")).toStdString();
}

} // namespace
