#include "traffic/ui/TrafficUnit.h"

#include "localization/Localization.h"
#include "localization/TrafficLanguage.h"
#include "traffic/PackageContainer.h"
#include "traffic/TrafficDecoder.h"
#include "traffic/TrafficSerializer.h"
#include "traffic/ui/PackageListModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A tree node's byte range rides on its item.
constexpr int kFirstRole = Qt::UserRole;
constexpr int kLastRole = Qt::UserRole + 1;

QString HexByte(quint8 b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TTrafficDlg::TTrafficDlg(QWidget* parent)
    : QDialog(parent), FPackages(std::make_unique<TPackageContainer>()) {
    setObjectName(QStringLiteral("TrafficDlg"));
    // A window of its own beside the main window, not a dialog that keeps to its parent's middle.
    setWindowFlags(Qt::Window);
    FModel = new TPackageListModel(*FPackages, this);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("TrafficToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    actSpyTraffic = ToolBar->addAction(QString());
    actSpyTraffic->setObjectName(QStringLiteral("actSpyTraffic"));
    actSpyTraffic->setCheckable(true);
    actSaveToFile = ToolBar->addAction(QString());
    actSaveToFile->setObjectName(QStringLiteral("actSaveToFile"));
    actLoadFromFile = ToolBar->addAction(QString());
    actLoadFromFile->setObjectName(QStringLiteral("actLoadFromFile"));
    actDeletePackages = ToolBar->addAction(QString());
    actDeletePackages->setObjectName(QStringLiteral("actDeletePackages"));
    ToolBar->addSeparator();
    actExit = ToolBar->addAction(QString());
    actExit->setObjectName(QStringLiteral("actExit"));
    actExit->setShortcut(Qt::Key_Escape);
    actExit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(actExit);

    // Packages.
    auto* packagesPage = new QWidget(this);
    PortLb = new QLabel(packagesPage);
    PortLb->setObjectName(QStringLiteral("PortLb"));
    auto* portCaption = new QLabel(packagesPage);
    portCaption->setObjectName(QStringLiteral("PortCaption"));
    PkgList = new QTableView(packagesPage);
    PkgList->setObjectName(QStringLiteral("PkgList"));
    PkgList->setModel(FModel);
    PkgList->setSelectionBehavior(QAbstractItemView::SelectRows);
    PkgList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    PkgList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PkgList->setShowGrid(false);
    PkgList->setWordWrap(false);
    PkgList->setAlternatingRowColors(true);
    PkgList->verticalHeader()->hide();
    // Rows of one height: the view never measures a row, whatever the list holds.
    PkgList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    PkgList->verticalHeader()->setDefaultSectionSize(PkgList->fontMetrics().height() + 6);
    PkgList->horizontalHeader()->setStretchLastSection(true);
    PkgList->horizontalHeader()->setHighlightSections(false);
    PkgList->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portCaption);
    portRow->addWidget(PortLb);
    portRow->addStretch();
    auto* packagesLayout = new QVBoxLayout(packagesPage);
    packagesLayout->addLayout(portRow);
    packagesLayout->addWidget(PkgList);

    // Structure.
    auto* structurePage = new QWidget(this);
    NerixRb = new QRadioButton(structurePage);
    NerixRb->setObjectName(QStringLiteral("NerixRb"));
    ModbusRtuRb = new QRadioButton(structurePage);
    ModbusRtuRb->setObjectName(QStringLiteral("ModbusRtuRb"));
    NerixRb->setChecked(true);
    PkgTree = new QTreeWidget(structurePage);
    PkgTree->setObjectName(QStringLiteral("PkgTree"));
    PkgTree->setHeaderHidden(true);
    PkgTree->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    PkgGrid = new QTableWidget(kGridRows, kGridColumns, structurePage);
    PkgGrid->setObjectName(QStringLiteral("PkgGrid"));
    PkgGrid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    PkgGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PkgGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    PkgGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    {
        QStringList columns, rows;
        for (int c = 0; c < kGridColumns; ++c)
            columns << QString::number(c);
        for (int r = 0; r < kGridRows; ++r)
            rows << QString::number(r * kGridColumns);
        PkgGrid->setHorizontalHeaderLabels(columns);
        PkgGrid->setVerticalHeaderLabels(rows);
        const int cell = QFontMetrics(PkgGrid->font()).horizontalAdvance(QStringLiteral("WW")) + 10;
        PkgGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        PkgGrid->horizontalHeader()->setDefaultSectionSize(cell);
        PkgGrid->horizontalHeader()->setMinimumSectionSize(cell);
        PkgGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        PkgGrid->verticalHeader()->setDefaultSectionSize(QFontMetrics(PkgGrid->font()).height() + 6);
        for (int r = 0; r < kGridRows; ++r)
            for (int c = 0; c < kGridColumns; ++c) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                PkgGrid->setItem(r, c, item);
            }
    }
    auto* radios = new QHBoxLayout;
    radios->addWidget(NerixRb);
    radios->addWidget(ModbusRtuRb);
    radios->addStretch();
    auto* split = new QSplitter(Qt::Vertical, structurePage);
    split->addWidget(PkgTree);
    split->addWidget(PkgGrid);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* structureLayout = new QVBoxLayout(structurePage);
    structureLayout->addLayout(radios);
    structureLayout->addWidget(split);

    // Device context.
    auto* contextPage = new QWidget(this);
    ActionsList = new QTreeWidget(contextPage);
    ActionsList->setObjectName(QStringLiteral("ActionsList"));
    ActionsList->setRootIsDecorated(false);
    ActionsList->setColumnCount(3);
    ActionsList->setColumnWidth(0, 180);
    ActionsList->setColumnWidth(1, 180);
    auto* contextLayout = new QVBoxLayout(contextPage);
    contextLayout->addWidget(ActionsList);

    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    Tabs->addTab(packagesPage, QString());
    Tabs->addTab(structurePage, QString());
    Tabs->addTab(contextPage, QString());

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(true);
    CountLabel = new QLabel(StatusBar);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CountValue = new QLabel(QStringLiteral("0"), StatusBar);
    CountValue->setObjectName(QStringLiteral("CountValue"));
    CountValue->setMinimumWidth(QFontMetrics(CountValue->font()).horizontalAdvance(QStringLiteral("00000")));
    StatusBar->addWidget(CountLabel);
    StatusBar->addWidget(CountValue);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(ToolBar);
    main->addWidget(Tabs, 1);
    main->addWidget(StatusBar);

    // Menus.
    PkgListMenu = new QMenu(this);
    actListCopy = PkgListMenu->addAction(QString(), this, &TTrafficDlg::PkgListCopy);
    PkgGridMenu = new QMenu(this);
    actGridCopy = PkgGridMenu->addAction(QString(), this, &TTrafficDlg::PkgGridCopy);
    actCopyDelphi = PkgGridMenu->addAction(QString(), this, &TTrafficDlg::PkgGridCopyDelphi);
    actCopyC = PkgGridMenu->addAction(QString(), this, &TTrafficDlg::PkgGridCopyC);
    connect(PkgList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PkgListMenu->popup(PkgList->viewport()->mapToGlobal(p)); });
    connect(PkgGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PkgGridMenu->popup(PkgGrid->viewport()->mapToGlobal(p)); });

    connect(actSpyTraffic, &QAction::toggled, this, &TTrafficDlg::actSpyTrafficExecute);
    connect(actSaveToFile, &QAction::triggered, this, &TTrafficDlg::actSaveToFileExecute);
    connect(actLoadFromFile, &QAction::triggered, this, &TTrafficDlg::actLoadFromFileExecute);
    connect(actDeletePackages, &QAction::triggered, this, &TTrafficDlg::actDeletePackagesExecute);
    connect(actExit, &QAction::triggered, this, &QDialog::reject);
    connect(PkgList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowPackage(); });
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] { ShowPackage(); });
    connect(PkgTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { TreeNodeClicked(item); });
    connect(NerixRb, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetProtocol(tpNerix);
    });
    connect(ModbusRtuRb, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetProtocol(tpModbus);
    });

    FRefresh = new QTimer(this);
    FRefresh->setSingleShot(true);
    FRefresh->setInterval(kRefreshMs);
    connect(FRefresh, &QTimer::timeout, this, [this] { ListPending(); });

    resize(780, 540);
    UpdateLanguage();
    UpdateActions();
}

