// The twelve-channel module's window, driven offscreen against a scripted KVD-AIK12-BUS on a
// pseudo-terminal: the inputs on objects 1..12 and the signalling table behind property 2 of
// object 13.
#include "views/ui/AIK12Dlg.h"

#include "ViewsUiSupport.h"
#include "localization/AIK12Language.h"
#include "model/AnalogInputModules.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/SensorDevice.h"
#include "views/AnalogInputDisplay.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <bit>
#include <mutex>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

template <class Pred> bool RunUntil(Pred Done, int LimitMs = 8000) {
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > LimitMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// One request as the device saw it.
struct TRequest {
    bool Write;
    quint8 Object;
    quint16 Property;
    quint32 Value;
};

constexpr quint8 kAlarmObject = 13;
constexpr size_t kEntries = TAlarmTable::kEntryCount;

class AIK12Window : public ::testing::Test {
protected:
    void SetUp() override {
        for (quint8 o = 1; o <= 12; ++o) {
            object.Set(o, 0, Bits(1.5f * o));
            object.Set(o, 1, 6);
            object.Set(o, 2, 1);
            object.Set(o, 4, 0);
            object.Set(o, 50, Bits(24.5f));
        }
        object.Set(kAlarmObject, 0, 1);
        object.AddList(kAlarmObject, 2, {3, 4, 5, 6, 7, 8}, kEntries, false);
        for (size_t i = 0; i < kEntries; ++i) {
            const float f = float(i);
            const quint32 fields[6] = {quint32(i % 2),       Bits(f),      Bits(f + 10),
                                       quint32((i + 1) % 2), Bits(f - 20), Bits(f + 0.5f)};
            for (size_t k = 0; k < 6; ++k)
                object.SetEntry(kAlarmObject, 2, i, k, fields[k]);
        }
        object.SetRefuse([this](bool w, quint8 o, quint16 p, quint32 v) {
            std::lock_guard lock(traceMutex);
            trace.push_back({w, o, p, v});
            return refuse && refuse(w, o, p, v);
        });
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
        device.TypeCode = 25;
        device.ModelName = QStringLiteral("KVD-AIK12-BUS");
        dm.CurrentDevice = &device;
        dm.CurrentChannel = 12;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
        form = std::make_unique<TAIK12Dlg>(dm);
        form->OnMessage = [this](const QString& t) { messages << t; };
        form->PollTimer->Pause = [](int) {};
    }
    void TearDown() override {
        form.reset();
        dm.ComAccessPoint.SetActive(false);
    }
    void Refuse(std::function<bool(bool, quint8, quint16, quint32)> F) {
        std::lock_guard lock(traceMutex);
        refuse = std::move(F);
    }
    std::vector<TRequest> Trace() {
        std::lock_guard lock(traceMutex);
        return trace;
    }
    size_t TraceSize() { return Trace().size(); }
    QString Cell(int Row, int Column) const { return form->AlarmGrid->item(Row, Column)->text(); }
    QStringList Grid() const {
        QStringList cells;
        for (int r = 0; r < form->AlarmGrid->rowCount(); ++r)
            for (int c = TAIK12Dlg::cAlarm; c < TAIK12Dlg::cColumns; ++c) {
                const QTableWidgetItem* item = form->AlarmGrid->item(r, c);
                cells << (c == TAIK12Dlg::cAlarm || c == TAIK12Dlg::cRelay
                              ? QString::number(int(item->checkState()))
                              : item->text());
            }
        return cells;
    }
    TAlarmSystemChannel& Alarms() { return *static_cast<TKVDAIK12BUS*>(dm.CurrentModule)->AlarmSystem; }

    TEnglishAfterwards english;
    TSensorDevice object; // outlives the device thread that answers from it
    std::mutex traceMutex;
    std::vector<TRequest> trace;
    std::function<bool(bool, quint8, quint16, quint32)> refuse;
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    std::unique_ptr<TAIK12Dlg> form;
    QStringList messages;
};

TEST(AIK12Table, TypedRowsAreCheckedBeforeAnythingIsWritten) {
    TEnglishAfterwards english;
    struct TCase {
        int Row;
        TAlarmRowTexts Texts;
        QString Error; // empty: accepted
    };
    const TAlarmRowTexts fine{true, "1", "2", false, "-3", "4"};
    const TCase cases[] = {
        {0, {true, "0,5", "7", true, "-1.25", "-1.25"}, {}}, // "," and an empty band are fine
        {4, {false, "9", "3", false, "0", "1"}, "Input 5, Alarm: the low limit 9 is above the high limit 3"},
        {12, {false, "0", "1", true, "0", "x"}, "Temperature, Relay high: \"x\" is not a number"},
        {11, {false, "", "1", false, "0", "1"}, "Input 12, Alarm low: \"\" is not a number"},
        {2, {false, "0", "inf", false, "0", "1"}, "Input 3, Alarm high: \"inf\" is not a number"},
        {3,
         {false, "0", "1", false, "1e3", "2"},
         "Input 4, Relay: the low limit 1000 is above the high limit 2"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Row);
        TAlarmTableTexts rows;
        rows.fill(fine);
        rows[size_t(c.Row)] = c.Texts;
        TAlarmTable table;
        table.RelayNormalState = true;
        const TAlarmTable before = table;
        EXPECT_EQ(CheckAlarmTable(rows, table), c.Error);
        if (!c.Error.isEmpty()) {
            EXPECT_EQ(table, before); // nothing taken from a table that cannot be written
            continue;
        }
        EXPECT_TRUE(table.RelayNormalState);
        EXPECT_EQ(table.Alarms[0], (TAlarmEntry{true, 0.5f, 7.0f}));
        EXPECT_EQ(table.Relays[0], (TAlarmEntry{true, -1.25f, -1.25f}));
        EXPECT_EQ(table.Relays[12], (TAlarmEntry{false, -3.0f, 4.0f}));
    }
}

TEST_F(AIK12Window, TheKindChoosesTheMode) {
    // The catalogue's rows 13 and 14 of the model are the two kinds, both for this window.
    EXPECT_EQ(dm.DeviceRegister.ChannelKindAt(25, 12), ckSignalling12);
    EXPECT_EQ(dm.DeviceRegister.ChannelKindAt(25, 13), ckAnalogInputSystem);
    std::vector<quint8> opened;
    TChannelWindowRegistry registry;
    registry.Register(QStringLiteral("TAIK12Dlg"), [&](const TChannelWindowContext& c) {
        opened.push_back(c.Kind);
        EXPECT_TRUE(form->Load(c.Kind));
        EXPECT_EQ(form->Mode(),
                  c.Kind == ckSignalling12 ? TAIK12Dlg::amSignalling : TAIK12Dlg::amAnalogInputs);
        EXPECT_EQ(form->Pages->currentIndex(), int(form->Mode()));
    });
    for (int row : {12, 13}) {
        TChannelWindowContext context;
        context.Module = dm.CurrentModule;
        context.Device = &device;
        context.Row = row;
        EXPECT_TRUE(OpenChannelWindow(context, dm.DeviceRegister, registry));
    }
    EXPECT_EQ(opened, (std::vector<quint8>{ckSignalling12, ckAnalogInputSystem}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Module: KVD-AIK12-BUS. Analog input system"));

    // Any other kind opens nothing and asks the device nothing.
    const size_t before = TraceSize();
    EXPECT_FALSE(form->Load(ckAnalogInput));
    EXPECT_EQ(TraceSize(), before);
    EXPECT_FALSE(form->ReadBtn->isEnabled());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
}

TEST_F(AIK12Window, SignallingModeShowsTheTableAndWritesTheEdits) {
    ASSERT_TRUE(form->Load(ckSignalling12));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Module: KVD-AIK12-BUS. Signalling system"));
    EXPECT_EQ(Cell(0, TAIK12Dlg::cChannel), QStringLiteral("Input 1"));
    EXPECT_EQ(Cell(12, TAIK12Dlg::cChannel), QStringLiteral("Temperature"));
    EXPECT_EQ(form->AlarmGrid->item(3, TAIK12Dlg::cAlarm)->checkState(), Qt::Checked);
    EXPECT_EQ(form->AlarmGrid->item(3, TAIK12Dlg::cRelay)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Cell(3, TAIK12Dlg::cAlarmHigh), QStringLiteral("13"));
    EXPECT_EQ(Cell(12, TAIK12Dlg::cRelayLow), QStringLiteral("-8"));
    EXPECT_EQ(Cell(12, TAIK12Dlg::cRelayHigh), QStringLiteral("12.5"));
    EXPECT_TRUE(form->RelayNormalStateCheck->isChecked());

    form->AlarmGrid->item(5, TAIK12Dlg::cAlarmLow)->setText(QStringLiteral("2,5"));
    form->AlarmGrid->item(11, TAIK12Dlg::cRelay)->setCheckState(Qt::Checked);
    form->RelayNormalStateCheck->setChecked(false);
    dm.CurrentModule->Modified = false;
    form->WriteBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_EQ(object.Get(kAlarmObject, 0), 0u);
    EXPECT_EQ(object.Entry(kAlarmObject, 2, 5, 1), Bits(2.5f));
    EXPECT_EQ(object.Entry(kAlarmObject, 2, 11, 3), 1u);
    EXPECT_EQ(object.Entry(kAlarmObject, 2, 12, 5), Bits(12.5f));
    EXPECT_TRUE(dm.CurrentModule->Modified);

    // A band the wrong way round is refused with its row and nothing goes to the device.
    form->AlarmGrid->item(7, TAIK12Dlg::cRelayHigh)->setText(QStringLiteral("-100"));
    const size_t before = TraceSize();
    form->WriteBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Input 8, Relay: the low limit -13 is above the high limit -100"));
    EXPECT_EQ(TraceSize(), before);
}

TEST_F(AIK12Window, AReadThatFailsPartWayLeavesTheShownTableAndSaysSo) {
    ASSERT_TRUE(form->Load(ckSignalling12));
    form->AlarmGrid->item(1, TAIK12Dlg::cAlarmLow)->setText(QStringLiteral("0.75")); // an edit not written
    const QStringList shown = Grid();
    const TAlarmTable held = Alarms().Table;
    // The device's table has changed meanwhile, and entry 7 cannot be selected.
    for (size_t i = 0; i < kEntries; ++i)
        object.SetEntry(kAlarmObject, 2, i, 2, Bits(99.0f));
    object.Set(kAlarmObject, 0, 0);
    Refuse([](bool w, quint8 o, quint16 p, quint32 v) { return w && o == kAlarmObject && p == 2 && v == 7; });
    form->ReadBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], AIK12DlgLanguage().Texts(liEnglish).ReadFailed);
    EXPECT_EQ(Grid(), shown);
    EXPECT_TRUE(form->RelayNormalStateCheck->isChecked());
    EXPECT_EQ(Alarms().Table, held);
    EXPECT_TRUE(form->ReadBtn->isEnabled());

    // Once the device answers, the whole table is the device's, the edit included.
    Refuse({});
    form->ReadBtn->click();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(Cell(1, TAIK12Dlg::cAlarmLow), QStringLiteral("1"));
    EXPECT_EQ(Cell(0, TAIK12Dlg::cAlarmHigh), QStringLiteral("99"));
    EXPECT_EQ(Cell(12, TAIK12Dlg::cAlarmHigh), QStringLiteral("99"));
    EXPECT_FALSE(form->RelayNormalStateCheck->isChecked());
}

TEST_F(AIK12Window, PollingStopsWhileTheTableIsReadAndNothingElseReachesTheModule) {
    ASSERT_TRUE(form->Load(ckSignalling12));
    form->StartBtn->click();
    ASSERT_TRUE(form->PollTimer->Running());
    EXPECT_EQ(form->StartBtn->text(), QStringLiteral("Stop"));
    ASSERT_TRUE(RunUntil([&] { return !Cell(12, TAIK12Dlg::cValue).isEmpty(); }));
    EXPECT_EQ(Cell(0, TAIK12Dlg::cValue),
              ResultText(1.5f, false) + QStringLiteral(" ") + dm.RangesTable.Record(6).Unit);
    EXPECT_EQ(Cell(12, TAIK12Dlg::cValue), QStringLiteral("24.5 °C"));

    // In the middle of the read (it pauses 100 ms per entry), everything else is held off.
    int checks = 0;
    bool pollingDuringRead = true, controlsDuringRead = true;
    size_t nestedTraffic = 1;
    QTimer probe;
    probe.setInterval(150);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!form->Busy())
            return;
        ++checks;
        pollingDuringRead = form->PollTimer->Running();
        controlsDuringRead = form->ReadBtn->isEnabled() || form->WriteBtn->isEnabled() ||
                             form->StartBtn->isEnabled() || form->AlarmGrid->isEnabled() ||
                             form->CloseBtn->isEnabled();
        const size_t before = TraceSize();
        form->WriteBtnClick();
        form->StartBtnClick();
        form->ReadBtnClick();
        form->Poll();
        QMetaObject::invokeMethod(form.get(), "reject");
        nestedTraffic = TraceSize() - before;
    });
    probe.start();
    const size_t start = TraceSize();
    form->ReadBtn->click();
    probe.stop();
    EXPECT_GT(checks, 3);
    EXPECT_FALSE(pollingDuringRead);
    EXPECT_FALSE(controlsDuringRead);
    EXPECT_EQ(nestedTraffic, 0u);
    const std::vector<TRequest> all = Trace();
    const std::vector<TRequest> during(all.begin() + std::ptrdiff_t(start), all.end());
    EXPECT_EQ(during.size(), 1 + kEntries * 7);
    for (const TRequest& r : during)
        EXPECT_EQ(r.Object, kAlarmObject) << r.Property;
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();

    // Polling resumes afterwards; the window was not closed behind the read's back.
    EXPECT_TRUE(form->PollTimer->Running());
    EXPECT_TRUE(form->ReadBtn->isEnabled());
    form->StartBtn->click();
    EXPECT_FALSE(form->PollTimer->Running());
    EXPECT_EQ(form->StartBtn->text(), QStringLiteral("Start"));
}

