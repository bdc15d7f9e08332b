// The temperature and flowmeter channel windows, driven offscreen against a scripted device on a
// pseudo-terminal that keeps every channel's properties and logs the requests it gets.
#include "views/ui/KvdRsDlg.h"
#include "views/ui/KvdTcDlg.h"

#include "ViewsUiSupport.h"
#include "localization/TermoFlowLanguage.h"
#include "model/SensorChannelModules.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/SensorDevice.h"
#include "views/SensorChannelTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <bit>
#include <set>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

// With DVV_WINDOW_SHOTS set to a folder, the windows are saved there as pictures, to look at them in
// English and Ukrainian.
template <class F> void Shots(F& Form, const QString& Name) {
    const QString folder = qEnvironmentVariable("DVV_WINDOW_SHOTS");
    if (folder.isEmpty())
        return;
    for (const quint8 language : {quint8(liEnglish), quint8(liUkrainian)}) {
        SetCurrentLanguage(language);
        Form.UpdateLanguage();
        Form.show();
        Form.adjustSize();
        QApplication::processEvents();
        Form.grab().save(
            QStringLiteral("%1/%2-%3.png")
                .arg(folder, Name, language == liEnglish ? QStringLiteral("en") : QStringLiteral("uk")));
        Form.hide();
    }
    SetCurrentLanguage(liEnglish);
    Form.UpdateLanguage();
}

// Every text of the window shows whole in every language.
template <class F> QStringList CutInEveryLanguage(F& Form) {
    Form.show();
    QStringList cut;
    for (int l = 0; l < kLanguageCount; ++l) {
        SetCurrentLanguage(Languages()[size_t(l)].Id);
        Form.UpdateLanguage();
        Form.adjustSize();
        QApplication::processEvents();
        cut << CutTexts(&Form);
    }
    Form.hide();
    SetCurrentLanguage(liEnglish);
    Form.UpdateLanguage();
    return cut;
}

class TermoFlowWindows : public ::testing::Test {
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
        dm.CurrentChannel = 0;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
    }
    void TearDown() override { dm.ComAccessPoint.SetActive(false); }
    template <class F> void Hook(F& Form) {
        Form.OnMessage = [this](const QString& t) { messages << t; };
        Form.Timer->Pause = [](int) {};
    }
    // The objects whose property was asked for (reads or writes) since request number From.
    std::vector<int> Objects(bool Write, quint16 Property, int From = 0) const {
        std::vector<int> objects;
        const auto requests = dev.Requests();
        for (size_t i = size_t(From); i < requests.size(); ++i) {
            const QByteArray& r = requests[i];
            if (r.size() == 11 && (r[1] == 1) == Write &&
                quint16((quint8(r[3]) << 8) | quint8(r[4])) == Property)
                objects.push_back(quint8(r[2]));
        }
        return objects;
    }

    TEnglishAfterwards english;
    TSensorDevice object; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    QStringList messages;
};

// KVD-TC-BUS: 13 objects with properties 0..10; the count on object 1.
class TcWindow : public TermoFlowWindows {
protected:
    void SetUp() override {
        for (quint8 o = 1; o <= 13; ++o) {
            for (quint16 p = 0; p <= 10; ++p)
                object.Set(o, p, 0);
            object.Set(o, 1, 1); // enabled
            object.Set(o, 2, Bits(20.0f + o));
            object.Set(o, 4, Bits(-10.0f));
            object.Set(o, 5, Bits(50.0f));
        }
        object.Set(1, 0, 4);
        Start(22, "KVD-TC-BUS");
    }
    static QString Cell(TKvdTcDlg& Form, int Row, int Column) {
        return Form.Table->item(Row, Column)->text();
    }
    static bool Checked(TKvdTcDlg& Form, int Row, int Column) {
        return Form.Table->item(Row, Column)->checkState() == Qt::Checked;
    }
};

