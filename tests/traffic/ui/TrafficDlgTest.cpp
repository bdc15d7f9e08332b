// The traffic window on its own (packages handed to it) and as the program wires it: captures of real
// exchanges with the emulator on pseudo-terminals, the connections, the scan dialogs, the emulator
// switch and F2.
#include "traffic/ui/TrafficUnit.h"
#include <functional>

#include "discovery/ui/FindDevices.h"
#include "discovery/ui/UDPFinding.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/Localization.h"
#include "localization/TrafficLanguage.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/DemoBus.h"
#include "shell/Dm.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/MainForm.h"
#include "support/LanguageRestored.h"
#include "support/NerixFrames.h"
#include "support/PtyPair.h"
#include "support/TestFiles.h"
#include "traffic/PackageContainer.h"
#include "traffic/ui/PackageListModel.h"
#include "traffic/ui/TrafficAttachDock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <ctime>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace {

QString Cell(TTrafficDlg& dlg, int row, int column) {
    return dlg.ListModel().index(row, column).data().toString();
}

void Add(TTrafficDlg& dlg, quint8 direction, const QByteArray& bytes, qint64 ticks = -1,
         const QDateTime& time = QDateTime::currentDateTime()) {
    dlg.AddPackage(direction, reinterpret_cast<const quint8*>(bytes.constData()), quint16(bytes.size()), time,
                   ticks);
}

void SelectRows(TTrafficDlg& dlg, std::initializer_list<int> rows) {
    dlg.PkgList->clearSelection();
    for (int row : rows)
        dlg.PkgList->selectionModel()->select(dlg.ListModel().index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (rows.size() > 0)
        dlg.PkgList->selectionModel()->setCurrentIndex(dlg.ListModel().index(*rows.begin(), 0),
                                                       QItemSelectionModel::NoUpdate);
}

QStringList TreeTexts(QTreeWidget* tree) {
    QStringList texts;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        texts << item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i));
    return texts;
}

// A window of the test's own, in English.
struct Window {
    TLanguageRestored language;
    TTrafficDlg dlg;
    QStringList messages;
    Window() {
        SetCurrentLanguage(liEnglish);
        dlg.UpdateLanguage();
        dlg.OnMessage = [this](const QString& t) { messages << t; };
    }
};

// ---------------------------------------------------------------------------------------------------
// The window alone

TEST(TrafficDlg, NewestOnTopNumberedInArrivalOrderWithDirectionAndNote) {
    Window w;
    const QByteArray request = NerixFrame(1, 0, 0, 0, 0);
    const QByteArray answer = NerixFrame(1, 0, 0, 0, 0x3F800000);
    Add(w.dlg, 0, request, 1'000'000'000);
    Add(w.dlg, 1, answer, 1'012'345'678);
    Add(w.dlg, 1, answer.left(9), 1'020'000'000);
    ASSERT_EQ(w.dlg.ListModel().rowCount(), 3);
    struct Row {
        QString number, direction, bytes, response, note;
    };
    const Row expected[] = {
        {"2", "Incoming", "9", "", "Package is corrupted"},
        {"1", "Incoming", "11", "12.3 ms", ""},
        {"0", "Outcoming", "11", "", ""},
    };
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(Cell(w.dlg, r, TPackageListModel::colNumber), expected[r].number);
        EXPECT_EQ(Cell(w.dlg, r, TPackageListModel::colDirection), expected[r].direction);
        EXPECT_EQ(Cell(w.dlg, r, TPackageListModel::colBytes), expected[r].bytes);
        EXPECT_EQ(Cell(w.dlg, r, TPackageListModel::colResponse), expected[r].response);
        EXPECT_EQ(Cell(w.dlg, r, TPackageListModel::colNote), expected[r].note);
    }
    EXPECT_EQ(w.dlg.CountValue->text(), QStringLiteral("3"));
    // Nothing is checked for Modbus RTU.
    w.dlg.ModbusRtuRb->click();
    EXPECT_EQ(w.dlg.Protocol(), tpModbus);
    EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colNote), QString());
    // The headers.
    QStringList headers;
    for (int c = 0; c < TPackageListModel::kColumnCount; ++c)
        headers << w.dlg.ListModel().headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"#", "Time", "Direction", "Bytes", "Response time", "Note"}));
}

TEST(TrafficDlg, ARequestFollowedByAnotherRequestHasNoAnswerTheNewestIsPending) {
    Window w;
    const QByteArray request = NerixFrame(9, 0, 0, 0, 0);
    Add(w.dlg, 0, request, 1'000'000);
    EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colResponse), QString());
    Add(w.dlg, 0, request, 2'000'000);
    EXPECT_EQ(Cell(w.dlg, 1, TPackageListModel::colResponse), QStringLiteral("no answer"));
    EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colResponse), QString());
}

