// The analog input window driven offscreen: against the emulated KVD-AIK-BUS behind a pair of
// bridged pseudo-terminals (the emulator runs in this process and answers while the window's
// exchanges let events run), and against a scripted twelve-channel input for the probes, slow
// answers and what the emulator cannot show. Timer handlers are called directly, tick by tick.
#include "views/ui/KVD_AIK_ChannelForm.h"

#include "../AnalogInputObject.h"
#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/AnalogInputLanguage.h"
#include "localization/Localization.h"
#include "model/ChannelTexts.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "views/AnalogInputGenerator.h"
#include "views/AnalogInputSelector.h"
#include "views/ChannelWindows.h"
#include "views/ui/AIFlagsV.h"
#include "views/ui/AiSimpleInputParam.h"
#include "views/ui/AiSimpleLedLimit.h"
#include "views/ui/AiSimpleUserPolynom.h"
#include "views/ui/FilterParamDlg.h"
#include "views/ui/SignalChainView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Puts the program's language back however the test ends.
struct TLanguageKept {
    quint8 Saved = CurrentLanguage();
    ~TLanguageKept() { SetCurrentLanguage(Saved); }
};

// Confirms Edit as a user would: text typed, then Enter (or leaving it).
void Type(QLineEdit* Edit, const QString& Text) {
    Edit->setText(Text);
    Q_EMIT Edit->editingFinished();
}

// Every text of the window is shown whole: no label, button or drop-down narrower than its text, no
// wrapped label shorter than its lines, no group title wider than its box.
void ExpectNothingCut(QWidget* Window, const char* Language) {
    for (QWidget* w : Window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(Window) || w->window() != Window)
            continue;
        QString text = w->property("text").toString();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            text = combo->currentText();
        const std::string what = std::string(Language) + " " + w->metaObject()->className() + " \"" +
                                 text.toStdString() + "\" in " + Window->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << what;
            continue;
        }
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << what;
        }
        if (auto* box = qobject_cast<QGroupBox*>(w)) {
            EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->title()) + 16)
                << Language << " group " << box->title().toStdString();
        }
    }
}

class AnalogInputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        dm.VDMgr->AddDevices(0, 1); // KVD-AIK-BUS at address 1
        dm.VDMgr->SetPortName(bridge.PathA());
        dm.VDMgr->SetActive(true);
        ASSERT_TRUE(dm.VDMgr->Active()) << dm.VDMgr->LastError().toStdString();
        dm.Bus.SetPortName(bridge.PathB());
        dm.Bus.SetInputTimeout(150);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        device.Address = 1;
        device.BaudCode = br9600;
        device.Protocol = tpNerix;
        device.TypeCode = 0;
        device.ModelName = QStringLiteral("KVD-AIK-BUS");
        device.ByteOrder = boNAN;
        dm.CurrentDevice = &device;
        dm.CurrentChannel = 0;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
        channel = dm.CurrentModule->AnalogInput(0);
        ASSERT_NE(channel, nullptr);

        form.OnMessage = [this](const QString& t) { messages << t; };
        form.OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
        form.Pause = [](int) {};
        form.ProcessTimer->Pause = [](int) {};
    }
    void TearDown() override {
        form.hide();
        dm.ComAccessPoint.SetActive(false);
        dm.VDMgr->SetActive(false);
    }
    TCustomVirtualChannelAI& Virtual(int Index = 0) {
        return static_cast<TCustomVirtualChannelAI&>(*dm.VDMgr->DeviceAt(0)->ChannelAt(Index));
    }

    TLanguageKept language;
    TPtyBridge bridge;
    TDm dm;
    TDeviceProps device;
    TSimpleChannel* channel = nullptr;
    TKVD_AIK_ChannelForm form{dm};
    QStringList messages;
    std::function<int(QDialog&)> dialog;
};

