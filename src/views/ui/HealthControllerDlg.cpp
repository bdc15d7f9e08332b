#include "views/ui/HealthControllerDlg.h"

#include "bus/BaudRate.h"
#include "localization/DIOManagerLanguage.h"
#include "model/DeviceRegister.h"
#include "model/Helper.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ui/DialogTitle.h"
#include "views/ChannelWindows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const TIntactnessControllerDOFLanguage& Texts() {
    return HealthCtrlLanguage().Texts(CurrentLanguage());
}

int AnalogOutputsOf(quint32 TypeCode) {
    switch (TypeCode) {
    case 2:
        return 4;
    case 3:
    case 69:
        return 6;
    case 34:
        return 2;
    case 66:
        return 16;
    default:
        return 0;
    }
}

// Accepts "." and "," as the decimal separator; nothing for text that is no finite number.
std::optional<float> FloatOf(const QString& Text) {
    QString s = Text.trimmed();
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return float(v);
}

QString FloatText(float Value, int Decimals) {
    return QString::number(double(Value), 'f', Decimals);
}

} // namespace

THealthControllerFamily HealthControllerFamilyFor(const QString& Window, quint32 TypeCode) {
    const auto& t = Texts();
    using F = THealthControllerField;
    THealthControllerFamily family;
    const QString frequency = t.FrequencyOutput + QStringLiteral(" №");
    if (Window == QLatin1String("TIntactnessControllerDORDlg") ||
        Window == QLatin1String("TIntactnessControllerP340Dlg"))
        family.TimeoutInSeconds = true;
    if (Window == QLatin1String("TIntactnessControllerDOS12Dlg")) {
        family.Fields = {{F::Hex, 0, 3, t.DOStates}};
    } else if (Window == QLatin1String("TIntactnessControllerP340Dlg")) {
        family.Fields = {{F::Hex, 0, 2, t.DOStates},
                         {F::Float, 1, 2, QStringLiteral("AO 1")},
                         {F::Float, 2, 2, QStringLiteral("AO 2")}};
    } else if (Window == QLatin1String("TIntactnessControllerDOFDlg")) {
        using R = THealthControllerListRow;
        const QString discrete = t.DiscreteOutput + QStringLiteral(" №");
        for (int i = 0; i < 6; ++i)
            family.Rows.push_back({R::Bit, i, discrete + QString::number(i + 1)});
        family.Rows.push_back({R::Float, 1, frequency + QStringLiteral("1"), true});
        family.Rows.push_back({R::Float, 2, frequency + QStringLiteral("2"), true});
        family.CheckParameter = 3;
        family.SilentRefusal = true;
        family.Menu = THealthControllerFamily::DOAndFO;
    } else if (Window == QLatin1String("TIntactnessControllerAODlg")) {
        for (int i = 0; i < AnalogOutputsOf(TypeCode); ++i)
            family.Rows.push_back({THealthControllerListRow::SafeValue, i,
                                   t.AnalogOutput + QStringLiteral(" №") + QString::number(i + 1)});
        family.CheckParameter = 2;
        family.Menu = THealthControllerFamily::AllOnly;
    } else if (Window == QLatin1String("TICDIO24QAVDlg")) {
        family.Fields = {{F::Hex, 0, 6, t.DOStates}, {F::Hex, 1, 6, t.DOMask}};
    } else if (Window == QLatin1String("TICMIOVIXProDlg")) {
        using R = THealthControllerListRow;
        // The rows in the device's order; DO3 is bit 3 of the safe states.
        family.Rows = {{R::Bit, 0, QStringLiteral("DO1")},
                       {R::Bit, 1, QStringLiteral("DO2")},
                       {R::Float, 1, QStringLiteral("AO")},
                       {R::Bit, 3, QStringLiteral("DO3")}};
        family.CheckParameter = 2;
        family.ChecksBeforeValues = true;
        family.ToggleBits = true;
    } else { // DOS, DOR, DIO
        family.Fields = {{F::Hex, 0, 2, t.DOStates}};
    }
    return family;
}

