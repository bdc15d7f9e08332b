// The application windows against a scripted KVD-P340-BUS on a pseudo-terminal (the emulator has no
// weight controller): the selector, the control panel's rules, the two applications' values and the
// log file they write, and the parameter editor on a registry file of the test's own.
#include "../../views/ui/ViewsUiSupport.h"

#include "apps/ui/AppFrameworkDlg.h"
#include "apps/ui/AppSelectorDlg.h"
#include "apps/ui/P340Apps.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/DiscreteModules.h"
#include "model/Ranges.h"
#include "options/RegistryContainer.h"
#include "support/ScriptedDevice.h"
#include "support/TestFiles.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <bit>
#include <gtest/gtest.h>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

constexpr quint8 kInputObjects[] = {1, 2, 19, 20};
constexpr quint8 kManagerObject = 17;
constexpr quint16 kRangeCode = 4; // one with a unit

// A P340 at address 1: input k measures 1.5 + k and reports 220 + k, 5 and 0.95 as its network
// quantities; outputs 1 and 3 and input 2 are on.
struct TP340Rig {
    TEnglishAfterwards english;
    QTemporaryDir tmp;
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TP340BUS module;

    TP340Rig() {
        // Never the user's own store.
        qputenv("DOVUVAVAROVOD_REGISTRY", tmp.filePath(QStringLiteral("registry.ini")).toUtf8());
        std::map<std::pair<quint8, quint16>, quint32> props;
        for (int k = 0; k < 4; ++k) {
            const quint8 o = kInputObjects[k];
            props[{o, 0}] = Bits(1.5f + float(k));
            props[{o, 1}] = kRangeCode;
            props[{o, 32}] = Bits(220.0f + float(k));
            props[{o, 34}] = Bits(5.0f);
            props[{o, 35}] = Bits(0.95f);
        }
        props[{kManagerObject, 0}] = 0x02000500; // outputs 0 and 2 (bits 8, 10), input 1 (bit 25)
        dev.AddNerixDevice(1, props);
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(100);
        ap.SetBus(&bus);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
    }
    ~TP340Rig() {
        ap.SetActive(false);
        qunsetenv("DOVUVAVAROVOD_REGISTRY");
    }
};

QString Cell(QTableWidget* Grid, int Row, int Column) {
    return Grid->item(Row, Column)->text();
}

} // namespace

