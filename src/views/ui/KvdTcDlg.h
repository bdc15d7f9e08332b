#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class TDm;
class TKVDTCBUS;
class TProcessTimer;
class TTermoChannel;

// The temperature channels of KVD-TC-BUS (channel kind 17 on type 22): one row per channel the
// device reports (row 0 the controller's own temperature, then the DS1820 sensors) with its switch,
// temperature and alarm and relay limits, and the module's relay normal state. Every edit is written
// at once; one the device refuses goes back to the value it had. The temperatures of the enabled
// channels are polled while the window is open.
class TKvdTcDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;
    enum TColumn {
        colChannel,
        colEnabled,
        colTemperature,
        colAlarmOn,
        colAlarmLow,
        colAlarmHigh,
        colRelayOn,
        colRelayLow,
        colRelayHigh,
        colCount
    };

    explicit TKvdTcDlg(TDm& Dm, QWidget* parent = nullptr);
    ~TKvdTcDlg() override;

    // Reads the channel count and the shown channels' settings. False, with nothing shown, when the
    // current module is not a temperature module; a device that does not answer opens an empty table
    // with the reason said.
    bool Load();
    // Load, then the window with its polling until it closes.
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();
    int RowCount() const { return int(FRows.size()); }

    QLabel* lbAddress = nullptr;
    QTableWidget* Table = nullptr;
    QCheckBox* RelayNormalStateCheck = nullptr;
    QPushButton *RefreshBtn = nullptr, *StartBtn = nullptr, *CloseBtn = nullptr;
    TProcessTimer* Timer = nullptr;

    TMessageHook OnMessage;

public Q_SLOTS:
    void TimerTimer();
    void RefreshBtnClick();
    void StartBtnClick();
    void RelayNormalStateCheckClick();

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

private:
    enum class TTemperature { None, Value, NoAnswer };
    struct TRow {
        bool Read = false; // the settings came from the device; only then is the row edited or polled
        TTemperature State = TTemperature::None;
        float Temperature = 0;
    };

    bool Idle() const;
    TTermoChannel* Channel(int Row) const;
    QString ChannelName(int Row) const;
    // The count and every shown channel's settings; the texts to tell the user.
    QStringList ReadEverything();
    void ShowTable();
    void ShowRow(int Row);
    void ShowTemperature(int Row);
    void ItemChanged(QTableWidgetItem* Item);
    bool WriteCell(TTermoChannel& Channel, int Column, bool Checked, float Value);
    void Message(const QString& Text);

    TDm& FDm;
    TKVDTCBUS* FModule = nullptr;
    std::vector<TRow> FRows;
    bool FBusy = false;
    // Set while the window fills cells, whose change signals are not edits.
    bool FFilling = false;
};

// Makes the window the one the device properties window opens for kind 17 on type 22.
void RegisterKvdTcWindow(TKvdTcDlg& Form);
