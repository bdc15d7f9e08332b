#include "measurement/ui/OscMainDlg.h"

#include "localization/Localization.h"
#include "localization/OscLanguage.h"
#include "measurement/OscPlot.h"
#include "measurement/ui/OscWizard.h"
#include "shell/Dm.h"

#include "platform/ui/DialogTitle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace {

const TOscLanguage& Texts() {
    return OscLanguage().Texts(CurrentLanguage());
}

enum TListColumn { lcLabel, lcOffset, lcValue, lcRange };

QString Value7(double Value) {
    return QString::number(Value, 'f', 7);
}

} // namespace

// --- TSerializerPanel ---------------------------------------------------------------------------

TSerializerPanel::TSerializerPanel(QWidget* parent) : QWidget(parent) {
    auto button = [this](const char* Name, bool Checkable) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(Name));
        b->setCheckable(Checkable);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return b;
    };
    LoadBtn = button("LoadBtn", true);
    SelectFileBtn = button("SelectFileBtn", false);
    SaveBtn = button("SaveBtn", true);
    ExportBtn = button("ExportBtn", false);
    RecLabel = new QLabel(this);
    RecLabel->setObjectName(QStringLiteral("RecLabel"));
    QFont bold = RecLabel->font();
    bold.setBold(true);
    RecLabel->setFont(bold);
    RecLabel->setStyleSheet(QStringLiteral("color: #d00000"));
    RecLabel->setMinimumWidth(RecLabel->fontMetrics().horizontalAdvance(QStringLiteral("REC")) + 8);
    FileLabel = new QLabel(this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    FileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    AutoBox = new QWidget(this);
    auto* grid = new QGridLayout(AutoBox);
    grid->setContentsMargins(0, 0, 0, 0);
    AutoStartCheck = new QCheckBox(AutoBox);
    AutoStopCheck = new QCheckBox(AutoBox);
    grid->addWidget(AutoStartCheck, 0, 0);
    grid->addWidget(AutoStopCheck, 1, 0);
    const int limits[3] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        StartBoxes[i] = new QSpinBox(AutoBox);
        StopBoxes[i] = new QSpinBox(AutoBox);
        StartBoxes[i]->setRange(0, limits[i]);
        StopBoxes[i]->setRange(0, limits[i]);
        FUnits[i] = new QLabel(AutoBox);
        FUnits[3 + i] = new QLabel(AutoBox);
        grid->addWidget(StartBoxes[i], 0, 1 + 2 * i);
        grid->addWidget(FUnits[i], 0, 2 + 2 * i);
        grid->addWidget(StopBoxes[i], 1, 1 + 2 * i);
        grid->addWidget(FUnits[3 + i], 1, 2 + 2 * i);
    }

    auto* row = new QHBoxLayout;
    for (QToolButton* b : {LoadBtn, SelectFileBtn, SaveBtn, ExportBtn})
        row->addWidget(b);
    row->addWidget(RecLabel);
    row->addWidget(FileLabel, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    left->addLayout(row);
    left->addStretch();
    layout->addLayout(left, 1);
    layout->addWidget(AutoBox);

    FBlink.setInterval(500);
    connect(&FBlink, &QTimer::timeout, this,
            [this] { RecLabel->setText(RecLabel->text().isEmpty() ? Texts().Rec : QString()); });
    UpdateLanguage();
}

void TSerializerPanel::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    LoadBtn->setText(t.Load);
    SelectFileBtn->setText(t.SelectFile);
    SaveBtn->setText(t.SaveData);
    ExportBtn->setText(t.Export);
    AutoStartCheck->setText(t.AutoStart);
    AutoStopCheck->setText(t.AutoStop);
    for (int i = 0; i < 2; ++i) {
        FUnits[3 * i]->setText(t.Hours);
        FUnits[3 * i + 1]->setText(t.Minutes);
        FUnits[3 * i + 2]->setText(t.Seconds);
    }
    ShowFile(FFile);
}

void TSerializerPanel::ShowFile(const QString& Name) {
    FFile = Name;
    FileLabel->setText(Name.isEmpty() ? QString() : Texts().FilePrefix + Name);
}

void TSerializerPanel::SetRecording(bool On) {
    if (On == FBlink.isActive())
        return;
    if (On) {
        RecLabel->setText(Texts().Rec);
        FBlink.start();
    } else {
        FBlink.stop();
        RecLabel->clear();
    }
}

// --- TOscPanel ----------------------------------------------------------------------------------

