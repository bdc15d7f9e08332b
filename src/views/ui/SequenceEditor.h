#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// A pulse sequence as the editor holds it: the output's level before the first period and the
// periods' durations in units of 100 ms.
struct TPulseSequence {
    static constexpr int kMaxPeriods = 15;
    static constexpr quint32 kMaxUnits = 65535; // the device keeps a duration in 16 bits
    static constexpr int kUnitMs = 100;

    bool StartValue = false;
    std::vector<quint16> Durations;
};

// "01:49:13, 500": the duration as a time of day and its milliseconds.
QString PeriodDurationText(quint32 Units);
// A duration given in hours, minutes, seconds and milliseconds in units of 100 ms (milliseconds
// below a unit are dropped); nothing when it exceeds TPulseSequence::kMaxUnits.
std::optional<quint16> PeriodUnits(int Hours, int Minutes, int Seconds, int Milliseconds);

// The timing diagram: starts at the entry level and toggles at the end of every period.
class TSequenceDiagram : public QWidget {
    Q_OBJECT
public:
    explicit TSequenceDiagram(QWidget* parent = nullptr);
    void SetSequence(const TPulseSequence& Sequence);
    QSize sizeHint() const override { return {360, 90}; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TPulseSequence FSequence;
};

// "Period duration": hours, minutes, seconds and milliseconds in steps of 100 ms.
class TPeriodDurationDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPeriodDurationDlg(QWidget* parent = nullptr);
    void Setup(int Period, quint32 Units);
    // Milliseconds of the chosen duration.
    qint64 DurationMs() const;
    Q_INVOKABLE void UpdateLanguage();

    QLabel *lbPeriod = nullptr, *lbDuration = nullptr, *lbHours = nullptr, *lbMinutes = nullptr,
           *lbSeconds = nullptr, *lbMilliseconds = nullptr;
    QSpinBox *HoursEdit = nullptr, *MinutesEdit = nullptr, *SecondsEdit = nullptr,
             *MillisecondsEdit = nullptr;
    QPushButton *ApplyBtn = nullptr, *CloseBtn = nullptr;

private:
    int FPeriod = 0;
};

// "Sequences generator": edits the entry level and up to 15 periods of a discrete output's pulse
// sequence. The caller reads the sequence before and writes it after an accepted editing.
class TSequenceEditorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSequenceEditorDlg(QWidget* parent = nullptr);
    ~TSequenceEditorDlg() override;

    // Takes at most kMaxPeriods periods: a device claiming more cannot have them in the editor.
    void Setup(const TPulseSequence& Sequence);
    const TPulseSequence& Sequence() const { return FSequence; }
    Q_INVOKABLE void UpdateLanguage();

    QLabel* lbEntryLevel = nullptr;
    QComboBox* EntryLevelBox = nullptr;
    QTreeWidget* PeriodList = nullptr;
    QLabel* lbDiagram = nullptr;
    TSequenceDiagram* Diagram = nullptr;
    QPushButton *NewBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *DeleteAllBtn = nullptr,
                *ApplyBtn = nullptr, *CloseBtn = nullptr;
    TPeriodDurationDlg* PeriodDlg = nullptr;

    TMessageHook OnMessage;
    // Runs the period dialog; replaceable for tests.
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void NewBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void DeleteAllBtnClick();

private:
    // Runs the period dialog for Period; the chosen units, or nothing when cancelled or too long.
    std::optional<quint16> AskDuration(int Period, quint32 Units);
    void FillList(int Select);

    TPulseSequence FSequence;
};
