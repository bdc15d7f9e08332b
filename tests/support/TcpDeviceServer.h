#pragma once

#include "support/PtyBridge.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

// A child process that is ready once its output contains a given text.
class TChildProcess {
public:
    TChildProcess(const QString& Program, const QStringList& Args) { FProcess.start(Program, Args); }
    ~TChildProcess() { Stop(); }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool WaitFor(const QString& Text) {
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(Text) && t.elapsed() < 10000 && FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
        return FOut.contains(Text);
    }
    QString Out() const { return FOut; }
    void Stop() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }

private:
    QProcess FProcess;
    QString FOut;
};

// A TCP port on 127.0.0.1 that nobody listens on at the moment of asking.
inline quint16 FreeTcpPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

// Whether something accepts connections on the port within five seconds.
inline bool AcceptsTcp(quint16 Port) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, Port);
        if (s.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// The command-line emulator on a terminal and socat passing a TCP port's bytes to and from it
// unchanged, as a serial device server in transparent mode does.
struct TTcpDeviceServer {
    TTcpDeviceServer(const QString& Cli, const char* Protocol, const char* Devices)
        : emulator(Cli, {QStringLiteral("emulate"), QStringLiteral("--port"), bridge.PathA(),
                         QStringLiteral("--protocol"), QString::fromLatin1(Protocol),
                         QStringLiteral("--devices"), QString::fromLatin1(Devices)}),
          port(FreeTcpPort()),
          // Each connection gets a child of its own; one that ended must let go of the terminal at
          // once, or it still reads the answers meant for the next connection's child.
          socat(QStringLiteral("socat"),
                {QStringLiteral("-t"), QStringLiteral("0.01"),
                 QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr,fork").arg(port),
                 QStringLiteral("FILE:%1,raw,echo=0").arg(bridge.PathB())}) {}
    bool Ready() { return bridge.Ok() && emulator.WaitFor(QStringLiteral("emulating")) && AcceptsTcp(port); }
    QString Tcp() const { return QStringLiteral("127.0.0.1:%1").arg(port); }

    TPtyBridge bridge;
    TChildProcess emulator;
    quint16 port;
    TChildProcess socat;
};
