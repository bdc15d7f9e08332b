#include "views/ui/SMDlg.h"

#include "bus/AccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/ModbusMapLanguage.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPen>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const TSMDlgLanguage& Texts() {
    return SMDlgLanguage().Texts(CurrentLanguage());
}

enum TColumn { colDescription, colValue, colRegister, colUnit, colEdit, colCount };

// Ten colours the curves take in turn.
const QColor kPalette[10] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
                             QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                             QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
                             QColor(0x17, 0xbe, 0xcf)};

double NumericValue(const TModbusParameter& p) {
    switch (p.ParamType()) {
    case mptSingle:
        return double(p.Data().AsFloat());
    case mptInteger:
        return double(p.Data().AsInteger());
    default:
        return double(p.Data().AsWord());
    }
}

} // namespace

int SMDecimalsOf(const QString& FloatMask) {
    const qsizetype dot = FloatMask.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return 0;
    int n = 0;
    for (qsizetype i = dot + 1;
         i < FloatMask.size() && (FloatMask[i] == QLatin1Char('0') || FloatMask[i] == QLatin1Char('#')); ++i)
        ++n;
    return n;
}

QString SMValueText(const TModbusParameter& p) {
    switch (p.ParamType()) {
    case mptSingle:
        return QLocale::c().toString(double(p.Data().AsFloat()), 'f', SMDecimalsOf(p.FloatMask));
    case mptInteger:
        if (p.Index() == 0 || p.Index() == 8)
            return QStringLiteral("%1").arg(quint32(p.Data().AsInteger()), 8, 16, QLatin1Char('0')).toUpper();
        return QString::number(p.Data().AsInteger());
    default:
        return QString::number(p.Data().AsWord());
    }
}

bool SMSetValueFromText(TModbusParameter& p, const QString& Text) {
    const QString text = Text.trimmed();
    bool ok = false;
    switch (p.ParamType()) {
    case mptSingle: {
        const double d = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
            return false;
        p.Data().SetFloat(float(d));
        return true;
    }
    case mptWord: {
        const uint w = text.toUInt(&ok);
        if (!ok || w > 0xFFFF)
            return false;
        p.Data().SetWord(quint16(w));
        return true;
    }
    default: {
        if (p.Index() == 0 || p.Index() == 7) {
            QString hex = text;
            if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
                hex = hex.mid(2);
            const quint32 v = hex.toUInt(&ok, 16);
            if (!ok || hex.isEmpty())
                return false;
            p.Data().SetInteger(qint32(v));
            return true;
        }
        const qlonglong v = text.toLongLong(&ok);
        // A 32-bit register: signed values and the unsigned ones above them both fit.
        if (!ok || v < std::numeric_limits<qint32>::min() ||
            v > qlonglong(std::numeric_limits<quint32>::max()))
            return false;
        p.Data().SetInteger(qint32(quint32(v)));
        return true;
    }
    }
}

QString SMRegisterText(const TModbusParameter& p) {
    const auto hex = [](int r) { return QStringLiteral("%1").arg(r, 4, 16, QLatin1Char('0')).toUpper(); };
    if (p.RegisterCount() == 1)
        return hex(p.RegisterAddress());
    return hex(p.RegisterAddress()) + QLatin1Char('/') + hex(quint16(p.RegisterAddress() + 1));
}