TEST_F(AnalogInputWindow, OpensForTheChannelWithItsSettingsInEveryPart) {
    Virtual().SetInput(3.0f);
    dm.CurrentChannel = 1;
    channel = dm.CurrentModule->AnalogInput(1);
    ASSERT_TRUE(form.Load(*channel));
    EXPECT_EQ(form.ChannelObject(), channel);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Module: KVD-AIK-BUS.Channel №2"));
    EXPECT_EQ(form.AddressValue->text(), QStringLiteral("0x01"));
    EXPECT_EQ(form.BaudRateValue->text(), QStringLiteral("br9600"));
    EXPECT_EQ(form.InputParameterValue->text(), QStringLiteral("Voltage"));
    EXPECT_EQ(form.RangeValue->text(), QStringLiteral("0..15 mV"));
    EXPECT_EQ(form.CutoffValue->text(), QStringLiteral("5.00"));
    EXPECT_EQ(form.ResultUnit->text(), QStringLiteral("mV"));        // normalized: the range's unit
    EXPECT_EQ(form.MinimumValue->text(), QStringLiteral("01.0000")); // the format of 0..15 mV
    EXPECT_EQ(form.PolynomialState->text(), QStringLiteral("0"));
    EXPECT_FALSE(form.PolynomialMarker->Lit());
    EXPECT_EQ(form.ResultFormatBox->currentIndex(), 0);
    EXPECT_EQ(form.ResultBtn->text(), QStringLiteral("Start"));
    EXPECT_TRUE(form.ResultBtn->isEnabled());
    EXPECT_FALSE(form.GeneratorBtn->isEnabled());
    EXPECT_EQ(form.GeneratorBtn->toolTip(), QStringLiteral("Available in emulation mode"));
    EXPECT_FALSE(form.Support().ExtendedRangesSupported);
    EXPECT_FALSE(form.cbAIEnable->isVisibleTo(&form)); // only the model with an input switch
    // No device-wide byte order: the channel's own byte sequence is offered.
    EXPECT_TRUE(form.NetDataSequenceBox->isVisibleTo(&form));
    device.ByteOrder = bo0123x10;
    form.FormShow();
    EXPECT_FALSE(form.NetDataSequenceBox->isVisibleTo(&form));
    EXPECT_TRUE(messages.isEmpty());

    // A device that does not answer: the window does not open and says nothing.
    dm.CurrentModule->SetAddress(5);
    EXPECT_FALSE(form.Load(*channel));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AnalogInputWindow, ARangeChangeGoesToTheDeviceAndARefusedOneIsPutBack) {
    ASSERT_TRUE(form.Load(*channel));
    dialog = [this](QDialog& d) {
        EXPECT_EQ(&d, form.InputParamDlg);
        TAiSimpleInputParam& p = *form.InputParamDlg;
        EXPECT_EQ(p.InputParameterBox->currentText(), QStringLiteral("Voltage")); // the current range
        EXPECT_EQ(p.RangeBox->currentText(), QStringLiteral("[0x0000]  0..15 mV"));
        EXPECT_EQ(p.RangeBox->count(), 3);
        p.RangeBox->setCurrentIndex(p.RangeBox->findText(QStringLiteral("[0x0006]  0..1 V")));
        p.ApplyBtn->click();
        return p.result();
    };
    form.SelectInputBtn->click();
    EXPECT_EQ(Virtual().RangeCode(), 6);
    EXPECT_EQ(channel->RangeCode, 6);
    EXPECT_EQ(form.RangeRecord().Code, 6);
    EXPECT_EQ(form.RangeValue->text(), QStringLiteral("0..1 V"));
    EXPECT_EQ(form.MaximumUnit->text(), QStringLiteral("V"));
    EXPECT_TRUE(messages.isEmpty());

    // A code the device does not offer is refused: the old one stays, "Start" stays usable.
    channel->Ranges.AddRange(150, 1, 1, 0);
    dialog = [this](QDialog&) {
        TAiSimpleInputParam& p = *form.InputParamDlg;
        p.InputParameterBox->setCurrentIndex(p.InputParameterBox->findText(QStringLiteral("Current")));
        EXPECT_EQ(p.RangeBox->currentText(), QStringLiteral("[0x0096]  4..20 mA"));
        p.ApplyBtn->click();
        return p.result();
    };
    form.SelectInputBtn->click();
    EXPECT_EQ(messages, QStringList{ChannelTexts().WriteSelectedRange});
    EXPECT_EQ(channel->RangeCode, 6);
    EXPECT_EQ(Virtual().RangeCode(), 6);
    EXPECT_EQ(form.RangeValue->text(), QStringLiteral("0..1 V"));
    EXPECT_TRUE(form.ResultBtn->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // With an empty list there is no range whose scale Apply could take.
    channel->Ranges.Clear();
    bool applyEnabled = true;
    dialog = [&](QDialog&) {
        applyEnabled = form.InputParamDlg->ApplyBtn->isEnabled();
        form.InputParamDlg->accept();
        return form.InputParamDlg->result();
    };
    form.SelectInputBtn->click();
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(Virtual().RangeCode(), 6);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(AnalogInputWindow, PolynomialByHandAndByThreePointCalibration) {
    ASSERT_TRUE(form.Load(*channel));
    dialog = [this](QDialog&) {
        TaiSimpleUserPolynom& p = *form.PolynomDlg;
        // The emulated input starts as y = x.
        EXPECT_EQ(p.CoefficientEdits[0]->text(), QStringLiteral("0"));
        EXPECT_EQ(p.CoefficientEdits[1]->text(), QStringLiteral("1"));
        Type(p.CoefficientEdits[0], QStringLiteral("0.5"));
        Type(p.CoefficientEdits[1], QStringLiteral("2"));
        Type(p.CoefficientEdits[2], QString()); // empty is 0
        EXPECT_EQ(p.CoefficientEdits[2]->text(), QStringLiteral("0"));
        Type(p.CoefficientEdits[2], QStringLiteral("abc"));
        Type(p.CoefficientEdits[2], QStringLiteral("1"));
        // Enter confirms the edit it was typed in, never the dialog.
        p.show();
        p.CoefficientEdits[2]->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(p.CoefficientEdits[2], &enter);
        EXPECT_TRUE(p.isVisible());
        EXPECT_NE(p.result(), int(QDialog::Accepted));
        p.ApplyBtn->click();
        return p.result();
    };
    form.UserPolynomBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Incorrect polinomial value: c")});
    EXPECT_EQ(Virtual().Settings().A2, 0.5f);
    EXPECT_EQ(Virtual().Settings().A1, 2.0f);
    EXPECT_EQ(Virtual().Settings().A0, 1.0f);
    messages.clear();

    // Three points: raw 1, 2, 3 made 1, 4, 9; the first raw value read from the channel.
    Virtual().SetInput(1.0f);
    const float present = channel->ReadValue();
    dialog = [&](QDialog&) {
        TaiSimpleUserPolynom& p = *form.PolynomDlg;
        EXPECT_FALSE(p.Locked()); // polynomial off, float result
        p.CalibrationBox->click();
        EXPECT_TRUE(p.CalibrationPanel->isVisibleTo(&p));
        EXPECT_GE(p.height(), TaiSimpleUserPolynom::kOpenHeight);
        p.GetValueBtns[0]->click();
        EXPECT_EQ(p.Calibration().Value(0, TPolynomialCalibration::ccRaw), double(present));
        Type(p.RawEdits[0], QStringLiteral("1"));
        Type(p.RawEdits[1], QStringLiteral("2"));
        Type(p.RawEdits[2], QStringLiteral("2"));
        Type(p.MadeEdits[0], QStringLiteral("1"));
        Type(p.MadeEdits[1], QStringLiteral("4"));
        Type(p.MadeEdits[2], QStringLiteral("9")); // all six: equal raw values are refused
        EXPECT_EQ(p.CoefficientEdits[0]->text(), QStringLiteral("0.5"));
        Type(p.RawEdits[2], QStringLiteral("three"));
        Type(p.RawEdits[2], QStringLiteral("3"));
        EXPECT_EQ(p.CoefficientEdits[0]->text(), QStringLiteral("1"));
        EXPECT_EQ(p.CoefficientEdits[1]->text(), QStringLiteral("0"));
        EXPECT_EQ(p.CoefficientEdits[2]->text(), QStringLiteral("0"));
        p.ApplyBtn->click();
        return p.result();
    };
    form.UserPolynomBtn->click();
    EXPECT_EQ(messages, (QStringList{QStringLiteral("Incorrect raw points values"),
                                     QStringLiteral("Incorrect Raw value at Point #3:")}));
    EXPECT_EQ(Virtual().Settings().A2, 1.0f);
    EXPECT_EQ(Virtual().Settings().A1, 0.0f);
    EXPECT_EQ(Virtual().Settings().A0, 0.0f);

    // With the polynomial on, the calibration is locked; "Get value" of a silent device says so.
    form.AlgBtn->click();
    EXPECT_EQ(form.PolynomialState->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.PolynomialMarker->Lit());
    messages.clear();
    bool locked = false;
    dialog = [&](QDialog&) {
        locked = form.PolynomDlg->Locked() && !form.PolynomDlg->Lock->isHidden() &&
                 !form.PolynomDlg->RawEdits[0]->isEnabled();
        dm.CurrentModule->SetAddress(9);
        form.PolynomDlg->GetValueClick(0);
        dm.CurrentModule->SetAddress(1);
        return int(QDialog::Rejected);
    };
    form.UserPolynomBtn->click();
    EXPECT_TRUE(locked);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Data reading error")});
    EXPECT_EQ(Virtual().Settings().A2, 1.0f); // cancelled: nothing written
}

TEST_F(AnalogInputWindow, MeasuringTickByTickAndClosingStopsItFirst) {
    Virtual().SetInput(0.5f);
    ASSERT_TRUE(form.Load(*channel));
    form.show();
    QApplication::processEvents();

    form.ResultBtn->click();
    EXPECT_TRUE(form.Measuring());
    EXPECT_EQ(form.ResultBtn->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(form.ProcessTimer->Running());
    EXPECT_EQ(form.ProcessTimer->Interval(), 500);
    EXPECT_TRUE(form.BlinkTimer->isActive()); // floating point: the LED blinks
    EXPECT_EQ(form.BlinkTimer->interval(), 300);
    for (QWidget* w :
         std::initializer_list<QWidget*>{form.SelectInputBtn, form.ADCAverageBtn, form.UserPolynomBtn,
                                         form.AlgBtn, form.ThermoCompensationBtn, form.LedIndicatorBtn,
                                         form.ResultFormatBox, form.NetDataSequenceBox, form.btnFlags})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();

    // The emulated limits are 1.0 and 1.0: a value of 0.5 is below, the LED dark.
    form.ProcessTimerTimer();
    EXPECT_EQ(form.ResultValue->text(), QString::number(double(Virtual().OutputAsFloat()), 'f', 5));
    EXPECT_TRUE(form.TemperatureValue->text().startsWith(QStringLiteral("25.")));
    EXPECT_TRUE(form.WorkMarker->Lit());
    EXPECT_EQ(form.IndicatorTimer->interval(), 100);
    form.ProcessIndikatorTimer();
    EXPECT_FALSE(form.WorkMarker->Lit());
    EXPECT_EQ(form.Display().Zone(), dzBelow);
    form.BlinkTimerTimer();
    EXPECT_FALSE(form.Led->Lit());
    // Above the maximum it blinks (the emulated filter needs a while to get there).
    for (int i = 0; i < 300; ++i)
        Virtual().SetInput(100.0f);
    form.ProcessTimerTimer();
    EXPECT_EQ(form.Display().Zone(), dzAbove);
    form.BlinkTimerTimer();
    const bool first = form.Led->Lit();
    form.BlinkTimerTimer();
    EXPECT_NE(form.Led->Lit(), first);

    // A device that stops answering is not reported; measuring goes on.
    dm.VDMgr->SetActive(false);
    form.ProcessTimerTimer();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(form.Measuring());
    dm.VDMgr->SetActive(true);

    // Closing while measuring only stops the measuring; the second close closes.
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Measuring());
    EXPECT_FALSE(form.ProcessTimer->Running());
    EXPECT_FALSE(form.BlinkTimer->isActive());
    EXPECT_FALSE(form.Led->Lit());
    EXPECT_EQ(form.ResultBtn->text(), QStringLiteral("Start"));
    EXPECT_TRUE(form.SelectInputBtn->isEnabled());
    form.ResultBtn->click();
    form.reject(); // Esc goes the same way
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Measuring());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.ProcessTimer->Running());
}

