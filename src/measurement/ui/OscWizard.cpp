#include "measurement/ui/OscWizard.h"

#include "localization/Localization.h"
#include "localization/OscLanguage.h"
#include "measurement/OscPlot.h"
#include "shell/Dm.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

namespace {

const TOscLanguage& Texts() {
    return OscLanguage().Texts(CurrentLanguage());
}

QString Number3(float Value) {
    return QString::number(double(Value), 'f', 3);
}

// A float typed with "." or ","; nothing for other text.
std::optional<float> ParseNumber(const QString& Text) {
    bool ok = false;
    QString t = Text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const float v = QLocale::c().toFloat(t, &ok);
    return ok && std::isfinite(v) ? std::optional<float>(v) : std::nullopt;
}

enum TColumn { colAddress, colDevice, colChannel, colSlope, colOffset };

} // namespace

// --- TChannelPropertyDlg ------------------------------------------------------------------------

TChannelPropertyDlg::TChannelPropertyDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChannelPropertyDlg"));
    setModal(true);
    FSlopeLabel = new QLabel(this);
    FOffsetLabel = new QLabel(this);
    SlopeEdit = new QLineEdit(this);
    OffsetEdit = new QLineEdit(this);
    SlopeEdit->setAlignment(Qt::AlignRight);
    OffsetEdit->setAlignment(Qt::AlignRight);
    auto* grid = new QGridLayout;
    grid->addWidget(FSlopeLabel, 0, 0);
    grid->addWidget(SlopeEdit, 0, 1);
    grid->addWidget(FOffsetLabel, 1, 0);
    grid->addWidget(OffsetEdit, 1, 1);
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    LayOutWithButtons(this, grid, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TChannelPropertyDlg::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TChannelPropertyDlg::reject);
    UpdateLanguage();
}

void TChannelPropertyDlg::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    setWindowTitle(t.PropCaption);
    FSlopeLabel->setText(t.ColSlope);
    FOffsetLabel->setText(t.ColOffset);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

bool TChannelPropertyDlg::Execute(float& Slope, float& Offset) {
    UpdateLanguage();
    SlopeEdit->setText(QString::number(double(Slope), 'f', 4));
    OffsetEdit->setText(QString::number(double(Offset), 'f', 4));
    SlopeEdit->setFocus();
    SlopeEdit->selectAll();
    if (exec() != Accepted)
        return false;
    Slope = *ParseNumber(SlopeEdit->text());
    Offset = *ParseNumber(OffsetEdit->text());
    return true;
}

void TChannelPropertyDlg::ApplyBtnClick() {
    for (QLineEdit* e : {SlopeEdit, OffsetEdit})
        if (!ParseNumber(e->text())) {
            QMessageBox::warning(this, windowTitle(), Texts().MsgBadNumber);
            e->setFocus();
            e->selectAll();
            return;
        }
    accept();
}

// --- TChannelSelectorDlg ------------------------------------------------------------------------

TChannelSelectorDlg::TChannelSelectorDlg(TDm& Dm, QWidget* parent) : QWidget(parent), FDm(Dm) {
    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("ChannelList"));
    List->setRootIsDecorated(false);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List->setColumnCount(5);
    List->setContextMenuPolicy(Qt::ActionsContextMenu);
    List->header()->setStretchLastSection(false);
    List->header()->setSectionResizeMode(colDevice, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List);
    FProperties = new TChannelPropertyDlg(this);

    auto add = [this](const QKeySequence& Keys, auto Slot) {
        auto* a = new QAction(this);
        if (!Keys.isEmpty()) {
            a->setShortcut(Keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        connect(a, &QAction::triggered, this, Slot);
        List->addAction(a);
        FActions << a;
        return a;
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_E), [this] { CheckRows(0); });
    add(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { CheckRows(1); });
    add(QKeySequence(Qt::CTRL | Qt::Key_A), [this] { CheckRows(2); });
    add(QKeySequence(Qt::CTRL | Qt::Key_I), [this] { CheckRows(3); });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    List->addAction(separator);
    add({}, [this] { SelectRows(0); });
    add({}, [this] { SelectRows(1); });
    add({}, [this] { SelectRows(2); });
    add({}, [this] { SelectRows(3); });
    add({}, [this] { SelectRows(4); });
    auto* separator2 = new QAction(this);
    separator2->setSeparator(true);
    List->addAction(separator2);
    add({}, [this] { PropertiesClick(); });
    connect(List, &QTreeWidget::itemDoubleClicked, this, [this] { PropertiesClick(); });
    UpdateLanguage();
}

