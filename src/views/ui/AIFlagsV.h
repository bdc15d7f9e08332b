#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QtGlobal>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Channel flags": every field of an analog input's flags word at once. Made for each use.
class TAIFlagsV : public QDialog {
    Q_OBJECT
public:
    TAIFlagsV(quint32 Flags, bool PolynomialSupported, QWidget* parent = nullptr);

    // The flags as the choices made them (and OK's RMS points).
    quint32 Flags() const { return FFlags; }

    QButtonGroup* FormatGroup = nullptr;     // 0 float, 1 integer of 2 bytes, 2 of 3 bytes
    QButtonGroup* SequenceGroup = nullptr;   // "3210", "0123", "1032", "2301"
    QButtonGroup* ThermoGroup = nullptr;     // 0 off, 1 on
    QButtonGroup* PolynomialGroup = nullptr; // 0 off, 1 on
    QGroupBox* PolynomialBox = nullptr;
    QLineEdit* RmsPointsEdit = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    TMessageHook OnMessage;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void accept() override;

private:
    void ShowFlags();

    quint32 FFlags;
    QGroupBox* FFormatBox = nullptr;
    QGroupBox* FSequenceBox = nullptr;
    QGroupBox* FThermoBox = nullptr;
    QLabel* FRmsLabel = nullptr;
};
