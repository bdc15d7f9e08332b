#include "files/ui/FileMgrDlg.h"

#include "localization/FileMgrLanguage.h"
#include "model/DiscreteModules.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <tuple>

namespace {

const TFileMgrLanguage& Texts() {
    return FileMgrLanguage().Texts(CurrentLanguage());
}

void ProcessEvents() {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

// --- TLoaderForm ---------------------------------------------------------------------------------

TLoaderForm::TLoaderForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoaderForm"));
    auto* panel = new QVBoxLayout(this);
    Gauge = new QProgressBar(this);
    Gauge->setMinimumWidth(320);
    panel->addWidget(Gauge);
    UpdateLanguage();
}

void TLoaderForm::UpdateLanguage() {
    setWindowTitle(Texts().LoaderCaption);
}

void TLoaderForm::ShowProgress(int Position, int Max) {
    Gauge->setRange(0, qMax(Max, 0));
    Gauge->setValue(qBound(0, Position, qMax(Max, 0)));
    if (!isVisible())
        show();
    ProcessEvents();
}

// --- TSelectFileDlg ------------------------------------------------------------------------------

TSelectFileDlg::TSelectFileDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SelectFileDlg"));
    auto* layout = new QVBoxLayout(this);
    FileList = new QTreeWidget(this);
    FileList->setRootIsDecorated(false);
    FileList->setColumnCount(4);
    FileList->setMinimumSize(420, 220);
    FileList->header()->setStretchLastSection(false);
    FileList->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(FileList);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    CloseBtn = new QPushButton(this);
    buttons->addWidget(CloseBtn);
    layout->addLayout(buttons);
    connect(FileList, &QTreeWidget::itemDoubleClicked, this, &TSelectFileDlg::FileListDblClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TSelectFileDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.SelectCaption);
    FileList->setHeaderLabels({t.ColId, t.ColFile, t.ColSize, t.ColInfo});
    CloseBtn->setText(t.Close);
}

void TSelectFileDlg::SetFiles(const std::vector<TDeviceFile>& Files) {
    FFiles = Files;
    FileList->clear();
    for (const TDeviceFile& f : Files) {
        auto* item = new QTreeWidgetItem(
            FileList, {QString::number(f.Number), f.Name, QString::number(f.Size), QString::number(f.Info)});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c : {0, 2, 3})
        FileList->resizeColumnToContents(c);
}

void TSelectFileDlg::FileListDblClick(QTreeWidgetItem* Item) {
    const int row = FileList->indexOfTopLevelItem(Item);
    if (row < 0 || row >= int(FFiles.size()))
        return;
    FChosen = FFiles[size_t(row)];
    accept();
}

std::optional<TDeviceFile> TSelectFileDlg::Choose() {
    FChosen.reset();
    exec();
    return FChosen;
}

// --- TCopyFileDlg --------------------------------------------------------------------------------

TCopyFileDlg::TCopyFileDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CopyFileDlg"));
    auto* layout = new QVBoxLayout(this);
    FileLabel = new QLabel(this);
    layout->addWidget(FileLabel);
    Animation = new QProgressBar(this);
    Animation->setMinimumWidth(380);
    layout->addWidget(Animation);
    ProgressLabel = new QLabel(this);
    layout->addWidget(ProgressLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    StopBtn = new QPushButton(this);
    buttons->addWidget(StopBtn);
    buttons->addStretch();
    layout->addLayout(buttons);
    Timer = new QTimer(this);
    Timer->setInterval(600);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TCopyFileDlg::TimerTimer);
    connect(StopBtn, &QPushButton::clicked, this, &TCopyFileDlg::StopBtnClick);
    UpdateLanguage();
}

void TCopyFileDlg::UpdateLanguage() {
    setWindowTitle(Texts().CopyCaption);
    StopBtn->setText(Texts().Stop);
}