TTrafficDlg::~TTrafficDlg() = default;

const TTrafficLanguage& TTrafficDlg::Texts() const {
    return TrafficLanguage().Texts(CurrentLanguage());
}

TTrafficWords TTrafficDlg::Words(const TTrafficLanguage& t) {
    TTrafficWords w;
    w.UnknownFormat = t.UnknownFormat;
    w.Read = t.Read;
    w.Write = t.Write;
    w.Response = t.Response;
    w.Request = t.Request;
    w.FunctionError = t.FunctionError;
    w.Object = t.Object;
    w.Property = t.Property;
    w.Data = t.Data;
    w.CheckSum = t.CheckSum;
    w.Incorrect = t.Incorrect;
    w.InitialRegister = t.InitialRegister;
    w.NumberOfRegisters = t.NumberOfRegisters;
    return w;
}

void TTrafficDlg::UpdateLanguage() {
    const TTrafficLanguage& t = Texts();
    setWindowTitle(t.Caption);
    actSpyTraffic->setText(t.Capture);
    actSaveToFile->setText(t.SaveTraffic);
    actLoadFromFile->setText(t.LoadTraffic);
    actDeletePackages->setText(t.DeletePackages);
    actExit->setText(t.Exit);
    Tabs->setTabText(0, t.TabPackages);
    Tabs->setTabText(1, t.TabStructure);
    Tabs->setTabText(2, t.TabContext);
    if (auto* caption = findChild<QLabel*>(QStringLiteral("PortCaption")))
        caption->setText(t.Port);
    NerixRb->setText(t.AsNerix);
    ModbusRtuRb->setText(t.AsModbus);
    ActionsList->setHeaderLabels({t.ColDevice, t.ColObject, t.ColAction});
    CountLabel->setText(t.Count);
    actListCopy->setText(t.CopyToClipboard);
    actGridCopy->setText(t.CopyToClipboard);
    actCopyDelphi->setText(t.CopyAsDelphi);
    actCopyC->setText(t.CopyAsC);

    TPackageListModel::TTexts m;
    m.Number = t.ColNumber;
    m.Time = t.ColTime;
    m.Direction = t.ColDirection;
    m.Bytes = t.ColBytes;
    m.Response = t.ColResponse;
    m.Note = t.ColNote;
    m.Incoming = t.Incoming;
    m.Outcoming = t.Outcoming;
    m.Corrupted = t.Corrupted;
    m.NoAnswer = t.NoAnswer;
    m.Milliseconds = t.Milliseconds;
    FModel->SetTexts(m);

    // Columns wide enough for their longest text in this language.
    const QFontMetrics fm(PkgList->font());
    const QFontMetrics hm(PkgList->horizontalHeader()->font());
    auto fit = [&](int column, std::initializer_list<QString> texts) {
        int width = 0;
        for (const QString& s : texts)
            width = std::max({width, fm.horizontalAdvance(s), hm.horizontalAdvance(s)});
        PkgList->setColumnWidth(column, width + 24);
    };
    fit(TPackageListModel::colNumber, {t.ColNumber, QStringLiteral("00000")});
    TContainerItem sample;
    sample.Time = QDateTime(QDate(2000, 12, 28), QTime(23, 59, 59, 999));
    fit(TPackageListModel::colTime, {t.ColTime, FModel->TimeText(sample)});
    fit(TPackageListModel::colDirection, {t.ColDirection, t.Incoming, t.Outcoming});
    fit(TPackageListModel::colBytes, {t.ColBytes, QStringLiteral("00000")});
    fit(TPackageListModel::colResponse,
        {t.ColResponse, t.NoAnswer, t.Milliseconds.arg(QStringLiteral("0000.0"))});

    // A window wide enough for its tool bar.
    setMinimumWidth(std::max(ToolBar->sizeHint().width() + 20, 480));
    UpdatePortLabel();
    ShowPackage();
}

