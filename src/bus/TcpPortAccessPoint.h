#pragma once

#include "bus/AccessPoint.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QTcpSocket;

// How the bus's frames travel in the TCP stream.
enum class TTcpFraming : int {
    // A serial device server in transparent mode: the frames as they are on the line, Nerix and
    // Modbus RTU alike.
    Raw = 0,
    // A Modbus TCP gateway: each Modbus RTU request goes as an MBAP frame (the address as unit id,
    // no CRC) and the answer comes back as one; Nerix cannot pass.
    ModbusTcp = 1,
};

// How the frames of a wrapping framing (Modbus TCP) are made and read. The bus knows no protocol,
// so the protocol layer supplies it (ModbusTcpCodec).
class TTcpFrameCodec {
public:
    virtual ~TTcpFrameCodec() = default;
    // Why Request cannot go in this framing at all; empty when it can.
    virtual QString Refuse(const quint8* Request, int Length) const = 0;
    virtual int MaxRequest() const = 0;
    // The wire frame of Request under transaction Id in Out; its length, -1 when it cannot be made.
    virtual int Wrap(const quint8* Request, int Length, quint16 Id, quint8* Out, int OutSize) const = 0;
    // The frame at the front of Data: its size, 0 while more bytes are needed, -1 when the stream
    // cannot be trusted further (Why says what was wrong). Id gets the frame's transaction id.
    virtual int FrameSize(const quint8* Data, int Count, quint16& Id, QString& Why) const = 0;
    // The bus's answer frame of one whole wire frame in Out; its length, -1 when it has none.
    virtual int Unwrap(const quint8* Frame, int Count, quint8* Out, int OutSize) const = 0;
};

// The access point of devices behind an Ethernet converter reached over one TCP connection. It keeps
// the contract of the serial and UDP ones: the caller gives an RTU or Nerix frame and gets the
// answer's bytes back (in Modbus TCP framing the answer is made an RTU frame again, CRC included),
// so the Modbus tunnel, the device model and the scans work over it unchanged.
//
// Active means the user connected it. The connection itself may drop (the converter restarts, a
// network cable is pulled): the attempt in progress fails, what was half-read is dropped, and the
// next attempt connects once more before it gives up.
class TTcpPortAccessPoint : public TAccessPoint {
public:
    static constexpr int kDefaultConnectTimeout = 3000;

    // What became of the TCP connection underneath an active access point.
    enum class TLinkEvent {
        Connected,       // made, by the opening or by an attempt after a drop
        Closed,          // the peer closed it or it broke; Why says how
        ReconnectFailed, // an attempt after a drop could not connect again; Why says why
    };

    TTcpPortAccessPoint();
    ~TTcpPortAccessPoint() override;

    QString Host() const { return FHost; }
    void SetHost(const QString& Value) { FHost = Value; }
    quint16 Port() const { return FPort; }
    void SetPort(quint16 Value) { FPort = Value; }
    TTcpFraming Framing() const { return FFraming; }
    // ModbusTcp needs the codec too (UseModbusTcp of the protocol layer sets both); without one its
    // exchanges fail.
    void SetFraming(TTcpFraming Value);
    void SetCodec(const TTcpFrameCodec* Value) { FCodec = Value; }
    // How long a connection attempt may take, in ms (100 .. 60000; others are ignored).
    int ConnectTimeout() const { return FConnectTimeout; }
    void SetConnectTimeout(int Value);
    // "HOST:PORT", as messages name the peer.
    QString PeerText() const;

    // Whether the TCP connection is up now (Active may be true while it is down between attempts).
    bool Connected() const;
    // Counters for the status line and for tests.
    int Connects() const { return FConnects; }
    int StaleFrames() const { return FStaleFrames; }
    int SkippedBytes() const { return FSkippedBytes; }

    bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength) override;
    // Values below 10 ms are ignored.
    void SetTimeout(int Value) override;
    int GetTimeout() const override { return FTimeout; }
    // Connects; false (LastError says why) when the peer refuses, cannot be reached in
    // ConnectTimeout, or the host does not resolve.
    bool DoOpen() override;
    void DoClose() override;
    bool IsOpen() const override { return FActive; }

    // Told of every change of the connection while the access point is active, so that a window can
    // show a connection the peer closed as soon as it happens, not only at the next request. Called
    // from inside an exchange, too: whoever listens must not start one of its own there.
    std::function<void(TLinkEvent Event, const QString& Why)> OnLinkChange;

protected:
    QString RefuseRequest(const quint8* Request, int RequestLength) const override;
    int MaxRequestLength() const override;

private:
    bool Connect();
    // Closes the socket without reporting it as the peer's doing.
    void Abort();
    void Notify(TLinkEvent Event, const QString& Why);
    // Tells of a drop once, however many places notice it.
    void ReportClosed(const QString& Why);
    // Closes the connection and forgets what was half-read.
    void Drop(const QString& Why);
    bool Send(const quint8* Data, int Count);
    // Waits until more input arrives, the connection drops or Deadline (a TickCount) passes.
    // False unless input arrived.
    bool WaitForInput(quint64 Deadline);
    bool ExchangeRaw(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength);
    bool ExchangeMbap(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength);

    std::unique_ptr<QTcpSocket> FSocket;
    QByteArray FInput; // received and not taken yet
    QString FHost;
    quint16 FPort = 502;
    TTcpFraming FFraming = TTcpFraming::Raw;
    const TTcpFrameCodec* FCodec = nullptr;
    int FTimeout = 200;
    int FConnectTimeout = kDefaultConnectTimeout;
    bool FActive = false;
    // Set while this side closes the socket, whose disconnection is then no news.
    bool FAborting = false;
    bool FLinkDown = false;
    quint16 FTransactionId = 0;
    int FConnects = 0;
    int FStaleFrames = 0;
    int FSkippedBytes = 0;
};
