#pragma once

#include <QDialog>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class TVirtualDeviceManager;

// What the emulated bus has seen: a row per device and one for requests no device took, with the
// refused requests by cause. While it shows it reads the counters again every kRefreshMs, so it
// follows a bus that is serving; once the bus stopped it shows the session that ended last.
class TEmulatorStatsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;
    // The columns, in order.
    enum : int {
        kColDevice,
        kColReceived,
        kColAnswered,
        kColDropped,
        kColRefused,
        kColCrc,
        kColFunction,
        kColMalformed,
        kColAddress,
        kColRegister,
        kColTimes,
        kColumnCount
    };

    explicit TEmulatorStatsView(TVirtualDeviceManager& Manager, QWidget* parent = nullptr);

    Q_INVOKABLE void UpdateLanguage();
    bool Refreshing() const;

    QTreeWidget* StatsList = nullptr;
    QLabel* StatsState = nullptr;
    QLabel* StatsInfo = nullptr;
    QPushButton* ResetStatsBtn = nullptr;

public Q_SLOTS:
    // Fills the list from the manager.
    void UpdateStatistics();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TVirtualDeviceManager& FManager;
    QTimer* FTimer = nullptr;
};

// "Emulator statistics": the same view in a window of its own that stays open beside the others
// while the emulator serves.
class TEmulatorStatsForm : public QDialog {
    Q_OBJECT
public:
    explicit TEmulatorStatsForm(TVirtualDeviceManager& Manager, QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    TEmulatorStatsView* View = nullptr;
    QPushButton* CloseBtn = nullptr;
};
