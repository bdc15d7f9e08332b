#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TEmulatorOptions;
class TVirtualDeviceManager;

// "Editor": the number of devices of one row, 1 to 10.
class TVirtualDeviceEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TVirtualDeviceEditorForm(QWidget* parent = nullptr);
    // Shows the editor on Count; true, with Count replaced, on "Apply".
    bool Execute(int& Count);
    Q_INVOKABLE void UpdateLanguage();

    QSpinBox* NumberEdit = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    QLabel* FPromptLbl = nullptr;
    QLabel* FNumberLbl = nullptr;
};

// "Select devices": which modules to emulate, how many of each, on which port, speed and protocol;
// the faults they make (the same text form as the emulate command's --faults) and what the running
// bus has seen so far.
class TEmulatorForm : public QDialog {
    Q_OBJECT
public:
    TEmulatorForm(TVirtualDeviceManager& Manager, TEmulatorOptions& Options, QWidget* parent = nullptr);

    Q_INVOKABLE void UpdateLanguage();
    // The port, speed and protocol choices as the options store them.
    void LoadOptions();

    // Shows a message; a message box unless replaced (tests replace it).
    std::function<void(const QString& Text)> OnMessage;
    // Asks the editor for a row's count; the editor window unless replaced.
    std::function<bool(int& Count)> OnEditCount;

    QTreeWidget* DeviceList = nullptr;
    QComboBox* PortBox = nullptr;
    QComboBox* RateBox = nullptr;
    QComboBox* ProtocolBox = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QTabWidget* Pages = nullptr;
    // The "Faults" page.
    QLineEdit* FaultsEdit = nullptr;
    QLineEdit* SeedEdit = nullptr;
    QLabel* FaultsState = nullptr;
    // The "Statistics" page: a row per device and one for other addresses.
    QTreeWidget* StatsList = nullptr;
    QLabel* StatsInfo = nullptr;
    QPushButton* ResetStatsBtn = nullptr;

public Q_SLOTS:
    void ApplyBtnClick();
    void DeviceListDblClick(QTreeWidgetItem* Item);
    // Fills the statistics page from the manager (a timer does it while the window is open).
    void UpdateStatistics();

private:
    void Message(const QString& text);
    void CheckFaults();

    TVirtualDeviceManager& FManager;
    TEmulatorOptions& FOptions;
    TVirtualDeviceEditorForm* FEditor = nullptr;
    QLabel* FPortLbl = nullptr;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FFaultsLbl = nullptr;
    QLabel* FSeedLbl = nullptr;
    QLabel* FFaultsHelp = nullptr;
    QTimer* FStatsTimer = nullptr;
};