TOscPanel::TOscPanel(TOscDm& Osc, QWidget* parent) : QWidget(parent), FOsc(Osc) {
    Chart = new QChart;
    Chart->legend()->hide();
    Chart->setMargins(QMargins(4, 4, 4, 4));
    FMsAxis = new QValueAxis(Chart);
    FMsAxis->setLabelFormat(QStringLiteral("%g"));
    FTimeAxis = new QDateTimeAxis(Chart);
    FTimeAxis->setFormat(QStringLiteral("hh:mm:ss"));
    FYAxis = new QValueAxis(Chart);
    FYAxis->setLabelFormat(QStringLiteral("%g"));
    Chart->addAxis(FMsAxis, Qt::AlignBottom);
    Chart->addAxis(FYAxis, Qt::AlignLeft);
    View = new QChartView(Chart, this);
    View->setObjectName(QStringLiteral("ChartView"));
    View->setRenderHint(QPainter::Antialiasing, false);
    View->setMinimumSize(420, 260);
    View->viewport()->installEventFilter(this);
    View->viewport()->setMouseTracking(true);
    CursorLabel = new QLabel(this);
    CursorLabel->setObjectName(QStringLiteral("CursorLabel"));
    CursorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    ScaleButtons = new QButtonGroup(this);
    RangeButtons = new QButtonGroup(this);
    auto* scales = new QHBoxLayout;
    FScaleLabel = new QLabel(this);
    scales->addWidget(FScaleLabel);
    for (const TTimeScale& s : TimeScales()) {
        auto* b = new QToolButton(this);
        b->setText(QLatin1String(s.Button));
        b->setCheckable(true);
        b->setAutoRaise(true);
        ScaleButtons->addButton(b, s.Id);
        scales->addWidget(b);
    }
    scales->addStretch();
    auto* ranges = new QHBoxLayout;
    FRangeLabel = new QLabel(this);
    ranges->addWidget(FRangeLabel);
    for (int i = 0; i < int(VerticalRanges().size()); ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::number(VerticalRanges()[size_t(i)]));
        b->setCheckable(true);
        b->setAutoRaise(true);
        RangeButtons->addButton(b, i);
        ranges->addWidget(b);
    }
    ranges->addStretch();
    connect(ScaleButtons, &QButtonGroup::idClicked, this, &TOscPanel::ChooseTimeScale);
    connect(RangeButtons, &QButtonGroup::idClicked, this, &TOscPanel::ChooseRange);

    ChannelList = new QTreeWidget(this);
    ChannelList->setObjectName(QStringLiteral("OscChannelList"));
    ChannelList->setRootIsDecorated(false);
    ChannelList->setColumnCount(4);
    ChannelList->setMinimumWidth(360);
    connect(ChannelList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* Item, int Column) {
        const int i = ChannelList->indexOfTopLevelItem(Item);
        if (Column != lcLabel || i < 0 || i >= int(FCurves.size()))
            return;
        const bool on = Item->checkState(lcLabel) == Qt::Checked;
        FOsc.ChannelProfiles.ProfileAt(i)->Visible = on;
        FCurves[size_t(i)]->setVisible(on);
    });
    connect(ChannelList, &QTreeWidget::currentItemChanged, this, &TOscPanel::ChannelSelected);

    FOffsetLabel = new QLabel(this);
    OffsetBar = new QSlider(Qt::Horizontal, this);
    OffsetBar->setObjectName(QStringLiteral("OffsetBar"));
    OffsetBar->setRange(-100, 100);
    connect(OffsetBar, &QSlider::valueChanged, this, &TOscPanel::OffsetChanged);
    AllBtn = new QPushButton(this);
    CurrBtn = new QPushButton(this);
    PrintBtn = new QPushButton(this);
    CaptionBtn = new QPushButton(this);
    connect(AllBtn, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < FOsc.ChannelProfiles.Count(); ++i) {
            FOsc.ChannelProfiles.ProfileAt(i)->DisplayOffset = 0;
            if (QTreeWidgetItem* item = ChannelList->topLevelItem(i))
                item->setText(lcOffset, Value7(0));
        }
        SetOffsetPosition(0);
        OffsetChanged(0);
    });
    connect(CurrBtn, &QPushButton::clicked, this, [this] { OffsetBar->setValue(0); });

    auto* offsets = new QHBoxLayout;
    offsets->addWidget(FOffsetLabel);
    offsets->addWidget(OffsetBar, 1);
    offsets->addWidget(AllBtn);
    offsets->addWidget(CurrBtn);
    auto* side = new QVBoxLayout;
    side->addWidget(ChannelList, 1);
    side->addLayout(offsets);
    auto* printRow = new QHBoxLayout;
    printRow->addStretch();
    printRow->addWidget(CaptionBtn);
    printRow->addWidget(PrintBtn);
    side->addLayout(printRow);
    auto* chartSide = new QVBoxLayout;
    chartSide->addLayout(scales);
    chartSide->addLayout(ranges);
    chartSide->addWidget(View, 1);
    chartSide->addWidget(CursorLabel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(chartSide, 3);
    layout->addLayout(side, 2);

    // A zoom changes the range: the curves are decimated anew for it.
    connect(FMsAxis, &QValueAxis::rangeChanged, this, [this] {
        if (!FSettingRange)
            Redraw();
    });
    connect(FTimeAxis, &QDateTimeAxis::rangeChanged, this, [this] {
        if (!FSettingRange)
            Redraw();
    });
    ChooseRange(0);
    ChooseTimeScale(kInitialTimeScale);
    UpdateLanguage();
}

