#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
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
struct THealthControllerFamily {
    bool TimeoutInSeconds = false;
    std::vector<THealthControllerField> Fields;
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
    // Shows a message; replaceable for tests.
    std::function<void(const QString&)> OnMessage;

public Q_SLOTS:
    void ApplyBtnClick();
    void CloseBtnClick();

private:
    bool ReadAll();
    void Message(const QString& Text);

    TIntachnessCtrlChannel* FController = nullptr;
    THealthControllerFamily FFamily;
    QFormLayout* FForm = nullptr;
    std::vector<QLabel*> FFieldLabels;
};

// Makes this window the one the device properties window opens for every health controller channel,
// and lets the properties window's marker read the controllers.
void RegisterHealthControllerWindows(THealthControllerDlg& Dlg);
