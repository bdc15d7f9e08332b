// The TCP access point against a peer the test scripts on 127.0.0.1: a serial device server passing
// the bus's bytes, a Modbus TCP gateway, and each way either can go wrong.
#include "bus/TcpPortAccessPoint.h"
#include "protocol/ModbusTcp.h"
#include "protocol/NerixModule.h"
#include "support/NerixFrames.h"
#include "support/TcpPeer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The MBAP answer to the request in Data with this PDU after the unit id.
QByteArray MbapAnswer(const QByteArray& request, const QByteArray& pdu, int idDelta = 0) {
    QByteArray a;
    const quint16 id = quint16((quint8(request[0]) << 8 | quint8(request[1])) + idDelta);
    a.append(char(id >> 8)).append(char(id)).append(char(0)).append(char(0));
    const int length = int(pdu.size()) + 1;
    a.append(char(length >> 8)).append(char(length)).append(request[6]).append(pdu);
    return a;
}

class TcpAccessPoint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.Ok());
        ap.SetHost(QStringLiteral("127.0.0.1"));
        ap.SetPort(peer.Port());
        ap.SetTimeout(100);
        ap.SetTryCount(1);
        module.SetAP(&ap);
        module.SetAddress(5);
    }
    void Open(TTcpFraming framing) {
        if (framing == TTcpFraming::ModbusTcp)
            UseModbusTcp(ap);
        else
            ap.SetFraming(framing);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << ap.LastError().toStdString();
    }
    bool Read(quint16 property, quint32& value) { return module.ReadProperty(property, 0, value); }

    TTcpPeer peer;
    TTcpPortAccessPoint ap;
    TNerixModule module;
};

TEST_F(TcpAccessPoint, RawAnswerInPiecesBehindGarbage) {
    Open(TTcpFraming::Raw);
    peer.OnData = [](QTcpSocket* s, const QByteArray& request) {
        const QByteArray answer = NerixFrame(5, 0, 0, quint16(request[4]), 1234);
        // Line noise first, then the answer in three segments some milliseconds apart.
        s->write(FromHex("FF 00 13"));
        s->write(answer.left(3));
        s->flush();
        QTimer::singleShot(20, s, [s, answer] {
            s->write(answer.mid(3, 5));
            s->flush();
        });
        QTimer::singleShot(40, s, [s, answer] { s->write(answer.mid(8)); });
    };
    quint32 v = 0;
    ASSERT_TRUE(Read(1, v)) << ap.LastError().toStdString();
    EXPECT_EQ(v, 1234u);
    EXPECT_EQ(ap.SkippedBytes(), 3);
    EXPECT_EQ(peer.Received, NerixFrame(5, 0, 0, 1, 0));
}

TEST_F(TcpAccessPoint, RawGarbageOnlyIsAFailureNotAValue) {
    Open(TTcpFraming::Raw);
    peer.OnData = [](QTcpSocket* s, const QByteArray&) {
        QByteArray noise = NerixFrame(5, 0, 0, 1, 99);
        noise[7] = char(noise[7] ^ 0x40); // CRC no longer holds
        s->write(noise + QByteArray(20, char(0x55)));
    };
    quint32 v = 7;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Read(1, v));
    EXPECT_LT(t.elapsed(), 1000);
}

TEST_F(TcpAccessPoint, ConnectionRefused) {
    TTcpPortAccessPoint closed;
    closed.SetHost(QStringLiteral("127.0.0.1"));
    {
        TTcpPeer gone;
        closed.SetPort(gone.Port());
    } // nobody listens there any more
    closed.SetActive(true);
    EXPECT_FALSE(closed.Active());
    EXPECT_TRUE(closed.LastError().contains(QLatin1String("refused"))) << closed.LastError().toStdString();
}

