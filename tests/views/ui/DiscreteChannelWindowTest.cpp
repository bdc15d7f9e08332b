// The discrete output and input channel windows and the sequence editor, driven offscreen against
// the emulated discrete modules behind a pair of bridged pseudo-terminals (the emulator runs in this
// process and answers while the windows' exchanges let events run). Timer handlers are called
// directly, tick by tick.
#include "views/AnalogInputGenerator.h"
#include "views/ui/DIChannelForms.h"
#include "views/ui/DOChannelForms.h"
#include "views/ui/SequenceEditor.h"

#include "ViewsUiSupport.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "localization/DiscreteChannelLanguage.h"
#include "localization/Localization.h"
#include "model/DIChannel.h"
#include "model/DOChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "support/PtyBridge.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// An emulated discrete module at address 1 on a pseudo-terminal, its template selected as the
// current module.
class DiscreteWindows : public ::testing::Test {
protected:
    void Start(quint32 TypeCode, const char* Model, int Row) {
        ASSERT_TRUE(bridge.Ok());
        dm.VDMgr->AddDevices(TypeCode, 1);
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
        device.TypeCode = TypeCode;
        device.ModelName = QString::fromLatin1(Model);
        device.ByteOrder = boNAN;
        dm.CurrentDevice = &device;
        dm.CurrentChannel = qint16(Row);
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
    }
    void TearDown() override {
        dm.ComAccessPoint.SetActive(false);
        dm.VDMgr->SetActive(false);
    }
    template <class T> T& Virtual(int Index) {
        return static_cast<T&>(*dm.VDMgr->DeviceAt(0)->ChannelAt(Index));
    }
    // Prepares a window as the opener would and keeps its messages and dialogs in the test.
    template <class F> void Hook(F& Form) {
        Form.OnMessage = [this](const QString& t) { messages << t; };
        Form.OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
        Form.Timer->Pause = [](int) {};
    }

    TEnglishAfterwards english;
    TPtyBridge bridge;
    TDm dm;
    TDeviceProps device;
    QStringList messages;
    std::function<int(QDialog&)> dialog;
};

} // namespace

TEST(DiscreteWindowTables, OutputAndInputRowsByTypeCode) {
    struct TCase {
        TDOWindow Window;
        quint32 Type;
        int Row;
        int Output;
    } outputs[] = {
        {TDOWindow::KVD_DO, 5, 3, 3},      {TDOWindow::KVD_DO, 6, 9, 1},     {TDOWindow::KVD_DO, 4, 8, 0},
        {TDOWindow::KVD_DO, 19, 12, 10},   {TDOWindow::KVD_DO, 19, 13, 6},   {TDOWindow::KVD_DO, 43, 5, 1},
        {TDOWindow::KVD_DO, 43, 3, -1},    {TDOWindow::KVD_DO, 10, 8, -1},   {TDOWindow::KVD_DO, 69, 23, 0},
        {TDOWindow::DOChannel, 33, 14, 0}, {TDOWindow::DOChannel, 27, 3, 1}, {TDOWindow::DOChannel, 5, 0, -1},
        {TDOWindow::KVD_DOS, 6, 4, 0},     {TDOWindow::KVD_DOS, 33, 15, 0},  {TDOWindow::KVD_DOS, 17, 11, 11},
        {TDOWindow::KVD_DOR, 8, 2, 2},     {TDOWindow::KVD_DOR, 7, 2, -1},
    };
    for (const TCase& c : outputs)
        EXPECT_EQ(DOOutputIndexFor(c.Window, c.Type, c.Row), c.Output)
            << DOWindowName(c.Window).toStdString() << " type " << c.Type << " row " << c.Row;
    struct TInputCase {
        TDIWindow Window;
        quint32 Type;
        int Row;
        int Input;
    } inputs[] = {
        {TDIWindow::KVD_DI, 4, 5, 5},      {TDIWindow::KVD_DI, 10, 5, -1},
        {TDIWindow::KVD_DI_DC, 19, 8, 8},  {TDIWindow::KVD_DI_DC, 19, 9, 2},
        {TDIWindow::KVD_DI_DC, 43, 8, 2},  {TDIWindow::KVD_DI_DC, 43, 2, -1},
        {TDIWindow::KVD_DI_DC, 21, 10, 0}, {TDIWindow::DIDC, 18, 14, 14},
        {TDIWindow::DIDC, 19, 0, -1},
    };
    for (const TInputCase& c : inputs)
        EXPECT_EQ(DIInputIndexFor(c.Window, c.Type, c.Row), c.Input)
            << DIWindowName(c.Window).toStdString() << " type " << c.Type << " row " << c.Row;
}