TEST_F(TcWindow, RowsFollowTheDeviceCountWithinTheThirteenChannels) {
    struct TCase {
        qint32 Reported; // -1: the count is not answered
        int Rows;
        bool Message;
    };
    for (const TCase& c : {TCase{4, 4, false}, TCase{13, 13, false}, TCase{0, 0, false}, TCase{20, 13, true},
                           TCase{-1, 0, true}}) {
        SCOPED_TRACE(c.Reported);
        messages.clear();
        object.Set(1, 0, quint32(c.Reported));
        const bool silent = c.Reported < 0;
        object.SetRefuse(
            [silent](bool w, quint8 o, quint16 p, quint32) { return silent && !w && o == 1 && p == 0; });
        TKvdTcDlg form(dm);
        Hook(form);
        ASSERT_TRUE(form.Load());
        EXPECT_EQ(form.RowCount(), c.Rows);
        EXPECT_EQ(form.Table->rowCount(), c.Rows);
        ASSERT_EQ(messages.size(), c.Message ? 1 : 0);
        if (c.Reported > 13) {
            EXPECT_EQ(
                messages[0],
                QStringLiteral("The device reports 20 channels; the module has 13, only these are shown"));
        }
        if (c.Reported < 0) {
            EXPECT_EQ(messages[0], QStringLiteral("The number of channels could not be read"));
        }
        // Nothing past the thirteenth object is ever asked for.
        for (int o : Objects(false, 1))
            EXPECT_LE(o, 13);
    }
}

TEST_F(TcWindow, PollsOnlyEnabledChannelsAndShowsAMissingSensorAsError) {
    object.Set(2, 1, 0);             // DS1820 #1 switched off
    object.Set(3, 2, Bits(-274.0f)); // DS1820 #2 without its sensor
    object.Set(4, 2, Bits(-273.5f)); // a reading close to it is a reading
    TKvdTcDlg form(dm);
    Hook(form);
    ASSERT_TRUE(form.Load());
    ASSERT_EQ(form.RowCount(), 4);
    EXPECT_EQ(Cell(form, 0, TKvdTcDlg::colChannel), QStringLiteral("Controller"));
    EXPECT_EQ(Cell(form, 2, TKvdTcDlg::colChannel), QStringLiteral("DS1820 #2"));
    EXPECT_FALSE(Checked(form, 1, TKvdTcDlg::colEnabled));
    EXPECT_EQ(Cell(form, 0, TKvdTcDlg::colAlarmLow), QStringLiteral("-10"));

    int before = dev.RequestCount();
    form.TimerTimer();
    EXPECT_EQ(Objects(false, 2, before), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(Cell(form, 0, TKvdTcDlg::colTemperature), QStringLiteral("21.00"));
    EXPECT_EQ(Cell(form, 1, TKvdTcDlg::colTemperature), QString());
    EXPECT_EQ(Cell(form, 2, TKvdTcDlg::colTemperature), QStringLiteral("ERROR"));
    EXPECT_EQ(Cell(form, 3, TKvdTcDlg::colTemperature), QStringLiteral("-273.50"));

    // Switching a channel on and another off changes what the next tick reads.
    form.Table->item(1, TKvdTcDlg::colEnabled)->setCheckState(Qt::Checked);
    form.Table->item(3, TKvdTcDlg::colEnabled)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(object.Get(2, 1), 1u);
    EXPECT_EQ(object.Get(4, 1), 0u);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_EQ(Cell(form, 3, TKvdTcDlg::colTemperature), QString());
    before = dev.RequestCount();
    form.TimerTimer();
    EXPECT_EQ(Objects(false, 2, before), (std::vector<int>{1, 2, 3}));

    // A sensor that stops answering says so and ends the tick.
    object.SetRefuse([](bool w, quint8 o, quint16 p, quint32) { return !w && o == 2 && p == 2; });
    before = dev.RequestCount();
    form.TimerTimer();
    EXPECT_EQ(Objects(false, 2, before), (std::vector<int>{1, 2}));
    EXPECT_EQ(Cell(form, 1, TKvdTcDlg::colTemperature), QStringLiteral("no answer"));
}

TEST_F(TcWindow, ARefusedWriteRestoresTheCellAndNamesTheChannel) {
    TKvdTcDlg form(dm);
    Hook(form);
    ASSERT_TRUE(form.Load());
    ASSERT_FALSE(dm.CurrentModule->Modified);

    object.SetRefuse([](bool w, quint8 o, quint16 p, quint32) { return w && o == 2 && (p == 4 || p == 6); });
    form.Table->item(1, TKvdTcDlg::colAlarmLow)->setText(QStringLiteral("12.5"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("DS1820 #1: error writing \"Alarm low\""));
    EXPECT_EQ(Cell(form, 1, TKvdTcDlg::colAlarmLow), QStringLiteral("-10"));
    EXPECT_EQ(object.Get(2, 4), Bits(-10.0f));
    form.Table->item(1, TKvdTcDlg::colRelayOn)->setCheckState(Qt::Checked);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("DS1820 #1: error writing \"Relay\""));
    EXPECT_FALSE(Checked(form, 1, TKvdTcDlg::colRelayOn));
    EXPECT_FALSE(dm.CurrentModule->Modified);

    // Not a number: said, and nothing is sent.
    const int before = dev.RequestCount();
    form.Table->item(2, TKvdTcDlg::colRelayHigh)->setText(QStringLiteral("hot"));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[2], QStringLiteral("Relay high: \"hot\" is not a number"));
    EXPECT_EQ(Cell(form, 2, TKvdTcDlg::colRelayHigh), QStringLiteral("0"));
    EXPECT_EQ(dev.RequestCount(), before);

    // Taken: the device has it, the module is marked as changed, a comma is a decimal point too.
    form.Table->item(2, TKvdTcDlg::colRelayHigh)->setText(QStringLiteral("85,5"));
    EXPECT_EQ(object.Get(3, 8), Bits(85.5f));
    EXPECT_EQ(Cell(form, 2, TKvdTcDlg::colRelayHigh), QStringLiteral("85.5"));
    EXPECT_TRUE(dm.CurrentModule->Modified);

    // The relay normal state is the module's, kept on the controller's channel.
    ASSERT_TRUE(form.RelayNormalStateCheck->isEnabled());
    form.RelayNormalStateCheck->click();
    EXPECT_EQ(object.Get(1, 9), 1u);
    object.SetRefuse([](bool w, quint8, quint16 p, quint32) { return w && p == 9; });
    form.RelayNormalStateCheck->click();
    EXPECT_TRUE(form.RelayNormalStateCheck->isChecked());
    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[3], QStringLiteral("Controller: error writing \"Relay normal state\""));
}