void TOscPanel::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    ChannelList->setHeaderLabels({t.ColLabel, t.ColOffset, t.ColValue, t.ColRange});
    FScaleLabel->setText(t.TimeScale);
    FRangeLabel->setText(t.VerticalRange);
    FOffsetLabel->setText(t.DisplayOffset);
    AllBtn->setText(t.All);
    CurrBtn->setText(t.Curr);
    PrintBtn->setText(t.Print);
    CaptionBtn->setText(t.ChartCaption);
    FMsAxis->setTitleText(t.TimeMs);
    FTimeAxis->setTitleText(t.Time);
}

double TOscPanel::Range() const {
    return VerticalRanges()[size_t(FRange)];
}

void TOscPanel::ChooseRange(int Index) {
    FRange = std::clamp(Index, 0, int(VerticalRanges().size()) - 1);
    if (auto* b = RangeButtons->button(FRange))
        b->setChecked(true);
    FYAxis->setRange(-Range(), Range());
    ChannelSelected();
}

void TOscPanel::ChooseTimeScale(int Id) {
    FScale = std::clamp(Id, 0, int(TimeScales().size()) - 1);
    const TTimeScale& s = TimeScales()[size_t(FScale)];
    if (auto* b = ScaleButtons->button(FScale))
        b->setChecked(true);
    QAbstractAxis* wanted = s.DateTime ? static_cast<QAbstractAxis*>(FTimeAxis) : FMsAxis;
    QAbstractAxis* other = s.DateTime ? static_cast<QAbstractAxis*>(FMsAxis) : FTimeAxis;
    if (!Chart->axes(Qt::Horizontal).contains(wanted)) {
        for (QLineSeries* c : FCurves)
            c->detachAxis(other);
        Chart->removeAxis(other);
        // removeAxis hands the axis back without a parent; the chart keeps owning it for the
        // next change of scale, and deletes it with itself.
        other->setParent(Chart);
        Chart->addAxis(wanted, Qt::AlignBottom);
        for (QLineSeries* c : FCurves)
            c->attachAxis(wanted);
        // The points of the other kind of axis mean nothing on this one.
        for (auto& p : FPoints)
            p.clear();
        for (auto& d : FDecimators)
            d.Invalidate();
        FHasSamples = false;
    }
    if (OnWindowChange)
        OnWindowChange(s.WindowMs);
    if (!(IsRunning && IsRunning()))
        SetAxisRange();
}

void TOscPanel::SetAxisRange() {
    const TTimeScale& s = TimeScales()[size_t(FScale)];
    if (s.DateTime) {
        const qint64 last = FHasSamples ? qint64(FLastTime) : QDateTime::currentMSecsSinceEpoch();
        FTimeAxis->setRange(QDateTime::fromMSecsSinceEpoch(last - s.SpanMs),
                            QDateTime::fromMSecsSinceEpoch(last));
    } else {
        FMsAxis->setRange(0, double(s.SpanMs));
    }
    Redraw();
}