TEST_F(AIK12Window, AWriteStopsAtTheFirstFailureAndSaysSo) {
    ASSERT_TRUE(form->Load(ckSignalling12));
    for (int r = 0; r < int(kEntries); ++r)
        form->AlarmGrid->item(r, TAIK12Dlg::cAlarmLow)->setText(QStringLiteral("-50"));
    Refuse([](bool w, quint8 o, quint16 p, quint32 v) { return w && o == kAlarmObject && p == 2 && v == 4; });
    const size_t start = TraceSize();
    form->WriteBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], AIK12DlgLanguage().Texts(liEnglish).WriteFailed);
    // Entries 0..3 went out; the refused selection of entry 4 was the last request.
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(object.Entry(kAlarmObject, 2, i, 1), Bits(-50.0f)) << i;
    for (size_t i = 4; i < kEntries; ++i)
        EXPECT_EQ(object.Entry(kAlarmObject, 2, i, 1), Bits(float(i))) << i;
    const std::vector<TRequest> all = Trace();
    const std::vector<TRequest> sent(all.begin() + std::ptrdiff_t(start), all.end());
    ASSERT_EQ(sent.size(), 1 + 4 * 7 + 1);
    EXPECT_TRUE(sent.back().Write);
    EXPECT_EQ(sent.back().Property, 2);
    EXPECT_EQ(sent.back().Value, 4u);
    // The edits stay for another try.
    EXPECT_EQ(Cell(9, TAIK12Dlg::cAlarmLow), QStringLiteral("-50"));
    EXPECT_TRUE(form->WriteBtn->isEnabled());
}

