#pragma once

#include "apps/AppFramework.h"
#include "options/ui/DtContainerDlg.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QTableWidget;
class TDataContainer;
class TRegFloat;
class TRegInteger;
class TRegString;
class TRegValueCategory;
class TZUVOModule;

// What both weight-controller applications share: the device, the controller, and the parameters
// kept in the registry store (poll and save interval, data folder), copied into the controller and
// its saver when the window is made and after they were edited.
class TP340AppForm : public QWidget {
    Q_OBJECT
public:
    TP340AppForm(TZUVOModule* Module, const QString& ApplicationName, QWidget* parent = nullptr);
    ~TP340AppForm() override;

    TAppController AppController;
    TDataContainer* DataContainer = nullptr;
    TDataContainerDialog DataContainerDialog;
    TRegValueCategory* FileCategory = nullptr;
    TRegInteger* PoolInterval = nullptr;
    TRegInteger* SaveInterval = nullptr;
    TRegString* FileDir = nullptr;

    // The columns of the log's header line, after "Time".
    virtual QStringList LogColumns() const = 0;
    Q_INVOKABLE virtual void UpdateLanguage();

protected:
    // The window's part of the set-up, after the derived class declared its own parameters: collect,
    // load, copy into the controller, bind OnOptions.
    void FinishParameters();
    // Copies the parameters into the controller and the saver.
    void ApplyParameters();
    void AppControllerOptions(TAppController* Sender);
    // Writes one line of the fields when the saver says one is due.
    void WriteLogLine(const QStringList& Fields);
    static QString Cell(bool Ok, double Value);

    TZUVOModule* FModule;
};

// "Power Measurer": for each analog input, the measured value and the three network quantities of
// the device (properties 32, 34 and 35), refreshed at the poll interval.
class TP340PowerNetAnalizerDlg : public TP340AppForm {
    Q_OBJECT
public:
    static constexpr quint16 kQuantities[3] = {32, 34, 35};

    explicit TP340PowerNetAnalizerDlg(TZUVOModule* Module, QWidget* parent = nullptr);

    TRegValueCategory* CoefCategory = nullptr;
    TRegFloat* Kv = nullptr;
    TRegFloat* Ki = nullptr;
    QTableWidget* ValuesGrid = nullptr;

    QStringList LogColumns() const override;
    void UpdateLanguage() override;
    void AppControllerRefresh(TAppController* Sender);
};

// "Weight Controller": each analog input's value with its range's unit, and the module's discrete
// inputs and outputs.
class TP340DazoruDarideridaDlg : public TP340AppForm {
    Q_OBJECT
public:
    explicit TP340DazoruDarideridaDlg(TZUVOModule* Module, QWidget* parent = nullptr);

    QTableWidget* AnalogGrid = nullptr;
    QTableWidget* DiscreteGrid = nullptr;
    QLabel* AnalogLb = nullptr;
    QLabel* DiscreteLb = nullptr;

    QStringList LogColumns() const override;
    void UpdateLanguage() override;
    void AppControllerRefresh(TAppController* Sender);
    // Reads each input's selected range for its unit.
    void AppControllerStart(TAppController* Sender);

private:
    int DiscreteInputs() const;
    int DiscreteOutputs() const;
    std::vector<QString> FUnits;
};