TEST_F(AnalogInputWindow, IntegerResultsShowWholeNumbersAndDoNotBlink) {
    ASSERT_TRUE(form.Load(*channel));
    // The emulated input keeps only bit 0 of its flags: the read-back shows the format refused.
    form.ResultFormatBox->setCurrentIndex(1);
    EXPECT_EQ(form.ResultFormatBox->currentIndex(), 0);
    EXPECT_EQ(channel->Flags, 0u);
    // A channel that has an integer format (as read) measures without the blink timer.
    channel->Flags = 0x4;
    form.ResultBtn->click();
    EXPECT_FALSE(form.BlinkTimer->isActive());
    form.BlinkTimerTimer();
    EXPECT_FALSE(form.Led->Lit());
    form.ResultBtn->click();
    EXPECT_FALSE(form.Measuring());
}

TEST_F(AnalogInputWindow, FilterAndLedDialogsRefuseWhatTheyMust) {
    ASSERT_TRUE(form.Load(*channel));
    int runs = 0;
    dialog = [&](QDialog&) {
        TFilterParamDlg& f = *form.FilterDlg;
        EXPECT_EQ(f.FrequencyEdit->text(), QStringLiteral("5.0"));
        f.FrequencyEdit->setText(QStringLiteral("-1"));
        f.ApplyBtn->click();
        EXPECT_EQ(f.result(), QDialog::Rejected); // still open
        f.FrequencyEdit->setText(QStringLiteral("10"));
        f.ResponseTimeEdit->setText(QStringLiteral("2.5"));
        f.ApplyBtn->click();
        f.ResponseTimeEdit->setText(QStringLiteral("3"));
        f.ApplyBtn->click();
        ++runs;
        return f.result();
    };
    form.ADCAverageBtn->click();
    EXPECT_EQ(messages, (QStringList{QStringLiteral("Incorrect cutoff frequency value"),
                                     QStringLiteral("Incorrect response time value")}));
    EXPECT_NEAR(Virtual().Cutoff(), 10.0f, 1e-3);
    EXPECT_EQ(Virtual().Filter().TimeResponse(), 3);
    EXPECT_EQ(form.CutoffValue->text(), QStringLiteral("10.00"));
    EXPECT_EQ(form.ResponseTimeValue->text(), QStringLiteral("3"));

    // "Disable filter": a cutoff of 0 that the emulated input refuses; the old values come back.
    messages.clear();
    dialog = [&](QDialog&) {
        form.FilterDlg->DisableBtn->click();
        EXPECT_EQ(form.FilterDlg->FrequencyEdit->text(), QStringLiteral("0"));
        form.FilterDlg->ApplyBtn->click();
        return form.FilterDlg->result();
    };
    form.ADCAverageBtn->click();
    EXPECT_EQ(messages, QStringList{ChannelTexts().WriteFilterCutoff});
    EXPECT_NEAR(channel->FilterCutoff, 10.0f, 1e-3);
    EXPECT_EQ(channel->ResponseTime, 3);

    messages.clear();
    dialog = [&](QDialog&) {
        TaiSimpleLedLimit& l = *form.LedLimitDlg;
        EXPECT_EQ(l.MinEdit->text(), QStringLiteral("1"));
        l.MinEdit->setText(QStringLiteral("5"));
        l.MaxEdit->setText(QStringLiteral("1"));
        l.ApplyBtn->click();
        EXPECT_EQ(l.result(), QDialog::Rejected);
        l.MinEdit->setText(QStringLiteral("0.25"));
        l.MaxEdit->setText(QStringLiteral("7.5"));
        l.ApplyBtn->click();
        return l.result();
    };
    form.LedIndicatorBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Maximum value should not be less than the minimum")});
    EXPECT_EQ(Virtual().Settings().C1, 0.25f);
    EXPECT_EQ(Virtual().Settings().C2, 7.5f);
    EXPECT_EQ(form.MinimumValue->text(), QStringLiteral("00.2500"));
    EXPECT_EQ(form.MaximumValue->text(), QStringLiteral("07.5000"));
}

