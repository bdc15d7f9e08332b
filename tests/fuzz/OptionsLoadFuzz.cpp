// Whatever "Options.xml" holds, the program starts with either the defaults or values its setters
// accept, and what it writes at shutdown reads back to the very same settings.
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QStringList Settings(const TAdminOptions& o) {
    const TAccessPointsOptions& ap = *o.AccessPoints();
    const TComPortAPOptions& com = *ap.ComPortAPOptions();
    const TUdpPortAPOptions& udp = *ap.UdpPortAPOptions();
    const TTcpPortAPOptions& tcp = *ap.TcpPortAPOptions();
    const TEmulatorOptions& emu = *o.EmulatorPoints();
    const auto n = [](qint64 v) { return QString::number(v); };
    return {n(o.LanguageID()),   n(o.LiteVersion()),   n(emu.Port()),
            n(emu.RateID()),     n(emu.Protocol()),    n(ap.AccessPointID()),
            n(com.Port()),       n(com.RateID()),      n(com.ParityID()),
            n(com.RTSMode()),    n(com.Timeout()),     n(com.StopBitsID()),
            udp.Host(),          n(udp.RemoutePort()), n(udp.UseLocalPort()),
            n(udp.LocalPort()),  n(udp.Timeout()),     tcp.Host(),
            n(tcp.RemoutePort())};
}

QByteArray ReadAll(const QString& Path) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every run writes the file three times, each flushed to disk; memory-backed storage keeps the
    // runs fast where there is some.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/dvv_fuzz_options-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/dvv_fuzz_options-XXXXXX"));
    static const QStringList defaults = Settings(TAdminOptions());
    const QString path = dir.filePath(QStringLiteral("Options.xml"));
    const QString damaged = TOptionsDm::DamagedCopyPath(path);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile::remove(damaged);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
            std::abort();
    }

    QStringList first;
    {
        TOptionsDm dm(dir.path());
        first = Settings(*dm.AdminOptions());
        const TComPortAPOptions& com = *dm.AdminOptions()->AccessPoints()->ComPortAPOptions();
        const int udpTimeout = dm.AdminOptions()->AccessPoints()->UdpPortAPOptions()->Timeout();
        if (com.Timeout() < 20 || com.Timeout() > 10000 || udpTimeout < 20 || udpTimeout > 10000 ||
            com.RTSMode() < 0 || com.RTSMode() > 2)
            std::abort();
        if (dm.LoadResult() != lrLoaded) {
            if (first != defaults)
                std::abort();
            // What could not be loaded is kept before shutdown overwrites it.
            if (ReadAll(damaged) != input)
                std::abort();
        }
    }
    const QByteArray written = ReadAll(path);
    {
        TOptionsDm dm(dir.path());
        if (dm.LoadResult() != lrLoaded || Settings(*dm.AdminOptions()) != first)
            std::abort();
    }
    if (ReadAll(path) != written)
        std::abort();
    return 0;
}
