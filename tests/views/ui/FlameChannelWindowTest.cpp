// The flame controller and photosensor windows, driven offscreen against a scripted device on a
// pseudo-terminal that keeps the objects' properties and their sequential lists.
#include "views/ui/FlameChannelForms.h"

#include "ViewsUiSupport.h"
#include "localization/ChannelLanguage.h"
#include "localization/FlameLanguage.h"
#include "model/SensorChannelModules.h"
#include "model/SensorChannelTexts.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/SensorDevice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <bit>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

constexpr quint8 kFlame = 9;
constexpr quint32 kUntouched = 0xA5A5;

class FlameWindows : public ::testing::Test {
protected:
    void Start(quint32 TypeCode, int Channel) {
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
        device.ModelName = QStringLiteral("KVD-FLAME-BUS");
        dm.CurrentDevice = &device;
        dm.CurrentChannel = Channel;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
    }
    void TearDown() override {
        // The channels' texts as they were before any language was chosen.
        SetChannelTexts(TChannelTexts());
        SetSensorChannelTexts(TSensorChannelTexts());
        dm.ComAccessPoint.SetActive(false);
    }
    template <class F> void Hook(F& Form) {
        Form.OnMessage = [this](const QString& t) { messages << t; };
    }
    // The window in every language: no text cut.
    void ExpectWholeTexts(QDialog& Form) {
        Form.show();
        QStringList cut;
        for (int l = 0; l < kLanguageCount; ++l) {
            SetCurrentLanguage(Languages()[size_t(l)].Id);
            QMetaObject::invokeMethod(&Form, "UpdateLanguage");
            QApplication::processEvents();
            cut << CutTexts(&Form);
            // DVV_SHOT_DIR: a picture of the window in each language, to look at under X.
            if (const QString dir = qEnvironmentVariable("DVV_SHOT_DIR"); !dir.isEmpty())
                Form.grab().save(QStringLiteral("%1/%2-%3.png").arg(dir, Form.objectName()).arg(l));
        }
        Form.hide();
        SetCurrentLanguage(liEnglish);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
    }

    TEnglishAfterwards english;
    TSensorDevice object; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    QStringList messages;
};

// The flame controller on object 9 and the four relays on objects 3..6.
class FlameWindow : public FlameWindows {
protected:
    void SetUp() override {
        object.Set(kFlame, 0, Bits(1.5f));  // DCLevel
        object.Set(kFlame, 1, 0x02);        // Algorithm: automatic restart
        object.Set(kFlame, 2, Bits(0.25f)); // ACLevel
        object.Set(kFlame, 3, Bits(9.0f));  // ACMax
        object.Set(kFlame, 4, 0x02);        // DOMask: K2 under manual control
        object.Set(kFlame, 5, 20241);
        object.Set(kFlame, 6, kUntouched); // restart
        object.Set(kFlame, 7, 0x05);       // no link with channel 1, surge
        object.Set(kFlame, 8, kUntouched); // zero correction
        object.Set(kFlame, 9, 0);          // indication on
        object.Set(kFlame, 10, Bits(3.5f));
        object.Set(kFlame, 11, Bits(-2.0f));
        object.Set(kFlame, 16, 0x02); // channel 2 off
        object.Set(kFlame, 19, 1);
        object.AddList(kFlame, 12, {13}, 6, true);
        object.AddList(kFlame, 14, {15}, 4, true);
        object.AddList(kFlame, 20, {21}, 4, true);
        for (size_t i = 0; i < 6; ++i)
            object.SetEntry(kFlame, 12, i, 0, Bits(float(i) + 0.5f));
        for (size_t i = 0; i < 4; ++i) {
            object.SetEntry(kFlame, 14, i, 0, quint32(100 * (i + 1)));
            object.SetEntry(kFlame, 20, i, 0, Bits(float(10 * i)));
        }
        for (quint8 relay = 3; relay <= 6; ++relay)
            for (quint16 p : {0, 2, 3}) // state, key, protected
                object.Set(relay, p, 0);
        Start(26, 8);
        form = std::make_unique<TFlameChannelForm>(dm);
        Hook(*form);
        form->OnQuestion = [this](const QString& t) {
            questions << t;
            return answers.empty() ? false : answers.takeFirst();
        };
        form->OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
    }
    void Refuse(quint8 Object, quint16 Property) {
        object.SetRefuse(
            [=](bool write, quint8 o, quint16 p, quint32) { return write && o == Object && p == Property; });
    }