void TChannelSelectorDlg::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    List->setHeaderLabels({t.ColAddress, t.ColDevice, t.ColChannel, t.ColSlope, t.ColOffsetShort});
    const QString names[] = {t.CheckEven, t.CheckOdd,  t.CheckAll,      t.InvertChecks,    t.SelectEven,
                             t.SelectOdd, t.SelectAll, t.SelectChecked, t.InvertSelection, t.Properties};
    for (int i = 0; i < FActions.size() && i < 10; ++i)
        FActions[i]->setText(names[i]);
}

void TChannelSelectorDlg::ShowRow(int Row) {
    QTreeWidgetItem* item = List->topLevelItem(Row);
    item->setText(colSlope, Number3(FScaling[size_t(Row)].first));
    item->setText(colOffset, Number3(FScaling[size_t(Row)].second));
}

void TChannelSelectorDlg::Fill(const TChannelProfileList& Profiles) {
    List->clear();
    FCandidates = AnalogInputCandidates(FDm.Devices, FDm.DeviceRegister);
    FScaling.clear();
    for (const TChannelCandidate& c : FCandidates) {
        const TChannelProfile* p = Profiles.Find(c.Device->Address, c.ChannelIndex);
        FScaling.emplace_back(p ? p->Slope : 1.0f, p ? p->Offset : 0.0f);
        auto* item = new QTreeWidgetItem(List);
        item->setText(colAddress, QStringLiteral("0x%1")
                                      .arg(c.Device->Address, 2, 16, QLatin1Char('0'))
                                      .toUpper()
                                      .replace(QStringLiteral("0X"), QStringLiteral("0x")));
        item->setText(colDevice, c.Device->ModelName);
        item->setText(colChannel, QString::number(c.ChannelIndex + 1));
        item->setCheckState(colAddress, p ? Qt::Checked : Qt::Unchecked);
        for (int col : {colChannel, colSlope, colOffset})
            item->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
        ShowRow(List->topLevelItemCount() - 1);
    }
    for (int col : {colAddress, colChannel, colSlope, colOffset})
        List->resizeColumnToContents(col);
}

int TChannelSelectorDlg::CheckedCount() const {
    int n = 0;
    for (int i = 0; i < List->topLevelItemCount(); ++i)
        n += List->topLevelItem(i)->checkState(colAddress) == Qt::Checked;
    return n;
}

void TChannelSelectorDlg::CheckedProfiles(TChannelProfileList& Profiles) const {
    TChannelProfileList list;
    for (int i = 0; i < List->topLevelItemCount(); ++i) {
        if (List->topLevelItem(i)->checkState(colAddress) != Qt::Checked)
            continue;
        const TChannelCandidate& c = FCandidates[size_t(i)];
        TChannelProfile* p = list.AddProfile();
        p->Device = c.Device;
        p->ChannelIndex = c.ChannelIndex;
        p->Label = ProfileLabel(c.Device->ModelName, c.Device->Address, c.ChannelIndex);
        p->Slope = FScaling[size_t(i)].first;
        p->Offset = FScaling[size_t(i)].second;
        p->Visible = true;
    }
    Profiles = list;
}

namespace {

// The pop-up's row patterns shared by checking and selecting, with rows counted from 1 as the list
// shows them: 0 the even rows, 1 the odd rows, 2 every row; any other command is the caller's own.
std::optional<bool> RowPattern(int Which, int Row) {
    switch (Which) {
    case 0:
        return Row % 2 == 1;
    case 1:
        return Row % 2 == 0;
    case 2:
        return true;
    }
    return std::nullopt;
}

} // namespace

void TChannelSelectorDlg::CheckRows(int Which) {
    for (int i = 0; i < List->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = List->topLevelItem(i);
        const bool checked = item->checkState(colAddress) == Qt::Checked;
        // 3 inverts the checks.
        const bool on = RowPattern(Which, i).value_or(Which == 3 ? !checked : checked);
        item->setCheckState(colAddress, on ? Qt::Checked : Qt::Unchecked);
    }
}

void TChannelSelectorDlg::SelectRows(int Which) {
    for (int i = 0; i < List->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = List->topLevelItem(i);
        bool on = item->isSelected();
        if (const auto pattern = RowPattern(Which, i))
            on = *pattern;
        else if (Which == 3) // the checked rows
            on = item->checkState(colAddress) == Qt::Checked;
        else if (Which == 4) // invert the selection
            on = !item->isSelected();
        item->setSelected(on);
    }
}

void TChannelSelectorDlg::PropertiesClick() {
    std::vector<int> rows;
    for (int i = 0; i < List->topLevelItemCount(); ++i)
        if (List->topLevelItem(i)->isSelected())
            rows.push_back(i);
    if (rows.empty())
        return;
    // Several rows start from the neutral scaling and all take the result.
    float slope = rows.size() == 1 ? FScaling[size_t(rows[0])].first : 1.0f;
    float offset = rows.size() == 1 ? FScaling[size_t(rows[0])].second : 0.0f;
    if (!FProperties->Execute(slope, offset))
        return;
    for (int r : rows) {
        FScaling[size_t(r)] = {slope, offset};
        ShowRow(r);
    }
}