TEST(TrafficDlg, ThePackageAfterTheLimitClearsEverythingAndStartsFromZero) {
    Window w;
    const QByteArray bytes = NerixFrame(1, 0, 0, 0, 0);
    for (int i = 0; i < TPackageContainer::kLimit; ++i)
        Add(w.dlg, quint8(i % 2), bytes);
    EXPECT_EQ(w.dlg.ListModel().rowCount(), 2000);
    EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colNumber), QStringLiteral("1999"));
    EXPECT_EQ(w.dlg.CountValue->text(), QStringLiteral("2000"));
    SelectRows(w.dlg, {5});
    EXPECT_GT(w.dlg.PkgTree->topLevelItemCount(), 0);

    Add(w.dlg, 1, NerixFrame(2, 0, 0, 0, 7));
    EXPECT_EQ(w.dlg.ListModel().rowCount(), 1);
    EXPECT_EQ(w.dlg.Packages().Count(), 1);
    EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colNumber), QStringLiteral("0"));
    EXPECT_EQ(w.dlg.CountValue->text(), QStringLiteral("1"));
    EXPECT_EQ(w.dlg.Packages().Item(0)->Data, NerixFrame(2, 0, 0, 0, 7));
    // The views of the package shown before are emptied.
    EXPECT_EQ(w.dlg.PkgTree->topLevelItemCount(), 0);
    EXPECT_EQ(w.dlg.PkgGrid->item(0, 0)->text(), QString());
    EXPECT_EQ(w.dlg.ShownPackage(), -1);
}

// While the window is shown, packages are stored at once and listed in batches: one insertion a
// batch, every package in arrival order, the row below a batch updated, the current row kept.
TEST(TrafficDlg, AShownWindowListsPackagesInBatchesWithoutLosingOrReorderingAny) {
    Window w;
    w.dlg.show();
    std::vector<std::pair<int, int>> inserted;
    std::vector<int> changed;
    QObject::connect(&w.dlg.ListModel(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) { inserted.emplace_back(first, last); });
    QObject::connect(&w.dlg.ListModel(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex&) { changed.push_back(from.row()); });
    const QByteArray request = NerixFrame(3, 0, 0, 0, 0);
    Add(w.dlg, 0, request, 1'000'000);
    w.dlg.ListPending();
    SelectRows(w.dlg, {0});
    ASSERT_EQ(w.dlg.ShownPackage(), 0);

    // A request without answer, then 29 numbered packages (alternately answers and requests).
    inserted.clear();
    changed.clear();
    Add(w.dlg, 0, request, 2'000'000);
    for (int i = 1; i < 30; ++i)
        Add(w.dlg, quint8(i % 2), NerixFrame(3, 0, 0, 0, quint32(i)), 2'000'000 + i * 1'500'000);
    EXPECT_EQ(w.dlg.Packages().Count(), 31);
    EXPECT_EQ(w.dlg.ListModel().rowCount(), 1);
    EXPECT_EQ(w.dlg.ListModel().Pending(), 30);
    // The refresh lists them without being asked.
    QElapsedTimer timer;
    timer.start();
    while (w.dlg.ListModel().Pending() > 0 && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(w.dlg.ListModel().rowCount(), 31);
    EXPECT_EQ(inserted, (std::vector<std::pair<int, int>>{{0, 29}}));
    EXPECT_NE(std::find(changed.begin(), changed.end(), 30), changed.end());
    EXPECT_EQ(w.dlg.CountValue->text(), QStringLiteral("31"));
    EXPECT_TRUE(w.dlg.actDeletePackages->isEnabled());
    for (int row = 0; row < 30; ++row) {
        SCOPED_TRACE(row);
        const int number = 30 - row;
        EXPECT_EQ(Cell(w.dlg, row, TPackageListModel::colNumber), QString::number(number));
        EXPECT_EQ(w.dlg.ListModel().Package(row)->Data,
                  number == 1 ? request : NerixFrame(3, 0, 0, 0, quint32(number - 1)));
    }
    // The first package, listed before, now has its "no answer"; the current row stayed on it.
    EXPECT_EQ(Cell(w.dlg, 30, TPackageListModel::colResponse), QStringLiteral("no answer"));
    EXPECT_EQ(Cell(w.dlg, 28, TPackageListModel::colResponse), QStringLiteral("1.5 ms"));
    EXPECT_EQ(w.dlg.PkgList->currentIndex().row(), 30);
    EXPECT_EQ(w.dlg.ShownPackage(), 0);
}

// The package after the limit clears the list while packages wait to be listed: those before the
// clearing go with it, those after are listed from 0 on, and nothing stale is shown.
TEST(TrafficDlg, TheLimitReachedWithPackagesWaitingStartsAfreshWithTheNewOnes) {
    Window w;
    w.dlg.show();
    const QByteArray bytes = NerixFrame(1, 0, 0, 0, 0);
    for (int pendingBeforeLimit : {0, 10, TPackageContainer::kLimit}) {
        SCOPED_TRACE(pendingBeforeLimit);
        w.dlg.actDeletePackagesExecute();
        for (int i = 0; i < TPackageContainer::kLimit - pendingBeforeLimit; ++i)
            Add(w.dlg, 0, bytes);
        w.dlg.ListPending();
        if (w.dlg.ListModel().rowCount() > 0) {
            SelectRows(w.dlg, {0});
            EXPECT_GE(w.dlg.ShownPackage(), 0);
        }
        for (int i = 0; i < pendingBeforeLimit; ++i)
            Add(w.dlg, 0, bytes);
        EXPECT_EQ(w.dlg.Packages().Count(), TPackageContainer::kLimit);
        // Five after the limit.
        for (int i = 0; i < 5; ++i)
            Add(w.dlg, 1, NerixFrame(2, 0, 0, 0, quint32(i)));
        EXPECT_EQ(w.dlg.Packages().Count(), 5);
        EXPECT_EQ(w.dlg.ShownPackage(), -1);
        EXPECT_EQ(w.dlg.PkgTree->topLevelItemCount(), 0);
        w.dlg.ListPending();
        ASSERT_EQ(w.dlg.ListModel().rowCount(), 5);
        EXPECT_EQ(w.dlg.CountValue->text(), QStringLiteral("5"));
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(Cell(w.dlg, row, TPackageListModel::colNumber), QString::number(4 - row));
            EXPECT_EQ(w.dlg.ListModel().Package(row)->Data, NerixFrame(2, 0, 0, 0, quint32(4 - row)));
        }
    }
}