bool TTrafficDlg::Capturing() const {
    return actSpyTraffic->isChecked();
}

void TTrafficDlg::UpdateActions() {
    const bool capturing = Capturing();
    const bool any = FPackages->Count() > 0;
    actSpyTraffic->setEnabled(FConnected || FEmulator);
    actSaveToFile->setEnabled(!capturing && any);
    actLoadFromFile->setEnabled(!capturing);
    actDeletePackages->setEnabled(any);
}

void TTrafficDlg::UpdateCounter() {
    CountValue->setText(QString::number(FPackages->Count()));
}

void TTrafficDlg::UpdatePortLabel() {
    if (!FMasterKnown)
        PortLb->clear();
    else if (FMasterTcp)
        PortLb->setText(QStringLiteral("TCP %1").arg(FMasterPort));
    else if (FMasterUdp)
        PortLb->setText(QStringLiteral("UDP %1").arg(FMasterPort));
    else
        PortLb->setText(QStringLiteral("COM%1").arg(FMasterPort + 1));
}

void TTrafficDlg::SetMasterPort(int Port) {
    FMasterPort = Port;
    FMasterKnown = true;
    FMasterUdp = false;
    FMasterTcp = false;
    UpdatePortLabel();
}

void TTrafficDlg::SetMasterUdpPort(int RemotePort) {
    FMasterPort = RemotePort;
    FMasterKnown = true;
    FMasterUdp = true;
    FMasterTcp = false;
    UpdatePortLabel();
}