TEST(DiscreteWindowTables, StateThreeIsAShortCircuitOnlyInTheLineCheckWindow) {
    EXPECT_EQ(DIStateLook(TDIWindow::KVD_DI_DC, 3).Text, TDIStateLook::ShortCircuit);
    EXPECT_EQ(DIStateLook(TDIWindow::DIDC, 3).Text, TDIStateLook::LineBreak);
    EXPECT_EQ(DIStateLook(TDIWindow::KVD_DI, 3).Text, TDIStateLook::None);
    EXPECT_EQ(DIStateLook(TDIWindow::KVD_DI, 2).Text, TDIStateLook::Opened);
    EXPECT_TRUE(DIStateLook(TDIWindow::KVD_DI_DC, 2).Fault);
    EXPECT_EQ(DIStateLook(TDIWindow::KVD_DI_DC, 1).Picture, 0);
}

TEST(DiscreteWindowTables, EveryTextInEveryLanguage) {
    for (const TTableReport& r : CheckDiscreteChannelLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(", ").toStdString();
}

// --- Sequence editor ---------------------------------------------------------------------------

TEST(SequenceEditor, DurationsAreHundredsOfMillisecondsUpTo65535) {
    EXPECT_EQ(PeriodDurationText(0), QStringLiteral("00:00:00, 0"));
    EXPECT_EQ(PeriodDurationText(15), QStringLiteral("00:00:01, 500"));
    EXPECT_EQ(PeriodDurationText(65535), QStringLiteral("01:49:13, 500"));
    EXPECT_EQ(PeriodUnits(1, 49, 13, 500), std::optional<quint16>(65535));
    EXPECT_EQ(PeriodUnits(1, 49, 13, 600), std::nullopt);
    EXPECT_EQ(PeriodUnits(0, 0, 2, 250), std::optional<quint16>(22));
}

TEST(SequenceEditor, RefusesASixteenthPeriodAndAnOverlongDuration) {
    TEnglishAfterwards english;
    TSequenceEditorDlg editor;
    QStringList messages;
    editor.OnMessage = [&](const QString& t) { messages << t; };
    int hours = 0, minutes = 0, seconds = 1, ms = 0;
    editor.OnRunDialog = [&](QDialog&) {
        editor.PeriodDlg->HoursEdit->setValue(hours);
        editor.PeriodDlg->MinutesEdit->setValue(minutes);
        editor.PeriodDlg->SecondsEdit->setValue(seconds);
        editor.PeriodDlg->MillisecondsEdit->setValue(ms);
        return int(QDialog::Accepted);
    };
    editor.Setup({});
    for (int i = 0; i < 15; ++i) {
        seconds = i;
        editor.NewBtnClick();
    }
    ASSERT_EQ(editor.Sequence().Durations.size(), 15u);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(editor.Sequence().Durations[14], 140);
    editor.NewBtnClick();
    EXPECT_EQ(editor.Sequence().Durations.size(), 15u);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Limit reached"));

    // The longest duration is taken, one step beyond it is refused and the period keeps its value.
    editor.PeriodList->setCurrentItem(editor.PeriodList->topLevelItem(3));
    hours = 1, minutes = 49, seconds = 13, ms = 500;
    editor.EditBtnClick();
    EXPECT_EQ(editor.Sequence().Durations[3], 65535);
    ms = 600;
    editor.EditBtnClick();
    EXPECT_EQ(editor.Sequence().Durations[3], 65535);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("Maximum period duration: 01:49:13, 500"));
    EXPECT_EQ(editor.PeriodList->topLevelItem(3)->text(1), QStringLiteral("01:49:13, 500"));

    editor.DeleteBtnClick();
    EXPECT_EQ(editor.Sequence().Durations.size(), 14u);
    EXPECT_EQ(editor.Sequence().Durations[3], 40);
    editor.DeleteAllBtnClick();
    EXPECT_TRUE(editor.Sequence().Durations.empty());
    EXPECT_EQ(editor.PeriodList->topLevelItemCount(), 0);
}