TEST_F(AnalogInputWindow, FlagsWindowSwitchesBitsAndKeepsTheRmsRule) {
    TAIFlagsV flags(0x00C80000, false, nullptr);
    QStringList said;
    flags.OnMessage = [&](const QString& t) { said << t; };
    EXPECT_FALSE(flags.PolynomialBox->isEnabled());
    EXPECT_TRUE(flags.FormatGroup->button(0)->isChecked());
    EXPECT_EQ(flags.RmsPointsEdit->text(), QStringLiteral("200"));
    flags.FormatGroup->button(2)->click();
    flags.SequenceGroup->button(3)->click();
    flags.ThermoGroup->button(1)->click();
    EXPECT_EQ(flags.Flags(), 0x00C8003Au);
    flags.RmsPointsEdit->setText(QStringLiteral("70000")); // too many: left as it was
    flags.OkBtn->click();
    EXPECT_EQ(flags.result(), QDialog::Accepted);
    EXPECT_EQ(flags.Flags(), 0x00C8003Au);
    flags.RmsPointsEdit->setText(QStringLiteral("lots")); // reported, closed all the same
    flags.OkBtn->click();
    EXPECT_EQ(said, QStringList{QStringLiteral("RMS Points must be a whole number")});
    EXPECT_EQ(flags.result(), QDialog::Accepted);
    EXPECT_EQ(flags.Flags(), 0x00C8003Au);
    flags.RmsPointsEdit->setText(QStringLiteral("16"));
    flags.OkBtn->click();
    EXPECT_EQ(flags.Flags(), 0x0010003Au);

    // From the window: what the dialog made is written and read back.
    ASSERT_TRUE(form.Load(*channel));
    dialog = [](QDialog& d) {
        auto& f = static_cast<TAIFlagsV&>(d);
        EXPECT_TRUE(f.PolynomialBox->isEnabled());
        f.PolynomialGroup->button(1)->click();
        f.OkBtn->click();
        return f.result();
    };
    form.btnFlags->click();
    EXPECT_TRUE(Virtual().Settings().PolynomialEnabled);
    EXPECT_EQ(form.PolynomialState->text(), QStringLiteral("1"));
}

