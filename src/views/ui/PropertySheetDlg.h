#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TAdminOptions;
class TPropertySheet;
class TUMMCChannel;

// The window of the channel kinds that are a list of typed properties: everything is read when it
// opens, values are edited in place and checked against type and limits, "Apply" writes the changed
// ones, "To Flash" saves the device's settings (refused in Lite mode). For the map constructor it
// also reads and writes the data window.
class TPropertySheetDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPropertySheetDlg(QWidget* parent = nullptr);
    ~TPropertySheetDlg() override;

    // Reads the sheet and shows the window modally. Channel: the map constructor whose data window
    // the window also shows; null for the other kinds.
    void Execute(TPropertySheet& Sheet, const QString& Caption, const QString& AddressText,
                 const QString& RateText, bool Lite, TUMMCChannel* Channel = nullptr);
    // Execute without the modal loop, for tests.
    bool Load(TPropertySheet& Sheet, const QString& Caption, const QString& AddressText,
              const QString& RateText, bool Lite, TUMMCChannel* Channel = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    // Enters Text as the value of row Row, as typing it in the list does.
    void EditValue(int Row, const QString& Text);

    QLabel *lbAddress = nullptr, *AddressLb = nullptr, *lbRate = nullptr, *RateLb = nullptr;
    QTreeWidget* PropertyList = nullptr;
    QPushButton *RefreshBtn = nullptr, *ApplyBtn = nullptr, *ToFlashBtn = nullptr, *CloseBtn = nullptr;
    QGroupBox* DataBox = nullptr;
    QLabel *lbOffset = nullptr, *lbCount = nullptr, *lbType = nullptr;
    QSpinBox *OffsetEdit = nullptr, *CountEdit = nullptr;
    QComboBox* TypeBox = nullptr;
    QPushButton *ReadDataBtn = nullptr, *WriteDataBtn = nullptr;
    QTreeWidget* DataList = nullptr;
    QLineEdit* DataValueEdit = nullptr;

    TMessageHook OnMessage;

public Q_SLOTS:
    void RefreshBtnClick();
    void ApplyBtnClick();
    void ToFlashBtnClick();
    void ReadDataBtnClick();
    void WriteDataBtnClick();

private:
    void FillRows();
    // Sizes the window to what it shows: every column whole and the rows without scrolling, as far
    // as the screen allows.
    void FitToContent();
    void ItemChanged(QTreeWidgetItem* Item, int Column);
    void Message(const QString& Text);
    void UpdateButtons();

    TPropertySheet* FSheet = nullptr;
    TUMMCChannel* FChannel = nullptr;
    bool FLite = false;
    bool FFilling = false;
    bool FBusy = false;
    bool FUnsaved = false; // written but not saved to flash
    QString FCaption;
};

// Makes the window the one the device properties window opens for the impulse generators, the
// stream input controllers and the map constructor.
void RegisterPropertySheetWindows(TPropertySheetDlg& Dlg, const TAdminOptions& Options);