void TOscPanel::Rebuild(const QStringList& RangeNames) {
    for (QLineSeries* c : FCurves) {
        Chart->removeSeries(c);
        delete c;
    }
    FCurves.clear();
    FPoints.clear();
    FDecimators.assign(size_t(FOsc.ChannelProfiles.Count()), TCurveDecimator());
    FHasSamples = false;
    const QSignalBlocker block(ChannelList);
    ChannelList->clear();
    QAbstractAxis* x = Chart->axes(Qt::Horizontal).value(0);
    for (int i = 0; i < FOsc.ChannelProfiles.Count(); ++i) {
        TChannelProfile* p = FOsc.ChannelProfiles.ProfileAt(i);
        p->DisplayOffset = 0;
        p->Visible = true;
        auto* c = new QLineSeries;
        c->setName(QStringLiteral("#%1").arg(i + 1));
        // The theme gives the curve its colour when it joins the chart; only the width is ours.
        Chart->addSeries(c);
        QPen pen = c->pen();
        pen.setWidth(1);
        c->setPen(pen);
        if (x)
            c->attachAxis(x);
        c->attachAxis(FYAxis);
        p->Curve = c;
        FCurves.push_back(c);
        FPoints.emplace_back();
        auto* item = new QTreeWidgetItem(ChannelList);
        item->setCheckState(lcLabel, Qt::Checked);
        item->setText(lcLabel, p->Label);
        item->setText(lcOffset, Value7(0));
        item->setText(lcRange, RangeNames.value(i));
        // The list's row shows the curve's colour, so a curve can be told by its row.
        item->setForeground(lcLabel, c->color());
    }
    for (int col = 0; col < 4; ++col)
        ChannelList->resizeColumnToContents(col);
    // Values come later; their column is as wide as a long one from the start.
    const int valueWidth = ChannelList->fontMetrics().horizontalAdvance(QStringLiteral("-0000.0000000")) + 8;
    ChannelList->setColumnWidth(lcOffset, std::max(ChannelList->columnWidth(lcOffset), valueWidth));
    ChannelList->setColumnWidth(lcValue, std::max(ChannelList->columnWidth(lcValue), valueWidth));
    SetOffsetPosition(0);
    SetAxisRange();
}

void TOscPanel::PlotBlock(const TSample* Samples, int Count, bool Draw) {
    const TTimeScale& s = TimeScales()[size_t(FScale)];
    const int n = FOsc.ChannelProfiles.Count();
    if (n == 0 || Count < n || int(FPoints.size()) != n)
        return;
    if (!s.DateTime) {
        for (auto& p : FPoints)
            p.clear();
        for (auto& d : FDecimators)
            d.Invalidate();
    }
    BlockPoints(Samples, Count, FOsc.ChannelProfiles, FOsc.SamplingFrequency, s.DateTime, FPoints);
    FHasSamples = true;
    FLastTime = s.DateTime ? FPoints.front().back().x() : 0;
    if (s.DateTime)
        for (size_t c = 0; c < FPoints.size(); ++c) {
            auto& p = FPoints[c];
            // Older points than the longest scale shows are of no more use.
            const double oldest = FLastTime - double(kLongestSpanMs);
            auto keep = std::lower_bound(p.begin(), p.end(), oldest,
                                         [](const QPointF& a, double x) { return a.x() < x; });
            if (keep - p.begin() > 4096) {
                FDecimators[c].Erased(size_t(keep - p.begin()));
                p.erase(p.begin(), keep);
            }
        }
    for (int c = 0; c < n; ++c)
        if (QTreeWidgetItem* item = ChannelList->topLevelItem(c))
            item->setText(lcValue, Value7(double(Samples[c].Value)));
    if (Draw)
        SetAxisRange();
}

void TOscPanel::Redraw() {
    const TTimeScale& s = TimeScales()[size_t(FScale)];
    const double lo = s.DateTime ? double(FTimeAxis->min().toMSecsSinceEpoch()) : FMsAxis->min();
    const double hi = s.DateTime ? double(FTimeAxis->max().toMSecsSinceEpoch()) : FMsAxis->max();
    const int width = std::max(1, int(Chart->plotArea().width()));
    for (size_t c = 0; c < FCurves.size(); ++c) {
        FCurves[c]->replace(s.DateTime ? FDecimators[c].Reduce(FPoints[c], lo, hi, width)
                                       : Decimate(FPoints[c], lo, hi, width));
        FCurves[c]->setVisible(FOsc.ChannelProfiles.ProfileAt(int(c))->Visible);
    }
}