    std::unique_ptr<TFlameChannelForm> form;
    QStringList questions;
    QList<bool> answers;
    std::function<int(QDialog&)> dialog;
};

TEST_F(FlameWindow, OpensWithEverySettingShownAndPollsTheComponentsAndTheStatus) {
    ASSERT_TRUE(form->Load());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Module: KVD-FLAME-BUS. Flame controller"));
    EXPECT_EQ(form->ACValue->text(), QStringLiteral("3.5"));
    EXPECT_EQ(form->DCValue->text(), QStringLiteral("-2"));
    EXPECT_EQ(form->ACMaxValue->text(), QStringLiteral("9"));
    EXPECT_EQ(form->VersionValue->text(), QStringLiteral("20241"));
    EXPECT_EQ(form->ACLevelEdit->text(), QStringLiteral("0.25"));
    EXPECT_EQ(form->DCLevelEdit->text(), QStringLiteral("1.5"));
    EXPECT_EQ(form->LagEdits[3]->text(), QStringLiteral("400"));
    EXPECT_EQ(form->AOEdits[2]->text(), QStringLiteral("20"));
    EXPECT_EQ(form->SourceBox->currentText(), QStringLiteral("DC component"));
    EXPECT_FALSE(form->DimmingOffCheck->isChecked());
    EXPECT_TRUE(form->AutoRestartCheck->isChecked());
    EXPECT_FALSE(form->IndicationCheck->isChecked());
    EXPECT_FALSE(form->Channel1OffCheck->isChecked());
    EXPECT_TRUE(form->Channel2OffCheck->isChecked());
    const std::array<bool, 4> raised{true, false, true, false};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(form->StatusLbs[i]->isEnabled(), raised[i]) << i;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(form->ManualChecks[i]->isChecked(), i == 1) << i;
        EXPECT_EQ(form->RelayChecks[i]->isEnabled(), i == 1) << i;
    }
    // Opening sends no command.
    EXPECT_EQ(object.Get(kFlame, 6), kUntouched);
    EXPECT_EQ(object.Get(kFlame, 8), kUntouched);

    form->StartBtn->click();
    EXPECT_TRUE(form->Polling());
    EXPECT_EQ(form->StartBtn->text(), QStringLiteral("Stop"));
    object.Set(kFlame, 10, Bits(4.25f));
    object.Set(kFlame, 11, Bits(0.5f));
    object.Set(kFlame, 7, 0x08);
    form->PollTimerTimer();
    EXPECT_EQ(form->ACValue->text(), QStringLiteral("4.25"));
    EXPECT_EQ(form->DCValue->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(form->StatusLbs[0]->isEnabled());
    EXPECT_TRUE(form->StatusLbs[3]->isEnabled());
    // A full read stops the poll first.
    form->RefreshBtn->click();
    EXPECT_FALSE(form->Polling());
    // A poll the device does not answer stops with one message.
    form->StartBtn->click();
    object.SetRefuse([](bool, quint8 o, quint16 p, quint32) { return o == kFlame && p == 11; });
    form->PollTimerTimer();
    EXPECT_FALSE(form->Polling());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], SensorChannelTexts().FlameReadDC);
    // Closing stops it too.
    object.SetRefuse({});
    form->StartBtn->click();
    form->done(QDialog::Rejected);
    EXPECT_FALSE(form->Polling());
}

TEST_F(FlameWindow, AWindowWhoseReadFailsDoesNotOpen) {
    object.SetRefuse([](bool, quint8 o, quint16 p, quint32) { return o == kFlame && p == 15; });
    EXPECT_FALSE(form->Load());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], SensorChannelTexts().FlameReadRelayLags);
}

