#pragma once

#include "converters/ConverterCodes.h"

#include <QDialog>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class TAccessPoint;

// The converter configurators: pick a speed, "Apply" sends its code byte through the access point the
// main window holds. The result of the exchange is not shown (the converters answer nothing), and the
// dialog stays open to send again. Esc closes it.
class TCustomConvCfgDlg : public QDialog {
    Q_OBJECT
public:
    TCustomConvCfgDlg(TConverterKind Kind, TAccessPoint* AP, QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    TConverterKind Kind() const { return FKind; }
    void FitCaption();

    QLabel* Label1 = nullptr;
    QComboBox* RateBox = nullptr;
    QPushButton* Button1 = nullptr;
    QAction* actExit = nullptr;

public Q_SLOTS:
    void Button1Click();
    void actExitExecute();

private:
    TConverterKind FKind;
    TAccessPoint* FAP;
};

class TConvCfgDlg : public TCustomConvCfgDlg {
    Q_OBJECT
public:
    explicit TConvCfgDlg(TAccessPoint* AP, QWidget* parent = nullptr);
};

class TConvCfgDoubleDlg : public TCustomConvCfgDlg {
    Q_OBJECT
public:
    explicit TConvCfgDoubleDlg(TAccessPoint* AP, QWidget* parent = nullptr);
};

class TConvCfgRepeaterDlg : public TCustomConvCfgDlg {
    Q_OBJECT
public:
    explicit TConvCfgRepeaterDlg(TAccessPoint* AP, QWidget* parent = nullptr);
};

// Each action creates its dialog on the access point CurrentAP gives at that moment, shows it
// modally and destroys it when it closes.
void ConnectConverterActions(QAction* actRS232LANRS485, QAction* actConvCfgDouble, QAction* actCfgRepeater,
                             std::function<TAccessPoint*()> CurrentAP, QWidget* Parent);
