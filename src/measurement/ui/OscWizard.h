#pragma once

#include "measurement/OscDm.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;
class TDm;

// Slope and offset of one or several channels.
class TChannelPropertyDlg : public QDialog {
    Q_OBJECT
public:
    explicit TChannelPropertyDlg(QWidget* parent = nullptr);
    // Shows the values; true with the edited ones after Apply.
    bool Execute(float& Slope, float& Offset);
    Q_INVOKABLE void UpdateLanguage();

    QLineEdit *SlopeEdit = nullptr, *OffsetEdit = nullptr;
    QPushButton *ApplyBtn = nullptr, *CancelBtn = nullptr;

private:
    void ApplyBtnClick();
    QLabel *FSlopeLabel = nullptr, *FOffsetLabel = nullptr;
};

// Page 0: the analog inputs of the found devices, checked when they take part.
class TChannelSelectorDlg : public QWidget {
    Q_OBJECT
public:
    TChannelSelectorDlg(TDm& Dm, QWidget* parent = nullptr);
    // Lists every candidate; those in Profiles start checked with their slope and offset.
    void Fill(const TChannelProfileList& Profiles);
    // The checked rows as profiles, in list order.
    void CheckedProfiles(TChannelProfileList& Profiles) const;
    int CheckedCount() const;
    void UpdateLanguage();

    void CheckRows(int Which);  // 0 even, 1 odd, 2 all, 3 invert
    void SelectRows(int Which); // 0 even, 1 odd, 2 all, 3 checked, 4 invert
    void PropertiesClick();

    QTreeWidget* List = nullptr;

private:
    void ShowRow(int Row);
    TDm& FDm;
    std::vector<TChannelCandidate> FCandidates;
    std::vector<std::pair<float, float>> FScaling;
    TChannelPropertyDlg* FProperties = nullptr;
    QList<QAction*> FActions;
};

// Page 1: the sampling frequency.
class TADCFreqDlg : public QWidget {
    Q_OBJECT
public:
    explicit TADCFreqDlg(QWidget* parent = nullptr);
    void UpdateLanguage();
    QLineEdit* FreqEdit = nullptr;

private:
    QLabel* FLabel = nullptr;
};

// Page 2: the result file and the automatic start and stop.
class TOtherExpPropertyDlg : public QWidget {
    Q_OBJECT
public:
    explicit TOtherExpPropertyDlg(QWidget* parent = nullptr);
    void UpdateLanguage();
    void Fill(const TOscDm& Dm);
    void Apply(TOscDm& Dm) const;

    QLineEdit* FileEdit = nullptr;
    QPushButton* BrowseBtn = nullptr;
    QCheckBox *StartCheck = nullptr, *StopCheck = nullptr;
    QSpinBox* StartBoxes[3] = {};
    QSpinBox* StopBoxes[3] = {};

private:
    QLabel *FFileLabel = nullptr, *FStartLabel = nullptr, *FStopLabel = nullptr;
};

// Page 3: what the experiment will be.
class TDoneDlg : public QWidget {
    Q_OBJECT
public:
    explicit TDoneDlg(QWidget* parent = nullptr);
    QPlainTextEdit* Summary = nullptr;
};

// The four pages of the experiment's set-up. Entering the summary applies every page to the
// experiment; Done there closes the wizard with OK.
class TWizardDlg : public QDialog {
    Q_OBJECT
public:
    TWizardDlg(TDm& Dm, TOscDm& Osc, QWidget* parent = nullptr);
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();
    void GoTo(int Page);
    int Page() const;

    TChannelSelectorDlg* ChannelSelector = nullptr;
    TADCFreqDlg* FreqPage = nullptr;
    TOtherExpPropertyDlg* StoragePage = nullptr;
    TDoneDlg* DonePage = nullptr;
    QPushButton *PrevBtn = nullptr, *NextBtn = nullptr, *DoneBtn = nullptr, *CancelBtn = nullptr;

private:
    // False, with a message, when a page holds what cannot be applied.
    bool ApplyPages();
    void NextBtnClick();
    void DoneBtnClick();
    TOscDm& FOsc;
    QStackedWidget* FPages = nullptr;
    QLabel *FTitle = nullptr, *FHint = nullptr;
};