QString TOscPanel::CursorText(double X) const {
    const TTimeScale& s = TimeScales()[size_t(FScale)];
    QString text = s.DateTime
                       ? QDateTime::fromMSecsSinceEpoch(qint64(X)).toString(QStringLiteral("hh:mm:ss.zzz"))
                       : QStringLiteral("%1 ms").arg(X, 0, 'f', 0);
    for (size_t c = 0; c < FPoints.size(); ++c) {
        const auto& p = FPoints[c];
        if (p.empty())
            continue;
        // The point nearest in time; the value as stored, without the display offset.
        auto it =
            std::lower_bound(p.begin(), p.end(), X, [](const QPointF& a, double x) { return a.x() < x; });
        if (it == p.end() || (it != p.begin() && X - (it - 1)->x() < it->x() - X))
            --it;
        const double v = it->y() - double(FOsc.ChannelProfiles.ProfileAt(int(c))->DisplayOffset);
        text += QStringLiteral("   #%1: %2").arg(c + 1).arg(v, 0, 'f', 4);
    }
    return text;
}

void TOscPanel::SetLoaded(bool Loaded) {
    FLoaded = Loaded;
    View->setRubberBand(Loaded ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
    PrintBtn->setEnabled(Loaded);
    CaptionBtn->setEnabled(Loaded);
    CursorLabel->setVisible(Loaded);
    CursorLabel->clear();
    if (!Loaded)
        Chart->zoomReset();
}

bool TOscPanel::eventFilter(QObject* Watched, QEvent* Event) {
    // The wheel zooms a loaded file's chart about its centre.
    if (FLoaded && Watched == View->viewport() && Event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(Event);
        Chart->zoom(wheel->angleDelta().y() > 0 ? 1.25 : 0.8);
        return true;
    }
    if (FLoaded && Watched == View->viewport() && Event->type() == QEvent::MouseMove && !FCurves.empty()) {
        const QPointF scene = View->mapToScene(static_cast<QMouseEvent*>(Event)->position().toPoint());
        const QPointF value = Chart->mapToValue(Chart->mapFromScene(scene), FCurves.front());
        CursorLabel->setText(CursorText(value.x()));
    }
    return QWidget::eventFilter(Watched, Event);
}

void TOscPanel::SetOffsetPosition(int Position) {
    FUpdatingOffset = true;
    OffsetBar->setValue(Position);
    FUpdatingOffset = false;
}

void TOscPanel::ChannelSelected() {
    const int i = ChannelList->indexOfTopLevelItem(ChannelList->currentItem());
    const TChannelProfile* p = FOsc.ChannelProfiles.ProfileAt(i);
    SetOffsetPosition(p ? int(std::lround(double(p->DisplayOffset) * 100.0 / Range())) : 0);
}

void TOscPanel::OffsetChanged(int Position) {
    if (FUpdatingOffset)
        return;
    const int i = ChannelList->indexOfTopLevelItem(ChannelList->currentItem());
    if (TChannelProfile* p = FOsc.ChannelProfiles.ProfileAt(i)) {
        const float before = p->DisplayOffset;
        p->DisplayOffset = float(Position * Range() / 100.0);
        ChannelList->currentItem()->setText(lcOffset, Value7(double(p->DisplayOffset)));
        // A loaded file shows the new offset at once: its points move by the change.
        if (FLoaded && size_t(i) < FPoints.size()) {
            const double shift = double(p->DisplayOffset - before);
            for (QPointF& pt : FPoints[size_t(i)])
                pt.setY(pt.y() + shift);
            FDecimators[size_t(i)].Invalidate();
        }
    }
    if (FLoaded)
        Redraw();
}

// --- TOscMainDlg --------------------------------------------------------------------------------

TOscMainDlg::TOscMainDlg(TDm& Dm, QWidget* parent)
    : QDialog(parent), FDm(Dm), FMeasurer(std::make_unique<TMeasurer>(&FOsc, &Dm.Bus, Dm.CurrentAccessPoint)),
      FRecorder(&FOsc) {
    setObjectName(QStringLiteral("OscMainDlg"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    Tools = new QToolBar(this);
    Tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    WizardBtn = Tools->addAction(QString());
    StartBtn = Tools->addAction(QString());
    StopBtn = Tools->addAction(QString());
    connect(WizardBtn, &QAction::triggered, this, &TOscMainDlg::WizardClick);
    connect(StartBtn, &QAction::triggered, this, &TOscMainDlg::StartClick);
    connect(StopBtn, &QAction::triggered, this, &TOscMainDlg::StopClick);

    auto* page = new QWidget;
    Serializer = new TSerializerPanel(page);
    Panel = new TOscPanel(FOsc, page);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(Serializer);
    pageLayout->addWidget(Panel, 1);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("Pages"));
    tabs->addTab(page, QString());
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(Tools);
    layout->addWidget(tabs);

    Wizard = new TWizardDlg(Dm, FOsc, this);
    FMeasurer->Store().OnBlockFull = [this](TDataStore* Store) { BlockFull(*Store); };
    Panel->OnWindowChange = [this](int Ms) { FMeasurer->Store().SetWindow(Ms); };
    Panel->IsRunning = [this] { return FMeasurer->IsRunning(); };
    FMeasurer->Store().SetWindow(TimeScales()[kInitialTimeScale].WindowMs);
    connect(Serializer->LoadBtn, &QToolButton::toggled, this, &TOscMainDlg::LoadToggled);
    connect(Serializer->SaveBtn, &QToolButton::toggled, this, &TOscMainDlg::SaveToggled);
    connect(Serializer->ExportBtn, &QToolButton::clicked, this, &TOscMainDlg::ExportClick);
    connect(Serializer->SelectFileBtn, &QToolButton::clicked, this, &TOscMainDlg::SelectFileClick);
    connect(Panel->PrintBtn, &QPushButton::clicked, this, &TOscMainDlg::PrintClick);
    connect(Panel->CaptionBtn, &QPushButton::clicked, this, &TOscMainDlg::CaptionClick);
    for (QCheckBox* c : {Serializer->AutoStartCheck, Serializer->AutoStopCheck})
        connect(c, &QCheckBox::toggled, this, [this] { SyncAutoControls(true); });
    for (int i = 0; i < 3; ++i)
        for (QSpinBox* b : {Serializer->StartBoxes[i], Serializer->StopBoxes[i]})
            connect(b, &QSpinBox::valueChanged, this, [this] { SyncAutoControls(true); });
    FCheckTimer.setInterval(1000);
    connect(&FCheckTimer, &QTimer::timeout, this, &TOscMainDlg::CheckTimerTick);
    Panel->SetLoaded(false);
    resize(1200, 700);
    UpdateLanguage();
    UpdateActions();
}

TOscMainDlg::~TOscMainDlg() {
    FMeasurer->SetRunning(false);
    FRecorder.SetRecording(false);
}

void TOscMainDlg::UpdateLanguage() {
    const TOscLanguage& t = Texts();
    setWindowTitle(t.Caption);
    WizardBtn->setText(t.Wizard);
    StartBtn->setText(t.Start);
    StopBtn->setText(t.Stop);
    if (auto* tabs = findChild<QTabWidget*>(QStringLiteral("Pages")))
        tabs->setTabText(0, t.Experiment);
    Serializer->UpdateLanguage();
    Panel->UpdateLanguage();
    Wizard->UpdateLanguage();
    FitToTitle(this);
}

void TOscMainDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

void TOscMainDlg::UpdateActions() {
    const bool running = FMeasurer->IsRunning();
    const bool recording = FRecorder.Recording();
    WizardBtn->setEnabled(FDm.Devices.Count() > 0 && !running && !FLoaded);
    StartBtn->setEnabled(FExperimentSet && !running && !FLoaded);
    StopBtn->setEnabled(running);
    Serializer->LoadBtn->setEnabled(!running);
    Serializer->SelectFileBtn->setEnabled(!running && !FLoaded);
    Serializer->SaveBtn->setEnabled(running && !FOsc.FileName.isEmpty() && !FLoaded);
    {
        const QSignalBlocker b(Serializer->SaveBtn);
        Serializer->SaveBtn->setChecked(recording);
    }
    {
        const QSignalBlocker b(Serializer->LoadBtn);
        Serializer->LoadBtn->setChecked(FLoaded);
    }
    Serializer->ExportBtn->setEnabled(FLoaded);
    Serializer->AutoBox->setVisible(!FLoaded);
    Serializer->AutoBox->setEnabled(!running);
    Serializer->SetRecording(recording);
    Serializer->ShowFile(FLoaded ? FLoadedFile : FOsc.FileName);
}

void TOscMainDlg::SyncAutoControls(bool ToDm) {
    TSerializerPanel& s = *Serializer;
    const QDate day(1899, 12, 30);
    if (ToDm) {
        FOsc.StartAtTime = s.AutoStartCheck->isChecked();
        FOsc.StopAtTime = s.AutoStopCheck->isChecked();
        FOsc.StartTime = QDateTime(
            day, QTime(s.StartBoxes[0]->value(), s.StartBoxes[1]->value(), s.StartBoxes[2]->value()));
        FOsc.StopTime =
            QDateTime(day, QTime(s.StopBoxes[0]->value(), s.StopBoxes[1]->value(), s.StopBoxes[2]->value()));
        return;
    }
    QList<QWidget*> all = {s.AutoStartCheck, s.AutoStopCheck};
    for (int i = 0; i < 3; ++i)
        all << s.StartBoxes[i] << s.StopBoxes[i];
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : all)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));
    s.AutoStartCheck->setChecked(FOsc.StartAtTime);
    s.AutoStopCheck->setChecked(FOsc.StopAtTime);
    const QTime start = FOsc.StartTime.isValid() ? FOsc.StartTime.time() : QTime(0, 0);
    const QTime stop = FOsc.StopTime.isValid() ? FOsc.StopTime.time() : QTime(0, 0);
    s.StartBoxes[0]->setValue(start.hour());
    s.StartBoxes[1]->setValue(start.minute());
    s.StartBoxes[2]->setValue(start.second());
    s.StopBoxes[0]->setValue(stop.hour());
    s.StopBoxes[1]->setValue(stop.minute());
    s.StopBoxes[2]->setValue(stop.second());
}

