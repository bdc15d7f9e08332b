#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>

class TNerixModule;

// How a value text is sent and received.
enum TZUVODataType { dtSingle, dtInteger, dtCardinal, dtString, dtWord };
// Whether the next transfer reads (input) or writes (output).
enum TChannelDirection { cdInput, cdOutput };

// A named value that one transfer reads from or writes to a device. The value lives as text.
class TZUVOChannel {
public:
    TZUVOChannel();
    virtual ~TZUVOChannel() = default;
    TZUVOChannel(const TZUVOChannel&) = delete;
    TZUVOChannel& operator=(const TZUVOChannel&) = delete;

    QString ID;
    QString Group;
    QString Descriptor;
    // The mask a float is formatted with into the value text (the name is spelled so).
    QString Fotmat = QStringLiteral("###############0.000000000");
    TZUVODataType DataType = dtInteger;
    TChannelDirection ChannelDirection = cdInput;

    bool LastOk = true;
    QDateTime LastOkTime;

    virtual void SetValueText(const QString& Text) {}
    virtual QString GetValueText() const { return {}; }
    virtual void Transfer() {}

    void SetAsInteger(qint32 Value);
    // The value text as a signed 32-bit integer; nothing when the text is not one.
    std::optional<qint32> GetAsInteger() const;
    void SetAsFloat(float Value);
    // The value text as a number; 0 when it is not one.
    float GetAsFloat() const;
    void SetAsBoolean(bool Value) { SetAsInteger(Value ? 1 : 0); }
    // Nothing when the text is not an integer.
    std::optional<bool> GetAsBoolean() const;
    void SetAsCardinal(quint32 Value);
};

// The accessor of one object of one device: reads and writes property PropertyNumber of object
// ObjectNumber through Module. Channel objects keep one and change the property between transfers.
class TNerixChannel : public TZUVOChannel {
public:
    static constexpr int kPacingMs = 3;

    TNerixChannel();

    TNerixModule* Module = nullptr; // a reference
    quint16 PropertyNumber = 0;
    quint8 ObjectNumber = 0;
    QString ValueText = QStringLiteral("0");

    // An empty text leaves the value as it is.
    void SetValueText(const QString& Text) override;
    QString GetValueText() const override { return ValueText; }
    // One read or write, at least 3 ms after this accessor's previous one. A failed read keeps the
    // value text; an output whose text is no number fails without traffic.
    void Transfer() override;

    bool ReadPropertyAs(quint16 Property, TZUVODataType Type);
    bool WritePropertyInteger(quint16 Property, qint32 Value);
    bool WritePropertyFloat(quint16 Property, float Value);

    // When the last transfer started, in microseconds of a steady clock (the pacing counts from it).
    quint64 LastTransferStart() const { return FLastTransferStart; }

private:
    bool Write();
    bool Read();

    quint64 FLastTransferStart;
};

// Runs the steps of one settings transfer in order. Ok ends true only when every step succeeded: the
// first step that fails (DoStep returns its text) ends the transfer with that text in ErrorText, so a
// later failure never hides behind an earlier success.
template <class Steps, class Step>
bool RunSettingSteps(const Steps& StepList, bool& Ok, QString& ErrorText, Step&& DoStep) {
    ErrorText.clear();
    Ok = false;
    for (int step : StepList) {
        const QString error = DoStep(step);
        if (!error.isEmpty()) {
            Ok = false;
            ErrorText = error;
            return false;
        }
        Ok = true;
    }
    return Ok;
}
