#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDm;
class TKVDAVIX;

// Reads the four numbers of a conversion range (input start, input stop, output start, output
// stop) as the user typed them, "." or "," as the separator. On failure Error names the field.
struct TGVixRangeInput {
    std::array<float, 4> Values{};
    QString Error; // empty when the range can be written
};
TGVixRangeInput CheckGVixRange(const std::array<QString, 4>& Texts);

// The conversion range dialog: four numbers.
class TGVixRangeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TGVixRangeDlg(QWidget* parent = nullptr);
    void Setup(const std::array<float, 4>& Range);
    std::array<QString, 4> Texts() const;
    Q_INVOKABLE void UpdateLanguage();

    std::array<QLabel*, 4> Labels{};
    std::array<QLineEdit*, 4> Edits{};
    QPushButton *OkBtn = nullptr, *CancelBtn = nullptr;
};

// The KVD-A-VIX window (channel kind 14): the analog input's range, the GVix unit's output range,
// its normalization flag, conversion range and output value. Opening reads the input's settings and
// all of the unit's; a window whose reads fail does not open. A button that finds another exchange
// under way gives way and says nothing.
class TKVD_A_VIX_Form : public QDialog {
    Q_OBJECT
public:
    explicit TKVD_A_VIX_Form(TDm& Dm, QWidget* parent = nullptr);
    ~TKVD_A_VIX_Form() override;

    bool Load();
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();

    QLabel *lbAddress = nullptr, *lbInputRange = nullptr, *InputRangeLb = nullptr, *lbOutputRange = nullptr,
           *OutputRangeLb = nullptr, *lbConversion = nullptr, *ConversionLb = nullptr,
           *lbOutputValue = nullptr;
    QCheckBox* NormalizationCheck = nullptr;
    QLineEdit* OutputValueEdit = nullptr;
    QPushButton *RangeBtn = nullptr, *SetOutputBtn = nullptr, *RefreshBtn = nullptr, *CloseBtn = nullptr;
    TGVixRangeDlg* RangeDlg = nullptr;

    TMessageHook OnMessage;
    // Runs the conversion range dialog; replaceable for tests.
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void NormalizationCheckClick();
    void RangeBtnClick();
    void SetOutputBtnClick();
    void RefreshBtnClick();

private:
    bool Idle() const;
    // Reads the input's and the unit's settings; the first failure's text, empty on success.
    QString ReadAll();
    void ShowSettings();
    void Message(const QString& Text);

    TDm& FDm;
    TKVDAVIX* FModule = nullptr;
    bool FBusy = false;
};

// Makes the window the one the device properties window opens for kind 14.
void RegisterKVD_A_VIX_Window(TKVD_A_VIX_Form& Form);