TEST_F(TcWindow, RefreshRereadsClosingStopsThePollAndEveryTextFits) {
    TKvdTcDlg form(dm);
    Hook(form);
    ASSERT_TRUE(form.Load());
    form.Timer->Start();
    EXPECT_EQ(form.StartBtn->text(), QStringLiteral("Stop"));
    object.Set(1, 0, 6);
    object.Set(6, 5, Bits(77.0f));
    form.RefreshBtn->click();
    EXPECT_EQ(form.RowCount(), 6);
    EXPECT_EQ(Cell(form, 5, TKvdTcDlg::colAlarmHigh), QStringLiteral("77"));
    EXPECT_TRUE(form.Timer->Running());
    form.show();
    form.reject();
    EXPECT_FALSE(form.Timer->Running());

    Shots(form, QStringLiteral("kvd-tc"));
    const QStringList cut = CutInEveryLanguage(form);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
}

// KVD-RS-BUS and KVD-RS-VIXPro: Seq(23) per object; the polynomial is a sequence behind property 13.
class RsWindow : public TermoFlowWindows {
protected:
    void Fill(int Objects, quint32 Count) {
        for (quint8 o = 1; o <= Objects; ++o) {
            for (quint16 p = 0; p <= 22; ++p)
                if (p != 13 && p != 14)
                    object.Set(o, p, 0);
            object.Set(o, 1, 1);
            object.Set(o, 10, fctPulseCounter);
            object.Set(o, 11, Bits(0.5f));
            object.Set(o, 12, Bits(2.0f));
            object.Set(o, 6, Bits(10.0f * o));
            object.AddList(o, 13, {14}, 6, true);
        }
        object.Set(1, 0, Count);
        object.Set(1, 22, Bits(1500.0f));
    }
    void Open(TKvdRsDlg& Form) {
        Hook(Form);
        Form.OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
        ASSERT_TRUE(Form.Load());
    }
    static QString Cell(QTableWidget* Table, int Row, int Column) { return Table->item(Row, Column)->text(); }
    std::function<int(QDialog&)> dialog;
};

