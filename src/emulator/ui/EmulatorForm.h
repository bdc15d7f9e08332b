#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
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
class TEmulatorStatsView;
class TEmulatorTcpServer;
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

// "Select devices": which modules to emulate, how many of each, on which serial port, speed and
// protocol, or for TCP masters on which TCP port (raw or Modbus TCP); the faults the serial line
// makes (the same text form as the emulate command's --faults) and what the bus has seen.
class TEmulatorForm : public QDialog {
    Q_OBJECT
public:
    TEmulatorForm(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server, TEmulatorOptions& Options,
                  QWidget* parent = nullptr);

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
    // TCP masters instead of the serial port.
    QCheckBox* TcpCheck = nullptr;
    QSpinBox* TcpPortEdit = nullptr;
    QCheckBox* MbapCheck = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QTabWidget* Pages = nullptr;
    // The "Faults" page.
    QLineEdit* FaultsEdit = nullptr;
    QLineEdit* SeedEdit = nullptr;
    QLabel* FaultsState = nullptr;
    // Shown while TCP is chosen: the faults are the serial line's.
    QLabel* FaultsTcpNote = nullptr;
    // The "Statistics" page.
    TEmulatorStatsView* StatsView = nullptr;

public Q_SLOTS:
    void ApplyBtnClick();
    void DeviceListDblClick(QTreeWidgetItem* Item);

private:
    void Message(const QString& text);
    void CheckFaults();
    // Enables what the serial/TCP choice leaves in use.
    void UpdateLineControls();

    TVirtualDeviceManager& FManager;
    TEmulatorTcpServer& FServer;
    TEmulatorOptions& FOptions;
    TVirtualDeviceEditorForm* FEditor = nullptr;
    QLabel* FPortLbl = nullptr;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FFaultsLbl = nullptr;
    QLabel* FSeedLbl = nullptr;
    QLabel* FFaultsHelp = nullptr;
    QLabel* FTcpPortLbl = nullptr;
};
