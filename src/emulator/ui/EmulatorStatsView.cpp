#include "emulator/ui/EmulatorStatsView.h"

#include "emulator/VirtualDeviceManager.h"
#include "localization/LanguageTables.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

TEmulatorStatsView::TEmulatorStatsView(TVirtualDeviceManager& Manager, QWidget* parent)
    : QWidget(parent), FManager(Manager) {
    StatsList = new QTreeWidget(this);
    StatsList->setObjectName(QStringLiteral("StatsList"));
    StatsList->setRootIsDecorated(false);
    StatsList->setColumnCount(kColumnCount);
    StatsList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    StatsList->header()->setStretchLastSection(true);
    StatsList->header()->setDefaultAlignment(Qt::AlignCenter);
    StatsState = new QLabel(this);
    StatsState->setWordWrap(true);
    StatsInfo = new QLabel(this);
    StatsInfo->setWordWrap(true);
    StatsInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ResetStatsBtn = new QPushButton(this);
    auto* bottom = new QHBoxLayout;
    auto* labels = new QVBoxLayout;
    labels->addWidget(StatsState);
    labels->addWidget(StatsInfo);
    bottom->addLayout(labels, 1);
    bottom->addWidget(ResetStatsBtn, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StatsList);
    layout->addLayout(bottom);
    // Runs only while the view shows: a hidden page costs nothing.
    FTimer = new QTimer(this);
    FTimer->setInterval(kRefreshMs);
    connect(FTimer, &QTimer::timeout, this, &TEmulatorStatsView::UpdateStatistics);
    connect(ResetStatsBtn, &QPushButton::clicked, this, [this] {
        FManager.ResetStatistics();
        UpdateStatistics();
    });
    UpdateLanguage();
}

bool TEmulatorStatsView::Refreshing() const {
    return FTimer->isActive();
}

void TEmulatorStatsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateStatistics();
    FTimer->start();
}

void TEmulatorStatsView::hideEvent(QHideEvent* event) {
    FTimer->stop();
    QWidget::hideEvent(event);
}

void TEmulatorStatsView::UpdateStatistics() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    // The devices exist exactly while a session runs; after it, what it saw stays readable.
    const bool live = FManager.DeviceCount() > 0;
    const std::vector<TVirtualDeviceManager::TStatsRow> rows =
        live ? FManager.StatisticsRows() : FManager.LastStatistics();
    const int count = int(rows.size());
    while (StatsList->topLevelItemCount() > count)
        delete StatsList->takeTopLevelItem(StatsList->topLevelItemCount() - 1);
    while (StatsList->topLevelItemCount() < count) {
        auto* item = new QTreeWidgetItem(StatsList);
        for (int c = kColReceived; c < kColTimes; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    const auto number = [](quint64 v) { return QString::number(v); };
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = StatsList->topLevelItem(i);
        const TVirtualDeviceManager::TStatsRow& row = rows[size_t(i)];
        const bool device = row.Address > 0;
        const TEmulatorDeviceStats& s = row.Stats;
        item->setText(kColDevice,
                      device ? QStringLiteral("%1  %2").arg(row.Address).arg(row.Name) : t.StatsOther);
        item->setText(kColReceived, number(s.Received));
        // No device took those of the last row, and a device's own row never has an unknown address.
        item->setText(kColAnswered, device ? number(s.Answered) : QString());
        item->setText(kColDropped, device ? number(s.Dropped) : QString());
        item->setText(kColRefused, number(s.Refused));
        item->setText(kColCrc, number(s.RefusedFor(TEmulatorRefusal::Crc)));
        item->setText(kColFunction, number(s.RefusedFor(TEmulatorRefusal::Function)));
        item->setText(kColMalformed, number(s.RefusedFor(TEmulatorRefusal::Malformed)));
        item->setText(kColAddress, device ? QString() : number(s.RefusedFor(TEmulatorRefusal::Address)));
        item->setText(kColRegister, device ? number(s.RefusedFor(TEmulatorRefusal::Register)) : QString());
        item->setText(kColTimes,
                      s.TimeCount ? QStringLiteral("%1 / %2 / %3")
                                        .arg(EmulatorTimeText(s.MinTime()), EmulatorTimeText(s.MedianTime()),
                                             EmulatorTimeText(s.MaxTime()))
                                  : QString());
    }
    StatsState->setText(live ? t.StatsRunning : count > 0 ? t.StatsStopped : t.StatsNone);
    const QString faults = EmulatorFaultsText(FManager.Faults());
    StatsInfo->setText(
        count > 0 ? t.StatsSeed.arg(faults.isEmpty() ? t.StatsNoFaults : faults).arg(FManager.FaultSeed())
                  : QString());
    StatsInfo->setVisible(count > 0);
    ResetStatsBtn->setEnabled(live);
}

namespace {
// A header of two words on two lines: eleven columns of numbers then fit a window's width.
QString TwoLines(QString Text) {
    const qsizetype space = Text.indexOf(QLatin1Char(' '));
    if (space > 0)
        Text[space] = QLatin1Char('\n');
    return Text;
}
} // namespace

void TEmulatorStatsView::UpdateLanguage() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    StatsList->setHeaderLabels({t.ColDevice, t.ColReceived, t.ColAnswered, t.ColDropped, t.ColRefused,
                                TwoLines(t.ColCrc), TwoLines(t.ColFunction), TwoLines(t.ColMalformed),
                                TwoLines(t.ColUnknownAddress), TwoLines(t.ColUnknownRegister), t.ColTimes});
    ResetStatsBtn->setText(t.StatsReset);
    UpdateStatistics();
}

TEmulatorStatsForm::TEmulatorStatsForm(TVirtualDeviceManager& Manager, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EmulatorStatsForm"));
    // Beside the main window, not in front of it: the user keeps working while the bus serves.
    setModal(false);
    View = new TEmulatorStatsView(Manager, this);
    CloseBtn = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(View);
    layout->addLayout(buttons);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
    resize(1000, 360);
    UpdateLanguage();
}

void TEmulatorStatsForm::UpdateLanguage() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.StatsCaption);
    CloseBtn->setText(t.Close);
    View->UpdateLanguage();
}