TEST_F(AIK12Window, AnalogInputModeListsRangesAndUnitsAndPollsTheValues) {
    object.Set(3, 2, 0); // input 3 does not normalize: its value is a code
    object.Set(2, 4, 4); // input 2 gives an integer result
    object.Set(2, 0, 42);
    object.Set(5, 1, 999); // a range the catalogue does not know
    Refuse([](bool, quint8 o, quint16, quint32) { return o == 12; });
    ASSERT_TRUE(form->Load(ckAnalogInputSystem));
    QTableWidget* grid = form->InputGrid;
    const TPrTblRecord range = dm.RangesTable.Record(6);
    EXPECT_EQ(grid->item(0, TAIK12Dlg::iInput)->text(), QStringLiteral("Input 1"));
    EXPECT_EQ(grid->item(0, TAIK12Dlg::iRange)->text(), range.Description);
    EXPECT_EQ(grid->item(0, TAIK12Dlg::iUnit)->text(), range.Unit);
    EXPECT_EQ(grid->item(2, TAIK12Dlg::iUnit)->text(), QStringLiteral("Code"));
    EXPECT_EQ(grid->item(4, TAIK12Dlg::iRange)->text(), QStringLiteral("unknown range (code 999)"));
    EXPECT_EQ(grid->item(11, TAIK12Dlg::iRange)->text(), QStringLiteral("no answer"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();

    form->StartBtn->click();
    ASSERT_TRUE(RunUntil([&] { return !grid->item(10, TAIK12Dlg::iValue)->text().isEmpty(); }));
    form->StartBtn->click();
    EXPECT_EQ(grid->item(0, TAIK12Dlg::iValue)->text(), ResultText(1.5f, false));
    EXPECT_EQ(grid->item(1, TAIK12Dlg::iValue)->text(), QStringLiteral("42"));
    EXPECT_EQ(grid->item(10, TAIK12Dlg::iValue)->text(), ResultText(16.5f, false));
    EXPECT_TRUE(grid->item(11, TAIK12Dlg::iValue)->text().isEmpty());
    // The silent input is not asked again while polling; only values, no temperatures.
    for (const TRequest& r : Trace()) {
        EXPECT_FALSE(r.Object == 12 && r.Property == 0) << "polled a silent input";
        EXPECT_NE(r.Property, 50);
    }

    // A module whose inputs do not answer at all opens no window.
    Refuse([](bool, quint8, quint16, quint32) { return true; });
    EXPECT_FALSE(form->Load(ckAnalogInputSystem));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("The module's analog inputs do not answer"));
}

TEST_F(AIK12Window, EveryLanguageShowsWholeTexts) {
    for (quint8 kind : {ckSignalling12, ckAnalogInputSystem}) {
        ASSERT_TRUE(form->Load(kind));
        form->show();
        QStringList cut;
        for (int l = 0; l < kLanguageCount; ++l) {
            SetCurrentLanguage(Languages()[size_t(l)].Id);
            form->UpdateLanguage();
            QApplication::processEvents();
            cut << CutTexts(form.get());
        }
        form->hide();
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
        SetCurrentLanguage(liUkrainian);
        form->UpdateLanguage();
        EXPECT_EQ(form->AlarmGrid->item(12, TAIK12Dlg::cChannel)->text(), QStringLiteral("Температура"));
        EXPECT_EQ(form->RelayNormalStateCheck->text(), QStringLiteral("Нормальний стан реле"));
        SetCurrentLanguage(liEnglish);
    }
    const TTableReport report = CheckLanguageTable("AIK12Dlg", AIK12DlgLanguage());
    EXPECT_TRUE(report.Missing.isEmpty()) << report.Missing.join(';').toStdString();
}

// Not a check: with DVV_AIK12_SHOW_MS set (and a real display) the window stays up polling for that
// long so that it can be looked at; DVV_AIK12_MODE=inputs shows the analog input system,
// DVV_AIK12_LANGUAGE=uk shows it in Ukrainian.
TEST_F(AIK12Window, ShownForALookWhenAsked) {
    const int ms = qEnvironmentVariableIntValue("DVV_AIK12_SHOW_MS");
    if (ms <= 0)
        GTEST_SKIP() << "set DVV_AIK12_SHOW_MS to look at the window";
    if (qEnvironmentVariable("DVV_AIK12_LANGUAGE") == QLatin1String("uk"))
        SetCurrentLanguage(liUkrainian);
    object.Set(3, 2, 0);
    const bool inputs = qEnvironmentVariable("DVV_AIK12_MODE") == QLatin1String("inputs");
    ASSERT_TRUE(form->Load(inputs ? ckAnalogInputSystem : ckSignalling12));
    form->show();
    form->StartBtn->click();
    RunUntil([] { return false; }, ms);
    form->StartBtn->click();
}

} // namespace
