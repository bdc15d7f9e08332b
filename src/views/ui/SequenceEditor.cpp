#include "views/ui/SequenceEditor.h"

#include "localization/DiscreteChannelLanguage.h"
#include "platform/ui/DialogTitle.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TSequenceEditorLanguage& Texts() {
    return SequenceEditorLanguage().Texts(CurrentLanguage());
}

} // namespace

QString PeriodDurationText(quint32 Units) {
    const qint64 ms = qint64(Units) * TPulseSequence::kUnitMs;
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3, %4")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000);
}

std::optional<quint16> PeriodUnits(int Hours, int Minutes, int Seconds, int Milliseconds) {
    if (Hours < 0 || Minutes < 0 || Seconds < 0 || Milliseconds < 0)
        return std::nullopt;
    const qint64 ms = ((qint64(Hours) * 60 + Minutes) * 60 + Seconds) * 1000 + Milliseconds;
    const qint64 units = ms / TPulseSequence::kUnitMs;
    if (units > qint64(TPulseSequence::kMaxUnits))
        return std::nullopt;
    return quint16(units);
}

// --- TSequenceDiagram --------------------------------------------------------------------------

TSequenceDiagram::TSequenceDiagram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(300, 80);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void TSequenceDiagram::SetSequence(const TPulseSequence& Sequence) {
    FSequence = Sequence;
    update();
}

void TSequenceDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int margin = 8;
    const int high = margin + 4;
    const int low = height() - margin - 4;
    const int left = margin;
    const int right = width() - margin;
    painter.setPen(QPen(Qt::lightGray, 1, Qt::DotLine));
    painter.drawLine(left, high, right, high);
    painter.drawLine(left, low, right, low);
    qint64 total = 0;
    for (quint16 d : FSequence.Durations)
        total += d;
    painter.setPen(QPen(Qt::darkBlue, 2));
    bool level = FSequence.StartValue;
    const int lead = FSequence.Durations.empty() ? right - left : (right - left) / 12;
    int x = left + lead;
    painter.drawLine(left, level ? high : low, x, level ? high : low);
    if (FSequence.Durations.empty())
        return;
    const double span = double(right - x);
    // Every period gets a few pixels however short it is against the others, so that each toggle
    // stays visible.
    const double minimum = std::min(6.0, span / double(FSequence.Durations.size()));
    const double scale =
        total > 0 ? (span - minimum * double(FSequence.Durations.size())) / double(total) : 0.0;
    double position = x;
    for (quint16 d : FSequence.Durations) {
        const double next = position + minimum + scale * double(d);
        const int y = level ? high : low;
        painter.drawLine(int(position), y, int(next), y);
        level = !level;
        painter.drawLine(int(next), high, int(next), low);
        position = next;
    }
}

// --- TPeriodDurationDlg ------------------------------------------------------------------------

TPeriodDurationDlg::TPeriodDurationDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PeriodDurationDlg"));
    setModal(true);
    lbPeriod = new QLabel(this);
    lbDuration = new QLabel(this);
    lbHours = new QLabel(this);
    lbMinutes = new QLabel(this);
    lbSeconds = new QLabel(this);
    lbMilliseconds = new QLabel(this);
    HoursEdit = new QSpinBox(this);
    HoursEdit->setRange(0, 1); // 65535 units are 1 h 49 min 13.5 s
    MinutesEdit = new QSpinBox(this);
    MinutesEdit->setRange(0, 59);
    SecondsEdit = new QSpinBox(this);
    SecondsEdit->setRange(0, 59);
    MillisecondsEdit = new QSpinBox(this);
    MillisecondsEdit->setRange(0, 900);
    MillisecondsEdit->setSingleStep(TPulseSequence::kUnitMs);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CloseBtn = new QPushButton(this);
    auto* grid = new QGridLayout;
    grid->addWidget(lbHours, 0, 0);
    grid->addWidget(lbMinutes, 0, 1);
    grid->addWidget(lbSeconds, 0, 2);
    grid->addWidget(lbMilliseconds, 0, 3);
    grid->addWidget(HoursEdit, 1, 0);
    grid->addWidget(MinutesEdit, 1, 1);
    grid->addWidget(SecondsEdit, 1, 2);
    grid->addWidget(MillisecondsEdit, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbPeriod);
    layout->addWidget(lbDuration);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TPeriodDurationDlg::Setup(int Period, quint32 Units) {
    FPeriod = Period;
    const qint64 ms = qint64(Units) * TPulseSequence::kUnitMs;
    HoursEdit->setValue(int(ms / 3600000));
    MinutesEdit->setValue(int(ms / 60000 % 60));
    SecondsEdit->setValue(int(ms / 1000 % 60));
    MillisecondsEdit->setValue(int(ms % 1000));
    UpdateLanguage();
}