TEST(SequenceEditor, TakesNoMoreThanFifteenPeriodsWhateverItIsGiven) {
    TSequenceEditorDlg editor;
    TPulseSequence sequence;
    sequence.StartValue = true;
    sequence.Durations.assign(40, 7);
    editor.Setup(sequence);
    EXPECT_EQ(editor.Sequence().Durations.size(), 15u);
    EXPECT_EQ(editor.PeriodList->topLevelItemCount(), 15);
    EXPECT_EQ(editor.EntryLevelBox->currentIndex(), 1);
}

// --- Discrete output windows -------------------------------------------------------------------

TEST_F(DiscreteWindows, OutputSwitchedOnAndOffInProtectedMode) {
    Start(5, "KVD-DO-BUS", 2);
    TDOChannelForm form(dm, TDOWindow::KVD_DO);
    Hook(form);
    form.RelayStatusTimer->Pause = [](int) {};
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Module: KVD-DO-BUS.Channel  №3"));
    auto& virtualOutput = Virtual<TVirtualDOChannel>(2);
    form.ModeBox->setCurrentIndex(1);
    ASSERT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    ASSERT_TRUE(virtualOutput.Protected());
    const quint32 key = virtualOutput.WriteKey();

    form.ControlBox->setChecked(true);
    form.StartBtnClick();
    EXPECT_TRUE(form.Running());
    EXPECT_FALSE(form.ModeBox->isEnabled());
    EXPECT_EQ(form.StartBtn->text(), QStringLiteral("Stop"));
    form.TimerTimer();
    EXPECT_EQ(virtualOutput.State(), 1u);
    EXPECT_NE(virtualOutput.WriteKey(), key); // the write carried a key
    form.RelayStatusTimerTimer();
    EXPECT_EQ(form.PictureState(), 1);
    form.ControlLbClick(); // the label toggles the box
    EXPECT_FALSE(form.ControlBox->isChecked());
    form.TimerTimer();
    EXPECT_EQ(virtualOutput.State(), 0u);
    form.RelayStatusTimerTimer();
    EXPECT_EQ(form.PictureState(), 0);
    EXPECT_TRUE(messages.isEmpty());

    // Close while running only stops; the second Close closes, and nothing keeps polling.
    form.show();
    form.CloseBtnClick();
    EXPECT_FALSE(form.Running());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.StartBtn->text(), QStringLiteral("Start"));
    form.CloseBtnClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer->Running());
    EXPECT_FALSE(form.RelayStatusTimer->Running());
}

TEST_F(DiscreteWindows, ClosingAfterAPlaybackStopsTheStatusPolling) {
    Start(8, "KVD-DOR-BUS", 1);
    TDOChannelForm form(dm, TDOWindow::KVD_DOR);
    Hook(form);
    form.RelayStatusTimer->Pause = [](int) {};
    ASSERT_TRUE(form.Load());
    form.show();
    form.PlayBtnClick();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_TRUE(form.RelayStatusTimer->Running());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.RelayStatusTimer->Running());
}