TEST_F(TcpAccessPoint, UnreachableHostTimesOut) {
    // A listener whose queue is full drops further handshakes: the connection never completes.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 0), 0);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    std::vector<QTcpSocket*> fillers;
    for (int i = 0; i < 4; ++i) {
        fillers.push_back(new QTcpSocket);
        fillers.back()->connectToHost(QHostAddress::LocalHost, ntohs(a.sin_port));
    }
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents();

    TTcpPortAccessPoint far;
    far.SetHost(QStringLiteral("127.0.0.1"));
    far.SetPort(ntohs(a.sin_port));
    far.SetConnectTimeout(300);
    QElapsedTimer t;
    t.start();
    far.SetActive(true);
    EXPECT_FALSE(far.Active());
    EXPECT_GE(t.elapsed(), 280);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_TRUE(far.LastError().contains(QLatin1String("no answer within 300 ms")))
        << far.LastError().toStdString();
    for (QTcpSocket* s : fillers)
        delete s;
    ::close(fd);
}

TEST_F(TcpAccessPoint, PeerClosingMidExchangeThenReconnect) {
    Open(TTcpFraming::Raw);
    int requests = 0;
    peer.OnData = [&](QTcpSocket* s, const QByteArray& request) {
        if (++requests == 1) {
            s->write(NerixFrame(5, 0, 0, 1, 1).left(4)); // part of an answer, then the converter restarts
            s->flush();
            s->disconnectFromHost();
            return;
        }
        s->write(NerixFrame(5, 0, 0, quint16(request[4]), 4321));
    };
    quint32 v = 0;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Read(1, v));
    EXPECT_LT(t.elapsed(), 100); // the close ends the wait, not the time-out
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("closed the connection")))
        << ap.LastError().toStdString();
    EXPECT_TRUE(ap.Active());
    // The next exchange connects again; nothing of the half answer is left over.
    ASSERT_TRUE(Read(1, v)) << ap.LastError().toStdString();
    EXPECT_EQ(v, 4321u);
    EXPECT_EQ(peer.Accepted, 2);
    EXPECT_EQ(ap.Connects(), 2);
}

TEST_F(TcpAccessPoint, ReconnectThatFailsFailsTheExchange) {
    Open(TTcpFraming::Raw);
    ap.SetPort(1); // where the next connection will go: refused
    peer.OnData = [](QTcpSocket* s, const QByteArray&) { s->disconnectFromHost(); };
    quint32 v = 0;
    EXPECT_FALSE(Read(1, v));
    EXPECT_FALSE(Read(1, v));
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("refused"))) << ap.LastError().toStdString();
}

// A window shows the connection's state from these events: each change is told once, a close
// between requests as soon as it happens, and nothing when this side closes.
TEST_F(TcpAccessPoint, LinkEventsTellEachChangeOnce) {
    using E = TTcpPortAccessPoint::TLinkEvent;
    std::vector<E> events;
    QString why;
    ap.OnLinkChange = [&](E e, const QString& w) {
        events.push_back(e);
        why = w;
    };
    Open(TTcpFraming::Raw);
    EXPECT_EQ(events, std::vector<E>{E::Connected});

    // Closed while idle: no exchange is running to notice it, the socket's own news does.
    peer.CloseAll();
    QElapsedTimer t;
    t.start();
    while (events.size() < 2 && t.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(events, (std::vector<E>{E::Connected, E::Closed}));
    EXPECT_TRUE(why.contains(QLatin1String("closed the connection"))) << why.toStdString();

    // The next request connects again; a close in the middle of one is told once, although both the
    // socket and the waiting exchange see it.
    int requests = 0;
    peer.OnData = [&](QTcpSocket* s, const QByteArray& request) {
        if (++requests == 2) {
            s->disconnectFromHost();
            return;
        }
        s->write(NerixFrame(5, 0, 0, quint16(request[4]), 7));
    };
    quint32 v = 0;
    EXPECT_TRUE(Read(1, v)) << ap.LastError().toStdString();
    EXPECT_FALSE(Read(1, v));
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (std::vector<E>{E::Connected, E::Closed, E::Connected, E::Closed}));

    // The converter is gone for good: the attempt to connect again says so.
    ap.SetPort(1);
    EXPECT_FALSE(Read(1, v));
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events.back(), E::ReconnectFailed);
    EXPECT_TRUE(why.contains(QLatin1String("refused"))) << why.toStdString();

    // Closing from this side is no news.
    ap.SetPort(peer.Port());
    EXPECT_TRUE(Read(1, v));
    ap.SetActive(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(events.size(), 6u);
}