TEST(AppSelector, RowsOnlyForTheWeightControllersInTheUsersLanguage) {
    TP340Rig rig;
    ASSERT_TRUE(rig.dev.Ok());
    {
        TAppSelectorDlg other;
        other.Prepare(6, &rig.module);
        EXPECT_TRUE(other.Rows.empty());
        EXPECT_TRUE(other.EmptyLb->isVisibleTo(&other));
    }
    for (quint32 type : {21u, 44u}) {
        TAppSelectorDlg selector;
        selector.Prepare(type, &rig.module);
        ASSERT_EQ(selector.Rows.size(), 2u);
        EXPECT_FALSE(selector.EmptyLb->isVisibleTo(&selector));
        EXPECT_EQ(selector.Rows[0]->AppNameLb->text(), QStringLiteral("Power Measurer"));
        EXPECT_EQ(selector.Rows[1]->AppNameLb->text(), QStringLiteral("Weight Controller"));
        EXPECT_EQ(selector.Rows[0]->ExecuteBtn->text(), QStringLiteral("Execute"));
        EXPECT_EQ(selector.Rows[0]->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(selector.Rows[1]->palette().color(QPalette::Window), QColor(0xE1, 0xEB, 0xFF));
        EXPECT_EQ(selector.windowTitle(), QStringLiteral("Select program"));
    }
    SetCurrentLanguage(liUkrainian);
    TAppSelectorDlg selector;
    selector.Prepare(21, &rig.module);
    EXPECT_EQ(selector.windowTitle(), QStringLiteral("Вибір програми"));
    EXPECT_EQ(selector.Rows[0]->ExecuteBtn->text(), QStringLiteral("Виконати"));
    EXPECT_EQ(selector.Rows[0]->DescLb->text(), QStringLiteral("Вимірювач потужності"));
}

TEST(AppSelector, EachRowRunsItsApplicationInTheHost) {
    TP340Rig rig;
    ASSERT_TRUE(rig.dev.Ok());
    TAppSelectorDlg selector;
    selector.Prepare(21, &rig.module);
    for (int row = 0; row < 2; ++row) {
        QString title, formName;
        selector.OnAppCreated = [&](QWidget* Form) { formName = Form->objectName(); };
        WhenModal<TAppFrameworkDlg>([&](TAppFrameworkDlg* host) {
            title = host->windowTitle();
            host->reject();
        });
        selector.Rows[size_t(row)]->ExecuteBtn->click();
        EXPECT_EQ(title, row == 0 ? QStringLiteral("Power Measurer") : QStringLiteral("Weight Controller"));
        EXPECT_EQ(formName, row == 0 ? QStringLiteral("TP340PowerNetAnalizerDlg")
                                     : QStringLiteral("TP340DazoruDarideridaDlg"));
        EXPECT_EQ(selector.Rows[size_t(row)]->Descriptor()->AppController(), nullptr)
            << "unbound after the run";
    }
}

TEST(ControlPanel, IntervalsBelowTenAreRefusedWithTheMessage) {
    struct TCase {
        const char* Interval;
        const char* SaveInterval;
        bool Starts;
        int Interval0; // the controller's poll interval afterwards
    };
    const TCase cases[] = {
        {"9", "300", false, 0},
        {"abc", "300", false, 0},
        {"10", "9", false, 10}, // the valid poll interval stays in the controller
        {"10", "10", true, 10},
    };
    for (const TCase& c : cases) {
        TEnglishAfterwards english;
        TAppController controller;
        QWidget form;
        TAppFrameworkDlg host;
        QStringList messages;
        host.ControlPanel->OnMessage = [&](const QString& m) { messages << m; };
        bool running = false, closedWhileRunning = false;
        int starts = 0;
        controller.OnStart = [&](TAppController*) { ++starts; };
        WhenModal<TAppFrameworkDlg>([&](TAppFrameworkDlg* h) {
            TAppControlToolWnd* p = h->ControlPanel;
            p->IntervalEdit->setText(QString::fromLatin1(c.Interval));
            p->SaveIntervalEdit->setText(QString::fromLatin1(c.SaveInterval));
            p->StartStopBtn->click();
            running = p->Running();
            if (running) {
                EXPECT_FALSE(p->IntervalEdit->isEnabled());
                EXPECT_FALSE(p->ParamBtn->isEnabled());
                EXPECT_TRUE(p->StartStopSaveBtn->isEnabled());
                EXPECT_EQ(p->StartStopBtn->text(), QStringLiteral("Stop"));
                h->reject(); // refused while polling
                closedWhileRunning = !h->isVisible();
                p->StartStopBtn->click();
            }
            h->reject();
        });
        host.Run(&form, &controller, QStringLiteral("App"));
        EXPECT_EQ(running, c.Starts) << c.Interval << "/" << c.SaveInterval;
        EXPECT_EQ(starts, c.Starts ? 1 : 0) << c.Interval;
        EXPECT_FALSE(closedWhileRunning);
        EXPECT_EQ(messages.size(), c.Starts ? 0 : 1) << c.Interval;
        if (!messages.isEmpty()) {
            EXPECT_EQ(messages[0], QStringLiteral("Value must be more than 10 ms"));
        }
        EXPECT_EQ(controller.Interval(), c.Interval0) << c.Interval;
    }
}

TEST(ControlPanel, RecordingThatCannotStartStaysOffAndStoppingThePollEndsRecording) {
    TEnglishAfterwards english;
    QTemporaryDir tmp;
    WriteFileBytes(tmp.filePath(QStringLiteral("blocker")), "x");
    TAppController controller;
    QWidget form;
    TAppFrameworkDlg host;
    QStringList warnings;
    QString failedCaption, stoppedName, stoppedCaption;
    bool failedActive = true, stoppedActive = true;
    host.ControlPanel->OnMessage = [&](const QString& m) { warnings << m; };
    WhenModal<TAppFrameworkDlg>([&](TAppFrameworkDlg* h) {
        TAppControlToolWnd* p = h->ControlPanel;
        p->IntervalEdit->setText(QStringLiteral("50"));
        TStringFileSaver& saver = controller.Saver();
        saver.OnMessage = [&](const QString& m) { warnings << m; };
        saver.SetDirectory(tmp.filePath(QStringLiteral("blocker")));
        p->StartStopBtn->click();
        p->StartStopSaveBtn->click();
        failedActive = saver.Active();
        failedCaption = p->StartStopSaveBtn->text();
        EXPECT_TRUE(p->SaveIntervalEdit->isEnabled());

        saver.SetDirectory(tmp.path());
        p->StartStopSaveBtn->click();
        EXPECT_TRUE(saver.Active());
        EXPECT_EQ(p->StartStopSaveBtn->text(), QStringLiteral("Stop"));
        EXPECT_FALSE(p->SaveIntervalEdit->isEnabled());
        EXPECT_EQ(p->FileNameLb->text(), QStringLiteral("Archive1.dat"));
        p->StartStopBtn->click(); // stops the recording first
        stoppedActive = saver.Active();
        stoppedName = p->FileNameLb->text();
        stoppedCaption = p->StartStopSaveBtn->text();
        h->reject();
    });
    host.Run(&form, &controller, QStringLiteral("App"));
    EXPECT_FALSE(failedActive);
    EXPECT_EQ(failedCaption, QStringLiteral("Start"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("File access error")));
    EXPECT_FALSE(stoppedActive);
    EXPECT_EQ(stoppedName, QStringLiteral("Archive2.dat"));
    EXPECT_EQ(stoppedCaption, QStringLiteral("Start"));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath(QStringLiteral("Archive1.dat"))));
}

