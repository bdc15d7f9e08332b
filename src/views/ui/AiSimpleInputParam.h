#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QtGlobal>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class TPrTbl;
class TRangeList;

// "Select range": the parameter and the range of an analog input among the ranges the channel
// offers, and the range's user scale (lower and upper value) in an area that opens with "+".
class TAiSimpleInputParam : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClosedHeight = 150;
    static constexpr int kOpenHeight = 220;

    explicit TAiSimpleInputParam(QWidget* parent = nullptr);

    // Before each use: the channel's range list (Apply writes the chosen range's scale into it), the
    // ranges table for names, whether thermocouples and thermoresistances are offered, and the code
    // to select.
    void Setup(TRangeList* Ranges, const TPrTbl* Table, bool AllParameters, quint16 Code);
    // The chosen range's code; 0 when none is chosen.
    quint16 Code() const;
    // Apply wrote the scale edits into the chosen range.
    bool ScaleChanged() const { return FScaleChanged; }

    QComboBox* InputParameterBox = nullptr;
    QComboBox* RangeBox = nullptr;
    QToolButton* ExtensionBtn = nullptr;
    QWidget* Extension = nullptr;
    QLineEdit* MinEdit = nullptr;
    QLineEdit* MaxEdit = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void accept() override;
    void InputParameterBoxChange();
    void RangeBoxChange();
    void ExtensionBtnClick();

private:
    void FitHeight();

    TRangeList* FRanges = nullptr;
    const TPrTbl* FTable = nullptr;
    bool FScaleChanged = false;
    bool FLoading = false;
    QLabel* FParameterLabel = nullptr;
    QLabel* FRangeLabel = nullptr;
    QLabel* FPossibleLabel = nullptr;
    QLabel* FMinLabel = nullptr;
    QLabel* FMaxLabel = nullptr;
};
