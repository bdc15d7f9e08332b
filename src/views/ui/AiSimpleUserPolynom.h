#pragma once

#include "views/AnalogInputDialogs.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QtGlobal>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TSimpleChannel;

// "User polynomial": the coefficients A, B, C of A*x^2 + B*x + C, and a calibration that finds them
// from three points (a raw value the channel reads and the value it should be made).
class TaiSimpleUserPolynom : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClosedHeight = 190;
    static constexpr int kOpenHeight = 310;

    // What "Get value" got from the channel.
    struct TValueRead {
        bool Done = false; // false: the line was busy with another exchange, so nothing was asked
        bool Ok = false;
        float Value = 0;
    };
    using TValueReader = std::function<TValueRead()>;

    explicit TaiSimpleUserPolynom(QWidget* parent = nullptr);

    // Before each use: the coefficients and flags come from the channel; ReadValue reads its present
    // value for "Get value".
    void Setup(const TSimpleChannel& Channel, TValueReader ReadValue);
    // What Apply accepted, in the channel's property order.
    std::array<float, 3> Coefficients() const { return FCoefficients; }
    bool Locked() const;
    const TPolynomialCalibration& Calibration() const { return FCalibration; }

    std::array<QLineEdit*, 3> CoefficientEdits{};
    QCheckBox* CalibrationBox = nullptr;
    QWidget* CalibrationPanel = nullptr;
    QWidget* Lock = nullptr;
    std::array<QLineEdit*, 3> RawEdits{};
    std::array<QLineEdit*, 3> MadeEdits{};
    std::array<QPushButton*, 3> GetValueBtns{};
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    TMessageHook OnMessage;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void accept() override;
    void CalibrationBoxClick();
    // Leaving a coefficient edit (or Enter).
    void CoefficientExit(int Index);
    // Leaving a calibration edit (or Enter).
    void PointExit(int Point, int Column);
    void GetValueClick(int Point);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void Recompute();
    void FitHeight();
    QLineEdit* PointEdit(int Point, int Column) const;

    TValueReader FReadValue;
    TPolynomialCalibration FCalibration;
    std::array<float, 3> FCoefficients{};
    bool FLocked = true;
    bool FChecking = false;
    QLabel* FFormula = nullptr;
    std::array<QLabel*, 3> FCoefficientLabels{};
    std::array<QLabel*, 3> FPointLabels{};
    QLabel* FRawLabel = nullptr;
    QLabel* FMadeLabel = nullptr;
    QLabel* FGetLabel = nullptr;
    QLabel* FLockText = nullptr;
};