qint64 TPeriodDurationDlg::DurationMs() const {
    return ((qint64(HoursEdit->value()) * 60 + MinutesEdit->value()) * 60 + SecondsEdit->value()) * 1000 +
           MillisecondsEdit->value();
}

void TPeriodDurationDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.PeriodCaption);
    lbPeriod->setText(t.Period + QStringLiteral(": ") + QString::number(FPeriod));
    lbDuration->setText(t.Duration);
    lbHours->setText(t.Hours);
    lbMinutes->setText(t.Minutes);
    lbSeconds->setText(t.Seconds);
    lbMilliseconds->setText(t.Milliseconds);
    ApplyBtn->setText(t.Apply);
    CloseBtn->setText(t.Close);
    FitToTitle(this);
}

// --- TSequenceEditorDlg ------------------------------------------------------------------------

TSequenceEditorDlg::TSequenceEditorDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SequenceEditorDlg"));
    setModal(true);
    lbEntryLevel = new QLabel(this);
    EntryLevelBox = new QComboBox(this);
    PeriodList = new QTreeWidget(this);
    PeriodList->setColumnCount(2);
    PeriodList->setRootIsDecorated(false);
    PeriodList->setMinimumHeight(200);
    lbDiagram = new QLabel(this);
    Diagram = new TSequenceDiagram(this);
    NewBtn = new QPushButton(this);
    EditBtn = new QPushButton(this);
    DeleteBtn = new QPushButton(this);
    DeleteAllBtn = new QPushButton(this);
    ApplyBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    PeriodDlg = new TPeriodDurationDlg(this);

    auto* entry = new QHBoxLayout;
    entry->addWidget(lbEntryLevel);
    entry->addWidget(EntryLevelBox);
    entry->addStretch();
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(NewBtn);
    listButtons->addWidget(EditBtn);
    listButtons->addWidget(DeleteBtn);
    listButtons->addWidget(DeleteAllBtn);
    listButtons->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(PeriodList, 1);
    list->addLayout(listButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ApplyBtn);
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(list, 1);
    layout->addWidget(lbDiagram);
    layout->addWidget(Diagram);
    layout->addLayout(bottom);

    connect(NewBtn, &QPushButton::clicked, this, &TSequenceEditorDlg::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TSequenceEditorDlg::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TSequenceEditorDlg::DeleteBtnClick);
    connect(DeleteAllBtn, &QPushButton::clicked, this, &TSequenceEditorDlg::DeleteAllBtnClick);
    connect(PeriodList, &QTreeWidget::itemDoubleClicked, this, &TSequenceEditorDlg::EditBtnClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(EntryLevelBox, &QComboBox::currentIndexChanged, this, [this](int Index) {
        if (Index < 0)
            return;
        FSequence.StartValue = Index == 1;
        Diagram->SetSequence(FSequence);
    });
    UpdateLanguage();
    resize(520, 460);
}

TSequenceEditorDlg::~TSequenceEditorDlg() = default;

void TSequenceEditorDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    lbEntryLevel->setText(t.EntryLevel);
    {
        const QSignalBlocker block(EntryLevelBox);
        EntryLevelBox->clear();
        EntryLevelBox->addItems({t.Inactive, t.Active});
        EntryLevelBox->setCurrentIndex(FSequence.StartValue ? 1 : 0);
    }
    PeriodList->setHeaderLabels({t.Period, t.Duration});
    lbDiagram->setText(t.Diagram);
    NewBtn->setText(t.New);
    EditBtn->setText(t.Edit);
    DeleteBtn->setText(t.Delete);
    DeleteAllBtn->setText(t.DeleteAll);
    ApplyBtn->setText(t.Apply);
    CloseBtn->setText(t.Close);
    PeriodDlg->UpdateLanguage();
    FitToTitle(this);
}

void TSequenceEditorDlg::Setup(const TPulseSequence& Sequence) {
    FSequence = Sequence;
    if (FSequence.Durations.size() > size_t(TPulseSequence::kMaxPeriods))
        FSequence.Durations.resize(TPulseSequence::kMaxPeriods);
    {
        const QSignalBlocker block(EntryLevelBox);
        EntryLevelBox->setCurrentIndex(FSequence.StartValue ? 1 : 0);
    }
    FillList(FSequence.Durations.empty() ? -1 : 0);
}

void TSequenceEditorDlg::FillList(int Select) {
    PeriodList->clear();
    for (size_t i = 0; i < FSequence.Durations.size(); ++i)
        new QTreeWidgetItem(PeriodList, {QString::number(i), PeriodDurationText(FSequence.Durations[i])});
    PeriodList->resizeColumnToContents(0);
    if (Select >= 0 && Select < PeriodList->topLevelItemCount())
        PeriodList->setCurrentItem(PeriodList->topLevelItem(Select));
    Diagram->SetSequence(FSequence);
}

std::optional<quint16> TSequenceEditorDlg::AskDuration(int Period, quint32 Units) {
    PeriodDlg->Setup(Period, Units);
    const int result = OnRunDialog ? OnRunDialog(*PeriodDlg) : PeriodDlg->exec();
    if (result != QDialog::Accepted)
        return std::nullopt;
    const qint64 ms = PeriodDlg->DurationMs();
    if (ms < 0 || ms / TPulseSequence::kUnitMs > qint64(TPulseSequence::kMaxUnits)) {
        ShowMessage(this, OnMessage,
                    Texts().MaxDuration + QStringLiteral(": ") +
                        PeriodDurationText(TPulseSequence::kMaxUnits));
        return std::nullopt;
    }
    return quint16(ms / TPulseSequence::kUnitMs);
}

void TSequenceEditorDlg::NewBtnClick() {
    if (FSequence.Durations.size() >= size_t(TPulseSequence::kMaxPeriods)) {
        ShowMessage(this, OnMessage, Texts().LimitReached);
        return;
    }
    const auto units = AskDuration(int(FSequence.Durations.size()), 0);
    if (!units)
        return;
    FSequence.Durations.push_back(*units);
    FillList(int(FSequence.Durations.size()) - 1);
}

void TSequenceEditorDlg::EditBtnClick() {
    const int row = PeriodList->indexOfTopLevelItem(PeriodList->currentItem());
    if (row < 0 || row >= int(FSequence.Durations.size()))
        return;
    const auto units = AskDuration(row, FSequence.Durations[size_t(row)]);
    if (!units)
        return;
    FSequence.Durations[size_t(row)] = *units;
    FillList(row);
}

void TSequenceEditorDlg::DeleteBtnClick() {
    const int row = PeriodList->indexOfTopLevelItem(PeriodList->currentItem());
    if (row < 0 || row >= int(FSequence.Durations.size()))
        return;
    FSequence.Durations.erase(FSequence.Durations.begin() + row);
    FillList(std::min(row, int(FSequence.Durations.size()) - 1));
}

void TSequenceEditorDlg::DeleteAllBtnClick() {
    FSequence.Durations.clear();
    FillList(-1);
}