TEST_F(TcpAccessPoint, MbapCarriesTheTunnelAndDropsStaleAnswers) {
    module.SetTransferProtocol(tpModbus);
    Open(TTcpFraming::ModbusTcp);
    QByteArray lastRequest;
    peer.OnData = [&](QTcpSocket* s, const QByteArray& request) {
        lastRequest = request;
        // A late answer to an earlier transaction, then the real one split in two.
        s->write(MbapAnswer(request, FromHex("03 04 00 00 00 09"), -1));
        const QByteArray real = MbapAnswer(request, FromHex("03 04 00 01 E2 40"));
        s->write(real.left(5));
        s->flush();
        QTimer::singleShot(20, s, [s, real] { s->write(real.mid(5)); });
    };
    quint32 v = 0;
    ASSERT_TRUE(Read(1, v)) << ap.LastError().toStdString();
    EXPECT_EQ(v, 123456u);
    EXPECT_EQ(ap.StaleFrames(), 1);
    // What went out: an MBAP header, unit 5, function 3, no CRC.
    ASSERT_EQ(lastRequest.size(), 12);
    EXPECT_EQ(Hex(lastRequest.mid(2, 6)), QByteArray("00 00 00 06 05 03"));
}

TEST_F(TcpAccessPoint, MbapLengthOutOfRangeDropsTheConnection) {
    module.SetTransferProtocol(tpModbus);
    Open(TTcpFraming::ModbusTcp);
    peer.OnData = [](QTcpSocket* s, const QByteArray& request) {
        QByteArray a = MbapAnswer(request, FromHex("03 04 00 01 E2 40"));
        a[4] = char(0x01); // 0x0107 bytes: more than a Modbus TCP frame may hold
        s->write(a);
    };
    quint32 v = 0;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Read(1, v));
    EXPECT_LT(t.elapsed(), 100);
    EXPECT_FALSE(ap.Connected());
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("connection dropped"))) << ap.LastError().toStdString();
}

TEST_F(TcpAccessPoint, MbapExceptionIsNamed) {
    module.SetTransferProtocol(tpModbus);
    Open(TTcpFraming::ModbusTcp);
    peer.OnData = [](QTcpSocket* s, const QByteArray& request) {
        s->write(MbapAnswer(request, FromHex("83 02")));
    };
    quint32 v = 0;
    EXPECT_FALSE(Read(1, v));
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("exception 2"))) << ap.LastError().toStdString();
}

TEST_F(TcpAccessPoint, NerixOverMbapFailsAtOnce) {
    Open(TTcpFraming::ModbusTcp);
    int traffic = 0;
    ap.OnTraffic = [&](const quint8*, quint16, bool) { ++traffic; };
    ap.SetTryCount(3);
    quint32 v = 0;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Read(1, v));
    EXPECT_LT(t.elapsed(), 50);
    EXPECT_EQ(traffic, 0);
    EXPECT_TRUE(peer.Received.isEmpty());
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("Modbus only"))) << ap.LastError().toStdString();
}

TEST_F(TcpAccessPoint, SilenceTimesOutAndANestedExchangeIsRefused) {
    Open(TTcpFraming::Raw);
    ap.SetTryCount(2);
    bool nested = true;
    QTimer::singleShot(20, [&] {
        quint8 answer[11];
        const QByteArray r = NerixFrame(5, 0, 0, 2, 0);
        nested = ap.Exchange(reinterpret_cast<const quint8*>(r.constData()), 11, 11, answer);
    });
    quint32 v = 0;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Read(1, v));
    EXPECT_GE(t.elapsed(), 190);
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(nested);
    EXPECT_EQ(peer.Received.size(), 22); // two tries of the outer exchange only
}

} // namespace