void TOscMainDlg::RebuildPanels() {
    QStringList ranges;
    TCustomResponder* responder = FMeasurer->Responder();
    for (int i = 0; i < FOsc.ChannelProfiles.Count(); ++i) {
        TChannelProfile* p = FOsc.ChannelProfiles.ProfileAt(i);
        if (responder && p->Device)
            responder->ReadRangeCode(p->Address(), p->ChannelIndex, p->RangeCode);
        ranges << (p->Device ? FDm.RangesTable.Description(quint16(p->RangeCode)) : QString());
    }
    Panel->Rebuild(ranges);
}

void TOscMainDlg::WizardClick() {
    if (!Wizard->Execute())
        return;
    FExperimentSet = FOsc.ChannelProfiles.Count() > 0;
    FMeasurer->SetLine(&FDm.Bus, FDm.CurrentAccessPoint);
    FMeasurer->Prepare();
    FLoaded = false;
    Panel->SetLoaded(false);
    SyncAutoControls(false);
    RebuildPanels();
    UpdateActions();
}

void TOscMainDlg::StartClick() {
    if (!FExperimentSet || FMeasurer->IsRunning() || FLoaded)
        return;
    FMeasurer->SetLine(&FDm.Bus, FDm.CurrentAccessPoint);
    FMeasurer->Prepare();
    FMeasurer->SetRunning(true);
    if (!FOsc.FileName.isEmpty()) {
        FRecorder.Prepare(QDateTime::currentDateTime());
        if (FOsc.StartAtTime)
            FCheckTimer.start();
    }
    UpdateActions();
}