TEST_F(RsWindow, RowsFollowTheDeviceCountWithinTheModulesChannels) {
    Fill(4, 6);
    Start(40, "KVD-RS-VIXPro");
    TKvdRsDlg form(dm);
    Open(form);
    EXPECT_EQ(form.RowCount(), 4);
    EXPECT_EQ(form.SettingsTable->rowCount(), 4);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QStringLiteral("The device reports 6 channels; the module has 4, only these are shown"));
    EXPECT_EQ(form.MeasureTimeEdit->text(), QStringLiteral("1500"));

    // The count is not answered: no rows, the module's settings disabled with the default time.
    messages.clear();
    object.SetRefuse([](bool w, quint8, quint16 p, quint32) { return !w && p == 0; });
    form.RefreshBtn->click();
    EXPECT_EQ(form.RowCount(), 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("The number of channels could not be read")});
    EXPECT_EQ(form.MeasureTimeEdit->text(), QStringLiteral("2000"));
    EXPECT_FALSE(form.MeasureTimeBtn->isEnabled());
}

TEST_F(RsWindow, ADirectCounterTakesItsPartnerAlongAndTheOddLastChannelGoesAlone) {
    Fill(13, 5);
    Start(23, "KVD-RS-BUS");
    TKvdRsDlg form(dm);
    Open(form);
    ASSERT_EQ(form.RowCount(), 5);
    const auto types = [&] {
        std::vector<quint32> t;
        for (quint8 o = 1; o <= 5; ++o)
            t.push_back(object.Get(o, 10));
        return t;
    };
    const auto shown = [&](int Row) { return form.TypeBoxes[size_t(Row)]->currentIndex(); };

    form.ChooseType(0, fctDirectCounter); // pair 0, 1
    EXPECT_EQ(types(), (std::vector<quint32>{4, 4, 2, 2, 2}));
    EXPECT_EQ(shown(1), 4);
    form.ChooseType(1, fctFrequencyMeter); // leaving it takes the partner along
    EXPECT_EQ(types(), (std::vector<quint32>{3, 3, 2, 2, 2}));
    EXPECT_EQ(shown(0), 3);
    form.ChooseType(3, fctDiscreteInput); // the partner is no direct counter: alone
    EXPECT_EQ(types(), (std::vector<quint32>{3, 3, 2, 1, 2}));

    // The fifth channel of five has no partner: written alone, object 6 never asked.
    const int before = dev.RequestCount();
    form.ChooseType(4, fctDirectCounter);
    EXPECT_EQ(types(), (std::vector<quint32>{3, 3, 2, 1, 4}));
    EXPECT_EQ(Objects(true, 10, before), std::vector<int>{5});
    EXPECT_EQ(object.Get(6, 10), quint32(fctPulseCounter));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();

    // The partner refuses: the channel keeps the new type, the partner its old one, and it is named.
    object.SetRefuse([](bool w, quint8 o, quint16 p, quint32) { return w && o == 4 && p == 10; });
    form.ChooseType(2, fctDirectCounter);
    EXPECT_EQ(types(), (std::vector<quint32>{3, 3, 4, 1, 4}));
    EXPECT_EQ(shown(3), 1);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Channel 4: error writing \"Channel type\"")});
    // The channel itself refuses: nothing else is written and the list goes back.
    messages.clear();
    object.SetRefuse([](bool w, quint8 o, quint16 p, quint32) { return w && o == 1 && p == 10; });
    form.ChooseType(0, fctDirectCounter);
    EXPECT_EQ(types(), (std::vector<quint32>{3, 3, 4, 1, 4}));
    EXPECT_EQ(shown(0), 3);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Channel 1: error writing \"Channel type\"")});
}

