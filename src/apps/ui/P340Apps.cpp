#include "apps/ui/P340Apps.h"

#include "localization/AppsLanguage.h"
#include "model/DIOManager.h"
#include "model/Ranges.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "options/RegistryContainer.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const TAppsLanguage& Texts() {
    return AppsLanguage().Texts(CurrentLanguage());
}

QTableWidget* MakeGrid(QWidget* Parent, int Rows, int Columns) {
    auto* grid = new QTableWidget(Rows, Columns, Parent);
    grid->verticalHeader()->setVisible(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setMinimumSectionSize(90);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                          : Qt::Alignment(Qt::AlignCenter));
            grid->setItem(r, c, item);
        }
    return grid;
}

// A grid shows every row and column without a scroll bar of its own; the host scrolls.
void FitGrid(QTableWidget* Grid) {
    Grid->resizeColumnsToContents();
    int w = Grid->frameWidth() * 2;
    for (int c = 0; c < Grid->columnCount(); ++c)
        w += Grid->columnWidth(c);
    int h = Grid->frameWidth() * 2 + Grid->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < Grid->rowCount(); ++r)
        h += Grid->rowHeight(r);
    Grid->setMinimumSize(w, h);
    Grid->setMaximumHeight(h);
}

} // namespace

TP340AppForm::TP340AppForm(TZUVOModule* Module, const QString& ApplicationName, QWidget* parent)
    : QWidget(parent), FModule(Module) {
    // Declaration order is the store's and the editor's order.
    FileCategory = new TRegValueCategory(this);
    PoolInterval = new TRegInteger(this, QStringLiteral("PoolInterval"));
    PoolInterval->MinValue = 10;
    PoolInterval->MaxValue = 1000000;
    PoolInterval->SetValue(300);
    PoolInterval->Category = FileCategory;
    SaveInterval = new TRegInteger(this, QStringLiteral("SaveInterval"));
    SaveInterval->MinValue = 10;
    SaveInterval->MaxValue = 1000000;
    SaveInterval->SetValue(1000);
    SaveInterval->Category = FileCategory;
    FileDir = new TRegString(this, QStringLiteral("FileDir"));
    FileDir->SetValue(TCustomFileSaver::DefaultDirectory());
    FileDir->Category = FileCategory;
    FileDir->UserEditor = true;

    DataContainer = new TDataContainer(this);
    DataContainer->DCAppInfo.SetApplicationName(ApplicationName);
    DataContainer->DCAppInfo.SetFirmName(QStringLiteral("ZUVO"));
    DataContainer->DCAppInfo.SetUserName(QStringLiteral("DefUser"));
    DataContainerDialog.DataContainer = DataContainer;

    AppController.SetSaveInterval(500);
}

TP340AppForm::~TP340AppForm() = default;

void TP340AppForm::FinishParameters() {
    UpdateLanguage();
    DataContainer->Collect();
    DataContainer->Load();
    ApplyParameters();
    AppController.OnOptions = [this](TAppController* Sender) { AppControllerOptions(Sender); };
    QStringList header;
    header << QStringLiteral("Time") << LogColumns();
    AppController.Saver().Header = header.join(QLatin1Char('\t'));
}

void TP340AppForm::ApplyParameters() {
    AppController.SetSaveInterval(SaveInterval->Value());
    // An empty folder would put the logs in whatever the working folder happens to be.
    AppController.Saver().SetDirectory(FileDir->Value().isEmpty() ? TCustomFileSaver::DefaultDirectory()
                                                                  : FileDir->Value());
    AppController.SetInterval(PoolInterval->Value());
    if (AppController.OnChange)
        AppController.OnChange();
}

void TP340AppForm::AppControllerOptions(TAppController*) {
    DataContainerDialog.Execute(this);
    ApplyParameters();
}

void TP340AppForm::UpdateLanguage() {
    const TAppsLanguage& t = Texts();
    DataContainer->Description = t.Parameters;
    FileCategory->Caption = t.SavingToFile;
    // The editor lists the values by these captions; the class names ("int", "str") would tell the
    // user nothing.
    PoolInterval->Caption = PoolInterval->Descriptor = t.DescPoll;
    SaveInterval->Caption = SaveInterval->Descriptor = t.DescSave;
    FileDir->Caption = FileDir->Descriptor = t.DescFileDir;
}