TEST_F(AnalogInputWindow, TheGeneratorFollowsMeasuringOnlyWhileTheEmulatorIsOn) {
    std::vector<TGeneratorAction> calls;
    AnalogInputGenerator() = [&](TGeneratorAction a, TSimpleChannel& c) {
        EXPECT_EQ(&c, channel);
        calls.push_back(a);
    };
    ASSERT_TRUE(form.Load(*channel));
    form.show();
    form.ResultBtn->click();
    form.ResultBtn->click();
    form.close();
    EXPECT_TRUE(calls.empty());
    dm.EmulatorActive = true;
    ASSERT_TRUE(form.Load(*channel));
    form.show();
    form.ResultBtn->click();
    form.close(); // stops
    form.close(); // closes
    EXPECT_EQ(calls, (std::vector<TGeneratorAction>{gaStart, gaStop, gaClose}));
    AnalogInputGenerator() = nullptr;
}

// Emulated values are always in the range's unit: the labels follow the emulator, not only the
// channel's normalization.
TEST_F(AnalogInputWindow, UnitsAreTheRangesWhileTheEmulatorRuns) {
    ASSERT_TRUE(form.Load(*channel));
    channel->Normalization = false;
    form.UpdateLanguage();
    for (QLabel* l : {form.MinimumUnit, form.MaximumUnit, form.ResultUnit})
        EXPECT_EQ(l->text(), QStringLiteral("Code"));
    dm.EmulatorActive = true;
    form.UpdateLanguage();
    for (QLabel* l : {form.MinimumUnit, form.MaximumUnit, form.ResultUnit})
        EXPECT_EQ(l->text(), QStringLiteral("mV"));
    dm.EmulatorActive = false;
}