// Live captures are stamped in UTC (cheap); the list and the file show the user's local time.
TEST(TrafficDlg, UtcStampsAreShownAndSavedInLocalTime) {
    const QByteArray savedTz = qgetenv("TZ");
    // Three hours east of UTC, so that the two cannot pass for each other.
    qputenv("TZ", "XYZ-3");
    tzset();
    {
        Window w;
        QTemporaryDir dir;
        const QDateTime utc(QDate(2026, 12, 11), QTime(6, 30, 15, 250), Qt::UTC);
        Add(w.dlg, 0, QByteArray::fromHex("0103"), -1, utc);
        Add(w.dlg, 1, QByteArray::fromHex("0104"), -1, utc.toLocalTime().addMSecs(12));
        ASSERT_EQ(utc.toLocalTime().time().hour(), 9);
        const QString shown = Cell(w.dlg, 1, TPackageListModel::colTime);
        TContainerItem local;
        local.Time = utc.toLocalTime();
        EXPECT_EQ(shown, w.dlg.ListModel().TimeText(local));
        EXPECT_TRUE(shown.contains(QStringLiteral("09:30:15"))) << shown.toStdString();
        EXPECT_EQ(Cell(w.dlg, 0, TPackageListModel::colResponse), QStringLiteral("12.0 ms"));
        const QString path = dir.filePath(QStringLiteral("utc.xml"));
        ASSERT_TRUE(w.dlg.SaveToFile(path));
        const QString text = ReadFileText(path);
        EXPECT_TRUE(text.contains(QStringLiteral("iso=\"2026-12-11T09:30:15.250\""))) << text.toStdString();
        ASSERT_TRUE(w.dlg.LoadFromFile(path));
        EXPECT_EQ(w.dlg.Packages().Item(0)->Time, utc);
        EXPECT_EQ(Cell(w.dlg, 1, TPackageListModel::colTime), shown);
    }
    if (savedTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedTz);
    tzset();
}

TEST(TrafficDlg, ActionsAreEnabledByConnectionCaptureAndPackages) {
    Window w;
    struct State {
        bool connected, capture, packages;
        bool spy, save, load, del;
    };
    // clang-format off
    const State states[] = {
        // connected capture packages | Capture Save  Load   Delete
        {false, false, false,            false, false, true,  false},
        {true,  false, false,            true,  false, true,  false},
        {true,  true,  false,            true,  false, false, false},
        {true,  true,  true,             true,  false, false, true},
        {true,  false, true,             true,  true,  true,  true},
        // Disconnecting disables capturing but leaves it checked for the next connection.
        {false, true,  true,             false, false, false, true},
        {false, false, true,             false, true,  true,  true},
    };
    // clang-format on
    for (const State& s : states) {
        SCOPED_TRACE(testing::Message() << s.connected << s.capture << s.packages);
        w.dlg.actDeletePackagesExecute();
        w.dlg.SetConnected(true);
        w.dlg.actSpyTraffic->setChecked(s.capture);
        w.dlg.SetConnected(s.connected);
        if (s.packages)
            Add(w.dlg, 0, NerixFrame(1, 0, 0, 0, 0));
        EXPECT_EQ(w.dlg.actSpyTraffic->isEnabled(), s.spy);
        EXPECT_EQ(w.dlg.actSpyTraffic->isChecked(), s.capture);
        EXPECT_EQ(w.dlg.actSaveToFile->isEnabled(), s.save);
        EXPECT_EQ(w.dlg.actLoadFromFile->isEnabled(), s.load);
        EXPECT_EQ(w.dlg.actDeletePackages->isEnabled(), s.del);
    }
    // Closing the window ends a capture; the data module hears of it.
    int stops = 0;
    w.dlg.OnStopCapture = [&] { ++stops; };
    w.dlg.SetConnected(true);
    w.dlg.actSpyTraffic->setChecked(true);
    w.dlg.show();
    w.dlg.actExit->trigger();
    EXPECT_FALSE(w.dlg.isVisible());
    EXPECT_FALSE(w.dlg.Capturing());
    EXPECT_EQ(stops, 1);
    // The emulator listening is a line to capture too.
    w.dlg.SetConnected(false);
    w.dlg.SetEmulatorRunning(true);
    EXPECT_TRUE(w.dlg.actSpyTraffic->isEnabled());
}