void TTrafficDlg::SetMasterTcpPort(int RemotePort) {
    SetMasterUdpPort(RemotePort);
    FMasterTcp = true;
    UpdatePortLabel();
}

void TTrafficDlg::SetConnected(bool Value) {
    FConnected = Value;
    UpdateActions();
}

void TTrafficDlg::SetEmulatorRunning(bool Value) {
    FEmulator = Value;
    UpdateActions();
}

void TTrafficDlg::SetProtocol(TTransferProtocol Value) {
    if (Value != tpNerix && Value != tpModbus)
        return;
    FProtocol = Value;
    // The buttons follow a choice made elsewhere (a scan, a file); their own signal lands here again
    // with nothing left to change.
    QRadioButton* button = Value == tpNerix ? NerixRb : ModbusRtuRb;
    if (!button->isChecked())
        button->setChecked(true);
    FModel->SetProtocol(Value);
    ShowPackage();
}

void TTrafficDlg::AddPackage(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time,
                             qint64 Ticks) {
    if (FPackages->Count() >= TPackageContainer::kLimit)
        actDeletePackagesExecute();
    // Capture happens inside the exchanges, which keep the event loop turning while they wait; a
    // row event for every package makes the list lay itself out and its scroll bar repaint, which
    // costs more than the exchange itself. While the window is shown, the packages are stored at
    // once and listed, with the counter, at most every kRefreshMs. A hidden window draws nothing
    // and lists them as they come.
    if (isVisible()) {
        FModel->AddDeferred(Direction, Data, Length, Time, Ticks);
        if (!FRefresh->isActive())
            FRefresh->start();
        return;
    }
    FModel->Add(Direction, Data, Length, Time, Ticks);
    UpdateCounter();
    // Adding changes what the actions allow only when the list was empty.
    if (FPackages->Count() == 1)
        UpdateActions();
}

void TTrafficDlg::ListPending() {
    FModel->Flush();
    UpdateCounter();
    UpdateActions();
}

void TTrafficDlg::actDeletePackagesExecute() {
    FModel->Clear();
    ClearPackageViews();
    UpdateCounter();
    UpdateActions();
}

void TTrafficDlg::actSpyTrafficExecute(bool Checked) {
    if (Checked) {
        if (OnStartCapture)
            OnStartCapture();
    } else if (OnStopCapture) {
        OnStopCapture();
    }
    UpdateActions();
}

void TTrafficDlg::reject() {
    if (Capturing())
        actSpyTraffic->setChecked(false);
    QDialog::reject();
}

void TTrafficDlg::ClearPackageViews() {
    FShown = -1;
    PkgTree->clear();
    ActionsList->clear();
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            PkgGrid->item(r, c)->setText(QString());
    PkgGrid->clearSelection();
}

void TTrafficDlg::ShowPackage() {
    const QModelIndex current = PkgList->selectionModel()->currentIndex();
    const int store = current.isValid() ? FModel->StoreIndex(current.row()) : -1;
    const TContainerItem* item = FPackages->Item(store);
    ClearPackageViews();
    if (!item)
        return;
    FShown = store;
    const auto* bytes = reinterpret_cast<const quint8*>(item->Data.constData());
    const int length = int(item->Data.size());
    const TDecodedPackage decoded =
        DecodePackage(FProtocol, bytes, length, item->Direction == 1, FProfiles, Words(Texts()));
    ShowTree(decoded.Nodes, nullptr);
    PkgTree->expandAll();
    for (const TContextRow& row : decoded.Context)
        new QTreeWidgetItem(ActionsList, {row.Device, row.Object, row.Action});
    for (int i = 0; i < std::min(length, kGridRows * kGridColumns); ++i)
        PkgGrid->item(i / kGridColumns, i % kGridColumns)->setText(HexByte(bytes[i]));
}