TEST_F(AnalogInputWindow, GermanAndUkrainianFitAtTheDefaultSize) {
    ASSERT_TRUE(form.Load(*channel));
    for (quint8 id : {quint8(liGerman), quint8(liUkrainian), quint8(liFrench), quint8(liEnglish)}) {
        SetCurrentLanguage(id);
        form.UpdateLanguage();
        form.show();
        QApplication::processEvents();
        const char* name = id == liGerman      ? "German"
                           : id == liUkrainian ? "Ukrainian"
                           : id == liFrench    ? "French"
                                               : "English";
        EXPECT_GE(form.width(), form.minimumSizeHint().width()) << name;
        ExpectNothingCut(&form, name);
        for (QDialog* d : std::initializer_list<QDialog*>{form.InputParamDlg, form.FilterDlg, form.PolynomDlg,
                                                          form.LedLimitDlg}) {
            d->show();
            QApplication::processEvents();
            ExpectNothingCut(d, name);
            d->hide();
        }
        form.hide();
    }
    SetCurrentLanguage(liUkrainian);
    form.UpdateLanguage();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Модуль: KVD-AIK-BUS.Канал №1"));
    EXPECT_EQ(form.ResultBtn->text(), QStringLiteral("Пуск"));
    EXPECT_EQ(form.ResultFormatBox->itemText(1), QStringLiteral("Цілий тип(2 байти)"));
    form.ResultBtn->click();
    EXPECT_EQ(form.ResultBtn->text(), QStringLiteral("Стоп"));
    form.ResultBtn->click();
}