TEST(PowerMeasurer, ShowsEachInputsValueAndNetworkQuantities) {
    TP340Rig rig;
    ASSERT_TRUE(rig.dev.Ok());
    TP340PowerNetAnalizerDlg w(&rig.module);
    ASSERT_EQ(w.ValuesGrid->rowCount(), 4);
    EXPECT_EQ(w.ValuesGrid->horizontalHeaderItem(2)->text(), QStringLiteral("Property 32"));
    w.AppController.Refresh();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Cell(w.ValuesGrid, k, 0), QStringLiteral("Input %1").arg(k + 1));
        EXPECT_EQ(Cell(w.ValuesGrid, k, 1), LogNumber(1.5 + k));
        EXPECT_EQ(Cell(w.ValuesGrid, k, 2), LogNumber(220 + k));
        EXPECT_EQ(Cell(w.ValuesGrid, k, 3), QStringLiteral("5"));
        EXPECT_EQ(Cell(w.ValuesGrid, k, 4), QStringLiteral("0.95"));
    }
    EXPECT_EQ(rig.dev.RequestCount(), 16);
    // A device that stops answering shows so, instead of the old numbers.
    rig.dev.SetSilent(true);
    w.AppController.Refresh();
    EXPECT_EQ(Cell(w.ValuesGrid, 0, 1), QStringLiteral("no answer"));
}

TEST(PowerMeasurer, LogsOneLinePerSaveIntervalThroughTheHost) {
    TP340Rig rig;
    ASSERT_TRUE(rig.dev.Ok());
    TP340PowerNetAnalizerDlg w(&rig.module);
    const QString dir = rig.tmp.filePath(QStringLiteral("logs"));
    w.AppController.Saver().SetDirectory(dir);
    TAppFrameworkDlg host;
    quint64 elapsed = 0;
    int requests = 0;
    WhenModal<TAppFrameworkDlg>([&](TAppFrameworkDlg* h) {
        TAppControlToolWnd* p = h->ControlPanel;
        p->IntervalEdit->setText(QStringLiteral("10"));
        p->SaveIntervalEdit->setText(QStringLiteral("300"));
        p->StartStopBtn->click();
        p->StartStopSaveBtn->click();
        const quint64 start = TickCount();
        RunUntil([&] { return TickCount() - start >= 1100; }, 5000);
        elapsed = TickCount() - start;
        p->StartStopBtn->click();
        requests = rig.dev.RequestCount();
        h->reject();
    });
    host.Run(&w, &w.AppController, QStringLiteral("Power Measurer"));
    const QStringList lines = ReadFileText(dir + QStringLiteral("/Archive1.dat")).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    QStringList header = {QStringLiteral("Time")};
    for (int k = 1; k <= 4; ++k)
        header << QStringLiteral("AI%1").arg(k) << QStringLiteral("AI%1.P32").arg(k)
               << QStringLiteral("AI%1.P34").arg(k) << QStringLiteral("AI%1.P35").arg(k);
    EXPECT_EQ(lines[0], header.join(QLatin1Char('\t')));
    EXPECT_TRUE(lines.last().isEmpty()) << "every line ends with a line break";
    const QRegularExpression line(QStringLiteral(
        R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}\t1\.5\t220\t5\t0\.95\t2\.5\t221\t5\t0\.95\t3\.5\t222\t5\t0\.95\t4\.5\t223\t5\t0\.95$)"));
    const int data = int(lines.size()) - 2;
    for (int i = 1; i <= data; ++i)
        EXPECT_TRUE(line.match(lines[i]).hasMatch()) << lines[i].toStdString();
    const int refreshes = requests / 16;
    EXPECT_GE(data, 2);
    EXPECT_LE(quint64(data), elapsed / 300 + 1) << "at most one line per save interval";
    EXPECT_GT(refreshes, data) << "not one line per refresh";
}