bool TCopyFileDlg::Run(TFileMgrObject& Object, const TDeviceFile& File, bool FromDevice,
                       const QString& ComputerFile) {
    FObject = &Object;
    FFile = File;
    FFromDevice = FromDevice;
    FComputerFile = ComputerFile;
    FResult = TTransferResult::Stopped;
    FMessage.clear();
    FileLabel->setText(FromDevice ? QStringLiteral("%1 → %2").arg(File.Name, ComputerFile)
                                  : QStringLiteral("%1 → %2").arg(ComputerFile, File.Name));
    Animation->setRange(0, 0);
    ProgressLabel->clear();
    Timer->start();
    exec();
    Timer->stop();
    return FResult == TTransferResult::Done;
}

void TCopyFileDlg::TimerTimer() {
    if (!FObject || FRunning)
        return;
    FRunning = true;
    TFileTransfer transfer(*FObject);
    FTransfer = &transfer;
    transfer.QuietMs = QuietMs;
    transfer.OnData = [this](const QByteArray& Bytes, quint32 Word) {
        if (OnData)
            OnData(Bytes, Word);
    };
    transfer.OnIdle = ProcessEvents;
    transfer.OnProgress = [this](const TTransferProgress& p) {
        if (p.Total > 0) {
            Animation->setRange(0, int(qMin<qint64>(p.Total, 1 << 30)));
            Animation->setValue(int(qMin(p.Done, p.Total)));
        }
        ProgressLabel->setText(ProgressText(p, Texts()));
    };
    if (FFromDevice)
        FResult = FComputerFile.isEmpty()
                      ? [&] {
                            QByteArray data;
                            return transfer.ReadFile(FFile.Number, FFile.Name, FFile.Size, data);
                        }()
                      : transfer.CopyToComputer(FFile.Number, FFile.Name, FFile.Size, FComputerFile);
    else
        FResult = transfer.CopyToDevice(FComputerFile, FFile.Number);
    FMessage = TransferMessage(FResult, transfer, Texts(), FComputerFile);
    // The device refusing a file to write into has its own words.
    if (FResult == TTransferResult::OpenFailed && !FFromDevice)
        FMessage = Texts().MsgErrorOpeningForWriting;
    FTransfer = nullptr;
    FRunning = false;
    if (FResult == TTransferResult::Done)
        accept();
    else
        QDialog::reject();
}

void TCopyFileDlg::StopBtnClick() {
    reject();
}

void TCopyFileDlg::reject() {
    // A running loop ends at its next round and closes the window then.
    if (FTransfer)
        FTransfer->Stop();
    else
        QDialog::reject();
}

// --- TFileMgrDlg ---------------------------------------------------------------------------------

