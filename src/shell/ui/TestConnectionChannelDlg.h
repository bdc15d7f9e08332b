#pragma once

#include "shell/ConnectionTest.h"

#include <QDialog>
#include <vector>

class QTimer;
class QTreeWidget;
class TDm;
struct TDeviceProps;
class TZUVOModule;

// "Test Connection Channel": asks the selected device for its serial number on every tick of a
// 50 ms timer, once the selection has stood for 500 ms, and counts transactions and errors per row.
class TTestConnectionChannelDlg : public QDialog {
    Q_OBJECT
public:
    TTestConnectionChannelDlg(TDm& Dm, QWidget* parent = nullptr);
    ~TTestConnectionChannelDlg() override;

    struct TDeviceContext {
        TDeviceProps* Device = nullptr;
        int Transactions = 0;
        int Errors = 0;
    };

    // One timer tick at monotonic time Now (the timer passes the clock; tests pass their own).
    void Tick(quint64 Now);
    const TDeviceContext& Context(int Row) const { return FRows[size_t(Row)]; }
    const TConnectionTestMachine& Machine() const { return FMachine; }
    QTreeWidget* List = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One transaction; true when the device answered.
    bool TestRow(int Row);

    TDm& FDm;
    TConnectionTestMachine FMachine;
    std::vector<TDeviceContext> FRows;
    QTimer* FTimer = nullptr;
    bool FEscape = false;
    bool FBusy = false;
    // What was current before the test, put back when it ends.
    TDeviceProps* FSavedDevice;
    TZUVOModule* FSavedModule;
};
