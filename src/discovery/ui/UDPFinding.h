#pragma once

#include "discovery/UdpSearch.h"

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Device detection" behind a UDP gateway: addresses only, no speeds.
class TUDPFindingDlg : public QDialog {
    Q_OBJECT
public:
    TUDPFindingDlg(TNerixModule& Module, TUdpPortAccessPoint& AP, QWidget* parent = nullptr);
    ~TUDPFindingDlg() override;

    // Resets the controls and shows the dialog modally; true when "Search first device" found one.
    bool Execute();
    void InitState();
    TUdpSearch& Search() { return *FSearch; }

    std::function<void()> OnScanStart;
    std::function<void(const TUdpHit&)> OnDeviceFound;
    std::function<void(TTransferProtocol)> OnProtocolChange;

    Q_INVOKABLE void UpdateLanguage();

    QComboBox* ProtocolEdit = nullptr;
    QLineEdit* StartEdit = nullptr;
    QLineEdit* StopEdit = nullptr;
    QLabel* CurrentAddressLbl = nullptr;
    QPushButton* StartOneBtn = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

public Q_SLOTS:
    void ProtocolEditChange();
    void StartBtnClick();
    void CloseBtnClick();
    void reject() override;

private:
    void SetSearching(bool searching);

    TNerixModule& FModule;
    std::unique_ptr<TUdpSearch> FSearch;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FStartLbl = nullptr;
    QLabel* FStopLbl = nullptr;
    QLabel* FAddressCaptionLbl = nullptr;
};
