#include "model/ZUVOChannel.h"

#include "model/Helper.h"
#include "platform/Ticks.h"
#include "protocol/NerixModule.h"

#include <chrono>
#include <thread>

namespace {

// The pacing's clock, in microseconds: a millisecond tick would let two transfers start anywhere
// from 2 to 4 ms apart.
quint64 PacingNow() {
    return quint64(std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                       .count());
}

} // namespace

TZUVOChannel::TZUVOChannel() : LastOkTime(QDateTime::currentDateTime()) {}

void TZUVOChannel::SetAsInteger(qint32 Value) {
    DataType = dtInteger;
    SetValueText(QString::number(Value));
}

std::optional<qint32> TZUVOChannel::GetAsInteger() const {
    return ParseInt32(GetValueText());
}

void TZUVOChannel::SetAsFloat(float Value) {
    DataType = dtSingle;
    SetValueText(FloatToTrimmedText(Fotmat, double(Value)));
}

float TZUVOChannel::GetAsFloat() const {
    return float(TextToFloat(GetValueText()));
}

std::optional<bool> TZUVOChannel::GetAsBoolean() const {
    const auto v = GetAsInteger();
    if (!v)
        return std::nullopt;
    return *v != 0;
}

void TZUVOChannel::SetAsCardinal(quint32 Value) {
    DataType = dtCardinal;
    SetValueText(QString::number(Value));
}

TNerixChannel::TNerixChannel() : FLastTransferStart(PacingNow()) {
    Fotmat = QStringLiteral("#0.00000000000000");
}

void TNerixChannel::SetValueText(const QString& Text) {
    if (!Text.isEmpty())
        ValueText = Text;
}

bool TNerixChannel::Write() {
    switch (DataType) {
    case dtSingle: {
        const auto v = ParseFloat(ValueText);
        return v && Module->WriteFloat(PropertyNumber, ObjectNumber, float(*v));
    }
    case dtInteger: {
        const auto v = GetAsInteger();
        return v && Module->WriteProperty(PropertyNumber, ObjectNumber, quint32(*v));
    }
    case dtCardinal:
    case dtString:
    case dtWord: {
        const auto v = ParseInt64(ValueText);
        return v && Module->WriteProperty(PropertyNumber, ObjectNumber, quint32(quint64(*v)));
    }
    }
    return false;
}

bool TNerixChannel::Read() {
    if (DataType == dtSingle) {
        float v = 0;
        if (!Module->ReadFloat(PropertyNumber, ObjectNumber, v))
            return false;
        SetAsFloat(v);
        return true;
    }
    quint32 v = 0;
    if (!Module->ReadProperty(PropertyNumber, ObjectNumber, v))
        return false;
    SetAsInteger(qint32(v));
    return true;
}

void TNerixChannel::Transfer() {
    // Transfers start at least 3 ms apart. Counting from the start rather than the end keeps the
    // pause from being added to the exchange's own time on a fast line (a long file moves three
    // bytes a transfer); on a slow line the exchange alone is longer than the pause.
    constexpr quint64 pacing = quint64(kPacingMs) * 1000;
    for (quint64 passed = PacingNow() - FLastTransferStart; passed < pacing;
         passed = PacingNow() - FLastTransferStart)
        std::this_thread::sleep_for(std::chrono::microseconds(pacing - passed));
    const quint64 started = PacingNow();
    // A value text that is no number is a failed output: nothing goes on the line.
    const bool ok = Module && (ChannelDirection == cdOutput ? Write() : Read());
    LastOk = ok;
    if (ok)
        LastOkTime = QDateTime::currentDateTime();
    FLastTransferStart = started;
}

bool TNerixChannel::ReadPropertyAs(quint16 Property, TZUVODataType Type) {
    ChannelDirection = cdInput;
    PropertyNumber = Property;
    DataType = Type;
    Transfer();
    return LastOk;
}

bool TNerixChannel::WritePropertyInteger(quint16 Property, qint32 Value) {
    ChannelDirection = cdOutput;
    PropertyNumber = Property;
    SetAsInteger(Value);
    Transfer();
    return LastOk;
}

bool TNerixChannel::WritePropertyFloat(quint16 Property, float Value) {
    ChannelDirection = cdOutput;
    PropertyNumber = Property;
    SetAsFloat(Value);
    Transfer();
    return LastOk;
}