TEST(WeightController, ShowsValuesWithUnitsAndTheDiscretePoints) {
    TP340Rig rig;
    ASSERT_TRUE(rig.dev.Ok());
    TP340DazoruDarideridaDlg w(&rig.module);
    ASSERT_EQ(w.AnalogGrid->rowCount(), 4);
    w.AppController.Start();
    w.AppController.Refresh();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Cell(w.AnalogGrid, k, 1), LogNumber(1.5 + k));
        EXPECT_EQ(Cell(w.AnalogGrid, k, 2), RangeUnit(kRangeCode));
    }
    EXPECT_FALSE(RangeUnit(kRangeCode).isEmpty());
    ASSERT_EQ(w.DiscreteGrid->rowCount(), 8);
    const char* inputs[] = {"Off", "On", "Off", "Off"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Cell(w.DiscreteGrid, i, 1), QString::fromLatin1(inputs[i])) << i;
    EXPECT_EQ(Cell(w.DiscreteGrid, 4, 0), QString()) << "the P340 has four inputs";
    const char* outputs[] = {"On", "Off", "On", "Off", "Off", "Off", "Off", "Off"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Cell(w.DiscreteGrid, i, 3), QString::fromLatin1(outputs[i])) << i;
    EXPECT_EQ(w.LogColumns().join(QLatin1Char(',')),
              QStringLiteral("AI1,AI2,AI3,AI4,DI1,DI2,DI3,DI4,DO1,DO2,DO3,DO4,DO5,DO6,DO7,DO8"));
}

TEST(ParameterEditor, EditsAreCheckedShownAndSavedOnClose) {
    TP340Rig rig;
    const QString file = rig.tmp.filePath(QStringLiteral("registry.ini"));
    TP340PowerNetAnalizerDlg w(&rig.module);
    EXPECT_EQ(w.AppController.Interval(), 300) << "copied from the parameters";
    EXPECT_EQ(w.AppController.SaveInterval(), 1000);
    QStringList categories, firstColumn, messages;
    QString poolAfterNine, poolAfterEdit;
    bool marked = false;
    w.DataContainerDialog.OnCreated = [&](TDtContainerDlg& dlg) {
        dlg.OnMessage = [&](const QString& m) { messages << m; };
        dlg.OnConfirm = [](const QString&) { return true; };
    };
    WhenModal<TDtContainerDlg>([&](TDtContainerDlg* dlg) {
        for (int i = 0; i < dlg->CategoryList->count(); ++i)
            categories << dlg->CategoryList->item(i)->text();
        for (int i = 0; i < dlg->ValueList->topLevelItemCount(); ++i)
            firstColumn << dlg->ValueList->topLevelItem(i)->text(0);
        QStringList typed = {QStringLiteral("9"), QStringLiteral("abc"), QStringLiteral("500")};
        dlg->OnInput = [&](const QString&, const QString&, QString& Text) {
            Text = typed.takeFirst();
            return true;
        };
        dlg->ValueList->setCurrentItem(dlg->ValueList->topLevelItem(0)); // the poll interval
        dlg->EditSelected();
        poolAfterNine = dlg->ValueList->topLevelItem(0)->text(2);
        dlg->EditSelected();
        dlg->EditSelected();
        poolAfterEdit = dlg->ValueList->topLevelItem(0)->text(2);
        marked = !dlg->ValueList->topLevelItem(0)->icon(0).isNull();
        dlg->reject();
    });
    w.AppController.Options();
    EXPECT_EQ(categories,
              (QStringList{QStringLiteral("(All Parameters)"), QStringLiteral("Conversion coefficients"),
                           QStringLiteral("Saving to file")}));
    EXPECT_EQ(firstColumn, (QStringList{QStringLiteral("Saving to file"), QString(), QString(),
                                        QStringLiteral("Conversion coefficients"), QString()}));
    EXPECT_EQ(poolAfterNine, QStringLiteral("300")) << "below the range";
    EXPECT_EQ(messages, QStringList{QStringLiteral("'abc' is not a valid integer value")});
    EXPECT_EQ(poolAfterEdit, QStringLiteral("500"));
    EXPECT_TRUE(marked);
    EXPECT_EQ(w.AppController.Interval(), 500) << "copied again after editing";
    QSettings stored(file, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Software/ZUVO/DuzorUdivovuz/0/MainOptions"));
    EXPECT_EQ(stored.value(QStringLiteral("PoolInterval")).toInt(), 500);
    EXPECT_EQ(stored.value(QStringLiteral("Kv")).toByteArray().size(), 8);

    // "Set default" empties the folder and zeroes the coefficients; the intervals keep their numbers.
    WhenModal<TDtContainerDlg>([&](TDtContainerDlg* dlg) {
        dlg->SetDefaultExecute();
        dlg->reject();
    });
    w.AppController.Options();
    EXPECT_EQ(w.PoolInterval->Value(), 500);
    EXPECT_EQ(w.FileDir->Value(), QString());
    EXPECT_EQ(w.Kv->AsString(), QStringLiteral("0.000"));
    EXPECT_EQ(w.AppController.Saver().Directory(), TCustomFileSaver::DefaultDirectory())
        << "an empty folder falls back to the documents";
}