TEST(TrafficDlg, CopyCommandsPutTheExactTexts) {
    Window w;
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    // Nothing selected: a message, and the clipboard keeps what it held.
    Add(w.dlg, 0, QByteArray::fromHex("0A00010002"));
    Add(w.dlg, 1, QByteArray::fromHex("0AFF"));
    Add(w.dlg, 0, QByteArray::fromHex("7e"));
    w.dlg.PkgListCopy();
    w.dlg.PkgGridCopy();
    w.dlg.PkgGridCopyDelphi();
    w.dlg.PkgGridCopyC();
    EXPECT_EQ(w.messages, QStringList(4, QStringLiteral("No package selected")));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));

    // Rows 2 (the oldest) and 0 (the newest): list order, newest first.
    SelectRows(w.dlg, {2, 0});
    w.dlg.PkgListCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("7E \r\n0A 00 01 00 02 \r\n"));
    QApplication::clipboard()->clear();
    w.dlg.PkgGridCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("7E \r\n0A 00 01 00 02 \r\n"));

    SelectRows(w.dlg, {1});
    w.dlg.PkgGridCopyDelphi();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("\tPackage[0] := $0A;\r\n\tPackage[1] := $FF;\r\n"));
    w.dlg.PkgGridCopyC();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("\tc_Package[0] := 0x0A;\r\n\tc_Package[1] := 0xFF;\r\n"));
    EXPECT_EQ(w.messages.size(), 4);
    // The menus offer them under their names.
    ASSERT_EQ(w.dlg.PkgGridMenu->actions().size(), 3);
    EXPECT_EQ(w.dlg.PkgGridMenu->actions().at(1)->text(), QStringLiteral("Copy as Delphi array"));
    EXPECT_EQ(w.dlg.PkgListMenu->actions().at(0)->text(), QStringLiteral("Copy to clipboard"));
}

TEST(TrafficDlg, APackageIsShownAsTreeGridAndDeviceContext) {
    Window w;
    Add(w.dlg, 1, NerixFrame(0x21, 0, 3, 0x10, 0x3F800000));
    SelectRows(w.dlg, {0});
    const QStringList tree = TreeTexts(w.dlg.PkgTree);
    EXPECT_TRUE(tree.contains(QStringLiteral("Address:  [0x21]"))) << tree.join('|').toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("AsFloat:   1.000000"))) << tree.join('|').toStdString();
    EXPECT_EQ(w.dlg.PkgGrid->item(0, 0)->text(), QStringLiteral("21"));
    EXPECT_EQ(w.dlg.PkgGrid->item(0, 5)->text(), QStringLiteral("3F"));
    EXPECT_EQ(w.dlg.PkgGrid->item(0, 11)->text(), QString());
    // A node selects the bytes it describes.
    QTreeWidgetItem* data = nullptr;
    for (int i = 0; i < w.dlg.PkgTree->topLevelItemCount(); ++i)
        if (w.dlg.PkgTree->topLevelItem(i)->text(0).startsWith(QStringLiteral("Data")))
            data = w.dlg.PkgTree->topLevelItem(i);
    ASSERT_NE(data, nullptr);
    Q_EMIT w.dlg.PkgTree->itemClicked(data, 0);
    QList<int> columns;
    for (QTableWidgetItem* item : w.dlg.PkgGrid->selectedItems())
        columns << item->column();
    std::sort(columns.begin(), columns.end());
    EXPECT_EQ(columns, QList<int>({5, 6, 7, 8}));
    // Shown again as Modbus, the same 11 bytes are no Modbus frame the decoder knows.
    w.dlg.ModbusRtuRb->click();
    EXPECT_NE(TreeTexts(w.dlg.PkgTree), tree);
}