TEST_F(AnalogInputWindow, TheDevicePropertiesWindowOpensItForAnAnalogInputRow) {
    RegisterAnalogInputWindow(form);
    TChannelWindowContext context;
    context.Module = dm.CurrentModule;
    context.Device = &device;
    context.Row = 2; // the third analog input of a KVD-AIK-BUS
    dm.CurrentChannel = 2;
    QString shownTitle;
    TSimpleChannel* shown = nullptr;
    // The window reads the device before it shows; it is closed as soon as it is up.
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, &form, [&] {
        if (!form.isVisible())
            return;
        shownTitle = form.windowTitle();
        shown = form.ChannelObject();
        form.close();
    });
    watch.start();
    EXPECT_TRUE(OpenChannelWindow(context, dm.DeviceRegister));
    watch.stop();
    EXPECT_EQ(shownTitle, QStringLiteral("Module: KVD-AIK-BUS.Channel №3"));
    EXPECT_EQ(shown, dm.CurrentModule->AnalogInput(2));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A channel whose device does not answer opens nothing, and says nothing.
    dm.CurrentModule->SetAddress(4);
    EXPECT_FALSE(form.isVisible());
    OpenChannelWindow(context, dm.DeviceRegister);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages.isEmpty());
    ChannelWindows().Unregister(kAnalogInputWindow);
    SetAnalogInputChannelLookup({});
}

// --- A scripted twelve-channel input ----------------------------------------------------------------

class ScriptedAnalogInputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        dm.Bus.SetPortName(dev.PortPath());
        dm.Bus.SetInputTimeout(100);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        device.Address = 7;
        device.BaudCode = br9600;
        device.Protocol = tpNerix;
        device.TypeCode = 25;
        device.ModelName = QStringLiteral("KVD-AIK12-BUS");
        device.ByteOrder = bo3210x10;
        dm.CurrentDevice = &device;
        dm.CurrentChannel = 0;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
        channel = dm.CurrentModule->AnalogInput(0);
        form.OnMessage = [this](const QString& t) { messages << t; };
        form.Pause = [](int) {};
        form.ProcessTimer->Pause = [](int) {};
    }
    void TearDown() override { dm.ComAccessPoint.SetActive(false); }

    TLanguageKept language;
    TAnalogInputObject object{7, 1};
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    TSimpleChannel* channel = nullptr;
    TKVD_AIK_ChannelForm form{dm};
    QStringList messages;
};

TEST_F(ScriptedAnalogInputWindow, ADeviceThatForgetsThePolynomialBitShowsXAndKeepsItsFlags) {
    object.Set(4, 0x2);
    object.Forget({4});
    ASSERT_TRUE(form.Load(*channel));
    EXPECT_FALSE(form.Support().PolynomialSupported);
    EXPECT_TRUE(form.Support().LedLimitsSupported);
    EXPECT_TRUE(form.Support().ExtendedRangesSupported);
    EXPECT_EQ(form.PolynomialState->text(), QStringLiteral("X"));
    EXPECT_FALSE(form.AlgBtn->isEnabled());
    EXPECT_FALSE(form.UserPolynomBtn->isEnabled());
    EXPECT_FALSE(form.PolynomialLegend->isVisibleTo(&form));
    EXPECT_FALSE(form.PolynomialBlock->Caption->isEnabled());
    EXPECT_TRUE(form.LedIndicatorBtn->isEnabled());
    EXPECT_EQ(object.Get(4), 0x2u);
    EXPECT_EQ(channel->Flags, 0x2u);
    EXPECT_EQ(form.ThermoState->text(), QStringLiteral("1"));
    // Measuring and stopping keep the polynomial buttons greyed.
    form.ResultBtn->click();
    form.ResultBtn->click();
    EXPECT_FALSE(form.AlgBtn->isEnabled());
    EXPECT_TRUE(form.ThermoCompensationBtn->isEnabled());
    // A device with its own byte order hides the channel's byte sequence.
    form.FormShow();
    EXPECT_FALSE(form.NetDataSequenceBox->isVisibleTo(&form));
    EXPECT_TRUE(messages.isEmpty());

    // The next channel opened is a fresh window again.
    object.Forget({});
    ASSERT_TRUE(form.Load(*channel));
    EXPECT_TRUE(form.AlgBtn->isEnabled());
    EXPECT_EQ(form.PolynomialState->text(), QStringLiteral("0"));
}

TEST_F(ScriptedAnalogInputWindow, LedLimitsThatAreNotKeptGreyTheIndicator) {
    object.Forget({40, 41});
    ASSERT_TRUE(form.Load(*channel));
    EXPECT_FALSE(form.Support().LedLimitsSupported);
    EXPECT_FALSE(form.LedIndicatorBtn->isEnabled());
    EXPECT_FALSE(form.MinimumValue->isEnabled());
    EXPECT_EQ(form.MinimumValue->text(), QStringLiteral("0"));
    EXPECT_EQ(form.MaximumValue->text(), QStringLiteral("0"));
    form.ResultBtn->click();
    form.ProcessTimerTimer();
    form.BlinkTimerTimer();
    EXPECT_FALSE(form.Led->Lit());
    form.ResultBtn->click();
}

