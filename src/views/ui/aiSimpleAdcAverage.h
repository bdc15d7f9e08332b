#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

// The filter dialog of the eight-channel input window: the filter's cutoff in steps of 0.5 Hz
// (0 switches the filter off) and the response time.
class TaiSimpleAdcAverage : public QDialog {
    Q_OBJECT
public:
    explicit TaiSimpleAdcAverage(QWidget* parent = nullptr);

    // Cutoff below 0 (or no number) counts as 0, above 50 Hz as 50. ShowRate: the converter's rate
    // is shown (the module whose rate follows the filter).
    void Setup(quint16 ResponseTime, float Cutoff, bool ShowRate);
    float Cutoff() const;
    quint16 ResponseTime() const;

    QSlider* FrequencyTrack = nullptr;
    QLabel* FrequencyLb = nullptr;
    QSlider* ResponseTrack = nullptr;
    QLabel* ResponseLb = nullptr;
    QLabel* RateCaption = nullptr;
    QLabel* RateLb = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void TrackChange();

private:
    QLabel* FFrequencyCaption = nullptr;
    QLabel* FResponseCaption = nullptr;
    bool FShowRate = false;
};