TEST(TrafficDlg, SavedPackagesLoadBackWithPortAndProtocol) {
    Window w;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("capture.xml"));
    const QByteArray a = NerixFrame(1, 0, 0, 0, 0), b = NerixFrame(1, 0, 0, 0, 42),
                     c = QByteArray::fromHex("0103");
    Add(w.dlg, 0, a);
    Add(w.dlg, 1, b);
    Add(w.dlg, 0, c);
    w.dlg.SetMasterPort(2);
    w.dlg.SetProtocol(tpModbus);
    w.dlg.OnAskSaveFile = [&] { return path; };
    w.dlg.actSaveToFile->trigger();
    EXPECT_TRUE(w.messages.isEmpty()) << w.messages.join('\n').toStdString();

    Window other;
    other.dlg.OnAskOpenFile = [&] { return path; };
    Add(other.dlg, 1, QByteArray::fromHex("FFFF"));
    other.dlg.actLoadFromFile->trigger();
    EXPECT_TRUE(other.messages.isEmpty()) << other.messages.join('\n').toStdString();
    ASSERT_EQ(other.dlg.Packages().Count(), 3);
    EXPECT_EQ(other.dlg.Packages().Item(0)->Data, a);
    EXPECT_EQ(other.dlg.Packages().Item(1)->Direction, 1);
    EXPECT_EQ(other.dlg.Packages().Item(2)->Data, c);
    EXPECT_EQ(other.dlg.PortLb->text(), QStringLiteral("COM3"));
    EXPECT_TRUE(other.dlg.ModbusRtuRb->isChecked());
    EXPECT_EQ(other.dlg.Protocol(), tpModbus);
    EXPECT_EQ(other.dlg.CountValue->text(), QStringLiteral("3"));
    EXPECT_EQ(Cell(other.dlg, 0, TPackageListModel::colNumber), QStringLiteral("2"));
    // A loaded answer still shows its response time, from the time stamps.
    EXPECT_FALSE(Cell(other.dlg, 1, TPackageListModel::colResponse).isEmpty());

    // A package that cannot be read is skipped and counted; the others load.
    QString text = ReadFileText(path);
    text.replace(QString::fromLatin1(c.toHex().toUpper()), QStringLiteral("ABC"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.xml"));
    WriteFileBytes(damaged, text.toUtf8());
    EXPECT_TRUE(other.dlg.LoadFromFile(damaged));
    EXPECT_EQ(other.dlg.Packages().Count(), 2);
    EXPECT_EQ(other.messages,
              QStringList({QStringLiteral("Packages that could not be read and were skipped: 1")}));

    // A file that is no traffic file at all.
    other.messages.clear();
    WriteFileBytes(damaged, "not xml");
    EXPECT_FALSE(other.dlg.LoadFromFile(damaged));
    ASSERT_EQ(other.messages.size(), 1);
    EXPECT_TRUE(other.messages[0].startsWith(QStringLiteral("Error reading traffic")));
    // Saving where no file can be written.
    other.messages.clear();
    Add(other.dlg, 0, a);
    EXPECT_FALSE(other.dlg.SaveToFile(dir.filePath(QStringLiteral("missing/folder/x.xml"))));
    ASSERT_EQ(other.messages.size(), 1);
    EXPECT_TRUE(other.messages[0].startsWith(QStringLiteral("Error saving traffic")));
}

TEST(TrafficDlg, PortLabelForSerialAndUdp) {
    Window w;
    EXPECT_EQ(w.dlg.PortLb->text(), QString());
    w.dlg.SetMasterPort(0);
    EXPECT_EQ(w.dlg.PortLb->text(), QStringLiteral("COM1"));
    w.dlg.SetMasterUdpPort(8081);
    EXPECT_EQ(w.dlg.PortLb->text(), QStringLiteral("UDP 8081"));
}

// A saved capture reloads with the kind of line it was taken on, whatever its port number; a file
// that names no line (written before the kind was kept) is guessed from the number.
TEST(TrafficDlg, ReloadedCaptureKeepsItsKindOfLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("line.xml"));
    struct Case {
        std::function<void(TTrafficDlg&)> set;
        QString label;
    };
    const std::vector<Case> cases{
        {[](TTrafficDlg& d) { d.SetMasterPort(2); }, QStringLiteral("COM3")},
        {[](TTrafficDlg& d) { d.SetMasterUdpPort(4001); }, QStringLiteral("UDP 4001")},
        {[](TTrafficDlg& d) { d.SetMasterTcpPort(502); }, QStringLiteral("TCP 502")},
        {[](TTrafficDlg& d) { d.SetMasterTcpPort(80); }, QStringLiteral("TCP 80")},
    };
    for (const Case& c : cases) {
        Window w;
        Add(w.dlg, 0, QByteArray::fromHex("0103"));
        c.set(w.dlg);
        ASSERT_TRUE(w.dlg.SaveToFile(path));
        Window other;
        ASSERT_TRUE(other.dlg.LoadFromFile(path));
        EXPECT_EQ(other.dlg.PortLb->text(), c.label);
    }
    QString text = ReadFileText(path);
    text.remove(QRegularExpression(QStringLiteral("\\s*<master_line>[^<]*</master_line>")));
    for (const auto& [port, label] :
         {std::pair{502, QStringLiteral("UDP 502")}, std::pair{4, QStringLiteral("COM5")}}) {
        QString old = text;
        old.replace(QRegularExpression(QStringLiteral("<master_port>\\d+</master_port>")),
                    QStringLiteral("<master_port>%1</master_port>").arg(port));
        WriteFileBytes(path, old.toUtf8());
        Window other;
        ASSERT_TRUE(other.dlg.LoadFromFile(path));
        EXPECT_EQ(other.dlg.PortLb->text(), label);
    }
}

