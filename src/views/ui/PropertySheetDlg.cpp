#include "views/ui/PropertySheetDlg.h"

#include "bus/BaudRate.h"
#include "localization/ModbusMapLanguage.h"
#include "model/DOChannel.h"
#include "model/DeviceRegister.h"
#include "model/SimpleChannel.h"
#include "model/UMMCChannel.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "platform/ExchangeGuard.h"
#include "platform/ui/DialogTitle.h"
#include "views/ChannelWindows.h"
#include "views/PropertySheet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TPropertySheetLanguage& Texts() {
    return PropertySheetLanguage().Texts(CurrentLanguage());
}

enum TColumn { colName, colValue, colUnit, colLimits, colAccess, colCount };

QString AccessText(TSheetAccess Access) {
    const auto& t = Texts();
    switch (Access) {
    case TSheetAccess::ReadOnly:
        return t.ReadOnly;
    case TSheetAccess::WriteOnly:
        return t.WriteOnly;
    default:
        return t.ReadWrite;
    }
}

} // namespace

TPropertySheetDlg::TPropertySheetDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TPropertySheetDlg"));
    setModal(true);
    auto* root = new QVBoxLayout(this);
    auto* head = new QGridLayout();
    lbAddress = new QLabel(this);
    AddressLb = new QLabel(this);
    lbRate = new QLabel(this);
    RateLb = new QLabel(this);
    head->addWidget(lbAddress, 0, 0);
    head->addWidget(AddressLb, 0, 1);
    head->addWidget(lbRate, 1, 0);
    head->addWidget(RateLb, 1, 1);
    head->setColumnStretch(1, 1);
    root->addLayout(head);

    PropertyList = new QTreeWidget(this);
    PropertyList->setColumnCount(colCount);
    PropertyList->setRootIsDecorated(false);
    PropertyList->setUniformRowHeights(true);
    PropertyList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::SelectedClicked);
    connect(PropertyList, &QTreeWidget::itemChanged, this, &TPropertySheetDlg::ItemChanged);
    root->addWidget(PropertyList, 1);

    DataBox = new QGroupBox(this);
    auto* data = new QGridLayout(DataBox);
    lbOffset = new QLabel(DataBox);
    lbCount = new QLabel(DataBox);
    lbType = new QLabel(DataBox);
    OffsetEdit = new QSpinBox(DataBox);
    OffsetEdit->setRange(0, 255);
    CountEdit = new QSpinBox(DataBox);
    CountEdit->setRange(1, TGeneralModbusChannel::kMaxReadCount);
    CountEdit->setValue(8);
    TypeBox = new QComboBox(DataBox);
    ReadDataBtn = new QPushButton(DataBox);
    WriteDataBtn = new QPushButton(DataBox);
    DataValueEdit = new QLineEdit(DataBox);
    DataList = new QTreeWidget(DataBox);
    DataList->setColumnCount(2);
    DataList->setRootIsDecorated(false);
    DataList->setUniformRowHeights(true);
    data->addWidget(lbOffset, 0, 0);
    data->addWidget(OffsetEdit, 0, 1);
    data->addWidget(lbCount, 0, 2);
    data->addWidget(CountEdit, 0, 3);
    data->addWidget(lbType, 0, 4);
    data->addWidget(TypeBox, 0, 5);
    data->addWidget(ReadDataBtn, 0, 6);
    data->addWidget(DataList, 1, 0, 1, 7);
    data->addWidget(DataValueEdit, 2, 0, 1, 6);
    data->addWidget(WriteDataBtn, 2, 6);
    root->addWidget(DataBox, 1);
    connect(ReadDataBtn, &QPushButton::clicked, this, &TPropertySheetDlg::ReadDataBtnClick);
    connect(WriteDataBtn, &QPushButton::clicked, this, &TPropertySheetDlg::WriteDataBtnClick);

    auto* buttons = new QHBoxLayout();
    RefreshBtn = new QPushButton(this);
    ApplyBtn = new QPushButton(this);
    ToFlashBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    buttons->addWidget(RefreshBtn);
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(ToFlashBtn);
    buttons->addWidget(CloseBtn);
    root->addLayout(buttons);
    connect(RefreshBtn, &QPushButton::clicked, this, &TPropertySheetDlg::RefreshBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TPropertySheetDlg::ApplyBtnClick);
    connect(ToFlashBtn, &QPushButton::clicked, this, &TPropertySheetDlg::ToFlashBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TPropertySheetDlg::reject);
    DataBox->hide();
    resize(640, 360);
    UpdateLanguage();
}

