#include "converters/ui/ConvCfgDlg.h"

#include "localization/FileMgrLanguage.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <memory>

namespace {

const TConvCfgLanguage& Texts() {
    return ConvCfgLanguage().Texts(CurrentLanguage());
}

} // namespace

TCustomConvCfgDlg::TCustomConvCfgDlg(TConverterKind Kind, TAccessPoint* AP, QWidget* parent)
    : QDialog(parent), FKind(Kind), FAP(AP) {
    auto* grid = new QGridLayout(this);
    Label1 = new QLabel(this);
    RateBox = new QComboBox(this);
    RateBox->setEditable(false);
    for (const TConverterRate& rate : ConverterRates(Kind))
        RateBox->addItem(QString::fromLatin1(rate.Name), int(rate.Code));
    RateBox->setCurrentIndex(kConverterRateCount - 1);
    Button1 = new QPushButton(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(RateBox, 0, 1);
    grid->addWidget(Button1, 1, 1);
    grid->setColumnStretch(1, 1);
    actExit = new QAction(this);
    actExit->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(actExit);
    connect(actExit, &QAction::triggered, this, &TCustomConvCfgDlg::actExitExecute);
    connect(Button1, &QPushButton::clicked, this, &TCustomConvCfgDlg::Button1Click);
    setMinimumWidth(360);
    UpdateLanguage();
}

void TCustomConvCfgDlg::UpdateLanguage() {
    Label1->setText(Texts().DeviceBaudRate);
    Button1->setText(Texts().Apply);
}

void TCustomConvCfgDlg::Button1Click() {
    if (!FAP || RateBox->currentIndex() < 0)
        return;
    SendConverterCode(*FAP, quint8(RateBox->currentData().toUInt()));
}

void TCustomConvCfgDlg::actExitExecute() {
    accept();
}

void TCustomConvCfgDlg::FitCaption() {
    // The captions are long model names: the window is made wide enough to show them whole.
    setMinimumWidth(qMax(360, fontMetrics().horizontalAdvance(windowTitle()) + 160));
}

TConvCfgDlg::TConvCfgDlg(TAccessPoint* AP, QWidget* parent)
    : TCustomConvCfgDlg(TConverterKind::Single, AP, parent) {
    setWindowTitle(QStringLiteral("KVD-RS232-RS485-BUS Configurator"));
    FitCaption();
}

TConvCfgDoubleDlg::TConvCfgDoubleDlg(TAccessPoint* AP, QWidget* parent)
    : TCustomConvCfgDlg(TConverterKind::Double, AP, parent) {
    setWindowTitle(QStringLiteral("KVD-RS232-RS232-RS485-BUS Configurator"));
    FitCaption();
}

TConvCfgRepeaterDlg::TConvCfgRepeaterDlg(TAccessPoint* AP, QWidget* parent)
    : TCustomConvCfgDlg(TConverterKind::Repeater, AP, parent) {
    setWindowTitle(QStringLiteral("KVD-RS485-RS485-BUS Configurator"));
    FitCaption();
}

void ConnectConverterActions(QAction* actRS232LANRS485, QAction* actConvCfgDouble, QAction* actCfgRepeater,
                             std::function<TAccessPoint*()> CurrentAP, QWidget* Parent) {
    QObject::connect(actRS232LANRS485, &QAction::triggered, Parent, [CurrentAP, Parent] {
        TConvCfgDlg dlg(CurrentAP(), Parent);
        dlg.setWindowTitle(QStringLiteral("KVD-RS232(USB)-LAN-RS485-BUS"));
        dlg.FitCaption();
        dlg.exec();
    });
    QObject::connect(actConvCfgDouble, &QAction::triggered, Parent, [CurrentAP, Parent] {
        TConvCfgDoubleDlg dlg(CurrentAP(), Parent);
        dlg.exec();
    });
    QObject::connect(actCfgRepeater, &QAction::triggered, Parent, [CurrentAP, Parent] {
        TConvCfgRepeaterDlg dlg(CurrentAP(), Parent);
        dlg.exec();
    });
}
