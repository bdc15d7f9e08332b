#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class QSerialPort;

enum class TLineParity { None, Odd, Even, Mark, Space };
enum class TLineStopBits { One, OneAndHalf, Two };

// How the RTS line is driven.
enum class TLineRts {
    Off,       // held low
    On,        // held high
    Handshake, // RTS/CTS hardware flow control
    Toggle,    // high only while sending: the direction switch of a half-duplex RS-485 line
};

struct TLineSettings {
    quint32 BaudRate = 9600;
    int DataBits = 8; // 5 .. 8
    TLineParity Parity = TLineParity::None;
    TLineStopBits StopBits = TLineStopBits::One;
    TLineRts Rts = TLineRts::On;
    bool Dtr = true;
    bool XonXoff = false;
};

struct TModemStatus {
    bool Cts = false;
    bool Dsr = false;
    bool Ring = false;
    bool Dcd = false;
};

// One serial line, opened by device path. QSerialPort does the opening (lock file, exclusive access,
// raw mode) and the line settings, custom speeds included; the native handle adds what it lacks on
// Linux: the kernel's input and output queue counts and RS-485 direction control.
//
// Nothing here blocks for long: reads and writes are non-blocking and the waits are bounded slices.
class TSerialLine {
public:
    TSerialLine();
    ~TSerialLine();
    TSerialLine(const TSerialLine&) = delete;
    TSerialLine& operator=(const TSerialLine&) = delete;

    bool Open(const QString& devicePath);
    void Close();
    bool IsOpen() const;

    // Applies every line setting; false (with ErrorText) when the driver refuses one. 1.5 stop bits
    // exist only with 5 data bits (the UART's reading of "2" then); otherwise they are refused.
    bool Apply(const TLineSettings& settings);

    // Discards what is waiting to be read and/or not yet sent.
    bool Purge(bool input, bool output);

    // Bytes that can be read now without waiting; -1 when closed or after an I/O error.
    qint64 BytesWaiting();
    // Bytes handed to Write that have not yet left the UART; -1 when closed.
    qint64 OutputPending() const;

    // Non-blocking: returns the bytes read or written, 0 when nothing could be done, -1 on an error.
    qint64 Read(quint8* buffer, qint64 count);
    qint64 Write(const quint8* buffer, qint64 count);

    bool SetRts(bool level);
    bool SetDtr(bool level);
    TModemStatus ModemStatus() const;

    // One bounded step of a wait for input or for output progress (at most a few milliseconds),
    // followed by the processing of pending window events when asked for.
    void WaitForInput(int maxMs, bool processEvents);
    void WaitForOutput(int maxMs, bool processEvents);

    // True after the device reported an I/O error (unplugged adapter, vanished pseudo-terminal).
    // Such a line reads nothing for ever; callers treat it like a closed one.
    bool Failed() const;
    QString ErrorText() const { return FErrorText; }
    // The last Open failed because the user may not use the device (on Debian: not in "dialout").
    bool PermissionDenied() const { return FPermissionDenied; }
    QString DevicePath() const { return FDevicePath; }

    // Whether RTS toggling is done by the kernel's RS-485 mode (true) or by raising RTS around
    // each write (false). Meaningful after Apply with TLineRts::Toggle.
    bool KernelRs485() const { return FKernelRs485; }

    // How long a toggled write may take to leave the UART before RTS is dropped anyway.
    void SetWriteTimeout(int ms) { FWriteTimeoutMs = ms; }

    // The file descriptor of the open line, -1 when closed: for a readiness notifier of a listening
    // port, which must not wait for a timer tick to hear a request.
    int NativeHandle() const;

private:
    bool EnableKernelRs485(bool enable);
    // Raises RTS, sends, waits until the last bit left the UART, lowers RTS.
    qint64 WriteToggled(const quint8* buffer, qint64 count);
    void NoteError();
    void MarkFailed(const QString& why);

    std::unique_ptr<QSerialPort> FPort;
    QString FDevicePath;
    QString FErrorText;
    TLineRts FRts = TLineRts::On;
    bool FKernelRs485 = false;
    bool FFailed = false;
    bool FPermissionDenied = false;
    int FWriteTimeoutMs = 500;
};