TPropertySheetDlg::~TPropertySheetDlg() = default;

void TPropertySheetDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(FCaption.isEmpty() ? t.Caption : FCaption);
    lbAddress->setText(t.DeviceAddress + QLatin1Char(':'));
    lbRate->setText(t.BaudRate + QLatin1Char(':'));
    PropertyList->setHeaderLabels({t.Property, t.Value, t.Unit, t.Limits, t.Access});
    RefreshBtn->setText(t.Refresh);
    ApplyBtn->setText(t.Apply);
    ToFlashBtn->setText(t.ToFlash);
    CloseBtn->setText(t.Close);
    DataBox->setTitle(t.DataWindow);
    lbOffset->setText(t.DataOffset);
    lbCount->setText(t.DataCount);
    lbType->setText(t.DataType);
    ReadDataBtn->setText(t.ReadData);
    WriteDataBtn->setText(t.WriteData);
    DataList->setHeaderLabels({t.Offset, t.Value});
    const int type = TypeBox->currentIndex();
    TypeBox->clear();
    TypeBox->addItems({t.TypeS16, t.TypeU16, t.TypeS32, t.TypeU32, t.TypeFloat});
    TypeBox->setCurrentIndex(type < 0 ? 0 : type);
    if (FSheet)
        FillRows();
    for (int c = 0; c < colCount; ++c)
        PropertyList->resizeColumnToContents(c);
    FitToTitle(this);
}

void TPropertySheetDlg::FillRows() {
    FFilling = true;
    const auto& t = Texts();
    const int n = FSheet ? FSheet->Count() : 0;
    if (PropertyList->topLevelItemCount() != n) {
        PropertyList->clear();
        for (int i = 0; i < n; ++i)
            new QTreeWidgetItem(PropertyList);
    }
    for (int i = 0; i < n; ++i) {
        const TSheetProperty& p = FSheet->Properties[size_t(i)];
        QTreeWidgetItem* item = PropertyList->topLevelItem(i);
        item->setText(colName, p.Name);
        const bool known = p.Access == TSheetAccess::WriteOnly || FSheet->Read(i) || FSheet->Edited(i);
        item->setText(colValue, known ? FSheet->ValueText(i) : t.NotRead);
        item->setText(colUnit, p.Unit);
        item->setText(colLimits, FSheet->LimitsText(i));
        item->setText(colAccess, AccessText(p.Access));
        QFont font = item->font(colValue);
        font.setBold(FSheet->Edited(i));
        item->setFont(colValue, font);
        const bool editable = p.Access != TSheetAccess::ReadOnly && p.Type != TSheetType::Text;
        item->setFlags(editable ? (item->flags() | Qt::ItemIsEditable)
                                : (item->flags() & ~Qt::ItemIsEditable));
    }
    FFilling = false;
    UpdateButtons();
}

void TPropertySheetDlg::UpdateButtons() {
    ApplyBtn->setEnabled(FSheet && FSheet->HasChanges());
    ToFlashBtn->setEnabled(FSheet && FSheet->SaveToFlash && !FLite);
}

void TPropertySheetDlg::ItemChanged(QTreeWidgetItem* Item, int Column) {
    if (FFilling || Column != colValue || !FSheet)
        return;
    EditValue(PropertyList->indexOfTopLevelItem(Item), Item->text(colValue));
}