TFileMgrDlg::TFileMgrDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FileMgrDlg"));
    auto* layout = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    auto side = [this](QGroupBox*& Box, QLabel*& Caption1, QLabel*& Label1, QPushButton*& Button1,
                       QLabel*& Caption2, QLabel*& Label2, QPushButton*& Button2) {
        Box = new QGroupBox(this);
        auto* grid = new QGridLayout(Box);
        int row = 0;
        for (auto [caption, label, button] :
             {std::tuple{&Caption1, &Label1, &Button1}, std::tuple{&Caption2, &Label2, &Button2}}) {
            *caption = new QLabel(Box);
            *label = new QLabel(Box);
            (*label)->setFrameShape(QFrame::StyledPanel);
            (*label)->setMinimumWidth(220);
            (*label)->setTextInteractionFlags(Qt::TextSelectableByMouse);
            *button = new QPushButton(QStringLiteral("…"), Box);
            (*button)->setFixedWidth(32);
            grid->addWidget(*caption, row, 0, 1, 2);
            grid->addWidget(*label, row + 1, 0);
            grid->addWidget(*button, row + 1, 1);
            row += 2;
        }
        grid->setColumnStretch(0, 1);
        return Box;
    };
    sides->addWidget(side(DeviceBox, FromDeviceCaption, FromDeviceLb, SpeedButton5, ToDeviceCaption,
                          ToDeviceLb, SpeedButton6));
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    SpeedButton1 = new QPushButton(this);
    SpeedButton2 = new QPushButton(this);
    middle->addWidget(SpeedButton1);
    middle->addWidget(SpeedButton2);
    middle->addStretch();
    sides->addLayout(middle);
    sides->addWidget(
        side(ComputerBox, ToCompCaption, ToCompLb, SpeedButton3, FromCompCaption, FromCompLb, SpeedButton4));
    layout->addLayout(sides);
    HexCaption = new QLabel(this);
    layout->addWidget(HexCaption);
    HexList = new QListWidget(this);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    HexList->setFont(mono);
    HexList->setMinimumHeight(160);
    layout->addWidget(HexList, 3);
    TextCaption = new QLabel(this);
    layout->addWidget(TextCaption);
    ContentList = new QListWidget(this);
    ContentList->setFont(mono);
    ContentList->setMaximumHeight(ContentList->fontMetrics().height() * 2 + 12);
    layout->addWidget(ContentList);
    StatusLb = new QLabel(this);
    layout->addWidget(StatusLb);

    SelectFileDlg = new TSelectFileDlg(this);
    CopyFileDlg = new TCopyFileDlg(this);
    LoaderForm = new TLoaderForm(this);
    CopyFileDlg->OnData = [this](const QByteArray& Bytes, quint32) { DataNotify(Bytes); };

    connect(SpeedButton1, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton4Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton5Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TFileMgrDlg::SpeedButton6Click);
    resize(760, 520);
    UpdateLanguage();
}

void TFileMgrDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    DeviceBox->setTitle(t.DeviceSide);
    ComputerBox->setTitle(t.ComputerSide);
    FromDeviceCaption->setText(t.OutputDataFile);
    ToDeviceCaption->setText(t.InputDataFile);
    ToCompCaption->setText(t.InputDataFile);
    FromCompCaption->setText(t.OutputDataFile);
    SpeedButton5->setToolTip(t.ChooseDeviceFile);
    SpeedButton6->setToolTip(t.ChooseDeviceFile);
    SpeedButton3->setToolTip(t.ChooseComputerFileToWrite);
    SpeedButton4->setToolTip(t.ChooseComputerFileToRead);
    SpeedButton1->setText(t.CopyToComputer);
    SpeedButton2->setText(t.CopyToDevice);
    HexCaption->setText(t.Hex);
    TextCaption->setText(t.Text);
    ShowChoices();
    SelectFileDlg->UpdateLanguage();
    CopyFileDlg->UpdateLanguage();
    LoaderForm->UpdateLanguage();
}

void TFileMgrDlg::ClearChoices() {
    FFromDevice.reset();
    FToDevice.reset();
    FToComp.clear();
    FFromComp.clear();
    ShowChoices();
}

void TFileMgrDlg::ShowChoices() {
    const QString none = Texts().NoFile;
    auto show = [&](QLabel* Label, const QString& Text) {
        Label->setText(Text.isEmpty() ? none : Text);
        Label->setToolTip(Text);
    };
    show(FromDeviceLb, FFromDevice ? FFromDevice->Name : QString());
    show(ToDeviceLb, FToDevice ? FToDevice->Name : QString());
    show(ToCompLb, FToComp);
    show(FromCompLb, FFromComp);
}

void TFileMgrDlg::ClearLists() {
    HexList->clear();
    ContentList->clear();
    FText.clear();
    StatusLb->clear();
}

void TFileMgrDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

bool TFileMgrDlg::Prepare(TFileMgrObject& Object) {
    FObject = &Object;
    ClearChoices();
    ClearLists();
    // The listing takes a few exchanges a file; the progress window shows it is under way.
    LoaderForm->ShowProgress(0, 0);
    std::vector<TDeviceFile> files;
    const bool ok = ListDeviceFiles(Object, files);
    LoaderForm->hide();
    if (!ok)
        return false;
    SelectFileDlg->SetFiles(files);
    return true;
}

