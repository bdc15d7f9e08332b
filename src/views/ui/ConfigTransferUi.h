#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TDm;
class TZUVOModule;
struct TDeviceProps;

// What a configuration transfer shows: a heading and lines of text; as a question also the choice
// of a flash save (where the program may save) and "Write" / "Cancel", as a report "Close" only.
class TConfigListDlg : public QDialog {
    Q_OBJECT
public:
    TConfigListDlg(QWidget* Parent, const QString& Title, const QString& Heading, const QStringList& Lines,
                   bool Question, bool OfferFlash);
    bool Flash() const;

    QLabel* HeadingLabel = nullptr;
    QPlainTextEdit* List = nullptr;
    QCheckBox* FlashBox = nullptr;   // nothing when the flash save is not offered
    QPushButton* WriteBtn = nullptr; // nothing for a report
    QPushButton* CloseBtn = nullptr;
};

// Saving a device's configuration to a file, putting a file on the device, and putting one on
// several devices at once. Every step the user decides on is asked; every failure is told.
class TConfigTransferUi {
public:
    explicit TConfigTransferUi(QWidget* Parent);

    // The program may not save to flash (Lite mode): the flash save is not offered.
    bool Lite = false;

    // Stand-ins for the file dialog (the chosen path, empty when cancelled), for running a dialog and
    // for a message box.
    std::function<QString(bool Save, const QString& Suggested)> OnFileName;
    std::function<int(QDialog&)> OnRunDialog;
    std::function<void(const QString&)> OnMessage;

    // Reads the device's configuration through Module and writes it to a file the user chooses.
    bool SaveConfiguration(TZUVOModule& Module, const TDeviceProps& Device);
    // Lets the user choose a file, lists what differs from the device, asks, writes what differs with
    // every setting read back, and reports. Module is marked modified when something was written and
    // not saved to flash. True when the device has the file's settings afterwards.
    bool LoadConfiguration(TZUVOModule& Module, const TDeviceProps& Device);
    // Puts a file on every device of Devices that is of its type, without their bus parameters, and
    // reports device by device.
    void GroupAdjust(TDm& Dm, const std::vector<TDeviceProps*>& Devices);

private:
    QString FileName(bool Save, const QString& Suggested);
    int Run(QDialog& Dialog);
    void Message(const QString& Text, bool Failure);

    QWidget* FParent;
};
