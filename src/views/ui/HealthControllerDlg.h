#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpacerItem;
class QTreeWidget;
class QTreeWidgetItem;
class TIntachnessCtrlChannel;
class TZUVOModule;

// What a family's health controller window edits beside the timeout and the reset condition.
struct THealthControllerField {
    enum TKind { Hex, Float, SafeValue }; // SafeValue: one analog output's safe value (by Index)
    TKind Kind = Hex;
    int Index = 0;  // parameter index, or the output for SafeValue
    int Digits = 2; // hexadecimal digits shown
    QString Label;
};
// A row of the list windows (discrete, frequency and analog outputs with the watchdog's check box).
struct THealthControllerListRow {
    // Bit: one bit (Index) of the safe states parameter, 0 or 1; Float: a float parameter (Index);
    // SafeValue: an analog output's safe value (Index is the output).
    enum TKind { Bit, Float, SafeValue };
    TKind Kind = Bit;
    int Index = 0;
    QString Name;
    // A frequency output is stopped (0) or runs from 15 Hz to 300 kHz.
    bool FrequencyLimits = false;
};
struct THealthControllerFamily {
    bool TimeoutInSeconds = false;
    std::vector<THealthControllerField> Fields;

    // The list windows: one row per output, its check box = the watchdog controls that output.
    std::vector<THealthControllerListRow> Rows;
    int StatesParameter = 0; // the parameter whose bits the Bit rows are
    int CheckParameter = -1; // the parameter whose bits are the check boxes (bit i = row i)
    // The order of the transfers: the safe states, then the check boxes before the values (the MIO
    // family) or after them (the others).
    bool ChecksBeforeValues = false;
    // A Bit row toggles on a double click instead of asking for 0 or 1.
    bool ToggleBits = false;
    // Refused input leaves the row as it was without a word (the frequency output family), instead
    // of naming the refused text.
    bool SilentRefusal = false;
    enum TMenu { NoMenu, AllOnly, DOAndFO };
    TMenu Menu = NoMenu;
    bool HasList() const { return !Rows.empty(); }
};
// The family a window of the dispatch table stands for; AnalogOutputs counts the outputs of the
// analog output window (by type code).
THealthControllerFamily HealthControllerFamilyFor(const QString& Window, quint32 TypeCode);

// The system health controller of an output module: read everything on opening, edit, write
// everything on "Apply". Every family uses this one window with its own fields.
class THealthControllerDlg : public QDialog {
    Q_OBJECT
public:
    explicit THealthControllerDlg(QWidget* parent = nullptr);
    ~THealthControllerDlg() override;

    // Reads the controller and shows the window modally; true when "Apply" wrote everything.
    bool Execute(TIntachnessCtrlChannel& Controller, const THealthControllerFamily& Family,
                 const QString& Caption, const QString& AddressText, const QString& RateText);
    Q_INVOKABLE void UpdateLanguage();

    QLabel *lbAddress = nullptr, *lbRate = nullptr, *lbTimeout = nullptr, *lbReset = nullptr;
    QLineEdit* TimeoutEdit = nullptr;
    QComboBox* OnlyDevicePoolBox = nullptr;
    QPushButton *CloseBtn = nullptr, *ApplyBtn = nullptr;
    std::vector<QLineEdit*> FieldEdits;
    // The list windows' list ("#", "Channel", "Value"; the check box of a row = the output is
    // controlled) and its context menu; hidden in the other windows.
    QTreeWidget* MaskLV = nullptr;
    QMenu* MaskMenu = nullptr;
    QAction *SelectDOItem = nullptr, *UnSelectDOItem = nullptr, *SelectFOItem = nullptr,
            *UnSelectFOItem = nullptr, *SelectAllItem = nullptr, *UnSelectAllItem = nullptr;
    // Shows a message; replaceable for tests.
    std::function<void(const QString&)> OnMessage;
    // Asks for a row's new value ("Input value" / "Value"), given the current text; nothing when the
    // user cancels. Replaceable for tests.
    std::function<std::optional<QString>(const QString& Current)> OnInputValue;

    // The window's copy of a row's value (not yet written).
    double RowValue(int Row) const { return FRowValues.at(size_t(Row)); }

public Q_SLOTS:
    void ApplyBtnClick();
    void CloseBtnClick();
    // Double click, or Enter: edits the one selected row.
    void MaskLVDblClick();
    // The context menu's commands: check or clear the rows of one sort, only in the window's copy.
    void SelectDOClick() { SetChecks(THealthControllerListRow::Bit, true); }
    void UnSelectDOClick() { SetChecks(THealthControllerListRow::Bit, false); }
    void SelectFOClick() { SetChecks(THealthControllerListRow::Float, true); }
    void UnSelectFOClick() { SetChecks(THealthControllerListRow::Float, false); }
    void SelectAllClick() { SetChecks(std::nullopt, true); }
    void UnSelectAllClick() { SetChecks(std::nullopt, false); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool ReadAll();
    bool ReadList();
    bool WriteList();
    void BuildList();
    void ShowRowValue(int Row);
    void SetChecks(std::optional<THealthControllerListRow::TKind> Kind, bool Checked);
    void Message(const QString& Text);

    TIntachnessCtrlChannel* FController = nullptr;
    THealthControllerFamily FFamily;
    QFormLayout* FForm = nullptr;
    std::vector<QLabel*> FFieldLabels;
    std::vector<double> FRowValues;
    QSpacerItem* FTitleRoom = nullptr;
};

// Makes this window the one the device properties window opens for every health controller channel,
// and lets the properties window's marker read the controllers.
void RegisterHealthControllerWindows(THealthControllerDlg& Dlg);