TSMDlg::TSMDlg(TPowerRsBus& AppBus, QWidget* parent)
    : QDialog(parent), FAppBus(AppBus), FMap(std::make_unique<TSMModbusMap>()) {
    setObjectName(QStringLiteral("TSMDlg"));
    setModal(true);
    auto* root = new QVBoxLayout(this);
    Pages = new QTabWidget(this);
    root->addWidget(Pages);

    RegisterList = new QTreeWidget(this);
    RegisterList->setColumnCount(colCount);
    RegisterList->setRootIsDecorated(false);
    RegisterList->setUniformRowHeights(true);
    RegisterList->setAllColumnsShowFocus(true);
    RegisterList->installEventFilter(this);
    connect(RegisterList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { EditRow(RegisterList->indexOfTopLevelItem(item)); });
    Pages->addTab(RegisterList, QString());

    auto* chartPage = new QSplitter(this);
    SeriesList = new QListWidget(chartPage);
    FChart = new QChart();
    FChart->legend()->setVisible(false);
    FAxisX = new QValueAxis(FChart);
    FAxisY = new QValueAxis(FChart);
    FAxisX->setRange(0, 10);
    FAxisY->setRange(0, 1);
    FChart->addAxis(FAxisX, Qt::AlignBottom);
    FChart->addAxis(FAxisY, Qt::AlignLeft);
    ChartView = new QChartView(FChart, chartPage);
    ChartView->setRenderHint(QPainter::Antialiasing);
    chartPage->addWidget(SeriesList);
    chartPage->addWidget(ChartView);
    chartPage->setStretchFactor(1, 1);
    Pages->addTab(chartPage, QString());
    connect(SeriesList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = SeriesList->row(item);
        if (row >= 0 && row < int(FSeries.size()))
            FSeries[size_t(row)]->setVisible(item->checkState() == Qt::Checked);
        UpdateAxes();
    });

    auto* trafficPage = new QWidget(this);
    auto* trafficLayout = new QVBoxLayout(trafficPage);
    auto* trafficButtons = new QHBoxLayout();
    ShowTrafficCheck = new QCheckBox(trafficPage);
    ClearBtn = new QPushButton(trafficPage);
    CopyBtn = new QPushButton(trafficPage);
    trafficButtons->addWidget(ShowTrafficCheck);
    trafficButtons->addStretch();
    trafficButtons->addWidget(ClearBtn);
    trafficButtons->addWidget(CopyBtn);
    TrafficList = new QListWidget(trafficPage);
    TrafficList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    trafficLayout->addLayout(trafficButtons);
    trafficLayout->addWidget(TrafficList);
    Pages->addTab(trafficPage, QString());
    connect(ClearBtn, &QPushButton::clicked, this, &TSMDlg::ClearBtnClick);
    connect(CopyBtn, &QPushButton::clicked, this, &TSMDlg::CopyBtnClick);

    auto* bottom = new QHBoxLayout();
    lbState = new QLabel(this);
    StateLb = new QLabel(this);
    CloseBtn = new QPushButton(this);
    bottom->addWidget(lbState);
    bottom->addWidget(StateLb, 1);
    bottom->addWidget(CloseBtn);
    root->addLayout(bottom);
    connect(CloseBtn, &QPushButton::clicked, this, &TSMDlg::reject);

    int colour = 0;
    for (TModbusParameter* p : FMap->Parameters()) {
        auto* series = new QLineSeries(FChart);
        QPen pen(kPalette[colour++ % 10]);
        pen.setWidth(2);
        series->setPen(pen);
        series->setVisible(false);
        FChart->addSeries(series);
        series->attachAxis(FAxisX);
        series->attachAxis(FAxisY);
        FSeries.push_back(series);
        auto* item = new QListWidgetItem(SeriesList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setForeground(pen.color());
        Q_UNUSED(p);
    }

    FMap->Space.OnAfterRefresh = [this](TModbusSpace*) { AfterRefresh(); };
    FMap->Transport.OnRequest = [this](TModbusTransport*, int Direction, const TRequest& Request) {
        AddTraffic(Direction, Request);
    };
    BuildRows();
    resize(820, 520);
    UpdateLanguage();
}

TSMDlg::~TSMDlg() {
    if (FStarted) {
        FMap->Manager.Timer().Pause = [](int) {};
        Finish();
    }
}

bool TSMDlg::MapRunning() const {
    return FMap->Manager.Running();
}

void TSMDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    Pages->setTabText(0, t.Registers);
    Pages->setTabText(1, t.Chart);
    Pages->setTabText(2, t.Traffic);
    RegisterList->setHeaderLabels({t.Description, t.Value, t.Register, t.Unit, QString()});
    ShowTrafficCheck->setText(t.ShowTraffic);
    ClearBtn->setText(t.Clear);
    CopyBtn->setText(t.CopyToClipboard);
    CloseBtn->setText(t.Close);
    lbState->setText(t.State + QLatin1Char(':'));
    FAxisX->setTitleText(t.TimeS);
    BuildRows();
    const auto& params = FMap->Parameters();
    for (size_t i = 0; i < params.size() && int(i) < SeriesList->count(); ++i) {
        const QString description = t.DescriptionOf(params[i]->Name());
        const QString title = description.isEmpty() ? params[i]->Description : description;
        SeriesList->item(int(i))->setText(title);
        FSeries[i]->setName(title);
    }
    RegisterList->header()->setSectionResizeMode(colDescription, QHeaderView::ResizeToContents);
    RegisterList->header()->setSectionResizeMode(colValue, QHeaderView::ResizeToContents);
    RegisterList->header()->setSectionResizeMode(colRegister, QHeaderView::ResizeToContents);
    RegisterList->header()->setSectionResizeMode(colUnit, QHeaderView::ResizeToContents);
    FitToTitle(this);
}