THealthControllerDlg::THealthControllerDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HealthControllerDlg"));
    setModal(true);
    lbAddress = new QLabel(this);
    lbRate = new QLabel(this);
    lbTimeout = new QLabel(this);
    lbReset = new QLabel(this);
    TimeoutEdit = new QLineEdit(this);
    OnlyDevicePoolBox = new QComboBox(this);
    CloseBtn = new QPushButton(this);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    FForm = new QFormLayout;
    FForm->addRow(lbAddress);
    FForm->addRow(lbRate);
    FForm->addRow(lbTimeout, TimeoutEdit);
    FForm->addRow(lbReset, OnlyDevicePoolBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    MaskLV = new QTreeWidget(this);
    MaskLV->setObjectName(QStringLiteral("MaskLV"));
    MaskLV->setColumnCount(3);
    MaskLV->setRootIsDecorated(false);
    MaskLV->setSelectionMode(QAbstractItemView::ExtendedSelection);
    MaskLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MaskLV->setContextMenuPolicy(Qt::CustomContextMenu);
    MaskLV->installEventFilter(this);
    MaskLV->hide();
    MaskMenu = new QMenu(this);
    auto item = [this](void (THealthControllerDlg::*Slot)()) {
        QAction* a = MaskMenu->addAction(QString());
        connect(a, &QAction::triggered, this, Slot);
        return a;
    };
    SelectDOItem = item(&THealthControllerDlg::SelectDOClick);
    UnSelectDOItem = item(&THealthControllerDlg::UnSelectDOClick);
    SelectFOItem = item(&THealthControllerDlg::SelectFOClick);
    UnSelectFOItem = item(&THealthControllerDlg::UnSelectFOClick);
    SelectAllItem = item(&THealthControllerDlg::SelectAllClick);
    UnSelectAllItem = item(&THealthControllerDlg::UnSelectAllClick);
    connect(MaskLV, &QTreeWidget::itemDoubleClicked, this, [this] { MaskLVDblClick(); });
    connect(MaskLV, &QWidget::customContextMenuRequested, this, [this](const QPoint& At) {
        if (FFamily.Menu != THealthControllerFamily::NoMenu)
            MaskMenu->popup(MaskLV->viewport()->mapToGlobal(At));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(FForm);
    layout->addWidget(MaskLV, 1);
    layout->addStretch();
    layout->addLayout(buttons);
    // The layout sets the window's minimum size, which would undo a minimum set for the caption: the
    // caption's room is an item of the layout instead.
    FTitleRoom = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addItem(FTitleRoom);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    connect(ApplyBtn, &QPushButton::clicked, this, &THealthControllerDlg::ApplyBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &THealthControllerDlg::CloseBtnClick);
    UpdateLanguage();
}

THealthControllerDlg::~THealthControllerDlg() = default;

void THealthControllerDlg::UpdateLanguage() {
    const auto& t = Texts();
    lbTimeout->setText(FFamily.TimeoutInSeconds ? t.TimeoutS : t.TimeoutMs);
    lbReset->setText(t.ResetCondition);
    const int reset = OnlyDevicePoolBox->currentIndex();
    OnlyDevicePoolBox->clear();
    OnlyDevicePoolBox->addItems({t.AnyData, t.CallToModule});
    OnlyDevicePoolBox->setCurrentIndex(reset < 0 ? 0 : reset);
    CloseBtn->setText(t.Cancel);
    ApplyBtn->setText(t.Apply);
    MaskLV->setHeaderLabels({QStringLiteral("#"), t.Channel, t.Value});
    SelectDOItem->setText(t.SelectDO);
    UnSelectDOItem->setText(t.UnSelectDO);
    SelectFOItem->setText(t.SelectFO);
    UnSelectFOItem->setText(t.UnSelectFO);
    SelectAllItem->setText(t.SelectAll);
    UnSelectAllItem->setText(t.UnSelectAll);
}

void THealthControllerDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::information(this, windowTitle(), Text);
}

bool THealthControllerDlg::Execute(TIntachnessCtrlChannel& Controller, const THealthControllerFamily& Family,
                                   const QString& Caption, const QString& AddressText,
                                   const QString& RateText) {
    FController = &Controller;
    FFamily = Family;
    const auto& t = Texts();
    setWindowTitle(Caption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") + AddressText);
    lbRate->setText(t.BaudRate + QStringLiteral(": ") + RateText);
    for (QLabel* l : FFieldLabels)
        FForm->removeRow(l);
    FFieldLabels.clear();
    FieldEdits.clear();
    for (const THealthControllerField& f : FFamily.Fields) {
        auto* label = new QLabel(f.Label, this);
        auto* edit = new QLineEdit(this);
        FForm->addRow(label, edit);
        FFieldLabels.push_back(label);
        FieldEdits.push_back(edit);
    }
    BuildList();
    UpdateLanguage();
    OnlyDevicePoolBox->setCurrentIndex(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool read = ReadAll();
    QApplication::restoreOverrideCursor();
    // Values half read must not be written back as if they were the device's.
    ApplyBtn->setEnabled(read);
    if (!read)
        Message(t.ErrorReading);
    QFont bold = font();
    bold.setBold(true);
    const QMargins margins = layout()->contentsMargins();
    FTitleRoom->changeSize(QFontMetrics(bold).horizontalAdvance(windowTitle()) * 11 / 10 + 150 -
                               margins.left() - margins.right(),
                           0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout()->invalidate();
    FitToTitle(this);
    return exec() == QDialog::Accepted;
}

bool THealthControllerDlg::ReadAll() {
    TZUVOModule& m = *FController->Module();
    const quint32 timeout = FController->ReadTimeout();
    if (!m.Ok)
        return false;
    TimeoutEdit->setText(QString::number(timeout));
    const bool reset = FController->ReadResetCondition();
    if (!m.Ok)
        return false;
    OnlyDevicePoolBox->setCurrentIndex(reset ? 1 : 0);
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        QString text;
        switch (f.Kind) {
        case THealthControllerField::Hex:
            text =
                QStringLiteral("%1")
                    .arg(quint32(FController->ReadParameterInteger(f.Index)), f.Digits, 16, QLatin1Char('0'))
                    .toUpper();
            break;
        case THealthControllerField::Float:
            text = FloatText(FController->ReadParameterFloat(f.Index), f.Digits);
            break;
        case THealthControllerField::SafeValue:
            if (!ao)
                return false;
            text = FloatText(ao->ReadSafeValue(f.Index), f.Digits);
            break;
        }
        if (!m.Ok)
            return false;
        FieldEdits[i]->setText(text);
    }
    return ReadList();
}

void THealthControllerDlg::BuildList() {
    MaskLV->clear();
    FRowValues.assign(FFamily.Rows.size(), 0.0);
    MaskLV->setVisible(FFamily.HasList());
    const bool dofMenu = FFamily.Menu == THealthControllerFamily::DOAndFO;
    for (QAction* a : {SelectDOItem, UnSelectDOItem, SelectFOItem, UnSelectFOItem})
        a->setVisible(dofMenu);
    for (QAction* a : {SelectAllItem, UnSelectAllItem})
        a->setVisible(FFamily.Menu != THealthControllerFamily::NoMenu);
    for (size_t i = 0; i < FFamily.Rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(MaskLV);
        item->setText(0, QString::number(i + 1));
        item->setText(1, FFamily.Rows[i].Name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        ShowRowValue(int(i));
    }
    if (!FFamily.HasList())
        return;
    for (int c = 0; c < 3; ++c)
        MaskLV->resizeColumnToContents(c);
    // Room for ten rows, then a scroll bar (the largest analog module has sixteen outputs); wide
    // enough for the columns and the value of a frequency output.
    const int rowHeight =
        MaskLV->sizeHintForRow(0) > 0 ? MaskLV->sizeHintForRow(0) : fontMetrics().height() + 4;
    const int shown = int(std::min<size_t>(FFamily.Rows.size(), 10));
    MaskLV->setMinimumHeight(MaskLV->header()->sizeHint().height() + rowHeight * shown +
                             2 * MaskLV->frameWidth() + 4);
    MaskLV->setColumnWidth(2, std::max(MaskLV->columnWidth(2),
                                       fontMetrics().horizontalAdvance(QStringLiteral("300000.000")) + 16));
    int width = 2 * MaskLV->frameWidth() + 24;
    for (int c = 0; c < 3; ++c)
        width += MaskLV->columnWidth(c);
    MaskLV->setMinimumWidth(width);
}

void THealthControllerDlg::ShowRowValue(int Row) {
    QTreeWidgetItem* item = MaskLV->topLevelItem(Row);
    if (!item)
        return;
    const double v = FRowValues[size_t(Row)];
    item->setText(2, FFamily.Rows[size_t(Row)].Kind == THealthControllerListRow::Bit
                         ? QString::number(v != 0 ? 1 : 0)
                         : FloatToText(QStringLiteral("0.000"), v));
}

// The transfers of the list windows in the device's order: the safe states of the discrete rows,
// the check boxes before or after the values, the values row by row.
namespace {
enum class TListStep { States, Checks, Value };
std::vector<std::pair<TListStep, int>> ListSteps(const THealthControllerFamily& Family) {
    std::vector<std::pair<TListStep, int>> steps;
    bool bits = false;
    for (const auto& r : Family.Rows)
        bits = bits || r.Kind == THealthControllerListRow::Bit;
    if (bits)
        steps.push_back({TListStep::States, 0});
    if (Family.ChecksBeforeValues)
        steps.push_back({TListStep::Checks, 0});
    for (size_t i = 0; i < Family.Rows.size(); ++i)
        if (Family.Rows[i].Kind != THealthControllerListRow::Bit)
            steps.push_back({TListStep::Value, int(i)});
    if (!Family.ChecksBeforeValues)
        steps.push_back({TListStep::Checks, 0});
    return steps;
}
} // namespace

bool THealthControllerDlg::ReadList() {
    if (!FFamily.HasList())
        return true;
    TZUVOModule& m = *FController->Module();
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (const auto& [step, row] : ListSteps(FFamily)) {
        switch (step) {
        case TListStep::States: {
            const quint32 states = quint32(FController->ReadParameterInteger(FFamily.StatesParameter));
            if (!m.Ok)
                return false;
            for (size_t i = 0; i < FFamily.Rows.size(); ++i)
                if (FFamily.Rows[i].Kind == THealthControllerListRow::Bit) {
                    FRowValues[i] = (states >> FFamily.Rows[i].Index) & 1u;
                    ShowRowValue(int(i));
                }
            break;
        }
        case TListStep::Checks: {
            const quint32 checks = quint32(FController->ReadParameterInteger(FFamily.CheckParameter));
            if (!m.Ok)
                return false;
            for (int i = 0; i < MaskLV->topLevelItemCount() && i < 32; ++i)
                MaskLV->topLevelItem(i)->setCheckState(0, (checks >> i) & 1u ? Qt::Checked : Qt::Unchecked);
            break;
        }
        case TListStep::Value: {
            const THealthControllerListRow& r = FFamily.Rows[size_t(row)];
            float v = 0;
            if (r.Kind == THealthControllerListRow::SafeValue) {
                if (!ao)
                    return false;
                v = ao->ReadSafeValue(r.Index);
            } else {
                v = FController->ReadParameterFloat(r.Index);
            }
            if (!m.Ok)
                return false;
            FRowValues[size_t(row)] = v;
            ShowRowValue(row);
            break;
        }
        }
    }
    return true;
}

bool THealthControllerDlg::WriteList() {
    if (!FFamily.HasList())
        return true;
    const auto& t = Texts();
    TZUVOModule& m = *FController->Module();
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (const auto& [step, row] : ListSteps(FFamily)) {
        bool written = false;
        QString what;
        switch (step) {
        case TListStep::States: {
            quint32 states = 0;
            for (size_t i = 0; i < FFamily.Rows.size(); ++i)
                if (FFamily.Rows[i].Kind == THealthControllerListRow::Bit && FRowValues[i] != 0)
                    states |= 1u << FFamily.Rows[i].Index;
            written = FController->WriteParameterInteger(FFamily.StatesParameter, qint32(states));
            what = t.DiscreteOutput;
            break;
        }
        case TListStep::Checks: {
            quint32 checks = 0;
            for (int i = 0; i < MaskLV->topLevelItemCount() && i < 32; ++i)
                if (MaskLV->topLevelItem(i)->checkState(0) == Qt::Checked)
                    checks |= 1u << i;
            written = FController->WriteParameterInteger(FFamily.CheckParameter, qint32(checks));
            break; // the check boxes have no name of their own
        }
        case TListStep::Value: {
            const THealthControllerListRow& r = FFamily.Rows[size_t(row)];
            const float v = float(FRowValues[size_t(row)]);
            written = r.Kind == THealthControllerListRow::SafeValue
                          ? ao && ao->WriteSafeValue(r.Index, v)
                          : FController->WriteParameterFloat(r.Index, v);
            what = r.Name;
            break;
        }
        }
        if (!written || !m.Ok) {
            Message(what.isEmpty() ? t.ErrorWriting : t.WriteFailedAt.arg(what));
            return false;
        }
    }
    return true;
}

void THealthControllerDlg::MaskLVDblClick() {
    const QList<QTreeWidgetItem*> selected = MaskLV->selectedItems();
    if (selected.size() != 1)
        return;
    const int row = MaskLV->indexOfTopLevelItem(selected.front());
    if (row < 0 || size_t(row) >= FFamily.Rows.size())
        return;
    const THealthControllerListRow& r = FFamily.Rows[size_t(row)];
    if (r.Kind == THealthControllerListRow::Bit && FFamily.ToggleBits) {
        FRowValues[size_t(row)] = FRowValues[size_t(row)] != 0 ? 0 : 1;
        ShowRowValue(row);
        return;
    }
    const QString current = selected.front()->text(2);
    std::optional<QString> text;
    if (OnInputValue) {
        text = OnInputValue(current);
    } else {
        const auto& t = Texts();
        QInputDialog box(this);
        box.setInputMode(QInputDialog::TextInput);
        box.setWindowTitle(t.InputValue);
        box.setLabelText(t.Value);
        box.setTextValue(current);
        // A box this small would cut its own caption.
        QFont bold = box.font();
        bold.setBold(true);
        const int room = QFontMetrics(bold).horizontalAdvance(t.InputValue) * 11 / 10 + 150;
        box.resize(std::max(room, box.sizeHint().width()), box.sizeHint().height());
        if (box.exec() == QDialog::Accepted)
            text = box.textValue();
    }
    if (!text)
        return;
    std::optional<double> value;
    if (r.Kind == THealthControllerListRow::Bit) {
        const auto v = ParseInt32(*text);
        if (v && (*v == 0 || *v == 1))
            value = *v;
    } else if (const auto v = ParseFloat(*text); v && std::isfinite(*v) && std::abs(*v) <= 3.4e38) {
        if (!r.FrequencyLimits || *v == 0 || (*v >= 15 && *v <= 300000))
            value = *v;
    }
    if (!value) {
        // A safe value that is no number must not turn into 0 unnoticed: the output would be driven
        // there when the bus falls silent.
        if (!FFamily.SilentRefusal)
            Message(Texts().BadValue.arg(r.Name, text->trimmed()));
        return;
    }
    FRowValues[size_t(row)] = *value;
    ShowRowValue(row);
}

void THealthControllerDlg::SetChecks(std::optional<THealthControllerListRow::TKind> Kind, bool Checked) {
    for (int i = 0; i < MaskLV->topLevelItemCount() && size_t(i) < FFamily.Rows.size(); ++i)
        if (!Kind || FFamily.Rows[size_t(i)].Kind == *Kind)
            MaskLV->topLevelItem(i)->setCheckState(0, Checked ? Qt::Checked : Qt::Unchecked);
}

bool THealthControllerDlg::eventFilter(QObject* Watched, QEvent* Event) {
    // Enter on the list edits the row as a double click does, instead of pressing "Apply".
    if (Watched == MaskLV && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MaskLVDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void THealthControllerDlg::ApplyBtnClick() {
    if (!FController)
        return;
    const auto& t = Texts();
    // Every field is checked before anything is sent: a refused field leaves the device untouched.
    bool ok = false;
    const QString timeoutText = TimeoutEdit->text().trimmed();
    const qlonglong timeout = timeoutText.toLongLong(&ok);
    if (ok && timeout < 0) {
        Message(t.TimeoutPositive);
        return;
    }
    if (!ok || timeout > qlonglong(0xFFFFFFFFu)) {
        Message(t.BadValue.arg(lbTimeout->text(), timeoutText));
        return;
    }
    std::vector<quint32> ints(FFamily.Fields.size());
    std::vector<float> floats(FFamily.Fields.size());
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        const QString text = FieldEdits[i]->text().trimmed();
        bool good = false;
        if (f.Kind == THealthControllerField::Hex) {
            const qulonglong v = text.toULongLong(&good, 16);
            good = good && v <= 0xFFFFFFFFull;
            ints[i] = quint32(v);
        } else if (const auto v = FloatOf(text)) {
            floats[i] = *v;
            good = true;
        }
        if (!good) {
            Message(t.BadValue.arg(f.Label, text));
            FieldEdits[i]->setFocus();
            return;
        }
    }
    TZUVOModule& m = *FController->Module();
    auto failed = [&](const QString& What) {
        Message(t.WriteFailedAt.arg(What));
        return false;
    };
    if (!FController->WriteTimeout(quint32(timeout)) && !failed(lbTimeout->text()))
        return;
    if (!FController->WriteResetCondition(OnlyDevicePoolBox->currentIndex() == 1) && !failed(lbReset->text()))
        return;
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        bool written = false;
        switch (f.Kind) {
        case THealthControllerField::Hex:
            written = FController->WriteParameterInteger(f.Index, qint32(ints[i]));
            break;
        case THealthControllerField::Float:
            written = FController->WriteParameterFloat(f.Index, floats[i]);
            break;
        case THealthControllerField::SafeValue:
            written = ao && ao->WriteSafeValue(f.Index, floats[i]);
            break;
        }
        if (!written || !m.Ok) {
            failed(f.Label);
            return;
        }
    }
    if (!WriteList())
        return;
    accept();
}

void THealthControllerDlg::CloseBtnClick() {
    reject();
}

void RegisterHealthControllerWindows(THealthControllerDlg& Dlg) {
    QPointer<THealthControllerDlg> dlg(&Dlg);
    auto controllerOf = [](TZUVOModule& Template, int Controller) {
        return Controller == 1 ? Template.DiscreteIntachnessCtrl() : Template.IntachnessCtrl();
    };
    for (const char* name :
         {"TIntactnessControllerDOSDlg", "TIntactnessControllerDORDlg", "TIntactnessControllerDIODlg",
          "TIntactnessControllerDOS12Dlg", "TIntactnessControllerP340Dlg", "TIntactnessControllerDOFDlg",
          "TIntactnessControllerAODlg", "TICDIO24QAVDlg", "TICMIOVIXProDlg"}) {
        ChannelWindows().Register(QString::fromLatin1(name), [dlg,
                                                              controllerOf](const TChannelWindowContext& c) {
            if (!dlg || !c.Module || !c.Device)
                return;
            // Kind 26 on type code 69 is the second controller; that one edits outputs as the QAV
            // family does.
            TIntachnessCtrlChannel* controller = controllerOf(*c.Module, c.HealthController);
            if (!controller)
                return;
            const QString window = c.HealthController == 1 ? QStringLiteral("TICDIO24QAVDlg") : c.Window;
            const auto& t = Texts();
            const QString caption = t.Module + QStringLiteral(": ") + c.Device->ModelName +
                                    QStringLiteral(".") + t.Channel + QStringLiteral("  №") +
                                    QString::number(c.Row + 1);
            dlg->Execute(*controller, HealthControllerFamilyFor(window, c.Device->TypeCode), caption,
                         QStringLiteral("0x%1")
                             .arg(c.Device->Address, 2, 16, QLatin1Char('0'))
                             .toUpper()
                             .replace(QStringLiteral("0X"), QStringLiteral("0x")),
                         QStringLiteral("br") + QString::number(BaudRateBits(TBaudRate(c.Device->BaudCode))));
        });
    }
    // The marker of a health controller row: the controller's property 0 is not zero.
    SetHealthControllerProbe([controllerOf](TZUVOModule& Template, int Controller) -> std::optional<quint32> {
        TIntachnessCtrlChannel* controller = controllerOf(Template, Controller);
        if (!controller)
            return std::nullopt;
        const quint32 value = controller->ReadTimeout();
        if (!Template.Ok)
            return std::nullopt;
        return value;
    });
}
