#pragma once

#include "measurement/Measurer.h"
#include "measurement/OscPlot.h"
#include "measurement/Recorder.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <memory>

class QPrinter;

class QAbstractAxis;
class QButtonGroup;
class QChart;
class QChartView;
class QCheckBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QSlider;
class QSpinBox;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QValueAxis;
class TDm;
class TWizardDlg;

// The recorder's controls: the file, recording on and off, the automatic start and stop, loading
// and exporting a file.
class TSerializerPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSerializerPanel(QWidget* parent = nullptr);
    void UpdateLanguage();
    void ShowFile(const QString& Name);
    // The blinking "REC" while recording.
    void SetRecording(bool On);

    QToolButton *LoadBtn = nullptr, *SelectFileBtn = nullptr, *SaveBtn = nullptr, *ExportBtn = nullptr;
    QCheckBox *AutoStartCheck = nullptr, *AutoStopCheck = nullptr;
    QSpinBox* StartBoxes[3] = {};
    QSpinBox* StopBoxes[3] = {};
    QLabel *RecLabel = nullptr, *FileLabel = nullptr;
    QWidget* AutoBox = nullptr;

private:
    QLabel* FUnits[6] = {};
    QTimer FBlink;
    QString FFile;
};

// The chart with its time scales, vertical ranges, display offsets and channel list.
class TOscPanel : public QWidget {
    Q_OBJECT
public:
    TOscPanel(TOscDm& Osc, QWidget* parent = nullptr);
    void UpdateLanguage();
    // New curves and channel rows for the experiment's profiles; RangeNames by profile.
    void Rebuild(const QStringList& RangeNames);
    // A full block of the store: its sweeps become points. Redraw false defers the drawing (a
    // file being loaded block by block).
    void PlotBlock(const TSample* Samples, int Count, bool Redraw = true);
    void Redraw();
    void ChooseTimeScale(int Id);
    void ChooseRange(int Index);
    int TimeScale() const { return FScale; }
    double Range() const;
    void SetLoaded(bool Loaded);
    void SetOffsetPosition(int Position);
    // The points held for a curve, exact; the chart draws a decimated copy.
    const std::vector<QPointF>& Points(int Curve) const { return FPoints[size_t(Curve)]; }
    QLineSeries* Curve(int Index) const { return FCurves[size_t(Index)]; }

    std::function<void(int WindowMs)> OnWindowChange;
    std::function<bool()> IsRunning;

    QChart* Chart = nullptr;
    QChartView* View = nullptr;
    QButtonGroup *ScaleButtons = nullptr, *RangeButtons = nullptr;
    QTreeWidget* ChannelList = nullptr;
    QSlider* OffsetBar = nullptr;
    QPushButton *AllBtn = nullptr, *CurrBtn = nullptr, *PrintBtn = nullptr, *CaptionBtn = nullptr;
    // On a loaded file: the time under the mouse and each curve's value there.
    QLabel* CursorLabel = nullptr;
    // The cursor's text for a chart position (axis units).
    QString CursorText(double X) const;

private:
    void SetAxisRange();
    void OffsetChanged(int Position);
    void ChannelSelected();
    bool eventFilter(QObject* Watched, QEvent* Event) override;

    TOscDm& FOsc;
    std::vector<QLineSeries*> FCurves;
    std::vector<std::vector<QPointF>> FPoints;
    std::vector<TCurveDecimator> FDecimators;
    QValueAxis* FMsAxis = nullptr;
    QDateTimeAxis* FTimeAxis = nullptr;
    QValueAxis* FYAxis = nullptr;
    QLabel *FScaleLabel = nullptr, *FRangeLabel = nullptr, *FOffsetLabel = nullptr;
    int FScale = 0;
    int FRange = 0;
    bool FLoaded = false;
    bool FHasSamples = false;
    bool FUpdatingOffset = false;
    bool FSettingRange = false;
    double FLastTime = 0;
};

// The oscilloscope: set up an experiment, measure, watch, record, and replay a recorded file.
class TOscMainDlg : public QDialog {
    Q_OBJECT
public:
    TOscMainDlg(TDm& Dm, QWidget* parent = nullptr);
    ~TOscMainDlg() override;
    void Execute() { exec(); }
    Q_INVOKABLE void UpdateLanguage();

    void WizardClick();
    void StartClick();
    void StopClick();
    void SaveToggled(bool On);
    void LoadToggled(bool On);
    // Loads a file without the file dialog; false with the message shown.
    bool LoadFile(const QString& Name);
    void ExportClick();
    void PrintClick();
    // Draws the chart on the printer's first page, as large as the page allows; false when the
    // printer (or its output file) cannot be opened.
    bool PrintTo(QPrinter& printer);
    void CaptionClick();
    void SelectFileClick();

    TOscDm& Osc() { return FOsc; }
    TMeasurer& Measurer() { return *FMeasurer; }
    TRecorder& Recorder() { return FRecorder; }
    bool Loaded() const { return FLoaded; }

    // Messages go here when set (tests), else to a message box.
    std::function<void(const QString& Text)> OnMessage;

    QToolBar* Tools = nullptr;
    QAction *WizardBtn = nullptr, *StartBtn = nullptr, *StopBtn = nullptr;
    TSerializerPanel* Serializer = nullptr;
    TOscPanel* Panel = nullptr;
    TWizardDlg* Wizard = nullptr;

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void UpdateActions();
    void RebuildPanels();
    void BlockFull(TDataStore& Store);
    void CheckTimerTick();
    void SetRecording(bool On);
    void Message(const QString& Text);
    void SyncAutoControls(bool ToDm);

    TDm& FDm;
    TOscDm FOsc;
    std::unique_ptr<TMeasurer> FMeasurer;
    TRecorder FRecorder;
    QTimer FCheckTimer;
    QString FLoadedFile;
    bool FExperimentSet = false;
    bool FLoaded = false;
    bool FFeeding = false;
};
