// The oscilloscope window offscreen: the wizard's pages applied to the experiment, a file loaded
// and replotted with display offsets, refusals of bad files and rates.
#include "measurement/ui/OscMainDlg.h"
#include "localization/Localization.h"
#include "measurement/AdfFile.h"
#include "measurement/OscPlot.h"
#include "measurement/ui/OscWizard.h"
#include "shell/Dm.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtCharts/QLineSeries>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void AddDevice(TDm& Dm, quint8 Address) {
    auto p = std::make_unique<TDeviceProps>();
    p->Address = Address;
    p->TypeCode = 0; // KVD-AIK-BUS: four analog inputs, then a stream input
    p->ModelName = QStringLiteral("KVD-AIK-BUS");
    p->ChannelMask = 0x1F;
    p->SerialNumber = 100 + Address;
    Dm.Devices.Add(p);
}

// Three channels at 2 Hz, 12 sweeps from 10 December 2026 12:00:00; channel c reads c + sweep.
QString KnownFile(const QTemporaryDir& Dir, quint32 Channels = 3) {
    TAdfHeader h;
    h.Frequency = 2;
    for (quint32 c = 0; c < 3; ++c)
        h.Channels.push_back({QStringLiteral("KVD-AIK-BUS 0x01.%1").arg(c + 1), qint32(c)});
    QByteArray b = EncodeAdfHeader(h);
    qToLittleEndian(Channels, b.data() + 8);
    std::vector<TSample> s;
    const double t0 = DateTimeToDays(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
    for (int sweep = 0; sweep < 12; ++sweep)
        for (int c = 0; c < 3; ++c)
            s.push_back({t0 + sweep * 0.5 / 86400.0, float(c + sweep)});
    AppendAdfSamples(b, s.data(), int(s.size()));
    const QString name = Dir.filePath(QStringLiteral("known.adf"));
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write(b);
    return name;
}

// Closes the next message box that comes up, and keeps its text.
QString CloseNextMessageBox() {
    static QString text;
    text.clear();
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    return {};
}

class OscWindow : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentLanguage(liEnglish); }
    TDm dm;
};

} // namespace

TEST_F(OscWindow, WizardAppliesCheckedChannelsRateAndScheduleAndSummarisesThem) {
    AddDevice(dm, 1);
    AddDevice(dm, 2);
    TOscDm osc;
    TWizardDlg w(dm, osc);
    w.ChannelSelector->Fill(osc.ChannelProfiles);
    QTreeWidget* list = w.ChannelSelector->List;
    // Four analog inputs a device; the stream input is not one.
    ASSERT_EQ(list->topLevelItemCount(), 8);
    EXPECT_EQ(list->topLevelItem(5)->text(0), QStringLiteral("0x02"));
    EXPECT_EQ(list->topLevelItem(5)->text(2), QStringLiteral("2"));
    EXPECT_EQ(list->topLevelItem(5)->text(3), QStringLiteral("1.000"));
    w.ChannelSelector->CheckRows(1); // odd rows: 1, 3, 5, 7 as the list counts
    EXPECT_EQ(w.ChannelSelector->CheckedCount(), 4);
    w.ChannelSelector->CheckRows(3);
    EXPECT_EQ(w.ChannelSelector->CheckedCount(), 4);
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Checked);
    w.FreqPage->FreqEdit->setText(QStringLiteral("5"));
    w.StoragePage->StartCheck->setChecked(true);
    w.StoragePage->StartBoxes[0]->setValue(1);
    w.GoTo(3);
    ASSERT_EQ(w.Page(), 3);
    ASSERT_EQ(osc.ChannelProfiles.Count(), 4);
    EXPECT_EQ(osc.ChannelProfiles.ProfileAt(0)->Label, QStringLiteral("KVD-AIK-BUS 0x01.2"));
    EXPECT_EQ(osc.ChannelProfiles.ProfileAt(3)->Address(), 2);
    EXPECT_EQ(osc.ChannelProfiles.ProfileAt(3)->ChannelIndex, 3);
    EXPECT_EQ(osc.SamplingFrequency, 5u);
    EXPECT_TRUE(osc.StartAtTime);
    const QStringList lines = w.DonePage->Summary->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("Sampling rate: 5"));
    EXPECT_EQ(lines.value(2), QStringLiteral("Autostart: 01:00:00"));
    EXPECT_EQ(lines.value(3), QStringLiteral("Autostop: DISCONNECTED"));
    EXPECT_EQ(lines.value(6), QStringLiteral("Channel list"));
    EXPECT_EQ(lines.value(8), QString(77, QLatin1Char('-')));
    EXPECT_TRUE(lines.value(9).startsWith(QStringLiteral("1\t\t1.000\t\t0.000")))
        << lines.value(9).toStdString();
}

TEST_F(OscWindow, WizardRefusesRatesOutsideOneToAHundred) {
    AddDevice(dm, 1);
    TOscDm osc;
    TWizardDlg w(dm, osc);
    w.ChannelSelector->Fill(osc.ChannelProfiles);
    w.GoTo(1);
    for (const char* bad : {"0", "101", "x"}) {
        w.FreqPage->FreqEdit->setText(QLatin1String(bad));
        CloseNextMessageBox();
        w.GoTo(3);
        EXPECT_EQ(w.Page(), 1) << bad;
        EXPECT_EQ(osc.SamplingFrequency, 2u);
    }
}

