#pragma once

#include "model/Ranges.h"
#include "views/AnalogChannelForms.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QSlider;
class TAOChannel;

// The sine generator: drives a real analog output with a sine of N points per period, one write per
// point, until Stop. The window that opens it writes each point (so that its own guard against
// nested exchanges applies) and follows each point sent.
class TSineGeneratorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSineGeneratorDlg(QWidget* parent = nullptr);
    ~TSineGeneratorDlg() override;

    // Prepares the window for Channel in the range of Record, the amplitude bar at StartValue.
    void Setup(TAOChannel* Channel, const TPrTblRecord& Record, double StartValue);

    TAOChannel* Channel() const { return FChannel; }
    TSinePlayer* Player = nullptr;
    // Writes one point; unassigned, the channel's WriteOutput.
    std::function<TSineWrite(float Value)> Write;
    // Every point written (the listener of the caller).
    std::function<void(float Value, TSineWrite Result)> OnPoint;

    QLabel* RangeLb = nullptr;
    QLabel* PointsLb = nullptr;
    QLabel* AmplitudeLb = nullptr;
    QLabel* OffsetLb = nullptr;
    QSlider* PointsTrack = nullptr;
    QSlider* AmplitudeTrack = nullptr;
    QSlider* OffsetTrack = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void StartBtnClick();
    void StopBtnClick();
    void TrackChange();
    void done(int Result) override;

private:
    QString ValueText(double Value) const;
    void Stopped();

    TAOChannel* FChannel = nullptr;
    TPrTblRecord FRecord;
    QLabel* FRangeCaption = nullptr;
    QLabel* FPointsCaption = nullptr;
    QLabel* FAmplitudeCaption = nullptr;
    QLabel* FOffsetCaption = nullptr;
};