void TPropertySheetDlg::EditValue(int Row, const QString& Text) {
    if (!FSheet || Row < 0 || Row >= FSheet->Count())
        return;
    const TSheetProperty& p = FSheet->Properties[size_t(Row)];
    const auto& t = Texts();
    switch (FSheet->SetEdit(Row, Text)) {
    case TPropertySheet::erBadValue:
        Message(t.BadValue.arg(p.Name, Text.trimmed()));
        break;
    case TPropertySheet::erOutOfLimits:
        Message(
            t.OutOfLimits.arg(p.Name, TPropertySheet::Format(p, p.Min), TPropertySheet::Format(p, p.Max)));
        break;
    default:
        break;
    }
    // A refused entry goes back to what the row held.
    FillRows();
}

void TPropertySheetDlg::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

bool TPropertySheetDlg::Load(TPropertySheet& Sheet, const QString& Caption, const QString& AddressText,
                             const QString& RateText, bool Lite, TUMMCChannel* Channel) {
    FSheet = &Sheet;
    FChannel = Channel;
    FLite = Lite;
    FCaption = Caption;
    FUnsaved = false;
    AddressLb->setText(AddressText);
    RateLb->setText(RateText);
    DataBox->setVisible(Channel != nullptr);
    DataList->clear();
    PropertyList->clear();
    bool ok = false;
    {
        TBusyCursor busy;
        TExchangeGuard guard(FBusy);
        ok = guard.Acquired() && Sheet.ReadAll();
    }
    UpdateLanguage();
    FitToContent();
    if (!ok)
        Message(Texts().ErrorReading);
    return ok;
}

void TPropertySheetDlg::FitToContent() {
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * PropertyList->frameWidth();
    int width = frame + PropertyList->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < colCount; ++c)
        width += PropertyList->columnWidth(c);
    const int rows = std::max(PropertyList->topLevelItemCount(), 4);
    const int rowHeight =
        PropertyList->topLevelItemCount() > 0 ? PropertyList->sizeHintForRow(0) : fontMetrics().height() + 4;
    PropertyList->setMinimumHeight(
        std::min(PropertyList->header()->sizeHint().height() + frame + rowHeight * rows + 2, 16 * rowHeight));
    if (DataBox->isVisibleTo(this))
        DataList->setMinimumHeight(DataList->header()->sizeHint().height() + 6 * rowHeight);
    QSize size(std::max(width + margins.left() + margins.right(), 640), sizeHint().height());
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void TPropertySheetDlg::Execute(TPropertySheet& Sheet, const QString& Caption, const QString& AddressText,
                                const QString& RateText, bool Lite, TUMMCChannel* Channel) {
    Load(Sheet, Caption, AddressText, RateText, Lite, Channel);
    exec();
    FSheet = nullptr;
    FChannel = nullptr;
}

void TPropertySheetDlg::RefreshBtnClick() {
    if (!FSheet)
        return;
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return;
        TBusyCursor busy;
        ok = FSheet->ReadAll();
    }
    FillRows();
    if (!ok)
        Message(Texts().ErrorReading);
}

void TPropertySheetDlg::ApplyBtnClick() {
    if (!FSheet)
        return;
    if (!FSheet->HasChanges()) {
        Message(Texts().NothingChanged);
        return;
    }
    int failed = -1;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return;
        TBusyCursor busy;
        failed = FSheet->WriteChanged();
    }
    FillRows();
    if (failed >= 0) {
        Message(Texts().ErrorWriting.arg(FSheet->Properties[size_t(failed)].Name));
        return;
    }
    FUnsaved = true;
}

void TPropertySheetDlg::ToFlashBtnClick() {
    if (!FSheet || !FSheet->SaveToFlash)
        return;
    if (FLite) {
        Message(Texts().LiteFlash);
        return;
    }
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return;
        TBusyCursor busy;
        ok = FSheet->SaveToFlash();
    }
    if (ok)
        FUnsaved = false;
    Message(ok ? Texts().FlashSaved : Texts().FlashFailed);
}

