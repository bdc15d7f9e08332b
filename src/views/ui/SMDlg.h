#pragma once

#include "model/SMModbusMap.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QValueAxis;
class TAccessPoint;
class TPowerRsBus;

// What a row of the register list shows for a parameter's value, and what the user may type.
QString SMValueText(const TModbusParameter& Parameter);
// Parses an entry for the parameter and stores it through the setter; false (nothing changed) when
// the text is not a value of the parameter's type.
bool SMSetValueFromText(TModbusParameter& Parameter, const QString& Text);
// "2000" for a one-register parameter, "2001/2002" for two.
QString SMRegisterText(const TModbusParameter& Parameter);
// FloatMask "0.00" → 2 decimals.
int SMDecimalsOf(const QString& FloatMask);

// The stepper controller's register map: a live list of its parameters, a chart of their values and
// the frames exchanged. While it is open the map talks to the controller on its own port, so the
// program's bus lets go of the line and takes it back, as it was, when the window closes. Behind a
// gateway the map goes through the current access point instead and the bus is left alone.
class TSMDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPoints = 3000;
    static constexpr int kMaxTrafficRows = 2000;

    TSMDlg(TPowerRsBus& AppBus, QWidget* parent = nullptr);
    ~TSMDlg() override;

    // Opens the map for the device at Address: over the program's serial bus's line when Gateway is
    // null, else through Gateway. Then shows the window modally and closes the map when it ends.
    void Execute(quint8 Address, TAccessPoint* Gateway = nullptr);
    // The two halves of Execute, for callers that do not want a modal loop.
    void Start(quint8 Address, TAccessPoint* Gateway = nullptr);
    void Finish();
    Q_INVOKABLE void UpdateLanguage();

    TSMModbusMap& Map() { return *FMap; }
    bool MapRunning() const;
    int Cycles() const { return FCycles; }

    QTabWidget* Pages = nullptr;
    QTreeWidget* RegisterList = nullptr;
    QListWidget* SeriesList = nullptr;
    QChartView* ChartView = nullptr;
    QCheckBox* ShowTrafficCheck = nullptr;
    QListWidget* TrafficList = nullptr;
    QPushButton *ClearBtn = nullptr, *CopyBtn = nullptr, *CloseBtn = nullptr;
    QLabel *lbState = nullptr, *StateLb = nullptr;

    // Asks for a new value (caption, prompt, current text); nothing when the user cancels.
    std::function<std::optional<QString>(const QString& Caption, const QString& Prompt, const QString& Text)>
        OnInput;
    std::function<void(const QString& Text)> OnMessage;

public Q_SLOTS:
    void EditRow(int Row);
    void ClearBtnClick();
    void CopyBtnClick();

protected:
    void reject() override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildRows();
    void RefreshRows();
    void AfterRefresh();
    void UpdateAxes();
    void AddTraffic(int Direction, const TRequest& Request);
    void Message(const QString& Text);

    TPowerRsBus& FAppBus;
    std::unique_ptr<TSMModbusMap> FMap;
    std::unique_ptr<TAccessPointTransport> FGatewayTransport;
    bool FStarted = false;
    bool FBusWasOpen = false;
    bool FOptionsApplied = false;
    int FCycles = 0;
    QElapsedTimer FClock;
    QChart* FChart = nullptr;
    QValueAxis *FAxisX = nullptr, *FAxisY = nullptr;
    std::vector<QLineSeries*> FSeries;
};

// Makes the window the one the device properties window opens for the stepper controller's map.
class TDm;
void RegisterSMWindow(TSMDlg& Dlg, TDm& Dm);