TEST_F(OscWindow, PrintingToAPdfFileDrawsTheLoadedChart) {
    QTemporaryDir dir;
    TOscMainDlg dlg(dm);
    dlg.resize(900, 600);
    dlg.show();
    ASSERT_TRUE(dlg.LoadFile(KnownFile(dir)));
    QApplication::processEvents();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(dlg.PrintTo(printer));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // Curves, axes and labels, not an empty page.
    EXPECT_GT(bytes.size(), 10000);

    // A folder that does not exist cannot take the file: a failure, not a silent success.
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/chart.pdf")));
    EXPECT_FALSE(dlg.PrintTo(printer));
}

TEST_F(OscWindow, LoadedFileReplotsInTheTenMinuteScaleWithDisplayOffsets) {
    QTemporaryDir dir;
    TOscMainDlg dlg(dm);
    ASSERT_TRUE(dlg.LoadFile(KnownFile(dir)));
    EXPECT_TRUE(dlg.Loaded());
    EXPECT_EQ(dlg.Panel->TimeScale(), kLoadedTimeScale);
    EXPECT_FALSE(dlg.StartBtn->isEnabled());
    EXPECT_FALSE(dlg.WizardBtn->isEnabled());
    EXPECT_TRUE(dlg.Serializer->ExportBtn->isEnabled());
    EXPECT_TRUE(dlg.Panel->PrintBtn->isEnabled());
    EXPECT_TRUE(dlg.Serializer->LoadBtn->isChecked());
    EXPECT_FALSE(dlg.Serializer->AutoBox->isVisible() && dlg.isVisible());
    ASSERT_EQ(dlg.Osc().ChannelProfiles.Count(), 3);
    // Blocks of 3 sweeps at 2 Hz in the 500 ms window; the date-time scale keeps all 12 sweeps.
    ASSERT_EQ(dlg.Panel->Points(1).size(), 12u);
    EXPECT_EQ(dlg.Panel->Points(1)[5].y(), 6.0);
    EXPECT_EQ(dlg.Panel->Points(1)[1].x() - dlg.Panel->Points(1)[0].x(), 500.0);

    // A display offset of 50 on range 20 moves only that channel's curve, by 10.
    dlg.Panel->ChooseRange(4);
    dlg.Panel->ChannelList->setCurrentItem(dlg.Panel->ChannelList->topLevelItem(2));
    dlg.Panel->OffsetBar->setValue(50);
    EXPECT_EQ(dlg.Osc().ChannelProfiles.ProfileAt(2)->DisplayOffset, 10.0f);
    EXPECT_EQ(dlg.Panel->Points(2)[0].y(), 12.0);
    EXPECT_EQ(dlg.Panel->Points(1)[0].y(), 1.0);
    EXPECT_EQ(dlg.Panel->ChannelList->topLevelItem(2)->text(1), QStringLiteral("10.0000000"));
    // The drawn curve follows.
    EXPECT_EQ(dlg.Panel->Curve(2)->points().value(0).y(), 12.0);

    // The cursor reads the time and each curve's stored value nearest to it.
    const double x = dlg.Panel->Points(0)[4].x() + 100;
    EXPECT_EQ(dlg.Panel->CursorText(x),
              QStringLiteral("12:00:02.100   #1: 4.0000   #2: 5.0000   #3: 6.0000"));

    // Unloading empties the experiment.
    dlg.Serializer->LoadBtn->setChecked(false);
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_EQ(dlg.Osc().ChannelProfiles.Count(), 0);
    EXPECT_FALSE(dlg.Serializer->ExportBtn->isEnabled());
}

TEST_F(OscWindow, FilesWithBadChannelCountsGiveTheTwoLineMessageOthersAreIgnored) {
    QTemporaryDir dir;
    TOscMainDlg dlg(dm);
    QStringList messages;
    dlg.OnMessage = [&](const QString& t) { messages << t; };
    for (quint32 n : {0u, 101u}) {
        EXPECT_FALSE(dlg.LoadFile(KnownFile(dir, n)));
        ASSERT_EQ(messages.size(), 1) << n;
        EXPECT_EQ(messages.takeFirst(),
                  QStringLiteral("Invalid file\nNumber of channels must be from 1 to 100"));
        EXPECT_FALSE(dlg.Loaded());
    }
    QFile f(KnownFile(dir));
    f.open(QIODevice::ReadWrite);
    f.write("\x01", 1);
    f.close();
    EXPECT_FALSE(dlg.LoadFile(f.fileName()));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OscWindow, MillisecondScalesRedrawEachBlockDateTimeScalesKeepEarlierPoints) {
    TOscDm osc;
    for (int i = 0; i < 2; ++i)
        osc.ChannelProfiles.AddProfile();
    osc.SamplingFrequency = 10;
    TOscPanel panel(osc);
    panel.Rebuild({});
    const TSample block[4] = {
        {45000.0, 1}, {45000.0, 2}, {45000.0 + 0.1 / 86400, 3}, {45000.0 + 0.1 / 86400, 4}};
    panel.ChooseTimeScale(2);
    panel.PlotBlock(block, 4);
    panel.PlotBlock(block, 4);
    ASSERT_EQ(panel.Points(0).size(), 2u);
    EXPECT_EQ(panel.Points(0)[1], QPointF(100, 3));
    panel.ChooseTimeScale(5);
    panel.PlotBlock(block, 4);
    panel.PlotBlock(block, 4);
    EXPECT_EQ(panel.Points(1).size(), 4u);
}