TEST_F(DiscreteWindows, RelayWindowsRefuseToCloseWhileRunning) {
    Start(7, "KVD-DOS-BUS", 0);
    TDOChannelForm form(dm, TDOWindow::KVD_DOS);
    Hook(form);
    form.RelayStatusTimer->Pause = [](int) {};
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Module: KVD-DOS-BUS.Channel №1"));
    form.show();
    form.StartBtnClick();
    form.close(); // the close box stops the re-sending and the window stays
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Running());
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(DiscreteWindows, SequenceEditedWrittenAndReadBack) {
    Start(5, "KVD-DO-BUS", 0);
    TDOChannelForm form(dm, TDOWindow::KVD_DO);
    Hook(form);
    ASSERT_TRUE(form.Load());
    // The editor: entry level active, three periods of 0.5 s, 1.2 s and 1 h.
    const std::vector<std::tuple<int, int, int>> periods = {{0, 0, 500}, {0, 1, 200}, {1, 0, 0}};
    size_t next = 0;
    form.SequenceDlg->OnRunDialog = [&](QDialog&) {
        const auto [h, s, ms] = periods[next++];
        form.SequenceDlg->PeriodDlg->HoursEdit->setValue(h);
        form.SequenceDlg->PeriodDlg->MinutesEdit->setValue(0);
        form.SequenceDlg->PeriodDlg->SecondsEdit->setValue(s);
        form.SequenceDlg->PeriodDlg->MillisecondsEdit->setValue(ms);
        return int(QDialog::Accepted);
    };
    dialog = [&](QDialog& d) {
        auto* editor = qobject_cast<TSequenceEditorDlg*>(&d);
        if (!editor)
            return int(QDialog::Rejected);
        editor->EntryLevelBox->setCurrentIndex(1);
        editor->DeleteAllBtnClick();
        for (size_t i = 0; i < periods.size(); ++i)
            editor->NewBtnClick();
        return int(QDialog::Accepted);
    };
    form.SequenceBtnClick();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    const auto& settings = Virtual<TVirtualDOChannel>(0).Settings();
    EXPECT_EQ(settings.StartState, 1);
    ASSERT_EQ(settings.Steps, 3);
    EXPECT_EQ(settings.Durations[0], 5);
    EXPECT_EQ(settings.Durations[1], 12);
    EXPECT_EQ(settings.Durations[2], 36000);

    // Opened again, the editor shows what the device holds.
    TPulseSequence shown;
    dialog = [&](QDialog& d) {
        if (auto* editor = qobject_cast<TSequenceEditorDlg*>(&d))
            shown = editor->Sequence();
        return int(QDialog::Rejected);
    };
    form.Output()->ClearSteps();
    form.SequenceBtnClick();
    EXPECT_TRUE(shown.StartValue);
    EXPECT_EQ(shown.Durations, (std::vector<quint16>{5, 12, 36000}));

    form.PlayBtnClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(Virtual<TVirtualDOChannel>(0).SequenceMode());
}

TEST_F(DiscreteWindows, ATickDuringAnotherExchangeGivesWayWithoutAMessage) {
    Start(5, "KVD-DO-BUS", 1);
    TDOChannelForm form(dm, TDOWindow::KVD_DO);
    Hook(form);
    form.RelayStatusTimer->Pause = [](int) {};
    ASSERT_TRUE(form.Load());
    form.ControlBox->setChecked(true);
    form.StartBtnClick();
    // While the mode write waits for its answer, both ticks come due.
    bool nested = false;
    QTimer::singleShot(0, [&] {
        nested = dm.ComAccessPoint.Busy() || dm.CurrentModule->AP()->Busy();
        form.TimerTimer();
        form.RelayStatusTimerTimer();
    });
    form.StartBtnClick(); // stop, so that the mode can be chosen
    form.ModeBox->setCurrentIndex(1);
    EXPECT_TRUE(nested);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_TRUE(Virtual<TVirtualDOChannel>(1).Protected());
}

TEST_F(DiscreteWindows, SequenceButtonsHiddenInTheP340WindowWhileEmulating) {
    Start(5, "KVD-DO-BUS", 0);
    // The window serves other modules; shown against a DO module by the same rows, it still tells
    // its own rule apart from the others.
    device.TypeCode = 27;
    dm.CurrentChannel = 2;
    dm.EmulatorActive = true;
    TDOChannelForm form(dm, TDOWindow::DOChannel);
    Hook(form);
    ASSERT_TRUE(form.Load());
    EXPECT_FALSE(form.SequenceBtn->isVisibleTo(&form));
    EXPECT_FALSE(form.PlayBtn->isVisibleTo(&form));
    dm.EmulatorActive = false;
    ASSERT_TRUE(form.Load());
    EXPECT_TRUE(form.SequenceBtn->isVisibleTo(&form));
}

// --- Discrete input windows --------------------------------------------------------------------

