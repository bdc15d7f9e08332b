#include "platform/SerialLine.h"

#include "platform/EventWait.h"
#include "platform/Ticks.h"

#include <QSerialPort>

#include <cerrno>
#include <cstring>
#include <limits>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace {

QSerialPort::Parity ToQt(TLineParity p) {
    switch (p) {
    case TLineParity::Odd:
        return QSerialPort::OddParity;
    case TLineParity::Even:
        return QSerialPort::EvenParity;
    case TLineParity::Mark:
        return QSerialPort::MarkParity;
    case TLineParity::Space:
        return QSerialPort::SpaceParity;
    case TLineParity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(TLineStopBits s) {
    switch (s) {
    case TLineStopBits::OneAndHalf:
        return QSerialPort::TwoStop; // see Apply
    case TLineStopBits::Two:
        return QSerialPort::TwoStop;
    case TLineStopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

bool IsFatal(QSerialPort::SerialPortError e) {
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError;
}

} // namespace

TSerialLine::TSerialLine() = default;

TSerialLine::~TSerialLine() {
    Close();
}

bool TSerialLine::Open(const QString& devicePath) {
    Close();
    FDevicePath = devicePath;
    FErrorText.clear();
    FFailed = false;
    FKernelRs485 = false;
    FPermissionDenied = false;
    if (devicePath.isEmpty()) {
        FErrorText = QStringLiteral("no device path");
        return false;
    }
    FPort = std::make_unique<QSerialPort>();
    FPort->setPortName(devicePath);
    if (!FPort->open(QIODevice::ReadWrite)) {
        FErrorText = FPort->errorString();
        FPermissionDenied = FPort->error() == QSerialPort::PermissionError;
        FPort.reset();
        return false;
    }
    return true;
}

void TSerialLine::Close() {
    if (!FPort)
        return;
    if (FKernelRs485)
        EnableKernelRs485(false);
    FPort->close();
    FPort.reset();
    FKernelRs485 = false;
}

bool TSerialLine::IsOpen() const {
    return FPort && FPort->isOpen();
}

bool TSerialLine::Failed() const {
    return FFailed || !IsOpen();
}

void TSerialLine::MarkFailed(const QString& why) {
    FFailed = true;
    FErrorText = why;
}

void TSerialLine::NoteError() {
    if (FPort && IsFatal(FPort->error())) {
        FFailed = true;
        FErrorText = FPort->errorString();
    }
}

int TSerialLine::NativeHandle() const {
    return IsOpen() ? int(FPort->handle()) : -1;
}

bool TSerialLine::Apply(const TLineSettings& s) {
    if (!IsOpen()) {
        FErrorText = QStringLiteral("port is closed");
        return false;
    }
    auto fail = [this](const char* what) {
        FErrorText = QStringLiteral("%1: %2").arg(QLatin1String(what), FPort->errorString());
        FPort->clearError();
        return false;
    };
    if (s.DataBits < 5 || s.DataBits > 8) {
        FErrorText = QStringLiteral("data bits: %1 is not 5 to 8").arg(s.DataBits);
        return false;
    }
    if (s.BaudRate == 0 || s.BaudRate > quint32(std::numeric_limits<qint32>::max())) {
        FErrorText = QStringLiteral("speed: %1 bit/s is not supported").arg(s.BaudRate);
        return false;
    }
    // termios has no 1.5 stop bits. A UART of the 16550 family sends 1.5 when asked for 2 with
    // 5-bit characters; with any other size the driver would quietly send 1, so refuse instead.
    if (s.StopBits == TLineStopBits::OneAndHalf && s.DataBits != 5) {
        FErrorText = QStringLiteral("stop bits: 1.5 stop bits need 5 data bits on this system");
        return false;
    }
    if (!FPort->setBaudRate(qint32(s.BaudRate)))
        return fail("speed");
    if (!FPort->setDataBits(QSerialPort::DataBits(s.DataBits)))
        return fail("data bits");
    if (!FPort->setParity(ToQt(s.Parity)))
        return fail("parity");
    if (!FPort->setStopBits(ToQt(s.StopBits)))
        return fail("stop bits");
    const auto flow = s.Rts == TLineRts::Handshake ? QSerialPort::HardwareControl
                      : s.XonXoff                  ? QSerialPort::SoftwareControl
                                                   : QSerialPort::NoFlowControl;
    if (!FPort->setFlowControl(flow))
        return fail("flow control");

    FRts = s.Rts;
    if (FKernelRs485 && s.Rts != TLineRts::Toggle)
        EnableKernelRs485(false);
    if (s.Rts == TLineRts::Toggle && !FKernelRs485)
        FKernelRs485 = EnableKernelRs485(true);

    // Modem lines are best effort: pseudo-terminals and some adapters have none, and a line without
    // them still carries data. Failures here do not fail the settings.
    FPort->setDataTerminalReady(s.Dtr);
    if (s.Rts == TLineRts::On || s.Rts == TLineRts::Off)
        FPort->setRequestToSend(s.Rts == TLineRts::On);
    else if (s.Rts == TLineRts::Toggle && !FKernelRs485)
        FPort->setRequestToSend(false); // receive until we send
    FPort->clearError();
    return true;
}

bool TSerialLine::EnableKernelRs485(bool enable) {
    const int fd = NativeHandle();
    if (fd < 0)
        return false;
    serial_rs485 conf;
    std::memset(&conf, 0, sizeof conf);
    if (enable)
        conf.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    return ::ioctl(fd, TIOCSRS485, &conf) == 0;
}

bool TSerialLine::Purge(bool input, bool output) {
    if (!IsOpen())
        return false;
    QSerialPort::Directions dirs;
    if (input)
        dirs |= QSerialPort::Input;
    if (output)
        dirs |= QSerialPort::Output;
    if (!dirs)
        return true;
    const bool ok = FPort->clear(dirs);
    FPort->clearError();
    return ok;
}

qint64 TSerialLine::BytesWaiting() {
    if (Failed())
        return -1;
    // What QSerialPort already took in (it reads when its notifier fires during event processing)
    // plus what the kernel holds.
    int queued = 0;
    if (::ioctl(NativeHandle(), FIONREAD, &queued) != 0)
        queued = 0;
    return FPort->bytesAvailable() + queued;
}

qint64 TSerialLine::OutputPending() const {
    if (Failed())
        return -1;
    int queued = 0;
    if (::ioctl(NativeHandle(), TIOCOUTQ, &queued) != 0)
        queued = 0;
    return FPort->bytesToWrite() + queued;
}

qint64 TSerialLine::Read(quint8* buffer, qint64 count) {
    if (Failed())
        return -1;
    qint64 done = 0;
    if (FPort->bytesAvailable() > 0) {
        done = FPort->read(reinterpret_cast<char*>(buffer), count);
        if (done < 0) {
            NoteError();
            return -1;
        }
    }
    if (done < count) {
        // The rest straight from the kernel, without a detour through QSerialPort's buffer.
        const ssize_t n = ::read(NativeHandle(), buffer + done, size_t(count - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            MarkFailed(QString::fromLocal8Bit(std::strerror(errno)));
            return done > 0 ? done : -1;
        }
    }
    return done;
}

qint64 TSerialLine::Write(const quint8* buffer, qint64 count) {
    if (Failed())
        return -1;
    if (count <= 0)
        return 0;
    if (FRts == TLineRts::Toggle && !FKernelRs485)
        return WriteToggled(buffer, count);
    if (FPort->bytesToWrite() > 0) {
        // Keep the order: QSerialPort still holds earlier bytes.
        const qint64 n = FPort->write(reinterpret_cast<const char*>(buffer), count);
        if (n > 0)
            FPort->flush();
        NoteError();
        return FFailed ? -1 : n;
    }
    const ssize_t n = ::write(NativeHandle(), buffer, size_t(count));
    if (n >= 0)
        return n;
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    MarkFailed(QString::fromLocal8Bit(std::strerror(errno)));
    return -1;
}

qint64 TSerialLine::WriteToggled(const quint8* buffer, qint64 count) {
    // The line must turn round right after the last stop bit, or the first bytes of the answer are
    // lost; so this waits without processing events. A frame takes a few milliseconds.
    FPort->setRequestToSend(true);
    const qint64 n = FPort->write(reinterpret_cast<const char*>(buffer), count);
    const quint64 start = TickCount();
    while (n > 0 && FPort->bytesToWrite() > 0 && TickCount() - start <= quint64(FWriteTimeoutMs)) {
        FPort->waitForBytesWritten(kWaitSliceMs);
        NoteError();
        if (FFailed)
            break;
    }
    const int fd = NativeHandle();
    while (!FFailed && TickCount() - start <= quint64(FWriteTimeoutMs)) {
        int queued = 0;
        if (::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued == 0) {
            unsigned int lsr = 0;
            if (::ioctl(fd, TIOCSERGETLSR, &lsr) != 0 || (lsr & TIOCSER_TEMT))
                break;
        }
        SleepMs(1);
    }
    FPort->setRequestToSend(false);
    FPort->clearError();
    return FFailed ? -1 : n;
}

bool TSerialLine::SetRts(bool level) {
    return IsOpen() && FPort->setRequestToSend(level);
}

bool TSerialLine::SetDtr(bool level) {
    return IsOpen() && FPort->setDataTerminalReady(level);
}

TModemStatus TSerialLine::ModemStatus() const {
    TModemStatus st;
    if (!IsOpen())
        return st;
    const auto pins = FPort->pinoutSignals();
    st.Cts = pins.testFlag(QSerialPort::ClearToSendSignal);
    st.Dsr = pins.testFlag(QSerialPort::DataSetReadySignal);
    st.Ring = pins.testFlag(QSerialPort::RingIndicatorSignal);
    st.Dcd = pins.testFlag(QSerialPort::DataCarrierDetectSignal);
    return st;
}

void TSerialLine::WaitForInput(int maxMs, bool processEvents) {
    if (Failed()) {
        if (processEvents)
            ProcessPendingEvents();
        return;
    }
    WaitForDevice(*FPort, TIoWait::Read, maxMs, false);
    NoteError();
    if (processEvents)
        ProcessPendingEvents();
}

void TSerialLine::WaitForOutput(int maxMs, bool processEvents) {
    if (Failed()) {
        if (processEvents)
            ProcessPendingEvents();
        return;
    }
    WaitForDevice(*FPort, TIoWait::Write, maxMs, false);
    NoteError();
    if (processEvents)
        ProcessPendingEvents();
}