// ---------------------------------------------------------------------------------------------------
// The program

// The program on the demo's emulated bus, as start-up builds it.
struct Program {
    TLanguageRestored language;
    TDemoBus demo;
    std::unique_ptr<TOptionsDm> options;
    std::unique_ptr<TDm> dm;
    std::unique_ptr<TMainForm> form;
    QStringList messages;
    Program() {
        options = std::make_unique<TOptionsDm>(demo.Folder());
        dm = std::make_unique<TDm>();
        TDemoBus::Configure(*options->AdminOptions());
        started = demo.Start(*dm->VDMgr);
        form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
        form->ComConnection().OnError = [this](const QString& t) { messages << t; };
        form->TrafficDlg().OnMessage = [this](const QString& t) { messages << t; };
        form->FormActivate();
    }
    ~Program() {
        form.reset();
        dm.reset();
    }
    TTrafficDlg& Traffic() { return form->TrafficDlg(); }
    bool started = false;
};

TEST(TrafficCapture, AnExchangeWithTheEmulatorShowsRequestAndAnswerWithItsResponseTime) {
    Program p;
    ASSERT_TRUE(p.started) << p.demo.Error().toStdString();
    TTrafficDlg& t = p.Traffic();
    EXPECT_FALSE(t.actSpyTraffic->isEnabled());
    p.form->ConnectBtnClick();
    ASSERT_TRUE(p.form->ComConnection().IsConnected()) << p.messages.join('\n').toStdString();
    EXPECT_TRUE(t.actSpyTraffic->isEnabled());
    EXPECT_EQ(t.PortLb->text(), QStringLiteral("COM1"));

    // Not captured until "Capture" is checked.
    quint32 value = 0;
    ASSERT_TRUE(p.dm->Module.ReadProperty(0, 0, value));
    EXPECT_EQ(t.Packages().Count(), 0);
    t.actSpyTraffic->trigger();
    ASSERT_TRUE(p.form->TrafficDock().Capturing());
    ASSERT_TRUE(p.dm->Module.ReadProperty(0, 0, value));
    ASSERT_EQ(t.ListModel().rowCount(), 2);
    EXPECT_EQ(Cell(t, 1, TPackageListModel::colDirection), QStringLiteral("Outcoming"));
    EXPECT_EQ(Cell(t, 1, TPackageListModel::colBytes), QStringLiteral("11"));
    EXPECT_EQ(Cell(t, 0, TPackageListModel::colDirection), QStringLiteral("Incoming"));
    EXPECT_EQ(Cell(t, 0, TPackageListModel::colBytes), QStringLiteral("11"));
    EXPECT_EQ(Cell(t, 0, TPackageListModel::colNote), QString());
    const QRegularExpression ms(QStringLiteral("^[0-9]+\\.[0-9] ms$"));
    EXPECT_TRUE(ms.match(Cell(t, 0, TPackageListModel::colResponse)).hasMatch())
        << Cell(t, 0, TPackageListModel::colResponse).toStdString();
    EXPECT_GT(t.Packages().ResponseMs(1), 0.0);
    EXPECT_EQ(t.Packages().Item(0)->Data.at(0), char(1));

    // Disconnecting disables capturing; the check stays for the next connection.
    p.form->ConnectBtnClick();
    EXPECT_FALSE(t.actSpyTraffic->isEnabled());
    EXPECT_TRUE(t.actSpyTraffic->isChecked());
}

TEST(TrafficCapture, AFailedExchangeWithTwoTriesShowsTwoRequestsWithoutAnswer) {
    Program p;
    ASSERT_TRUE(p.started) << p.demo.Error().toStdString();
    TTrafficDlg& t = p.Traffic();
    p.form->ConnectBtnClick();
    ASSERT_TRUE(p.form->ComConnection().IsConnected());
    t.actSpyTraffic->trigger();
    p.dm->ComAccessPoint.SetTryCount(2);
    // No device answers at address 77.
    p.dm->Module.SetAddress(77);
    quint32 value = 0;
    EXPECT_FALSE(p.dm->Module.ReadProperty(0, 0, value));
    ASSERT_EQ(t.ListModel().rowCount(), 2);
    EXPECT_EQ(Cell(t, 0, TPackageListModel::colDirection), QStringLiteral("Outcoming"));
    EXPECT_EQ(Cell(t, 1, TPackageListModel::colDirection), QStringLiteral("Outcoming"));
    EXPECT_EQ(Cell(t, 1, TPackageListModel::colResponse), QStringLiteral("no answer"));
    // The next exchange marks the last try too.
    p.dm->Module.SetAddress(1);
    EXPECT_TRUE(p.dm->Module.ReadProperty(0, 0, value));
    ASSERT_EQ(t.ListModel().rowCount(), 4);
    EXPECT_EQ(Cell(t, 2, TPackageListModel::colResponse), QStringLiteral("no answer"));
    EXPECT_EQ(Cell(t, 3, TPackageListModel::colResponse), QStringLiteral("no answer"));
    EXPECT_FALSE(Cell(t, 0, TPackageListModel::colResponse).isEmpty());
}