bool TFileMgrDlg::Execute(TFileMgrObject& Object) {
    if (!Prepare(Object)) {
        Message(Texts().MsgListFailed);
        return false;
    }
    exec();
    return true;
}

std::optional<TDeviceFile> TFileMgrDlg::AskDeviceFile() {
    return OnAskDeviceFile ? OnAskDeviceFile() : SelectFileDlg->Choose();
}

void TFileMgrDlg::SpeedButton5Click() {
    if (auto f = AskDeviceFile())
        FFromDevice = f;
    ShowChoices();
}

void TFileMgrDlg::SpeedButton6Click() {
    if (auto f = AskDeviceFile())
        FToDevice = f;
    ShowChoices();
}

void TFileMgrDlg::SpeedButton3Click() {
    const QString path =
        OnAskComputerFile
            ? OnAskComputerFile(true)
            : QFileDialog::getSaveFileName(this, Texts().ChooseComputerFileToWrite,
                                           FFromDevice ? FFromDevice->Name : QString(), Texts().AllFiles);
    if (!path.isEmpty())
        FToComp = path;
    ShowChoices();
}

void TFileMgrDlg::SpeedButton4Click() {
    const QString path = OnAskComputerFile
                             ? OnAskComputerFile(false)
                             : QFileDialog::getOpenFileName(this, Texts().ChooseComputerFileToRead, QString(),
                                                            Texts().AllFiles);
    if (!path.isEmpty())
        FFromComp = path;
    ShowChoices();
}

void TFileMgrDlg::SpeedButton1Click() {
    if (!FObject)
        return;
    if (!FFromDevice) {
        Message(Texts().MsgSelectOutput);
        return;
    }
    ClearLists();
    const bool ok = CopyFileDlg->Run(*FObject, *FFromDevice, true, FToComp);
    StatusLb->setText(ok ? Texts().MsgDone.arg(FText.size()) : QString());
    if (!ok && !CopyFileDlg->Message().isEmpty())
        Message(CopyFileDlg->Message());
}

void TFileMgrDlg::SpeedButton2Click() {
    if (!FObject)
        return;
    if (!FToDevice) {
        Message(Texts().MsgSelectInput);
        return;
    }
    if (FFromComp.isEmpty()) {
        Message(Texts().MsgSelectSource);
        return;
    }
    ClearLists();
    const bool ok = CopyFileDlg->Run(*FObject, *FToDevice, false, FFromComp);
    StatusLb->setText(ok ? Texts().MsgDone.arg(FText.size()) : QString());
    if (!ok && !CopyFileDlg->Message().isEmpty())
        Message(CopyFileDlg->Message());
}

void TFileMgrDlg::DataNotify(const QByteArray& Bytes) {
    for (const char b : Bytes) {
        const QString hex = QStringLiteral("[%1]").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
        QListWidgetItem* last = HexList->count() ? HexList->item(HexList->count() - 1) : nullptr;
        if (!last || last->text().size() >= kHexLineLength)
            last = new QListWidgetItem(HexList);
        last->setText(last->text() + hex);
        // Control bytes would break the single line; they show as the replacement mark.
        const quint8 c = quint8(b);
        FText += (c < 32 || c == 127) ? QChar(0x00B7) : QChar::fromLatin1(char(c));
    }
    if (ContentList->count() == 0)
        new QListWidgetItem(ContentList);
    ContentList->item(0)->setText(FText);
    HexList->scrollToBottom();
}

void OpenFileMgr(TFileMgrDlg& Dlg, TZUVOModule* Template) {
    if (auto* p340 = dynamic_cast<TP340BUS*>(Template))
        Dlg.Execute(p340->FileMgr());
}
