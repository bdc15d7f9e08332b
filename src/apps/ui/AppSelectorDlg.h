#pragma once

#include "apps/AppFramework.h"

#include <QDialog>
#include <QFrame>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class TAppFrameworkDlg;
class TZUVOModule;

// One application in the selector: its name, what it does, and the button that runs it.
class TAppInfoFrm : public QFrame {
    Q_OBJECT
public:
    TAppInfoFrm(TAppDescriptor* Descriptor, QWidget* parent = nullptr);
    TAppDescriptor* Descriptor() const { return FDescriptor; }
    QFrame* MainPanel = nullptr;
    QLabel* AppNameLb = nullptr;
    QLabel* DescLb = nullptr;
    QPushButton* ExecuteBtn = nullptr;
    void UpdateLanguage();

public Q_SLOTS:
    void ExecuteBtnClick();

private:
    TAppDescriptor* FDescriptor;
};

// Lists the applications of the selected device and runs the chosen one in the host window.
class TAppSelectorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAppSelectorDlg(QWidget* parent = nullptr);
    ~TAppSelectorDlg() override;

    // Adds the rows for the device type; Module is the device the applications talk to.
    void Prepare(quint32 TypeCode, TZUVOModule* Module);
    // Prepares and shows the selector modally.
    void ShowFor(quint32 TypeCode, TZUVOModule* Module);

    TAppDescriptor P340NewDuzorUdivovuz;
    TAppDescriptor P340DazoruDariderida;
    TAppFrameworkDlg* Host = nullptr;
    QScrollArea* ScrollBox = nullptr;
    QLabel* EmptyLb = nullptr;
    std::vector<TAppInfoFrm*> Rows;

    // Run when an application window was made, before the host shows it (tests reach it here).
    std::function<void(QWidget* AppForm)> OnAppCreated;

    void P340DazoruDarideridaExecute(TAppDescriptor* Sender);
    void P340NewDuzorUdivovuzExecute(TAppDescriptor* Sender);
    Q_INVOKABLE void UpdateLanguage();

private:
    void AddRow(TAppDescriptor* Descriptor);
    void Run(QWidget* Form, TAppController* Controller, TAppDescriptor* Descriptor);

    QVBoxLayout* FRowsLayout = nullptr;
    TZUVOModule* FModule = nullptr;
};