// Each switch writes its own setting and nothing else; a refused write is handled as the setting
// needs: the algorithm keeps the choice and reports, indication and channels go back.
TEST_F(FlameWindow, EachSwitchWritesOneSettingAndHandlesARefusalItsOwnWay) {
    ASSERT_TRUE(form->Load());
    struct TCase {
        QCheckBox* TFlameChannelForm::*Box;
        quint16 Property;
        quint32 Before, After; // the device's value before and after the click
        bool RevertsOnFailure;
        QString TSensorChannelTexts::*Text;
    };
    const TCase cases[] = {
        {&TFlameChannelForm::DimmingOffCheck, 1, 0x02, 0x03, false,
         &TSensorChannelTexts::FlameWriteAlgorithm},
        {&TFlameChannelForm::AutoRestartCheck, 1, 0x03, 0x01, false,
         &TSensorChannelTexts::FlameWriteAlgorithm},
        {&TFlameChannelForm::IndicationCheck, 9, 0, 1, true, &TSensorChannelTexts::FlameWriteIndication},
        {&TFlameChannelForm::Channel1OffCheck, 16, 0x02, 0x03, true,
         &TSensorChannelTexts::FlameWriteChannelEnabled},
        {&TFlameChannelForm::Channel2OffCheck, 16, 0x03, 0x01, true,
         &TSensorChannelTexts::FlameWriteChannelEnabled},
    };
    for (const TCase& c : cases) {
        QCheckBox* box = (*form).*c.Box;
        SCOPED_TRACE(box->text().toStdString());
        ASSERT_EQ(object.Get(kFlame, c.Property), c.Before);
        const int before = dev.RequestCount();
        box->click();
        EXPECT_EQ(object.Get(kFlame, c.Property), c.After);
        EXPECT_EQ(dev.RequestCount(), before + 1);
        EXPECT_TRUE(messages.isEmpty());

        // Clicked back while the device refuses.
        const bool shown = box->isChecked();
        Refuse(kFlame, c.Property);
        box->click();
        object.SetRefuse({});
        EXPECT_EQ(object.Get(kFlame, c.Property), c.After);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], SensorChannelTexts().*c.Text);
        messages.clear();
        EXPECT_EQ(box->isChecked(), c.RevertsOnFailure ? shown : !shown);
        if (!c.RevertsOnFailure) {
            // The box still shows the choice the device refused; clicking it again puts both back
            // where the next row expects them.
            box->click();
            EXPECT_TRUE(messages.isEmpty());
        }
    }
    // No switch restarted the controller or touched its zero.
    EXPECT_EQ(object.Get(kFlame, 6), kUntouched);
    EXPECT_EQ(object.Get(kFlame, 8), kUntouched);
}

TEST_F(FlameWindow, AManualControlWriteThatFailsIsOfferedAgain) {
    ASSERT_TRUE(form->Load());
    // The first try is refused, the user tries again and the device takes it.
    int refusals = 1;
    object.SetRefuse([&](bool write, quint8 o, quint16 p, quint32) {
        return write && o == kFlame && p == 4 && refusals-- > 0;
    });
    answers = {true};
    form->ManualChecks[0]->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(SensorChannelTexts().FlameWriteDOMask));
    EXPECT_EQ(object.Get(kFlame, 4), 0x03u);
    EXPECT_TRUE(form->ManualChecks[0]->isChecked());
    EXPECT_TRUE(form->RelayChecks[0]->isEnabled());
    EXPECT_TRUE(messages.isEmpty());

    // Refused for good: asked each time, and given up the window goes back to the device's mask.
    questions.clear();
    Refuse(kFlame, 4);
    answers = {true, false};
    form->ManualChecks[1]->click();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(object.Get(kFlame, 4), 0x03u);
    EXPECT_TRUE(form->ManualChecks[1]->isChecked());
    EXPECT_TRUE(form->RelayChecks[1]->isEnabled());
}