void TP340AppForm::WriteLogLine(const QStringList& Fields) {
    TStringFileSaver& saver = AppController.Saver();
    if (saver.Due())
        saver.WriteLine(LogLine(QDateTime::currentDateTime(), Fields));
}

QString TP340AppForm::Cell(bool Ok, double Value) {
    return Ok ? LogNumber(Value) : QString();
}

TP340PowerNetAnalizerDlg::TP340PowerNetAnalizerDlg(TZUVOModule* Module, QWidget* parent)
    : TP340AppForm(Module, QStringLiteral("DuzorUdivovuz"), parent) {
    setObjectName(QStringLiteral("TP340PowerNetAnalizerDlg"));
    CoefCategory = new TRegValueCategory(this);
    Kv = new TRegFloat(this, QStringLiteral("Kv"));
    Ki = new TRegFloat(this, QStringLiteral("Ki"));
    for (TRegFloat* k : {Kv, Ki}) {
        k->MinValue = 0;
        k->MaxValue = 1000000;
        k->SetValue(1.0);
        k->Category = CoefCategory;
    }
    const int inputs = Module ? Module->AnalogInputCount() : 0;
    ValuesGrid = MakeGrid(this, inputs, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ValuesGrid);
    layout->addStretch(1);
    AppController.OnRefresh = [this](TAppController* Sender) { AppControllerRefresh(Sender); };
    FinishParameters();
}

QStringList TP340PowerNetAnalizerDlg::LogColumns() const {
    QStringList columns;
    const int inputs = FModule ? FModule->AnalogInputCount() : 0;
    for (int i = 1; i <= inputs; ++i) {
        columns << QStringLiteral("AI%1").arg(i);
        for (quint16 q : kQuantities)
            columns << QStringLiteral("AI%1.P%2").arg(i).arg(q);
    }
    return columns;
}

void TP340PowerNetAnalizerDlg::UpdateLanguage() {
    TP340AppForm::UpdateLanguage();
    const TAppsLanguage& t = Texts();
    CoefCategory->Caption = t.CatCoefficients;
    Kv->Caption = Kv->Descriptor = t.DescKv;
    Ki->Caption = Ki->Descriptor = t.DescKi;
    ValuesGrid->setHorizontalHeaderLabels(
        {t.ColInput, t.ColValue, t.ColQuantity.arg(32), t.ColQuantity.arg(34), t.ColQuantity.arg(35)});
    for (int r = 0; r < ValuesGrid->rowCount(); ++r)
        ValuesGrid->item(r, 0)->setText(t.InputN.arg(r + 1));
    FitGrid(ValuesGrid);
}

void TP340PowerNetAnalizerDlg::AppControllerRefresh(TAppController*) {
    if (!FModule)
        return;
    const TAppsLanguage& t = Texts();
    QStringList fields;
    for (int i = 0; i < FModule->AnalogInputCount(); ++i) {
        TSimpleChannel* ch = FModule->AnalogInput(i);
        for (int c = 0; c < 4; ++c) {
            const float v = c == 0 ? ch->ReadValueDirect() : ch->ReadNetworkQuantity(kQuantities[c - 1]);
            const bool ok = FModule->Ok;
            ValuesGrid->item(i, c + 1)->setText(ok ? LogNumber(v) : t.NoAnswer);
            fields << Cell(ok, v);
        }
    }
    WriteLogLine(fields);
}

TP340DazoruDarideridaDlg::TP340DazoruDarideridaDlg(TZUVOModule* Module, QWidget* parent)
    : TP340AppForm(Module, QStringLiteral("DazoruDariderida"), parent) {
    setObjectName(QStringLiteral("TP340DazoruDarideridaDlg"));
    const int inputs = Module ? Module->AnalogInputCount() : 0;
    FUnits.assign(size_t(inputs), QString());
    AnalogLb = new QLabel(this);
    AnalogGrid = MakeGrid(this, inputs, 3);
    DiscreteLb = new QLabel(this);
    DiscreteGrid = MakeGrid(this, qMax(DiscreteInputs(), DiscreteOutputs()), 4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AnalogLb);
    layout->addWidget(AnalogGrid);
    layout->addWidget(DiscreteLb);
    layout->addWidget(DiscreteGrid);
    layout->addStretch(1);
    AppController.OnRefresh = [this](TAppController* Sender) { AppControllerRefresh(Sender); };
    AppController.OnStart = [this](TAppController* Sender) { AppControllerStart(Sender); };
    FinishParameters();
}

