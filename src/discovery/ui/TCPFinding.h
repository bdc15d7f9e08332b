#pragma once

#include "discovery/BusScan.h"
#include "discovery/ui/SearchDialog.h"

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

// "Device detection" through a TCP converter: the serial bus scan over its access point, by
// addresses only (the converter owns the line's speed). A Modbus TCP gateway carries Modbus alone,
// so the protocol list then offers nothing else.
class TTCPFindingDlg : public TSearchDialog {
    Q_OBJECT
public:
    TTCPFindingDlg(TNerixModule& Module, TAccessPoint& AP, QWidget* parent = nullptr);
    ~TTCPFindingDlg() override;

    void InitState() override;
    TBusScan& Scan() { return *FScan; }
    // Whether the line carries Modbus only (Modbus TCP framing); the protocol list follows.
    void SetModbusOnly(bool Value);

    std::function<void()> OnScanStart;
    // Lists a device found; true when it was listed (a device already in the list is not).
    std::function<bool(const TScanHit&)> OnDeviceFound;
    std::function<void(TTransferProtocol)> OnProtocolChange;

    Q_INVOKABLE void UpdateLanguage();

    QComboBox* ProtocolEdit = nullptr;
    // Says why Nerix is not offered, while it is not.
    QLabel* NoteLbl = nullptr;

public Q_SLOTS:
    void ProtocolEditChange();

protected:
    TTransferProtocol ChosenProtocol() const override;
    void RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) override;
    void SetSearching(bool Searching) override;

private:
    void FillProtocols();

    TNerixModule& FModule;
    std::unique_ptr<TBusScan> FScan;
    bool FModbusOnly = false;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FStartLbl = nullptr;
    QLabel* FStopLbl = nullptr;
    QLabel* FAddressCaptionLbl = nullptr;
};