TEST_F(FlameWindow, ARelayUnderManualControlIsSwitchedThroughItsDiscreteOutput) {
    ASSERT_TRUE(form->Load());
    // K2 (object 4) is under manual control; K1 is not and cannot be switched.
    EXPECT_FALSE(form->RelayChecks[0]->isEnabled());
    form->RelayCheckClick(0);
    EXPECT_EQ(object.Get(3, 0), 0u);

    form->RelayChecks[1]->click();
    EXPECT_EQ(object.Get(4, 0), 1u);
    EXPECT_TRUE(form->RelayChecks[1]->isChecked());
    form->RelayChecks[1]->click();
    EXPECT_EQ(object.Get(4, 0), 0u);

    Refuse(4, 0);
    form->RelayChecks[1]->click();
    EXPECT_FALSE(form->RelayChecks[1]->isChecked());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Relay K2 was not switched"));

    // The relay's own state is read when the window opens.
    object.SetRefuse({});
    object.Set(4, 0, 1);
    ASSERT_TRUE(form->Load());
    EXPECT_TRUE(form->RelayChecks[1]->isChecked());

    // A protected output is switched with the key it gives; "Refresh" learns that it is protected.
    object.Set(4, 0, 0);
    object.Set(4, 2, 0x5A00);
    object.Set(4, 3, 1);
    form->RefreshBtn->click();
    EXPECT_FALSE(form->RelayChecks[1]->isChecked());
    form->RelayChecks[1]->click();
    EXPECT_EQ(object.Get(4, 0), 0x5A01u);
    EXPECT_EQ(messages.size(), 1);

    // Taken under manual control, a relay's state is read at once; a relay that does not answer
    // says so.
    object.Set(3, 0, 1);
    form->ManualChecks[0]->click();
    EXPECT_TRUE(form->RelayChecks[0]->isEnabled());
    EXPECT_TRUE(form->RelayChecks[0]->isChecked());
    object.SetRefuse([](bool, quint8 o, quint16 p, quint32) { return o == 5 && p == 3; });
    form->ManualChecks[2]->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("The state of relay K3 was not read"));
}

TEST_F(FlameWindow, SetPointsLevelsAndTheAnalogOutputWriteOnlyWhatTheyStandFor) {
    ASSERT_TRUE(form->Load());
    // Only the changed set-point is written.
    form->ACLevelEdit->setText(QStringLiteral("0,75"));
    int before = dev.RequestCount();
    form->ApplySetPointsBtn->click();
    EXPECT_EQ(object.Get(kFlame, 2), Bits(0.75f));
    EXPECT_EQ(dev.RequestCount(), before + 1);

    // A bad delay is refused before anything is sent.
    form->DCLevelEdit->setText(QStringLiteral("2"));
    form->LagEdits[2]->setText(QStringLiteral("70000"));
    before = dev.RequestCount();
    form->ApplySetPointsBtn->click();
    EXPECT_EQ(dev.RequestCount(), before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("K3 \"Extinction\": \"70000\" is not a delay from 0 to 65535"));
    form->LagEdits[2]->setText(QStringLiteral("333"));
    form->ApplySetPointsBtn->click();
    EXPECT_EQ(object.Get(kFlame, 0), Bits(2.0f));
    EXPECT_EQ(object.Entry(kFlame, 14, 2, 0), 333u);
    EXPECT_EQ(object.Entry(kFlame, 14, 3, 0), 400u);

    // The levels dialog shows the six levels and writes what was typed.
    QString shown;
    QString typed = QStringLiteral("7.5");
    dialog = [&](QDialog& d) {
        auto& levels = static_cast<TFlameLevelsDlg&>(d);
        shown = levels.Edits[5]->text();
        levels.Edits[0]->setText(typed);
        return int(QDialog::Accepted);
    };
    form->LevelsBtn->click();
    EXPECT_EQ(shown, QStringLiteral("5.5"));
    EXPECT_EQ(object.Entry(kFlame, 12, 0, 0), Bits(7.5f));
    EXPECT_EQ(object.Entry(kFlame, 12, 5, 0), Bits(5.5f));
    typed = QStringLiteral("x");
    messages.clear();
    form->LevelsBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Level 1: \"x\" is not a number"));
    EXPECT_EQ(object.Entry(kFlame, 12, 0, 0), Bits(7.5f));
    // Refused by the device: reported, and the window keeps the levels it knows the device has.
    typed = QStringLiteral("8");
    Refuse(kFlame, 13);
    form->LevelsBtn->click();
    object.SetRefuse({});
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], SensorChannelTexts().SetLevels);
    dialog = [&](QDialog& d) {
        shown = static_cast<TFlameLevelsDlg&>(d).Edits[0]->text();
        return int(QDialog::Rejected);
    };
    form->LevelsBtn->click();
    EXPECT_EQ(shown, QStringLiteral("7.5"));

    // The analog output: source and conversion.
    form->SourceBox->setCurrentIndex(0);
    form->AOEdits[3]->setText(QStringLiteral("100"));
    form->SetAOBtn->click();
    EXPECT_EQ(object.Get(kFlame, 19), 0u);
    EXPECT_EQ(object.Entry(kFlame, 20, 3, 0), Bits(100.0f));
    EXPECT_EQ(object.Entry(kFlame, 20, 1, 0), Bits(10.0f));
    EXPECT_EQ(messages.size(), 2);
    // None of it restarted the controller.
    EXPECT_EQ(object.Get(kFlame, 6), kUntouched);
}