TEST_F(DiscreteWindows, InputResponseTimeAndLineBreakCheck) {
    Start(10, "KVD-DIDC-BUS", 4);
    auto& virtualInput = Virtual<TVirtualDIChannel>(4);
    TDIChannelForm form(dm, TDIWindow::KVD_DI_DC);
    Hook(form);
    form.BlinkTimer->Pause = [](int) {};
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Module: KVD-DIDC-BUS.Channel №5"));
    EXPECT_TRUE(form.Polling());
    EXPECT_TRUE(form.BreakLevelCheck->isChecked()); // the emulated input starts with the check on
    EXPECT_FALSE(form.ReleBtn->isVisibleTo(&form));

    // Response time: the dialog's value is written and shown.
    dialog = [&](QDialog& d) {
        auto* f = qobject_cast<TTimeResponseForm*>(&d);
        if (!f)
            return int(QDialog::Rejected);
        f->TrackBar->setValue(250);
        return int(QDialog::Accepted);
    };
    form.TimeResponseBtnClick();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_EQ(virtualInput.Settings().P, 250);
    EXPECT_EQ(form.TimeResponseLb->text(), QStringLiteral("250"));
    // Cancelled: nothing written.
    dialog = [](QDialog& d) {
        if (auto* f = qobject_cast<TTimeResponseForm*>(&d))
            f->TrackBar->setValue(4000);
        return int(QDialog::Rejected);
    };
    form.TimeResponseBtnClick();
    EXPECT_EQ(virtualInput.Settings().P, 250);

    // The check switched off and on again by the box.
    form.BreakLevelCheck->setChecked(false);
    form.BreakLevelCheckClick();
    EXPECT_FALSE(virtualInput.Settings().LineCheck);
    form.BreakLevelCheck->setChecked(true);
    form.BreakLevelCheckClick();
    EXPECT_TRUE(virtualInput.Settings().LineCheck);

    // A broken line shows in red and blinks while running; a closed contact stops the blinking.
    virtualInput.SetInput(3.0f);
    form.StartBtnClick();
    EXPECT_FALSE(form.TimeResponseBtn->isEnabled());
    EXPECT_FALSE(form.BreakLevelCheck->isEnabled());
    form.TimerTimer();
    EXPECT_EQ(form.StatusLb->text(), QStringLiteral("Line break"));
    EXPECT_TRUE(form.Blinking());
    form.BlinkTimerTimer();
    EXPECT_FALSE(form.StatusLb->isVisibleTo(&form));
    virtualInput.SetInput(0.1f);
    form.TimerTimer();
    EXPECT_EQ(form.StatusLb->text(), QStringLiteral("Contact closed"));
    EXPECT_TRUE(form.StatusLb->isVisibleTo(&form));
    EXPECT_FALSE(form.Blinking());
    EXPECT_EQ(form.PictureState(), 0);
    EXPECT_TRUE(messages.isEmpty());

    form.show();
    form.CloseBtnClick(); // stops
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Running());
    form.CloseBtnClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer->Running());
    EXPECT_FALSE(form.Polling());
}

TEST_F(DiscreteWindows, InputWindowForPlainInputsServesOnlyItsModule) {
    Start(10, "KVD-DIDC-BUS", 0);
    TDIChannelForm plain(dm, TDIWindow::KVD_DI);
    Hook(plain);
    EXPECT_FALSE(plain.Load());
    EXPECT_FALSE(plain.Polling());
    // With the emulator on, the response time button does nothing and the generator is offered.
    dm.EmulatorActive = true;
    TDIChannelForm form(dm, TDIWindow::KVD_DI_DC);
    Hook(form);
    ASSERT_TRUE(form.Load());
    EXPECT_TRUE(form.ReleBtn->isVisibleTo(&form));
    EXPECT_TRUE(form.ReleBtn->isEnabled());
    // The relay button hands the window's own input to the remote contact.
    std::vector<std::pair<TContactAction, TDIChannel*>> contacts;
    const TDiscreteInputContactHook saved = DiscreteInputContact();
    DiscreteInputContact() = [&](TContactAction a, TDIChannel& c) { contacts.emplace_back(a, &c); };
    form.ReleBtn->click();
    DiscreteInputContact() = saved;
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0].first, caToggle);
    EXPECT_EQ(contacts[0].second, form.Input());
    bool opened = false;
    dialog = [&](QDialog&) {
        opened = true;
        return int(QDialog::Rejected);
    };
    form.TimeResponseBtnClick();
    EXPECT_FALSE(opened);
}

