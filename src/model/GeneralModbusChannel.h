#pragma once

#include <QtGlobal>
#include <array>

class TNerixModule;

// A small Modbus RTU master for the blocks of holding registers a module serves outside its Nerix
// objects: function 3 reads and function 16 writes, sent through the module's access point to the
// module's bus address. A request is built in Buffer word by word; an answer's data lands in the same
// Buffer and is taken word by word through a cursor.
class TGeneralModbusChannel {
public:
    static constexpr int kBufferSize = 255;
    // Function 3 carries at most 125 registers; a larger count would not fit the answer buffer.
    static constexpr int kMaxReadCount = 125;
    // Address, function, register, register count and byte count of a function-16 request.
    static constexpr int kWriteHeader = 7;

    explicit TGeneralModbusChannel(TNerixModule* Module);

    TNerixModule* Module() const { return FModule; }
    quint16 BaseRegister() const { return FBaseRegister; }
    quint8 Offset() const { return FOffset; }
    // The register the next request starts at.
    quint16 Register() const { return quint16(FBaseRegister + FOffset); }
    quint8 RegisterCount() const { return FRegisterCount; }
    quint8 Length() const { return FLength; }
    const quint8* Buffer() const { return FBuffer.data(); }
    bool HasData() const { return FHasData; }

    // 0 as received (high byte first), 1 bytes exchanged; any other code counts as 0.
    quint8 Order16() const { return FOrder16; }
    void SetOrder16(quint8 Value) { FOrder16 = Value; }
    // 0 as received, 1 reversed, 2 halves' bytes exchanged, 3 halves exchanged; others count as 0.
    quint8 Order32() const { return FOrder32; }
    void SetOrder32(quint8 Value) { FOrder32 = Value; }

    // Both empty the buffer and forget any answer.
    void SetBase(quint16 Register);
    void SetOffset(quint8 Offset);

    // Starts a function-16 request at the current register, dropping any answer still held.
    void BeginWrite();
    // Refused when no write is being built, when answer data is pending, or when the request would
    // not fit the buffer with its CRC.
    bool AddWord(quint16 Value);
    bool AddLong(quint32 Value);
    bool AddFloat(float Value);
    // Sends the request built since BeginWrite; true when the device confirmed the same register
    // and count. The buffer is emptied on success.
    bool SendWrite();

    // Reads Count (1 .. 125) registers from the current register. A count outside that range fails
    // before any traffic. An answer that is not the expected one (an exception, another address or
    // function, a wrong byte count or CRC) is a failed exchange and leaves no data.
    bool Read(int Count);

    bool HasWord() const { return FHasData && FLength - FCursor >= 2; }
    bool HasLong() const { return FHasData && FLength - FCursor >= 4; }
    // The next value of the answer with the order code applied; 0 (and nothing taken) when not enough
    // is left. Taking the last register clears HasData.
    quint16 TakeWord();
    quint32 TakeLong();
    float TakeFloat();

private:
    void Clear();
    bool CanAdd(int Bytes) const;
    void Taken(int Bytes);

    TNerixModule* FModule;
    quint16 FBaseRegister = 0;
    quint8 FOffset = 0;
    quint8 FRegisterCount = 0;
    quint8 FLength = 0;
    quint8 FOrder16 = 0;
    quint8 FOrder32 = 0;
    bool FHasData = false;
    bool FWriting = false;
    int FCursor = 0;
    std::array<quint8, kBufferSize> FBuffer{};
};