TEST_F(FlameWindow, RestartAndZeroCorrectionAreTheirOwnButtonsAndSayHowTheyWent) {
    ASSERT_TRUE(form->Load());
    form->RestartBtn->click();
    EXPECT_EQ(object.Get(kFlame, 6), 1u);
    EXPECT_EQ(object.Get(kFlame, 8), kUntouched);
    form->ZeroBtn->click();
    EXPECT_EQ(object.Get(kFlame, 8), 0u);
    EXPECT_EQ(messages, (QStringList{QStringLiteral("The controller restarts"),
                                     QStringLiteral("The zero level was corrected")}));
    Refuse(kFlame, 6);
    form->RestartBtn->click();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[2], SensorChannelTexts().FlameRestart);
}

TEST_F(FlameWindow, EveryTextShowsWholeInEveryLanguageAndErrorsFollowTheLanguage) {
    ASSERT_TRUE(form->Load());
    ExpectWholeTexts(*form);
    SetCurrentLanguage(liUkrainian);
    ApplyChannelTexts(liUkrainian);
    form->UpdateLanguage();
    EXPECT_EQ(form->RestartBtn->text(), QStringLiteral("Перезапустити контролер"));
    EXPECT_EQ(form->SourceBox->currentText(), QStringLiteral("Постійна складова"));
    Refuse(kFlame, 9);
    form->IndicationCheck->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Помилка під час запису активності індикації"));
}

// Photosensor channel 2 of the detector model: object 2, its polynomial behind property 10, the
// highest coefficient first.
class FotoWindow : public FlameWindows {
protected:
    void SetUp() override {
        const std::pair<quint16, float> floats[] = {{0, 12.5f}, {1, 0.5f},  {2, 20.0f}, {3, 0.1f},
                                                    {4, 2048},  {5, 31.5f}, {7, 1.25f}, {8, 0.5f},
                                                    {14, 812},  {17, 5.0f}, {19, 40.0f}};
        for (auto [p, v] : floats)
            object.Set(2, p, Bits(v));
        object.Set(2, 6, 1);  // regulator on
        object.Set(2, 9, 0);  // polynomial off
        object.Set(2, 20, 3); // recovery cycles
        object.Set(2, 15, kUntouched);
        object.Set(2, 16, kUntouched);
        object.AddList(2, 10, {11}, 6, true);
        for (size_t k = 0; k < 6; ++k)
            object.SetEntry(2, 10, k, 0, Bits(float(k + 1))); // a5 = 1 … a0 = 6
        Start(27, 1);
        form = std::make_unique<TFotoSensorChannelForm>(dm);
        Hook(*form);
    }
    std::unique_ptr<TFotoSensorChannelForm> form;
};