void TOscMainDlg::StopClick() {
    FMeasurer->SetRunning(false);
    if (!FOsc.FileName.isEmpty())
        SetRecording(false);
    FCheckTimer.stop();
    UpdateActions();
}

void TOscMainDlg::SetRecording(bool On) {
    if (!FRecorder.SetRecording(On)) {
        Message(Texts().IoError + QStringLiteral("\n") + FRecorder.ErrorText());
        FCheckTimer.stop();
    } else if (On && FOsc.StopAtTime) {
        FCheckTimer.start();
    } else if (!On) {
        FCheckTimer.stop();
    }
    UpdateActions();
}

void TOscMainDlg::SaveToggled(bool On) {
    SetRecording(On);
}

void TOscMainDlg::CheckTimerTick() {
    if (FRecorder.Check(QDateTime::currentDateTime())) {
        if (!FRecorder.Recording() && !FRecorder.ErrorText().isEmpty())
            Message(Texts().IoError + QStringLiteral("\n") + FRecorder.ErrorText());
        if (FRecorder.Recording() && !FOsc.StopAtTime)
            FCheckTimer.stop();
        if (!FRecorder.Recording())
            FCheckTimer.stop();
    }
    UpdateActions();
}

void TOscMainDlg::BlockFull(TDataStore& Store) {
    if (FRecorder.Recording() && !FRecorder.BlockFull(Store)) {
        FCheckTimer.stop();
        Message(Texts().IoError + QStringLiteral("\n") + FRecorder.ErrorText());
        UpdateActions();
    }
    Panel->PlotBlock(Store.Data(), Store.Count(), !FFeeding);
}

void TOscMainDlg::closeEvent(QCloseEvent* Event) {
    if (FMeasurer->IsRunning()) {
        StopClick();
        Event->ignore();
        return;
    }
    QDialog::closeEvent(Event);
}

