#pragma once

#include "discovery/UdpSearch.h"
#include "discovery/ui/SearchDialog.h"

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

// "Device detection" behind a gateway that owns its line (UDP, TCP): addresses only, no speeds.
class TUDPFindingDlg : public TSearchDialog {
    Q_OBJECT
public:
    TUDPFindingDlg(TNerixModule& Module, TAccessPoint& AP, QWidget* parent = nullptr);
    ~TUDPFindingDlg() override;

    void InitState() override;
    TUdpSearch& Search() { return *FSearch; }

    std::function<void()> OnScanStart;
    // Lists a device found; true when it was listed (a device already in the list is not).
    std::function<bool(const TUdpHit&)> OnDeviceFound;
    std::function<void(TTransferProtocol)> OnProtocolChange;

    Q_INVOKABLE void UpdateLanguage();

    QComboBox* ProtocolEdit = nullptr;

public Q_SLOTS:
    void ProtocolEditChange();

protected:
    TTransferProtocol ChosenProtocol() const override;
    void RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) override;
    void SetSearching(bool Searching) override;

private:
    TNerixModule& FModule;
    std::unique_ptr<TUdpSearch> FSearch;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FStartLbl = nullptr;
    QLabel* FStopLbl = nullptr;
    QLabel* FAddressCaptionLbl = nullptr;
};