// --- TADCFreqDlg, TOtherExpPropertyDlg, TDoneDlg -------------------------------------------------

TADCFreqDlg::TADCFreqDlg(QWidget* parent) : QWidget(parent) {
    FLabel = new QLabel(this);
    FreqEdit = new QLineEdit(this);
    FreqEdit->setObjectName(QStringLiteral("FreqEdit"));
    FreqEdit->setAlignment(Qt::AlignRight);
    FreqEdit->setMaximumWidth(120);
    auto* layout = new QHBoxLayout;
    layout->addWidget(FLabel);
    layout->addWidget(FreqEdit);
    layout->addStretch();
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(layout);
    outer->addStretch();
    UpdateLanguage();
}

void TADCFreqDlg::UpdateLanguage() {
    FLabel->setText(Texts().RateLabel);
}

TOtherExpPropertyDlg::TOtherExpPropertyDlg(QWidget* parent) : QWidget(parent) {
    FFileLabel = new QLabel(this);
    FileEdit = new QLineEdit(this);
    FileEdit->setObjectName(QStringLiteral("FileEdit"));
    BrowseBtn = new QPushButton(this);
    StartCheck = new QCheckBox(this);
    StopCheck = new QCheckBox(this);
    FStartLabel = new QLabel(this);
    FStopLabel = new QLabel(this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(FFileLabel, 0, 0);
    grid->addWidget(FileEdit, 0, 1, 1, 3);
    grid->addWidget(BrowseBtn, 0, 4);
    const int limits[3] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        StartBoxes[i] = new QSpinBox(this);
        StopBoxes[i] = new QSpinBox(this);
        StartBoxes[i]->setRange(0, limits[i]);
        StopBoxes[i]->setRange(0, limits[i]);
        grid->addWidget(StartBoxes[i], 2, 1 + i);
        grid->addWidget(StopBoxes[i], 4, 1 + i);
    }
    grid->addWidget(StartCheck, 1, 0, 1, 5);
    grid->addWidget(FStartLabel, 2, 0);
    grid->addWidget(StopCheck, 3, 0, 1, 5);
    grid->addWidget(FStopLabel, 4, 0);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(4, 1);
    connect(BrowseBtn, &QPushButton::clicked, this, [this] {
        const QString name =
            QFileDialog::getSaveFileName(this, Texts().ResultFile, FileEdit->text(), Texts().AdfFilter,
                                         nullptr, QFileDialog::DontConfirmOverwrite);
        if (!name.isEmpty())
            FileEdit->setText(name.endsWith(QLatin1String(".adf"), Qt::CaseInsensitive)
                                  ? name
                                  : name + QStringLiteral(".adf"));
    });
    UpdateLanguage();
}

void TOtherExpPropertyDlg::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    FFileLabel->setText(t.ResultFile);
    BrowseBtn->setText(t.Browse);
    StartCheck->setText(t.Autostart);
    StopCheck->setText(t.Autostop);
    FStartLabel->setText(t.StartDelay);
    FStopLabel->setText(t.Duration);
}

void TOtherExpPropertyDlg::Fill(const TOscDm& Dm) {
    FileEdit->setText(Dm.FileName);
    StartCheck->setChecked(Dm.StartAtTime);
    StopCheck->setChecked(Dm.StopAtTime);
    const QTime start = Dm.StartTime.isValid() ? Dm.StartTime.time() : QTime(0, 0);
    const QTime stop = Dm.StopTime.isValid() ? Dm.StopTime.time() : QTime(0, 0);
    StartBoxes[0]->setValue(start.hour());
    StartBoxes[1]->setValue(start.minute());
    StartBoxes[2]->setValue(start.second());
    StopBoxes[0]->setValue(stop.hour());
    StopBoxes[1]->setValue(stop.minute());
    StopBoxes[2]->setValue(stop.second());
}

void TOtherExpPropertyDlg::Apply(TOscDm& Dm) const {
    Dm.FileName = FileEdit->text().trimmed();
    Dm.StartAtTime = StartCheck->isChecked();
    Dm.StopAtTime = StopCheck->isChecked();
    const QDate day(1899, 12, 30);
    Dm.StartTime =
        QDateTime(day, QTime(StartBoxes[0]->value(), StartBoxes[1]->value(), StartBoxes[2]->value()));
    Dm.StopTime = QDateTime(day, QTime(StopBoxes[0]->value(), StopBoxes[1]->value(), StopBoxes[2]->value()));
}