QString TTrafficDlg::NodeText(const QString& Text) const {
    // The decoders write the frame's field labels in English and take only the other words from
    // the language table; the labels are put into the window's language here. The three readings
    // of a value keep their values in one column.
    const TTrafficLanguage& t = Texts();
    static const QRegularExpression value(QStringLiteral("^(AsHex|AsInteger|AsFloat):\\s*"));
    const auto m = value.match(Text);
    if (m.hasMatch()) {
        int width = 0;
        for (const QString* l : {&t.AsHex, &t.AsInteger, &t.AsFloat})
            width = std::max(width, int(l->size()) + 2);
        const QString& label = m.captured(1) == QLatin1String("AsHex")       ? t.AsHex
                               : m.captured(1) == QLatin1String("AsInteger") ? t.AsInteger
                                                                             : t.AsFloat;
        return (label + QLatin1Char(':')).leftJustified(width) + Text.mid(m.capturedLength());
    }
    if (Text.startsWith(QLatin1String("Address")))
        return t.Address + Text.mid(7);
    if (Text.startsWith(QLatin1String("Function")))
        return t.Function + Text.mid(8);
    return Text;
}

void TTrafficDlg::ShowTree(const std::vector<TDecodedNode>& Nodes, QTreeWidgetItem* Parent) {
    for (const TDecodedNode& node : Nodes) {
        const QString text = NodeText(node.Text);
        auto* item = Parent ? new QTreeWidgetItem(Parent, {text}) : new QTreeWidgetItem(PkgTree, {text});
        item->setData(0, kFirstRole, node.First);
        item->setData(0, kLastRole, node.Last);
        ShowTree(node.Children, item);
    }
}

void TTrafficDlg::TreeNodeClicked(QTreeWidgetItem* Item) {
    if (!Item)
        return;
    const int first = Item->data(0, kFirstRole).toInt();
    const int last = Item->data(0, kLastRole).toInt();
    PkgGrid->clearSelection();
    if (first < 0 || last < first)
        return;
    // A range may run over the end of a grid row; it is selected row by row.
    const int end = std::min(last, kGridRows * kGridColumns - 1);
    for (int i = first; i <= end;) {
        const int row = i / kGridColumns;
        const int stop = std::min(end, row * kGridColumns + kGridColumns - 1);
        PkgGrid->setRangeSelected(QTableWidgetSelectionRange(row, i % kGridColumns, row, stop % kGridColumns),
                                  true);
        i = stop + 1;
    }
}

