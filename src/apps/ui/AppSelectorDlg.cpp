#include "apps/ui/AppSelectorDlg.h"

#include "apps/ui/AppFrameworkDlg.h"
#include "apps/ui/P340Apps.h"
#include "localization/AppsLanguage.h"
#include "platform/ui/DialogTitle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const TAppsLanguage& Texts() {
    return AppsLanguage().Texts(CurrentLanguage());
}

} // namespace

TAppInfoFrm::TAppInfoFrm(TAppDescriptor* Descriptor, QWidget* parent)
    : QFrame(parent), FDescriptor(Descriptor) {
    MainPanel = this;
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    AppNameLb = new QLabel(Descriptor->AppName, this);
    QFont bold = AppNameLb->font();
    bold.setBold(true);
    AppNameLb->setFont(bold);
    DescLb = new QLabel(Descriptor->AppDesc, this);
    ExecuteBtn = new QPushButton(this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(AppNameLb);
    texts->addWidget(DescLb);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(texts, 1);
    layout->addWidget(ExecuteBtn, 0, Qt::AlignVCenter);
    connect(ExecuteBtn, &QPushButton::clicked, this, &TAppInfoFrm::ExecuteBtnClick);
    UpdateLanguage();
}

void TAppInfoFrm::UpdateLanguage() {
    AppNameLb->setText(FDescriptor->AppName);
    DescLb->setText(FDescriptor->AppDesc);
    ExecuteBtn->setText(Texts().Execute);
}

void TAppInfoFrm::ExecuteBtnClick() {
    if (FDescriptor->OnExecute)
        FDescriptor->OnExecute(FDescriptor);
}

TAppSelectorDlg::TAppSelectorDlg(QWidget* parent) : QDialog(parent) {
    Host = new TAppFrameworkDlg(this);
    P340NewDuzorUdivovuz.AppName = QStringLiteral("Power Measurer");
    P340DazoruDariderida.AppName = QStringLiteral("Weight Controller");
    // Bound here, unlike the weight controller's row alone: a row whose button does nothing would
    // only puzzle the user.
    P340NewDuzorUdivovuz.OnExecute = [this](TAppDescriptor* D) { P340NewDuzorUdivovuzExecute(D); };
    P340DazoruDariderida.OnExecute = [this](TAppDescriptor* D) { P340DazoruDarideridaExecute(D); };

    auto* rows = new QWidget;
    FRowsLayout = new QVBoxLayout(rows);
    FRowsLayout->setContentsMargins(0, 0, 0, 0);
    FRowsLayout->setSpacing(0);
    EmptyLb = new QLabel(rows);
    EmptyLb->setAlignment(Qt::AlignCenter);
    EmptyLb->setWordWrap(true);
    FRowsLayout->addWidget(EmptyLb);
    FRowsLayout->addStretch(1);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setWidget(rows);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox);
    resize(440, 260);
    UpdateLanguage();
}

TAppSelectorDlg::~TAppSelectorDlg() = default;

void TAppSelectorDlg::UpdateLanguage() {
    const TAppsLanguage& t = Texts();
    setWindowTitle(t.SelectorCaption);
    P340NewDuzorUdivovuz.AppDesc = t.PowerDesc;
    P340DazoruDariderida.AppDesc = t.WeightDesc;
    EmptyLb->setText(t.NoApplications);
    for (TAppInfoFrm* row : Rows)
        row->UpdateLanguage();
}

void TAppSelectorDlg::AddRow(TAppDescriptor* Descriptor) {
    auto* row = new TAppInfoFrm(Descriptor, ScrollBox->widget());
    QPalette p = row->palette();
    // Every second row tinted, so that the eye keeps to a row.
    p.setColor(QPalette::Window, Rows.size() % 2 == 1 ? QColor(0xE1, 0xEB, 0xFF) : QColor(Qt::white));
    row->setPalette(p);
    FRowsLayout->insertWidget(int(Rows.size()), row);
    Rows.push_back(row);
}

void TAppSelectorDlg::Prepare(quint32 TypeCode, TZUVOModule* Module) {
    FModule = Module;
    if (HasApplications(TypeCode) && Module) {
        AddRow(&P340NewDuzorUdivovuz);
        AddRow(&P340DazoruDariderida);
    }
    EmptyLb->setVisible(Rows.empty());
    FitToTitle(this);
}

void TAppSelectorDlg::ShowFor(quint32 TypeCode, TZUVOModule* Module) {
    Prepare(TypeCode, Module);
    exec();
}

void TAppSelectorDlg::Run(QWidget* Form, TAppController* Controller, TAppDescriptor* Descriptor) {
    Descriptor->SetAppController(Controller);
    if (OnAppCreated)
        OnAppCreated(Form);
    Host->Run(Form, Controller, Descriptor->AppName);
    Descriptor->SetAppController(nullptr);
}

void TAppSelectorDlg::P340DazoruDarideridaExecute(TAppDescriptor* Sender) {
    TP340DazoruDarideridaDlg form(FModule);
    Run(&form, &form.AppController, Sender);
}

void TAppSelectorDlg::P340NewDuzorUdivovuzExecute(TAppDescriptor* Sender) {
    TP340PowerNetAnalizerDlg form(FModule);
    Run(&form, &form.AppController, Sender);
}