TDoneDlg::TDoneDlg(QWidget* parent) : QWidget(parent) {
    Summary = new QPlainTextEdit(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setReadOnly(true);
    Summary->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Summary->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Four columns a tab keeps a channel's line, label included, within the page.
    Summary->setTabStopDistance(Summary->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Summary);
}

// --- TWizardDlg ---------------------------------------------------------------------------------

TWizardDlg::TWizardDlg(TDm& Dm, TOscDm& Osc, QWidget* parent) : QDialog(parent), FOsc(Osc) {
    setObjectName(QStringLiteral("WizardDlg"));
    setModal(true);
    FTitle = new QLabel(this);
    QFont bold = FTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    FTitle->setFont(bold);
    FHint = new QLabel(this);
    FPages = new QStackedWidget(this);
    ChannelSelector = new TChannelSelectorDlg(Dm, FPages);
    FreqPage = new TADCFreqDlg(FPages);
    StoragePage = new TOtherExpPropertyDlg(FPages);
    DonePage = new TDoneDlg(FPages);
    for (QWidget* w : std::initializer_list<QWidget*>{ChannelSelector, FreqPage, StoragePage, DonePage})
        FPages->addWidget(w);
    PrevBtn = new QPushButton(this);
    NextBtn = new QPushButton(this);
    DoneBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {PrevBtn, NextBtn, DoneBtn, CancelBtn})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTitle);
    layout->addWidget(FHint);
    layout->addWidget(FPages, 1);
    layout->addLayout(buttons);
    connect(PrevBtn, &QPushButton::clicked, this, [this] { GoTo(Page() - 1); });
    connect(NextBtn, &QPushButton::clicked, this, &TWizardDlg::NextBtnClick);
    connect(DoneBtn, &QPushButton::clicked, this, &TWizardDlg::DoneBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TWizardDlg::reject);
    resize(640, 440);
    UpdateLanguage();
}

int TWizardDlg::Page() const {
    return FPages->currentIndex();
}

void TWizardDlg::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    setWindowTitle(t.WizardCaption);
    PrevBtn->setText(t.Previous);
    NextBtn->setText(t.Next);
    DoneBtn->setText(t.Done);
    CancelBtn->setText(t.Cancel);
    ChannelSelector->UpdateLanguage();
    FreqPage->UpdateLanguage();
    StoragePage->UpdateLanguage();
    const QString titles[] = {t.PageChannels, t.PageRate, t.PageStorage, t.PageSummary};
    const QString hints[] = {t.PageChannelsHint, t.PageRateHint, t.PageStorageHint, QString()};
    FTitle->setText(titles[std::max(0, Page())]);
    FHint->setText(hints[std::max(0, Page())]);
    FHint->setVisible(!FHint->text().isEmpty());
    FitToTitle(this);
}

bool TWizardDlg::ApplyPages() {
    const TOscLanguage& t = Texts();
    if (ChannelSelector->CheckedCount() > TOscDm::kMaxChannels) {
        QMessageBox::warning(this, windowTitle(), t.MsgTooManyChannels);
        GoTo(0);
        return false;
    }
    bool ok = false;
    const uint rate = FreqPage->FreqEdit->text().trimmed().toUInt(&ok);
    if (!ok || rate < TOscDm::kMinFrequency || rate > TOscDm::kMaxFrequency) {
        QMessageBox::warning(this, windowTitle(), t.MsgRate);
        GoTo(1);
        FreqPage->FreqEdit->setFocus();
        FreqPage->FreqEdit->selectAll();
        return false;
    }
    ChannelSelector->CheckedProfiles(FOsc.ChannelProfiles);
    FOsc.SamplingFrequency = rate;
    StoragePage->Apply(FOsc);
    return true;
}

void TWizardDlg::GoTo(int Page) {
    Page = std::clamp(Page, 0, 3);
    if (Page == 3 && this->Page() != 3) {
        if (!ApplyPages())
            return;
        DonePage->Summary->setPlainText(SummaryText(FOsc, Texts()));
    }
    FPages->setCurrentIndex(Page);
    PrevBtn->setEnabled(Page > 0);
    NextBtn->setEnabled(Page < 3);
    UpdateLanguage();
}

void TWizardDlg::NextBtnClick() {
    GoTo(Page() + 1);
}

void TWizardDlg::DoneBtnClick() {
    if (Page() < 3) {
        GoTo(3);
        return;
    }
    accept();
}

bool TWizardDlg::Execute() {
    ChannelSelector->Fill(FOsc.ChannelProfiles);
    FreqPage->FreqEdit->setText(QString::number(FOsc.SamplingFrequency));
    StoragePage->Fill(FOsc);
    FPages->setCurrentIndex(0);
    GoTo(0);
    return exec() == Accepted;
}