TEST_F(FotoWindow, OpensWithEverySettingAndValueAndPollsTheResultAndAmplitude) {
    ASSERT_TRUE(form->Load());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Module: KVD-FLAME-BUS. Photosensor channel 2"));
    const char* settings[7] = {"0.5", "20", "40", "0.1", "5", "3", "2048"};
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(form->SettingEdits[i]->text(), QString::fromLatin1(settings[i])) << i;
    EXPECT_TRUE(form->RegulatorCheck->isChecked());
    EXPECT_FALSE(form->PolynomialCheck->isChecked());
    EXPECT_EQ(form->PolyEdits[0]->text(), QStringLiteral("6"));
    EXPECT_EQ(form->PolyEdits[5]->text(), QStringLiteral("1"));
    EXPECT_TRUE(form->Norm1Edit->text().isEmpty());
    EXPECT_EQ(form->TemperatureValue->text(), QStringLiteral("31.5"));
    EXPECT_EQ(form->ADCVoltageValue->text(), QStringLiteral("1.25"));
    EXPECT_EQ(form->ADCCodeValue->text(), QStringLiteral("812"));

    form->StartBtn->click();
    EXPECT_TRUE(form->Polling());
    form->PollTimerTimer();
    EXPECT_EQ(form->ResultValue->text(), QStringLiteral("12.5"));
    EXPECT_EQ(form->AmplitudeValue->text(), QStringLiteral("0.5"));
    // A full read stops the poll first.
    form->ReadBtn->click();
    EXPECT_FALSE(form->Polling());
    // An amplitude the device does not give ends the poll with one message.
    form->StartBtn->click();
    object.SetRefuse([](bool, quint8 o, quint16 p, quint32) { return o == 2 && p == 1; });
    form->PollTimerTimer();
    EXPECT_FALSE(form->Polling());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Amplitude: the device did not answer")});
    object.SetRefuse({});
    form->StartBtn->click();
    form->done(QDialog::Rejected);
    EXPECT_FALSE(form->Polling());
}

TEST_F(FotoWindow, WritingAllSendsTheEditsAndOnlyTheNormalizationCoefficientsTheUserSet) {
    ASSERT_TRUE(form->Load());
    form->SettingEdits[0]->setText(QStringLiteral("0,75"));
    form->SettingEdits[5]->setText(QStringLiteral("9"));
    form->PolyEdits[0]->setText(QStringLiteral("-1"));
    form->PolynomialCheck->setChecked(true);
    form->WriteBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("The settings were written")});
    EXPECT_EQ(object.Get(2, 8), Bits(0.75f));
    EXPECT_EQ(object.Get(2, 20), 9u);
    EXPECT_EQ(object.Get(2, 9), 1u);
    EXPECT_EQ(object.Get(2, 2), Bits(20.0f));
    // The device takes the polynomial from a5 down to a0.
    EXPECT_EQ(object.Entry(2, 10, 5, 0), Bits(-1.0f));
    EXPECT_EQ(object.Entry(2, 10, 0, 0), Bits(1.0f));
    // Never set: never written, so the device's own coefficients stay.
    EXPECT_EQ(object.Get(2, 15), kUntouched);
    EXPECT_EQ(object.Get(2, 16), kUntouched);

    form->Norm1Edit->setText(QStringLiteral("1.5"));
    form->WriteBtn->click();
    EXPECT_EQ(object.Get(2, 15), Bits(1.5f));
    EXPECT_EQ(object.Get(2, 16), kUntouched);
    // A read leaves what the user set, as the device never tells.
    form->ReadBtn->click();
    EXPECT_EQ(form->Norm1Edit->text(), QStringLiteral("1.5"));
    EXPECT_TRUE(form->Norm2Edit->text().isEmpty());

    // A bad edit stops everything before the first write.
    messages.clear();
    form->Norm2Edit->setText(QStringLiteral("abc"));
    const int before = dev.RequestCount();
    form->WriteBtn->click();
    EXPECT_EQ(dev.RequestCount(), before);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Coefficient 2: \"abc\" is not a number")});

    // A refused write is reported with its step, never as written.
    messages.clear();
    form->Norm2Edit->clear();
    object.SetRefuse([](bool write, quint8 o, quint16 p, quint32) { return write && o == 2 && p == 17; });
    form->WriteBtn->click();
    EXPECT_EQ(messages, QStringList{SensorChannelTexts().FotoWriteJumpLevel});
}

TEST_F(FotoWindow, EveryTextShowsWholeInEveryLanguage) {
    ASSERT_TRUE(form->Load());
    ExpectWholeTexts(*form);
    SetCurrentLanguage(liUkrainian);
    form->UpdateLanguage();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Модуль: KVD-FLAME-BUS. Канал фотодатчика 2"));
}

TEST(FlameTables, EveryLanguageIsComplete) {
    for (const TTableReport& r : CheckFlameLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(QStringLiteral("; ")).toStdString();
}

} // namespace
