#pragma once

#include "model/FlowChannel.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class TCustomFlowModule;
class TDm;
class TProcessTimer;

// The six coefficients of a flowmeter channel's polynomial.
class TFlowPolynomialDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFlowPolynomialDlg(QWidget* parent = nullptr);
    void Setup(const QString& Channel, const std::array<float, TFlowChannel::kPolynomialSize>& Values);
    Q_INVOKABLE void UpdateLanguage();

    std::array<QLabel*, TFlowChannel::kPolynomialSize> Labels{};
    std::array<QLineEdit*, TFlowChannel::kPolynomialSize> Edits{};
    QPushButton *OkBtn = nullptr, *CancelBtn = nullptr;

private:
    QString FChannel;
};

// The flowmeter channels of KVD-RS-BUS and KVD-RS-VIXPro (channel kind 18): one row per channel the
// device reports, its settings on one page (switch, type, counting edge, response time, impulse
// weight, polynomial) on one page, its alarm and relay (sources and limits) on the next and its
// measurements on the last (input, output, pulse count with its reset, frequency, consumption, flow
// speed), polled for the connected
// channels while the window is open. The relay normal state and the measurement time belong to the
// whole module and are kept on its first channel. Every edit is written at once; one the device
// refuses goes back to the value it had.
class TKvdRsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;
    enum TSettingsColumn {
        scChannel,
        scConnected,
        scType,
        scFront,
        scResponseTime,
        scImpulseWeight,
        scPolynomial,
        scCount
    };
    enum TLimitsColumn {
        lcChannel,
        lcAlarmSource,
        lcAlarmLow,
        lcAlarmHigh,
        lcRelaySource,
        lcRelayLow,
        lcRelayHigh,
        lcCount
    };
    enum TMeasurementColumn {
        mcChannel,
        mcInput,
        mcOutput,
        mcPulseCount,
        mcReset,
        mcFrequency,
        mcConsumption,
        mcFlowSpeed,
        mcCount
    };

    explicit TKvdRsDlg(TDm& Dm, QWidget* parent = nullptr);
    ~TKvdRsDlg() override;

    // Reads the channel count and the shown channels' settings. False, with nothing shown, when the
    // current module is not a flowmeter; a device that does not answer opens an empty table with the
    // reason said.
    bool Load();
    // Load, then the window with its polling until it closes.
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();
    int RowCount() const { return int(FRows.size()); }

    // The user's choice of a type on a row (what the type list does).
    void ChooseType(int Row, quint16 Type);
    // The other lists of a row: the counting edge (0 rear, 1 front) and the two sources (Column
    // lcAlarmSource or lcRelaySource).
    void ChooseFront(int Row, int Index);
    void ChooseSource(int Row, int Column, quint16 Source);
    void PolynomialBtnClick(int Row);
    void ResetBtnClick(int Row);

    QLabel* lbAddress = nullptr;
    QTabWidget* Pages = nullptr;
    QTableWidget* SettingsTable = nullptr;
    QTableWidget* LimitsTable = nullptr;
    QTableWidget* MeasurementsTable = nullptr;
    QCheckBox* RelayNormalStateCheck = nullptr;
    QLabel* lbMeasureTime = nullptr;
    QLineEdit* MeasureTimeEdit = nullptr;
    QPushButton *MeasureTimeBtn = nullptr, *RefreshBtn = nullptr, *StartBtn = nullptr, *CloseBtn = nullptr;
    TFlowPolynomialDlg* PolynomialDlg = nullptr;
    TProcessTimer* Timer = nullptr;
    std::vector<QComboBox*> TypeBoxes, FrontBoxes, AlarmSourceBoxes, RelaySourceBoxes;
    std::vector<QPushButton*> PolynomialBtns, ResetBtns;

    TMessageHook OnMessage;
    // Runs the polynomial dialog; replaceable for tests.
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void TimerTimer();
    void RefreshBtnClick();
    void StartBtnClick();
    void RelayNormalStateCheckClick();
    void MeasureTimeBtnClick();

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

private:
    struct TRow {
        bool Read = false;     // the settings came from the device; only then is the row edited or polled
        bool Measured = false; // the measurements shown came from the device
    };

    bool Idle() const;
    TFlowChannel* Channel(int Row) const;
    QString ChannelName(int Row) const;
    QStringList ReadEverything();
    void BuildRows();
    void ShowTable();
    void ShowRow(int Row);
    void ShowMeasurements(int Row);
    void ShowModuleSettings();
    void FillLists();
    void SettingsItemChanged(QTableWidgetItem* Item);
    void MeasurementsItemChanged(QTableWidgetItem* Item);
    // Runs one write under the exchange guard; false when it failed or another exchange was running.
    bool Write(const std::function<bool()>& Transfer);
    void WriteFailed(int Row, const QString& What);
    void Message(const QString& Text);

    TDm& FDm;
    TCustomFlowModule* FModule = nullptr;
    std::vector<TRow> FRows;
    bool FBusy = false;
    // Set while the window fills cells, whose change signals are not edits.
    bool FFilling = false;
};

// Makes the window the one the device properties window opens for kind 18.
void RegisterKvdRsWindow(TKvdRsDlg& Form);
