#pragma once

#include "protocol/TransferProtocol.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TScanBase;

// What both device searches' dialogs share: the address range with its check and message, the two
// start buttons ("first device" tag 0, "all devices" tag 1), and the close button that stops a
// running search instead of closing. A search that found its first device closes the dialog.
class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    // Puts the controls in their initial state and shows the dialog modally; true when a device was
    // found by a search that stops at the first one.
    bool Execute();
    virtual void InitState() = 0;

    QLineEdit* StartEdit = nullptr;
    QLineEdit* StopEdit = nullptr;
    QLabel* CurrentAddressLbl = nullptr;
    QPushButton* StartOneBtn = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    // How the last search ended: how many devices it listed, or that it found none.
    QLabel* ResultLbl = nullptr;

public Q_SLOTS:
    void StartBtnClick();
    void CloseBtnClick();
    void reject() override;

protected:
    explicit TSearchDialog(QWidget* parent);
    // The search the dialog runs; set by the derived dialog once it has made it.
    void AttachSearch(TScanBase& Search) { FSearch = &Search; }

    virtual TTransferProtocol ChosenProtocol() const = 0;
    // Runs the search over a checked range.
    virtual void RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) = 0;
    // Enables or disables the controls for a running search; the close button's caption follows.
    virtual void SetSearching(bool Searching) = 0;
    // The close button's caption for the search state, in the current language.
    QString CloseCaption(bool Searching) const;
    // Counts a device that the connection listed, for the result line.
    void CountListed(bool Listed) { FListed += Listed ? 1 : 0; }

private:
    TScanBase* FSearch = nullptr;
    int FListed = 0;
};