void TSMDlg::BuildRows() {
    const auto& t = Texts();
    const auto& params = FMap->Parameters();
    if (RegisterList->topLevelItemCount() != int(params.size())) {
        RegisterList->clear();
        for (size_t i = 0; i < params.size(); ++i)
            new QTreeWidgetItem(RegisterList);
    }
    for (size_t i = 0; i < params.size(); ++i) {
        const TModbusParameter& p = *params[i];
        QTreeWidgetItem* item = RegisterList->topLevelItem(int(i));
        const QString description = t.DescriptionOf(p.Name());
        item->setText(colDescription, description.isEmpty() ? p.Description : description);
        item->setText(colRegister, SMRegisterText(p));
        item->setText(colUnit, t.UnitText(p.UnitOfMeasure));
        item->setText(colEdit, p.Access == mpaReadOnly ? QString() : QStringLiteral("✎ ") + t.Editable);
        item->setTextAlignment(colValue, Qt::AlignRight | Qt::AlignVCenter);
    }
    RefreshRows();
}

void TSMDlg::RefreshRows() {
    const auto& params = FMap->Parameters();
    for (size_t i = 0; i < params.size() && int(i) < RegisterList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = RegisterList->topLevelItem(int(i));
        item->setText(colValue, FOptionsApplied || params[i]->Modified ? SMValueText(*params[i]) : QString());
    }
}

void TSMDlg::AfterRefresh() {
    if (!FStarted)
        return;
    ++FCycles;
    // The controller's options give the byte orders of everything else, and they are only known
    // once the first cycle has read them.
    if (!FOptionsApplied && FMap->Space.LastCycleRead()) {
        FMap->ApplyOptions();
        FOptionsApplied = true;
    }
    StateLb->setText(Texts().Running);
    RefreshRows();
    if (!FOptionsApplied)
        return; // nothing read yet: no points to draw
    const double t = double(FClock.elapsed()) / 1000.0;
    const auto& params = FMap->Parameters();
    for (size_t i = 0; i < params.size() && i < FSeries.size(); ++i) {
        QLineSeries* s = FSeries[i];
        s->append(t, NumericValue(*params[i]));
        if (s->count() > kMaxPoints)
            s->removePoints(0, s->count() - kMaxPoints);
    }
    UpdateAxes();
}

void TSMDlg::UpdateAxes() {
    const double t = double(FClock.elapsed()) / 1000.0;
    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    for (QLineSeries* s : FSeries) {
        if (!s->isVisible())
            continue;
        for (const QPointF& pt : s->points()) {
            low = std::min(low, pt.y());
            high = std::max(high, pt.y());
        }
    }
    const double start = FSeries.empty() || FSeries[0]->count() == 0 ? 0.0 : FSeries[0]->at(0).x();
    FAxisX->setRange(start, std::max(start + 10.0, t));
    if (low <= high) {
        const double margin = low == high ? std::max(1.0, std::fabs(low) * 0.1) : (high - low) * 0.05;
        FAxisY->setRange(low - margin, high + margin);
    }
}

void TSMDlg::AddTraffic(int Direction, const TRequest& Request) {
    if (!ShowTrafficCheck->isChecked())
        return;
    QString text = (Direction == 1 ? Texts().Out : Texts().In) + QStringLiteral("  ");
    for (int i = 0; i < Request.Length; ++i)
        text += QStringLiteral("%1 ").arg(Request.Buffer[size_t(i)], 2, 16, QLatin1Char('0')).toUpper();
    auto* item = new QListWidgetItem(text, TrafficList);
    item->setData(Qt::UserRole,
                  QByteArray(reinterpret_cast<const char*>(Request.Buffer.data()), Request.Length));
    while (TrafficList->count() > kMaxTrafficRows)
        delete TrafficList->takeItem(0);
    TrafficList->scrollToBottom();
}

void TSMDlg::ClearBtnClick() {
    TrafficList->clear();
}