void TPropertySheetDlg::ReadDataBtnClick() {
    if (!FChannel)
        return;
    const int offset = OffsetEdit->value();
    const int count = CountEdit->value();
    const int type = TypeBox->currentIndex();
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return;
        TBusyCursor busy;
        ok = FChannel->ReadData(quint8(offset), count);
    }
    DataList->clear();
    if (!ok) {
        Message(Texts().ErrorReadingData);
        return;
    }
    const int step = type >= TUMMCChannel::dtSigned32 ? 2 : 1;
    for (int r = 0; r + step <= count; r += step) {
        QString value;
        switch (type) {
        case TUMMCChannel::dtSigned16:
            value = QString::number(FChannel->TakeSigned16());
            break;
        case TUMMCChannel::dtUnsigned16:
            value = QString::number(FChannel->TakeUnsigned16());
            break;
        case TUMMCChannel::dtSigned32:
            value = QString::number(FChannel->TakeSigned32());
            break;
        case TUMMCChannel::dtUnsigned32:
            value = QString::number(FChannel->TakeUnsigned32());
            break;
        default:
            value = QLocale::c().toString(double(FChannel->TakeFloat()), 'g', 7);
            break;
        }
        const int reg = FChannel->DataBase() + offset + r;
        auto* item = new QTreeWidgetItem(DataList);
        item->setText(0, QStringLiteral("0x%1 (+%2)")
                             .arg(QStringLiteral("%1").arg(reg & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper())
                             .arg(offset + r));
        item->setText(1, value);
    }
    DataList->resizeColumnToContents(0);
}

void TPropertySheetDlg::WriteDataBtnClick() {
    if (!FChannel)
        return;
    const QString text = DataValueEdit->text();
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return;
        TBusyCursor busy;
        ok = FChannel->WriteData(quint8(OffsetEdit->value()), text, TypeBox->currentIndex());
    }
    if (ok)
        return;
    const auto& t = Texts();
    switch (FChannel->LastWriteError()) {
    case TUMMCChannel::weNotANumber:
        Message(t.NotANumber.arg(text.trimmed()));
        break;
    case TUMMCChannel::weOutOfRange:
        Message(t.CannotHold.arg(text.trimmed()));
        break;
    default:
        Message(t.ErrorWritingData);
        break;
    }
}

void RegisterPropertySheetWindows(TPropertySheetDlg& Dlg, const TAdminOptions& Options) {
    QPointer<TPropertySheetDlg> dlg(&Dlg);
    const TAdminOptions* options = &Options;
    const auto open = [dlg, options](const TChannelWindowContext& c) {
        if (!dlg || !c.Module || !c.Device)
            return;
        TZUVOModule& module = *c.Module;
        std::unique_ptr<TPropertySheet> sheet;
        std::unique_ptr<TUMMCChannel> ummc;
        if (c.Window == QLatin1String("TKVD_FREQ_DLG")) {
            const int index = ImpulseGeneratorOutputFor(c.Device->TypeCode, c.Row);
            TDOChannel* output = index >= 0 ? module.DiscreteOutput(index) : nullptr;
            if (!output)
                return;
            sheet = ImpulseGeneratorSheet(*output, module);
        } else if (c.Window == QLatin1String("TUMMCDlg")) {
            ummc = std::make_unique<TUMMCChannel>(&module);
            sheet = MapConstructorSheet(*ummc, module);
        } else {
            TAIKDataStreamController* controller = module.StreamController();
            if (!controller)
                return;
            sheet = StreamControllerSheet(*controller, module, module.AnalogInputCount());
        }
        const QString caption = Texts().Module + QStringLiteral(": ") + c.Device->ModelName +
                                QStringLiteral(". ") + Texts().Channel + QStringLiteral(" №") +
                                QString::number(c.Row + 1);
        const QString address = QStringLiteral("0x%1").arg(
            QStringLiteral("%1").arg(c.Device->Address, 2, 16, QLatin1Char('0')).toUpper());
        const QString rate =
            QStringLiteral("br") + QString::number(BaudRateBits(TBaudRate(c.Device->BaudCode)));
        dlg->Execute(*sheet, caption, address, rate, options->LiteVersion(), ummc.get());
    };
    for (const char* name :
         {"TKVD_FREQ_DLG", "TAIKDataStreamControllerDlg", "TAIK12DataStreamControllerDlg", "TUMMCDlg"})
        ChannelWindows().Register(QString::fromLatin1(name), open);
}
