#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "LED limits": the minimum and maximum between which the indicator lights.
class TaiSimpleLedLimit : public QDialog {
    Q_OBJECT
public:
    explicit TaiSimpleLedLimit(QWidget* parent = nullptr);

    void Setup(float Low, float High);
    float Low() const { return FLow; }
    float High() const { return FHigh; }

    QLineEdit* MinEdit = nullptr;
    QLineEdit* MaxEdit = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    TMessageHook OnMessage;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void accept() override;

private:
    float FLow = 0;
    float FHigh = 0;
    QLabel* FMinLabel = nullptr;
    QLabel* FMaxLabel = nullptr;
};
