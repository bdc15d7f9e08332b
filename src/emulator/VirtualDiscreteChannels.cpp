#include "emulator/VirtualDiscreteChannels.h"

namespace {

// Registers of the discrete input.
enum : quint16 { drState = 0, drLineCheck = 8, drParameterP = 10 };

// Registers of the discrete output.
enum : quint16 {
    orState = 0,
    orReserved = 1,
    orWriteKey = 2,
    orProtected = 3,
    orSequence = 4,
    orStartState = 5,
    orSteps = 6,
    orSelectedStep = 7,
    orDuration = 8,
};

} // namespace

TVirtualDIChannel::TVirtualDIChannel(TVirtualDevice* Device, quint8 Number)
    : TCustomVirtualChannel(Device, Number, vkDiscreteInput) {
    FFlash = FSettings;
    OnInputChange = [this] { InputChanged(); };
}

void TVirtualDIChannel::InputChanged() {
    const float x = Input();
    if (x <= 0.21f)
        SetOutput(1);
    else if (x > 2.0f && FSettings.LineCheck)
        SetOutput(2);
    else
        SetOutput(0);
}

std::optional<quint32> TVirtualDIChannel::ReadRegister(quint16 Register) {
    switch (Register) {
    case drState:
        return State();
    case drLineCheck:
        return FSettings.LineCheck ? 1 : 0;
    case drParameterP:
        return FSettings.P;
    default:
        return std::nullopt;
    }
}

bool TVirtualDIChannel::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case drLineCheck:
        // The state is left as it is; the next input works with the new setting.
        if (Value > 1)
            return false;
        FSettings.LineCheck = Value == 1;
        MarkSettingsChanged();
        return true;
    case drParameterP:
        if (Value > 5000)
            return false;
        FSettings.P = quint16(Value);
        MarkSettingsChanged();
        return true;
    default:
        return false;
    }
}

TVirtualDOChannel::TVirtualDOChannel(TVirtualDevice* Device, quint8 Number)
    : TCustomVirtualChannel(Device, Number, vkDiscreteOutput) {
    FFlash = FSettings;
}

TVirtualDOChannel::~TVirtualDOChannel() {
    StopSequence();
}

void TVirtualDOChannel::StopSequence() {
    if (!FSequence)
        return;
    FSequence->Terminate();
    FSequence->WaitFor();
    FSequence.reset();
}

void TVirtualDOChannel::StartSequence() {
    StopSequence();
    FSequenceMode = true;
    FSequence = std::make_unique<TDOSequenceThread>(FOutput, FSettings.StartState, FSettings.Steps,
                                                    FSettings.Durations);
    FSequence->Start();
}

void TVirtualDOChannel::Switch(bool On) {
    FSequenceMode = false;
    StopSequence();
    SetOutput(On ? 1 : 0);
}

std::optional<quint32> TVirtualDOChannel::Keyed(quint32 Value) {
    if (!FSettings.Protected)
        return Value;
    const bool match = (Value & 0xFFFFFF00u) == FWriteKey;
    FWriteKey += kWriteKeyStep;
    if (!match)
        return std::nullopt;
    return Value & 0xFFu;
}

bool TVirtualDOChannel::Process(TNerixRequest& Request) {
    if (!Request.IsRead() && Request.Operation != 1)
        return false;
    return TCustomVirtualChannel::Process(Request);
}

std::optional<quint32> TVirtualDOChannel::ReadRegister(quint16 Register) {
    switch (Register) {
    case orState:
        return State();
    case orReserved:
        return 0;
    case orWriteKey:
        // A client reads the key and sends it with its next keyed write.
        FWriteKey += kWriteKeyStep;
        return FWriteKey;
    case orProtected:
        return FSettings.Protected ? 1 : 0;
    case orSequence:
        return FSequenceMode ? 1 : 0;
    case orStartState:
        return FSettings.StartState;
    case orSteps:
        return FSettings.Steps;
    case orDuration:
        return FSettings.Durations[FSelectedStep];
    default:
        return std::nullopt;
    }
}

bool TVirtualDOChannel::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case orState: {
        const std::optional<quint32> data = Keyed(Value);
        if (!data || *data > 1)
            return false;
        FSequenceMode = false;
        StopSequence();
        SetOutput(*data);
        return true;
    }
    case orProtected:
        if (Value > 1)
            return false;
        FSettings.Protected = Value == 1;
        if (OnProtectionChange)
            OnProtectionChange(FSettings.Protected);
        MarkSettingsChanged();
        return true;
    case orSequence: {
        const std::optional<quint32> data = Keyed(Value);
        if (!data || *data != 0)
            return false;
        StartSequence();
        return true;
    }
    case orStartState:
        if (FSequenceMode || Value > 1)
            return false;
        FSettings.StartState = quint8(Value);
        MarkSettingsChanged();
        return true;
    case orSteps:
        if (FSequenceMode || Value > TDOSequenceThread::kMaxSteps)
            return false;
        FSettings.Steps = quint8(Value);
        MarkSettingsChanged();
        return true;
    case orSelectedStep:
        if (Value >= TDOSequenceThread::kMaxSteps)
            return false;
        FSelectedStep = quint8(Value);
        return true;
    case orDuration:
        if (FSequenceMode)
            return false;
        FSettings.Durations[FSelectedStep] = quint16(Value);
        MarkSettingsChanged();
        return true;
    default:
        return false;
    }
}
