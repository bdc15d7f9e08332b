#pragma once

#include "model/GeneralModbusChannel.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

class TZUVOModule;

// The universal Modbus map constructor of a module: a configuration block of 15 registers at 0x3000
// (plus one further writable register, 0x300F) and a data window whose base and byte orders the
// block gives.
class TUMMCChannel {
public:
    static constexpr quint16 kConfigBase = 0x3000;
    static constexpr quint16 kDefaultDataBase = 0x4000;
    static constexpr int kConfigWords = 15;
    static constexpr int kNameLength = 12;

    // The value types of WriteData.
    enum TDataType { dtSigned16, dtUnsigned16, dtSigned32, dtUnsigned32, dtFloat };
    // Why the last WriteData failed.
    enum TWriteError { weNone, weNotANumber, weOutOfRange, weBadType, weTransfer };

    explicit TUMMCChannel(TZUVOModule* Module);

    TZUVOModule* Module() const { return FModule; }
    TGeneralModbusChannel& ConfigChannel() { return FConfigChannel; }
    TGeneralModbusChannel& DataChannel() { return FDataChannel; }
    // Outcome of the last configuration transfer.
    bool Ok = false;
    int Remaining() const { return FRemaining; }

    // The copy of the configuration block, word n being register 0x3000 + n.
    quint16 ConfigWord(int Word) const;
    // Register 0x300F, as last written; nothing until it was.
    std::optional<quint8> ConfigValue15() const { return FValue15; }
    quint8 ByteOrderOptions() const;
    quint16 DataBase() const { return FConfig[0]; }
    QString NameText() const { return FName; }

    bool ReadConfig();
    bool WriteByteOrders(quint32 Options);
    // Word 1, 2 or 15; any other word is refused without traffic.
    bool WriteConfigValue(int Word, quint16 Value);
    static quint32 ByteOrdersToOptions(quint32 Order16Code, quint32 Order32Code);

    bool ReadData(quint8 Offset, int Count);
    quint16 TakeUnsigned16();
    qint32 TakeSigned16();
    quint32 TakeUnsigned32();
    qint64 TakeSigned32();
    float TakeFloat();

    // Writes one value given as text. A text that is no number of the type, or a number the
    // register cannot carry so that it reads back as the same number, is refused before any traffic;
    // LastWriteError says why.
    bool WriteData(quint8 Offset, const QString& Text, int Type);
    TWriteError LastWriteError() const { return FLastWriteError; }
    // The register contents WriteData would store for Text, or nothing when it would refuse it.
    static std::optional<quint32> EncodeData(const QString& Text, int Type, TWriteError* Error = nullptr);

    // The data window's signed encodings as the devices use them.
    static qint32 DecodeSigned16(quint16 Word);
    static qint64 DecodeSigned32(quint32 Value);

private:
    void ApplyOptions();

    TZUVOModule* FModule;
    TGeneralModbusChannel FConfigChannel;
    TGeneralModbusChannel FDataChannel;
    std::array<quint16, kConfigWords> FConfig{};
    std::optional<quint8> FValue15;
    QString FName = QString(kNameLength, QLatin1Char(' '));
    int FRemaining = 0;
    TWriteError FLastWriteError = weNone;
};