void TOscMainDlg::SelectFileClick() {
    const QString name =
        QFileDialog::getSaveFileName(this, Texts().SelectFile, FOsc.FileName, Texts().AdfFilter, nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return;
    FOsc.FileName =
        name.endsWith(QLatin1String(".adf"), Qt::CaseInsensitive) ? name : name + QStringLiteral(".adf");
    UpdateActions();
}

void TOscMainDlg::LoadToggled(bool On) {
    if (!On) {
        FLoaded = false;
        FLoadedFile.clear();
        FOsc.ChannelProfiles.Clear();
        FExperimentSet = false;
        Panel->SetLoaded(false);
        Panel->Chart->setTitle(QString());
        RebuildPanels();
        UpdateActions();
        return;
    }
    const QString name =
        QFileDialog::getOpenFileName(this, Texts().Load, QFileInfo(FOsc.FileName).path(), Texts().AdfFilter);
    if (name.isEmpty() || !LoadFile(name))
        UpdateActions();
}

bool TOscMainDlg::LoadFile(const QString& Name) {
    const TOscLanguage& t = Texts();
    TAdfReader reader;
    switch (reader.Open(Name)) {
    case TAdfLoadResult::Ok:
        break;
    case TAdfLoadResult::NotAdf:
        return false;
    case TAdfLoadResult::Invalid:
        Message(t.InvalidFile + QLatin1Char('\n') +
                (reader.ErrorText() == AdfInvalidChannelsText() ? t.InvalidChannels : t.InvalidFrequency));
        return false;
    case TAdfLoadResult::Unreadable:
        Message(t.IoError + QLatin1Char('\n') + reader.ErrorText());
        return false;
    }
    FMeasurer->SetRunning(false);
    FOsc.SamplingFrequency = reader.Header().Frequency;
    FOsc.ChannelProfiles.Clear();
    for (const TAdfChannel& c : reader.Header().Channels) {
        TChannelProfile* p = FOsc.ChannelProfiles.AddProfile();
        p->Label = c.Label;
        p->ChannelIndex = c.ChannelIndex;
    }
    FExperimentSet = false;
    FLoaded = true;
    FLoadedFile = Name;
    Panel->SetLoaded(true);
    RebuildPanels();
    Panel->ChooseTimeScale(kLoadedTimeScale);
    // Every sample goes through the store, so the file plays back as it was measured; drawn once.
    TDataStore& store = FMeasurer->Store();
    store.Prepare();
    FFeeding = true;
    TSample s;
    while (reader.Next(s))
        store.Add(s);
    FFeeding = false;
    store.Prepare();
    Panel->ChooseTimeScale(kLoadedTimeScale);
    UpdateActions();
    return true;
}

void TOscMainDlg::ExportClick() {
    if (!FLoaded)
        return;
    const TOscLanguage& t = Texts();
    QString filter;
    const QString base =
        QFileInfo(FLoadedFile).path() + QLatin1Char('/') + QFileInfo(FLoadedFile).completeBaseName();
    QString name = QFileDialog::getSaveFileName(this, t.Export, base + QStringLiteral(".txt"),
                                                t.TxtFilter + QStringLiteral(";;") + t.CsvFilter, &filter,
                                                QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return;
    const bool csv = filter == t.CsvFilter;
    const QString suffix = csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    if (!name.endsWith(suffix, Qt::CaseInsensitive))
        name += suffix;
    if (QFileInfo::exists(name) &&
        QMessageBox::question(this, windowTitle(), t.FileExists) != QMessageBox::Yes)
        return;
    QString error;
    if (!(csv ? ExportAdfCsv(FLoadedFile, name, error) : ExportAdfText(FLoadedFile, name, error)))
        Message(t.IoError + QLatin1Char('\n') + error);
}

void TOscMainDlg::CaptionClick() {
    bool ok = false;
    const QString caption = QInputDialog::getText(this, Texts().EnterCaption, Texts().NewCaption,
                                                  QLineEdit::Normal, Panel->Chart->title(), &ok);
    if (ok)
        Panel->Chart->setTitle(caption);
}

void TOscMainDlg::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the chart goes to a PDF file.
        const QString name = QFileDialog::getSaveFileName(
            this, Texts().Print, QFileInfo(FLoadedFile).completeBaseName() + QStringLiteral(".pdf"),
            QStringLiteral("PDF (*.pdf)"));
        if (name.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    if (!PrintTo(printer))
        Message(Texts().IoError);
}

bool TOscMainDlg::PrintTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Proportionally: the chart's shape, as large as the page allows.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF size = QSizeF(Panel->View->size()).scaled(page.size(), Qt::KeepAspectRatio);
    Panel->View->render(&painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}