std::vector<const TContainerItem*> TTrafficDlg::SelectedPackages() const {
    QList<int> rows;
    for (const QModelIndex& index : PkgList->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    std::vector<const TContainerItem*> result;
    for (int row : rows)
        if (const TContainerItem* item = FModel->Package(row))
            result.push_back(item);
    return result;
}

QString TTrafficDlg::SelectedPackagesText() const {
    QString text;
    for (const TContainerItem* item : SelectedPackages()) {
        for (char b : item->Data)
            text += HexByte(quint8(b)) + QLatin1Char(' ');
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString TTrafficDlg::DelphiArrayText() const {
    const TContainerItem* item = FPackages->Item(FShown);
    if (!item)
        return {};
    const QString word = Texts().Package;
    QString text;
    for (int i = 0; i < item->Data.size(); ++i)
        text += QStringLiteral("\t%1[%2] := $%3;\r\n").arg(word).arg(i).arg(HexByte(quint8(item->Data[i])));
    return text;
}

QString TTrafficDlg::CArrayText() const {
    const TContainerItem* item = FPackages->Item(FShown);
    if (!item)
        return {};
    const QString word = Texts().Package;
    QString text;
    for (int i = 0; i < item->Data.size(); ++i)
        text +=
            QStringLiteral("\tc_%1[%2] := 0x%3;\r\n").arg(word).arg(i).arg(HexByte(quint8(item->Data[i])));
    return text;
}

void TTrafficDlg::PkgListCopy() {
    // Without a selection the clipboard keeps what it held rather than being emptied.
    if (SelectedPackages().empty()) {
        Message(Texts().NoPackageSelected);
        return;
    }
    QApplication::clipboard()->setText(SelectedPackagesText());
}

void TTrafficDlg::PkgGridCopy() {
    PkgListCopy();
}

void TTrafficDlg::PkgGridCopyDelphi() {
    if (!FPackages->Item(FShown)) {
        Message(Texts().NoPackageSelected);
        return;
    }
    QApplication::clipboard()->setText(DelphiArrayText());
}

void TTrafficDlg::PkgGridCopyC() {
    if (!FPackages->Item(FShown)) {
        Message(Texts().NoPackageSelected);
        return;
    }
    QApplication::clipboard()->setText(CArrayText());
}

void TTrafficDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::information(this, windowTitle(), Text);
}

bool TTrafficDlg::SaveToFile(const QString& Path) {
    TTrafficFile file;
    file.MasterPort = FMasterPort;
    file.Line = !FMasterKnown ? tlUnknown : FMasterTcp ? tlTcp : FMasterUdp ? tlUdp : tlCom;
    file.Protocol = int(FProtocol);
    file.Packages.reserve(size_t(FPackages->Count()));
    for (int i = 0; i < FPackages->Count(); ++i)
        file.Packages.push_back(*FPackages->Item(i));
    QString error;
    if (!SaveTraffic(Path, file, &error)) {
        Message(error.isEmpty() ? Texts().ErrorSaving : Texts().ErrorSaving + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

bool TTrafficDlg::LoadFromFile(const QString& Path) {
    TTrafficFile file;
    int skipped = 0;
    QString error;
    const bool ok = LoadTraffic(Path, file, &skipped, &error);
    // Whatever was read before a failure is shown, as if it had been captured.
    actDeletePackagesExecute();
    // Listed by the reset at the end of the bulk; a file of more than the store holds keeps what
    // came after the last clearing, as a capture would.
    FModel->BeginBulk();
    for (const TContainerItem& p : file.Packages)
        FModel->AddDeferred(p.Direction, reinterpret_cast<const quint8*>(p.Data.constData()),
                            quint16(p.Data.size()), p.Time, p.Ticks);
    FModel->EndBulk();
    if (ok) {
        SetProtocol(file.Protocol == int(tpModbus) ? tpModbus : tpNerix);
        TTrafficLine line = file.Line;
        // An older file names no line: a port number past any COM port's can only have been a
        // gateway's remote port, and UDP gateways came first.
        if (line == tlUnknown)
            line = file.MasterPort > 255 ? tlUdp : tlCom;
        if (line == tlTcp)
            SetMasterTcpPort(file.MasterPort);
        else if (line == tlUdp)
            SetMasterUdpPort(file.MasterPort);
        else
            SetMasterPort(std::max(file.MasterPort, 0));
    }
    UpdateCounter();
    UpdateActions();
    if (!ok) {
        Message(error.isEmpty() ? Texts().ErrorReading : Texts().ErrorReading + QLatin1Char('\n') + error);
        return false;
    }
    if (skipped > 0)
        Message(Texts().MsgSkipped.arg(skipped));
    return true;
}

void TTrafficDlg::actSaveToFileExecute() {
    if (!actSaveToFile->isEnabled())
        return;
    const TTrafficLanguage& t = Texts();
    QString path;
    if (OnAskSaveFile) {
        path = OnAskSaveFile();
    } else {
        QFileDialog dialog(this, t.SaveTraffic, QString(),
                           t.FileFilter + QStringLiteral(";;") + t.AllFilesFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("xml"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (!path.isEmpty())
        SaveToFile(path);
}

void TTrafficDlg::actLoadFromFileExecute() {
    if (!actLoadFromFile->isEnabled())
        return;
    const TTrafficLanguage& t = Texts();
    const QString path =
        OnAskOpenFile ? OnAskOpenFile()
                      : QFileDialog::getOpenFileName(this, t.LoadTraffic, QString(),
                                                     t.FileFilter + QStringLiteral(";;") + t.AllFilesFilter);
    if (!path.isEmpty())
        LoadFromFile(path);
}