TEST(DIRemapDialog, DefaultMapsEveryInputToItsOwnChannel) {
    TEnglishAfterwards english;
    TdlgDIRemap dlg;
    TDIRemapList list{};
    for (size_t i = 0; i < list.size(); ++i)
        list[i] = quint8(14 - i);
    dlg.OnRunDialog = [&](QDialog& d) {
        if (&d == dlg.HardDlg) {
            dlg.HardDlg->ChannelList->setCurrentRow(99);
            return int(QDialog::Accepted);
        }
        EXPECT_EQ(dlg.RemapList->topLevelItem(0)->text(1), QStringLiteral("15"));
        EXPECT_EQ(dlg.RemapList->topLevelItem(0)->text(2), QStringLiteral("remaped"));
        EXPECT_EQ(dlg.RemapList->topLevelItem(7)->text(2), QString()); // 7 stays 7
        dlg.DefaultBtnClick();
        dlg.EditRow(2);
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(dlg.Execute(list));
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i], i == 2 ? 99 : i) << i;
    EXPECT_EQ(dlg.RemapList->topLevelItem(2)->text(1), QStringLiteral("100"));

    // Cancelled: the list stays as it was.
    const TDIRemapList before = list;
    dlg.OnRunDialog = [&](QDialog&) {
        dlg.DefaultBtnClick();
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(dlg.Execute(list));
    EXPECT_EQ(list, before);
}

TEST_F(DiscreteWindows, UkrainianTextsFitTheirControls) {
    Start(6, "KVD-DIO-BUS", 12); // the emulated module has its first four inputs and its last four outputs
    SetCurrentLanguage(liUkrainian);
    TDOChannelForm out(dm, TDOWindow::KVD_DO);
    Hook(out);
    ASSERT_TRUE(out.Load());
    out.show();
    QApplication::processEvents();
    EXPECT_EQ(out.ModeBox->itemText(1), QStringLiteral("Захищений режим"));
    EXPECT_TRUE(CutTexts(&out).isEmpty()) << CutTexts(&out).join(';').toStdString();
    dm.CurrentChannel = 1;
    TDIChannelForm in(dm, TDIWindow::KVD_DI_DC);
    Hook(in);
    ASSERT_TRUE(in.Load());
    in.show();
    QApplication::processEvents();
    EXPECT_EQ(in.StartBtn->text(), QStringLiteral("Пуск"));
    EXPECT_TRUE(CutTexts(&in).isEmpty()) << CutTexts(&in).join(';').toStdString();
    in.close();
    out.close();
}

TEST_F(DiscreteWindows, PropertiesWindowOpensTheWindowOfTheChannelKind) {
    Start(6, "KVD-DIO-BUS", 12);
    TDOChannelForm doForm(dm, TDOWindow::KVD_DO), doDlg(dm, TDOWindow::DOChannel),
        dos(dm, TDOWindow::KVD_DOS), dor(dm, TDOWindow::KVD_DOR);
    TDIChannelForm di(dm, TDIWindow::KVD_DI), diDc(dm, TDIWindow::KVD_DI_DC), didc(dm, TDIWindow::DIDC);
    RegisterDOChannelWindows(doForm, doDlg, dos, dor);
    RegisterDIChannelWindows(di, diDc, didc);
    for (TDOChannelForm* f : {&doForm, &doDlg, &dos, &dor})
        Hook(*f);
    for (TDIChannelForm* f : {&di, &diDc, &didc})
        Hook(*f);
    struct TCase {
        int Row;
        QString Window;
    } cases[] = {{12, QStringLiteral("TKVD_DO_ChannelForm")}, {3, QStringLiteral("TKVD_DI_DC_ChannelForm")}};
    for (const TCase& c : cases) {
        dm.CurrentChannel = qint16(c.Row);
        QString opened;
        WhenModal<QDialog>([&](QDialog* w) {
            opened = w->objectName();
            w->close();
        });
        TChannelWindowContext context;
        context.Module = dm.CurrentModule;
        context.Device = &device;
        context.Row = c.Row;
        EXPECT_TRUE(OpenChannelWindow(context, dm.DeviceRegister)) << c.Row;
        EXPECT_EQ(opened, c.Window);
    }
    for (const char* name :
         {"TKVD_DO_ChannelForm", "TDOChannelDlg", "TKVD_DOS_ChannelForm", "TKVD_DOR_ChannelForm",
          "TKVD_DI_ChannelForm", "TKVD_DI_DC_ChannelForm", "TDIDCDialog"})
        ChannelWindows().Unregister(QString::fromLatin1(name));
}