TEST_F(ScriptedAnalogInputWindow, ARangeWithItsUserScaleGoesToTheDeviceWithTheLongList) {
    ASSERT_TRUE(form.Load(*channel));
    ASSERT_TRUE(form.Support().ExtendedRangesSupported);
    form.OnRunDialog = [this](QDialog&) {
        TAiSimpleInputParam& p = *form.InputParamDlg;
        EXPECT_EQ(p.RangeBox->currentText(), QStringLiteral("[0x0006]  0..1 V"));
        EXPECT_EQ(p.MinEdit->text(), QStringLiteral("0.000"));
        EXPECT_EQ(p.MaxEdit->text(), QStringLiteral("100.000"));
        p.ExtensionBtn->click();
        EXPECT_EQ(p.height(), TAiSimpleInputParam::kOpenHeight);
        p.RangeBox->setCurrentIndex(1); // 0..10 V, no scale yet
        EXPECT_EQ(p.MaxEdit->text(), QString());
        p.MinEdit->setText(QStringLiteral("-2,5"));
        p.MaxEdit->setText(QStringLiteral("8"));
        p.ApplyBtn->click();
        return p.result();
    };
    object.ClearTrace();
    form.SelectInputBtn->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(object.Get(1), 9u);
    EXPECT_EQ(channel->Ranges.Items(1)->MinValue, -2.5f);
    const auto trace = object.Trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front(), QStringLiteral("w1=9"));
    // The long list: every range with six fields, the scale of 0..10 V last.
    EXPECT_NE(std::find(trace.begin(), trace.end(), QStringLiteral("w48=261")), trace.end());
    EXPECT_EQ(form.RangeValue->text(), QStringLiteral("0..10 V"));
}

TEST_F(ScriptedAnalogInputWindow, AValueLongerThanAnyBeforeWidensTheWindowInsteadOfBeingCut) {
    ASSERT_TRUE(form.Load(*channel));
    form.show();
    QApplication::processEvents();
    const int before = form.width();
    object.Set(0, TAnalogInputObject::Bits(-123456789.0f));
    form.ResultBtn->click();
    form.ProcessTimerTimer();
    QApplication::processEvents();
    EXPECT_EQ(form.ResultValue->text(), QStringLiteral("-123456792.00000"));
    EXPECT_GE(form.ResultValue->width(), form.ResultValue->minimumSizeHint().width());
    EXPECT_GT(form.width(), before);
    form.ResultBtn->click();
}

TEST_F(ScriptedAnalogInputWindow, NoExchangeStartsWhileAnotherWaitsAndClosingInATickStopsFirst) {
    ASSERT_TRUE(form.Load(*channel));
    form.show();
    QApplication::processEvents();
    dev.SetDelayMs(40);

    // A second click and a tick arrive while the flag switch waits for its answers.
    object.ClearTrace();
    QTimer::singleShot(10, &form, [this] {
        EXPECT_TRUE(form.Exchanging());
        EXPECT_FALSE(form.Idle());
        form.AlgBtnClick();
        form.ThermoCompensationBtnClick();
        form.btnFlagsClick();
    });
    form.AlgBtnClick();
    EXPECT_EQ(object.Trace(), (std::vector<QString>{"w4=1", "r4"}));
    EXPECT_EQ(channel->Flags, 1u);
    EXPECT_TRUE(messages.isEmpty());

    // While a measuring tick waits: another tick skips its turn, and a close only stops measuring.
    form.AlgBtnClick();
    form.ResultBtn->click();
    object.ClearTrace();
    QTimer::singleShot(10, &form, [this] {
        form.ProcessTimerTimer();
        form.close();
    });
    form.ProcessTimerTimer();
    EXPECT_EQ(object.Trace(), (std::vector<QString>{"r50", "r0"}));
    EXPECT_FALSE(form.Measuring());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.WorkMarker->Lit()); // the late reading is not shown as a new one
    EXPECT_TRUE(messages.isEmpty());
    form.close();
    EXPECT_FALSE(form.isVisible());
}

} // namespace