TEST_F(RsWindow, PollsConnectedChannelsAndEditsWriteThroughOrGoBack) {
    Fill(4, 4);
    object.Set(2, 1, 0); // channel 2 not connected
    object.Set(3, 4, 1);
    object.Set(3, 5, 0x80000000u);
    object.Set(1, 10, fctDiscreteOutput);
    Start(40, "KVD-RS-VIXPro");
    TKvdRsDlg form(dm);
    Open(form);
    ASSERT_EQ(form.RowCount(), 4);
    EXPECT_EQ(form.SettingsTable->item(1, TKvdRsDlg::scConnected)->checkState(), Qt::Unchecked);
    EXPECT_EQ(form.FrontBoxes[0]->currentText(), QStringLiteral("Rear"));
    EXPECT_EQ(form.AlarmSourceBoxes[0]->currentText(), QStringLiteral("Off"));

    int before = dev.RequestCount();
    form.TimerTimer();
    EXPECT_EQ(Objects(false, 2, before), (std::vector<int>{1, 3, 4}));
    QTableWidget* m = form.MeasurementsTable;
    EXPECT_EQ(Cell(m, 2, TKvdRsDlg::mcPulseCount), QStringLiteral("6442450944"));
    EXPECT_EQ(Cell(m, 3, TKvdRsDlg::mcFrequency), QStringLiteral("40"));
    EXPECT_EQ(Cell(m, 1, TKvdRsDlg::mcFrequency), QString());
    // Only the discrete output's output can be set.
    EXPECT_TRUE(m->item(0, TKvdRsDlg::mcOutput)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(m->item(2, TKvdRsDlg::mcOutput)->flags() & Qt::ItemIsUserCheckable);
    m->item(0, TKvdRsDlg::mcOutput)->setCheckState(Qt::Checked);
    EXPECT_EQ(object.Get(1, 3), 1u);
    EXPECT_TRUE(dm.CurrentModule->Modified);
    dm.CurrentModule->Modified = false;

    // A refused setting goes back and says which; a taken one marks the module as changed.
    object.SetRefuse(
        [](bool w, quint8 o, quint16 p, quint32) { return w && o == 3 && (p == 11 || p == 15); });
    form.SettingsTable->item(2, TKvdRsDlg::scResponseTime)->setText(QStringLiteral("3"));
    EXPECT_EQ(Cell(form.SettingsTable, 2, TKvdRsDlg::scResponseTime), QStringLiteral("0.5"));
    form.ChooseSource(2, TKvdRsDlg::lcAlarmSource, fsConsumption);
    EXPECT_EQ(form.AlarmSourceBoxes[2]->currentIndex(), 0);
    EXPECT_EQ(messages, (QStringList{QStringLiteral("Channel 3: error writing \"Response time\""),
                                     QStringLiteral("Channel 3: error writing \"Alarm\"")}));
    EXPECT_FALSE(dm.CurrentModule->Modified);
    form.ChooseSource(3, TKvdRsDlg::lcRelaySource, fsFlowSpeed);
    form.ChooseFront(3, 1);
    EXPECT_EQ(object.Get(4, 18), 1u);
    EXPECT_EQ(object.Get(4, 9), 1u);
    EXPECT_TRUE(dm.CurrentModule->Modified);

    // Connecting channel 2 brings it into the poll.
    form.SettingsTable->item(1, TKvdRsDlg::scConnected)->setCheckState(Qt::Checked);
    EXPECT_EQ(object.Get(2, 1), 1u);
    before = dev.RequestCount();
    form.TimerTimer();
    EXPECT_EQ(Objects(false, 2, before), (std::vector<int>{1, 2, 3, 4}));

    // The counter's reset and the module's measurement time.
    form.ResetBtns[2]->click();
    EXPECT_EQ(object.Get(3, 5), 0u);
    form.MeasureTimeEdit->setText(QStringLiteral("2500"));
    form.MeasureTimeBtn->click();
    EXPECT_EQ(object.Get(1, 22), Bits(2500.0f));
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(RsWindow, ThePolynomialDialogShowsWhatTheDeviceHoldsAndWritesAllSix) {
    Fill(4, 4);
    for (size_t i = 0; i < 6; ++i)
        object.SetEntry(2, 13, i, 0, Bits(float(i) + 0.25f));
    Start(40, "KVD-RS-VIXPro");
    TKvdRsDlg form(dm);
    Open(form);
    QStringList shown;
    std::array<QString, 6> typed;
    dialog = [&](QDialog& d) {
        auto& poly = static_cast<TFlowPolynomialDlg&>(d);
        shown.clear();
        for (size_t i = 0; i < 6; ++i) {
            shown << poly.Edits[i]->text();
            poly.Edits[i]->setText(typed[i]);
        }
        return int(QDialog::Accepted);
    };
    typed = {QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("0"),
             QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    form.PolynomialBtnClick(1);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("0.25"), QStringLiteral("1.25"), QStringLiteral("2.25"),
                                  QStringLiteral("3.25"), QStringLiteral("4.25"), QStringLiteral("5.25")}));
    EXPECT_EQ(messages, QStringList{QStringLiteral("a1: \"x\" is not a number")});
    EXPECT_EQ(object.Entry(2, 13, 0, 0), Bits(0.25f));

    messages.clear();
    typed = {QStringLiteral("1"), QStringLiteral("-2"), QStringLiteral("3"),
             QStringLiteral("0"), QStringLiteral("0"),  QStringLiteral("0.5")};
    form.PolynomialBtnClick(1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(';').toStdString();
    EXPECT_EQ(object.Entry(2, 13, 1, 0), Bits(-2.0f));
    EXPECT_EQ(object.Entry(2, 13, 5, 0), Bits(0.5f));
    EXPECT_TRUE(dm.CurrentModule->Modified);

    // A polynomial that cannot be read opens no dialog.
    object.SetRefuse([](bool w, quint8, quint16 p, quint32) { return !w && p == 14; });
    shown.clear();
    form.PolynomialBtnClick(0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Channel 1: the polynomial could not be read")});

    Shots(form, QStringLiteral("kvd-rs"));
    form.Pages->setCurrentIndex(1);
    Shots(form, QStringLiteral("kvd-rs-limits"));
    form.Pages->setCurrentIndex(2);
    Shots(form, QStringLiteral("kvd-rs-measurements"));
    QStringList cut;
    for (int page = 0; page < form.Pages->count(); ++page) {
        form.Pages->setCurrentIndex(page);
        cut << CutInEveryLanguage(form);
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
}

TEST(TermoFlowTables, ChannelCountAndDirectCounterPairs) {
    struct TCountCase {
        int Reported;
        bool Ok;
        int Rows;
        bool Failed;
        bool Excess;
    };
    for (const TCountCase& c : {TCountCase{5, true, 5, false, false}, TCountCase{13, true, 13, false, false},
                                TCountCase{14, true, 13, false, true}, TCountCase{-1, false, 0, true, false},
                                TCountCase{-7, true, 0, true, false}, TCountCase{3, false, 0, true, false}}) {
        SCOPED_TRACE(c.Reported);
        const TChannelCountCheck check = CheckChannelCount(c.Reported, c.Ok, 13);
        EXPECT_EQ(check.Rows, c.Rows);
        EXPECT_EQ(check.Failed, c.Failed);
        EXPECT_EQ(check.Excess, c.Excess);
    }
    using W = std::vector<TFlowTypeWrite>;
    const std::vector<quint16> types = {4, 4, 2, 2, 2};
    EXPECT_EQ(FlowTypeWrites(2, 4, types), (W{{2, 4}, {3, 4}}));
    EXPECT_EQ(FlowTypeWrites(1, 1, types), (W{{1, 1}, {0, 1}}));
    EXPECT_EQ(FlowTypeWrites(3, 1, types), (W{{3, 1}}));
    EXPECT_EQ(FlowTypeWrites(4, 4, types), (W{{4, 4}}));
    EXPECT_EQ(FlowTypeWrites(5, 4, types), W{});
    EXPECT_EQ(CheckTermoFlowLanguageTable().Missing, QStringList{});
}

} // namespace