TEST(TrafficWiring, ScanDialogsAndTheEmulatorChooseTheDecodingProtocol) {
    Program p;
    TTrafficDlg& t = p.Traffic();
    EXPECT_EQ(t.Protocol(), tpNerix);
    // The user's choice in either search dialog (the serial one starts in Modbus RTU).
    TFindDevices& scan = p.form->ComConnection().ScanDialog();
    scan.InitState();
    EXPECT_EQ(t.Protocol(), tpModbus);
    EXPECT_TRUE(t.ModbusRtuRb->isChecked());
    TUDPFindingDlg& udp = p.form->UdpConnection().SearchDialog();
    udp.InitState();
    udp.ProtocolEdit->setCurrentIndex(udp.ProtocolEdit->findData(int(tpNerix)));
    udp.ProtocolEditChange();
    EXPECT_EQ(t.Protocol(), tpNerix);
    EXPECT_TRUE(t.NerixRb->isChecked());
    scan.ProtocolEdit->setCurrentIndex(scan.ProtocolEdit->findData(int(tpModbus)));
    scan.ProtocolEditChange();
    EXPECT_EQ(t.Protocol(), tpModbus);
    // The ASCII protocols have nothing to decode: the choice stays.
    scan.ProtocolEdit->setCurrentIndex(scan.ProtocolEdit->findData(int(tpZoVuru)));
    scan.ProtocolEditChange();
    EXPECT_EQ(p.dm->Module.TransferProtocol(), tpZoVuru);
    EXPECT_EQ(t.Protocol(), tpModbus);

    // Switching the emulator on: its protocol.
    p.dm->VDMgr->SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    p.form->SetEmulatorActive(true);
    EXPECT_EQ(t.Protocol(), tpNerix);
    EXPECT_TRUE(t.actSpyTraffic->isEnabled());
    p.form->SetEmulatorActive(false);
    EXPECT_FALSE(t.actSpyTraffic->isEnabled());
}

TEST(TrafficWiring, WhileTheEmulatorRunsWhatAnOutsideMasterExchangesIsCaptured) {
    TLanguageRestored language;
    QTemporaryDir folder;
    TOptionsDm options(folder.path());
    TDm dm;
    TMainForm form(dm, *options.AdminOptions());
    TPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    // Someone already watches the emulator's frames; the monitor joins in and leaves them be.
    int seen = 0;
    dm.VDMgr->OnFrame = [&](int, const quint8*, int) { ++seen; };
    dm.VDMgr->AddDevices(0, 1);
    dm.VDMgr->SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    dm.VDMgr->SetPortName(pty.SlavePath());
    dm.VDMgr->SetActive(true);
    ASSERT_TRUE(dm.VDMgr->Active()) << dm.VDMgr->LastError().toStdString();
    form.SetEmulatorActive(true);
    TTrafficDlg& t = form.TrafficDlg();
    t.actSpyTraffic->trigger();
    ASSERT_TRUE(t.Capturing());

    const QByteArray request = NerixFrame(1, 0, 0, 0, 0);
    ASSERT_EQ(::write(pty.Master(), request.constData(), size_t(request.size())), request.size());
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000 && answer.size() < 11) {
        QCoreApplication::processEvents();
        pollfd pfd{pty.Master(), POLLIN, 0};
        if (::poll(&pfd, 1, 5) > 0) {
            char buf[64];
            const ssize_t n = ::read(pty.Master(), buf, sizeof buf);
            if (n > 0)
                answer.append(buf, int(n));
        }
    }
    ASSERT_EQ(answer.size(), 11);
    ASSERT_EQ(t.Packages().Count(), 2);
    EXPECT_EQ(t.Packages().Item(0)->Direction, 0);
    EXPECT_EQ(t.Packages().Item(0)->Data, request);
    EXPECT_EQ(t.Packages().Item(1)->Direction, 1);
    EXPECT_EQ(t.Packages().Item(1)->Data, answer);
    EXPECT_GE(t.Packages().ResponseMs(1), 0.0);
    EXPECT_EQ(seen, 2);

    form.SetEmulatorActive(false);
    EXPECT_TRUE(bool(dm.VDMgr->OnFrame));
    dm.VDMgr->OnFrame(0, nullptr, 0);
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(t.Packages().Count(), 2);
}