int TP340DazoruDarideridaDlg::DiscreteInputs() const {
    // The manager's word holds eight of each.
    return FModule && FModule->DIOManager() ? qMin(FModule->DiscreteInputCount(), 8) : 0;
}

int TP340DazoruDarideridaDlg::DiscreteOutputs() const {
    return FModule && FModule->DIOManager() ? qMin(FModule->DiscreteOutputCount(), 8) : 0;
}

QStringList TP340DazoruDarideridaDlg::LogColumns() const {
    QStringList columns;
    for (size_t i = 0; i < FUnits.size(); ++i)
        columns << QStringLiteral("AI%1").arg(i + 1);
    for (int i = 1; i <= DiscreteInputs(); ++i)
        columns << QStringLiteral("DI%1").arg(i);
    for (int i = 1; i <= DiscreteOutputs(); ++i)
        columns << QStringLiteral("DO%1").arg(i);
    return columns;
}

void TP340DazoruDarideridaDlg::UpdateLanguage() {
    TP340AppForm::UpdateLanguage();
    const TAppsLanguage& t = Texts();
    AnalogLb->setText(t.AnalogInputs);
    DiscreteLb->setText(QStringLiteral("%1 / %2").arg(t.DiscreteInputs, t.DiscreteOutputs));
    AnalogGrid->setHorizontalHeaderLabels({t.ColInput, t.ColValue, t.ColUnit});
    for (int r = 0; r < AnalogGrid->rowCount(); ++r)
        AnalogGrid->item(r, 0)->setText(t.InputN.arg(r + 1));
    DiscreteGrid->setHorizontalHeaderLabels({t.DiscreteInputs, t.ColValue, t.DiscreteOutputs, t.ColValue});
    for (int r = 0; r < DiscreteGrid->rowCount(); ++r) {
        DiscreteGrid->item(r, 0)->setText(r < DiscreteInputs() ? t.InputN.arg(r + 1) : QString());
        DiscreteGrid->item(r, 2)->setText(r < DiscreteOutputs() ? t.OutputN.arg(r + 1) : QString());
    }
    FitGrid(AnalogGrid);
    FitGrid(DiscreteGrid);
}

void TP340DazoruDarideridaDlg::AppControllerStart(TAppController*) {
    if (!FModule)
        return;
    for (int i = 0; i < int(FUnits.size()); ++i) {
        TSimpleChannel* ch = FModule->AnalogInput(i);
        QString error;
        FUnits[size_t(i)] = ch->ReadSettings(ssRangeCode, error) ? RangeUnit(ch->RangeCode) : QString();
        AnalogGrid->item(i, 2)->setText(FUnits[size_t(i)]);
    }
    FitGrid(AnalogGrid);
}

void TP340DazoruDarideridaDlg::AppControllerRefresh(TAppController*) {
    if (!FModule)
        return;
    const TAppsLanguage& t = Texts();
    QStringList fields;
    for (int i = 0; i < int(FUnits.size()); ++i) {
        const float v = FModule->AnalogInput(i)->ReadValue();
        const bool ok = FModule->Ok;
        AnalogGrid->item(i, 1)->setText(ok ? LogNumber(v) : t.NoAnswer);
        fields << Cell(ok, v);
    }
    if (TDIOManager* manager = FModule->DIOManager(); manager && (DiscreteInputs() || DiscreteOutputs())) {
        const bool ok = manager->ReadInputs();
        for (int i = 0; i < DiscreteInputs(); ++i) {
            DiscreteGrid->item(i, 1)->setText(!ok ? t.NoAnswer : manager->InputOn(i) ? t.On : t.Off);
            fields << (ok ? QString::number(int(manager->InputOn(i))) : QString());
        }
        for (int i = 0; i < DiscreteOutputs(); ++i) {
            DiscreteGrid->item(i, 3)->setText(!ok ? t.NoAnswer : manager->OutputOn(i) ? t.On : t.Off);
            fields << (ok ? QString::number(int(manager->OutputOn(i))) : QString());
        }
    }
    WriteLogLine(fields);
}
