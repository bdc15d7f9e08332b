// Whatever "Options.xml" holds, the program starts with either the defaults or values its setters
// accept, and what it writes at shutdown reads back to the very same settings and is written again
// byte for byte. The text goes through the serializer in memory: no file is written per input.
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "support/OptionsSnapshot.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

// The options as the program sets them up at start-up (application name, root element, version),
// started in a folder without "Options.xml" and with nowhere to save to, so that only the text in
// hand is read and nothing is written.
class TStart {
public:
    explicit TStart(const QString& EmptyFolder) : FDm(EmptyFolder) {
        if (FDm.LoadResult() != lrNoFile)
            std::abort();
        FDm.Serializer()->SetXMLFilePath(QString());
    }
    TXMLOptionsSerializer& Serializer() { return *FDm.Serializer(); }
    const TAdminOptions& Options() const { return *FDm.AdminOptions(); }

private:
    TOptionsDm FDm;
};

// What the program writes when it starts without a file it could take.
QByteArray DefaultDocument(const QString& EmptyFolder) {
    TStart start(EmptyFolder);
    QByteArray bytes;
    if (!start.Serializer().WriteDocument(bytes))
        std::abort();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir empty;
    static const QStringList defaults = OptionsSnapshot(TAdminOptions());
    static const QByteArray defaultDocument = DefaultDocument(empty.path());
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    QStringList first;
    QByteArray written;
    {
        TStart start(empty.path());
        const TXMLLoadResult result = start.Serializer().LoadText(input);
        first = OptionsSnapshot(start.Options());
        const TAccessPointsOptions& ap = *start.Options().AccessPoints();
        const TComPortAPOptions& com = *ap.ComPortAPOptions();
        const int udpTimeout = ap.UdpPortAPOptions()->Timeout();
        if (com.Timeout() < kMinAPTimeout || com.Timeout() > kMaxAPTimeout || udpTimeout < kMinAPTimeout ||
            udpTimeout > kMaxAPTimeout || com.RTSMode() < rmLow || com.RTSMode() > rmToggle)
            std::abort();
        // At shutdown a tree that does not make a well-formed document is not saved: the file
        // keeps what it held.
        if (!start.Serializer().WriteDocument(written))
            written = input;
        // A file that was not taken leaves no trace, down to the version it claimed: what is
        // written is the first run's file.
        if (result != lrLoaded) {
            if (first != defaults || written != defaultDocument)
                std::abort();
            return 0;
        }
    }
    TStart next(empty.path());
    if (next.Serializer().LoadText(written) != lrLoaded || OptionsSnapshot(next.Options()) != first)
        std::abort();
    QByteArray again;
    if (!next.Serializer().WriteDocument(again) || again != written)
        std::abort();
    return 0;
}