TEST(TrafficWiring, F2AndTheMenuItemShowAndHideTheWindow) {
    Program p;
    p.form->show();
    QAction* traffic = p.form->actTraffic;
    EXPECT_TRUE(traffic->isVisible());
    EXPECT_EQ(traffic->text(), QStringLiteral("Traffic"));
    EXPECT_EQ(traffic->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_TRUE(p.form->MenuService->actions().contains(traffic));
    EXPECT_FALSE(p.Traffic().isVisible());
    traffic->trigger();
    EXPECT_TRUE(p.Traffic().isVisible());
    traffic->trigger();
    EXPECT_FALSE(p.Traffic().isVisible());
    // It is the same window every time: the packages stay.
    Add(p.Traffic(), 0, QByteArray::fromHex("01"));
    traffic->trigger();
    EXPECT_EQ(p.Traffic().Packages().Count(), 1);
}

// In Ukrainian, nothing the window shows is left in English.
TEST(TrafficWiring, UkrainianLeavesNoEnglishInTheWindow) {
    Program p;
    p.form->SetLanguage(liUkrainian);
    EXPECT_EQ(p.form->actTraffic->text(), QStringLiteral("Трафік"));
    TTrafficDlg& t = p.Traffic();
    Add(t, 0, NerixFrame(1, 0, 0, 0, 0), 1'000'000);
    Add(t, 0, NerixFrame(1, 0, 0, 0, 0), 2'000'000);
    Add(t, 1, NerixFrame(1, 0, 0, 0, 1), 3'000'000);
    Add(t, 1, QByteArray::fromHex("0102"), 4'000'000);
    SelectRows(t, {1});

    QSet<QString> ukrainian;
    const TTrafficLanguage& texts = TrafficLanguage().Language(2);
    for (const auto& [name, field] : TTrafficLanguage::Fields())
        ukrainian.insert(texts.*field);
    QStringList stray;
    auto check = [&](const QString& where, const QString& text) {
        if (text.isEmpty() || ukrainian.contains(text))
            return;
        // Values, not words.
        static const QRegularExpression value(QStringLiteral("^(COM|UDP|[0-9]|[0-9A-F]{2}$)"));
        if (value.match(text).hasMatch())
            return;
        stray << where + QStringLiteral(": ") + text;
    };
    check(QStringLiteral("title"), t.windowTitle());
    for (QAction* a : t.findChildren<QAction*>())
        if (!a->isSeparator())
            check(QStringLiteral("action"), a->text());
    for (int i = 0; i < t.Tabs->count(); ++i)
        check(QStringLiteral("tab"), t.Tabs->tabText(i));
    for (QLabel* l : t.findChildren<QLabel*>())
        check(QStringLiteral("label"), l->text());
    for (QRadioButton* r : t.findChildren<QRadioButton*>())
        check(QStringLiteral("radio"), r->text());
    for (int c = 0; c < t.ListModel().columnCount(); ++c) {
        check(QStringLiteral("column"), t.ListModel().headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < t.ListModel().rowCount(); ++r) {
            QString cell = Cell(t, r, c);
            if (c == TPackageListModel::colResponse && !cell.isEmpty() && cell != texts.NoAnswer) {
                // "1.0 мс": the unit is the table's, the number keeps its point.
                EXPECT_TRUE(cell.endsWith(QStringLiteral(" мс"))) << cell.toStdString();
                continue;
            }
            if (c == TPackageListModel::colTime)
                continue;
            check(QStringLiteral("cell"), cell);
        }
    }
    for (int c = 0; c < t.ActionsList->columnCount(); ++c)
        check(QStringLiteral("context column"), t.ActionsList->headerItem()->text(c));
    // The decoded tree: every word (not hexadecimal digits) is one of the table's.
    QSet<QString> words;
    for (const QString& text : ukrainian)
        for (const QString& word :
             text.split(QRegularExpression(QStringLiteral("[^\\w']+")), Qt::SkipEmptyParts))
            words.insert(word);
    ASSERT_GT(t.PkgTree->topLevelItemCount(), 5);
    for (QString node : TreeTexts(t.PkgTree)) {
        node.replace(QStringLiteral("0x"), QStringLiteral(" "));
        static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
        auto it = word.globalMatch(node);
        while (it.hasNext()) {
            const QString w = it.next().captured();
            static const QRegularExpression hex(QStringLiteral("^[0-9A-F]+$"));
            if (!words.contains(w) && !hex.match(w).hasMatch())
                stray << QStringLiteral("tree: ") + node;
        }
    }
    EXPECT_TRUE(stray.isEmpty()) << stray.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Cell(t, 3, TPackageListModel::colResponse), QStringLiteral("немає відповіді"));
    const QStringList tree = TreeTexts(t.PkgTree);
    EXPECT_TRUE(tree.contains(QStringLiteral("Адреса:  [0x01]"))) << tree.join('|').toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("Hex:     0x00000001"))) << tree.join('|').toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("Дробове: 0.000000"))) << tree.join('|').toStdString();
    EXPECT_EQ(Cell(t, 0, TPackageListModel::colDirection), QStringLiteral("Вхідний"));
}

} // namespace