void TSMDlg::CopyBtnClick() {
    QListWidgetItem* item = TrafficList->currentItem();
    if (!item)
        return;
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    QString text;
    for (char b : bytes)
        text += QStringLiteral("%1 ").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
    QApplication::clipboard()->setText(text);
}

void TSMDlg::EditRow(int Row) {
    const auto& params = FMap->Parameters();
    if (Row < 0 || Row >= int(params.size()))
        return;
    TModbusParameter& p = *params[size_t(Row)];
    if (p.Access == mpaReadOnly)
        return;
    const QString prompt = RegisterList->topLevelItem(Row)->text(colDescription);
    std::optional<QString> text;
    if (OnInput) {
        text = OnInput(Texts().Input, prompt, SMValueText(p));
    } else {
        bool ok = false;
        const QString entered =
            QInputDialog::getText(this, Texts().Input, prompt, QLineEdit::Normal, SMValueText(p), &ok);
        if (ok)
            text = entered;
    }
    if (!text || !SMSetValueFromText(p, *text))
        return;
    // A new options value changes the byte orders of everything else at once.
    if (&p == &FMap->Options)
        FMap->ApplyOptions();
    RefreshRows();
}

bool TSMDlg::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == RegisterList && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EditRow(RegisterList->indexOfTopLevelItem(RegisterList->currentItem()));
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TSMDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

void TSMDlg::Start(quint8 Address, TAccessPoint* Gateway) {
    if (FStarted)
        Finish();
    FStarted = true;
    FCycles = 0;
    FOptionsApplied = false;
    FClock.start();
    for (QLineSeries* s : FSeries)
        s->clear();
    TModbusSpace& space = FMap->Space;
    space.DeviceAddress = Address;
    space.ReadInterval = 100;
    for (TModbusParameter* p : space.Parameters())
        p->Modified = false;
    StateLb->setText(Texts().NoAnswer);
    if (Gateway) {
        // Behind a gateway the access point carries the frames; the program's bus is not involved.
        FBusWasOpen = false;
        FGatewayTransport = std::make_unique<TAccessPointTransport>();
        FGatewayTransport->SetAccessPoint(Gateway);
        FGatewayTransport->OnRequest = FMap->Transport.OnRequest;
        space.SetModbusTransport(FGatewayTransport.get());
        FMap->Manager.SetRunning(true);
    } else {
        FBusWasOpen = FAppBus.IsOpen();
        if (FBusWasOpen)
            FAppBus.Close();
        TPowerRsBus& port = FMap->Port;
        port.SetPortName(FAppBus.PortName());
        port.SetBaudRateValue(FAppBus.BaudRateValue());
        port.SetParity(FAppBus.Parity());
        port.SetStopBits(FAppBus.StopBits());
        port.SetDataBits(FAppBus.DataBits());
        port.SetInputTimeout(std::max<quint32>(FAppBus.InputTimeout(), 50));
        port.SetLocalEcho(FAppBus.LocalEcho());
        space.SetModbusTransport(&FMap->Transport);
        if (port.Open())
            FMap->Manager.SetRunning(true);
        else
            Message(Texts().PortError.arg(FAppBus.PortName(), port.LastErrorReason()));
    }
    RefreshRows();
}

void TSMDlg::Finish() {
    if (!FStarted)
        return;
    FStarted = false;
    FMap->Manager.SetRunning(false);
    FMap->Port.Close();
    FMap->Space.SetModbusTransport(&FMap->Transport);
    FGatewayTransport.reset();
    // The bus goes back to the state it had when the window opened, whatever that was.
    if (FBusWasOpen && !FAppBus.IsOpen())
        FAppBus.Open();
    FBusWasOpen = false;
}

void TSMDlg::Execute(quint8 Address, TAccessPoint* Gateway) {
    Start(Address, Gateway);
    exec();
    Finish();
}

void TSMDlg::reject() {
    QDialog::reject();
}

void RegisterSMWindow(TSMDlg& Dlg, TDm& Dm) {
    QPointer<TSMDlg> dlg(&Dlg);
    TDm* dm = &Dm;
    ChannelWindows().Register(QStringLiteral("TSMDlg"), [dlg, dm](const TChannelWindowContext& c) {
        if (!dlg || !c.Device)
            return;
        TAccessPoint* ap = dm->CurrentAccessPoint;
        const bool serial = ap == nullptr || ap == &dm->ComAccessPoint;
        dlg->Execute(quint8(c.Device->Address), serial ? nullptr : ap);
    });
}
