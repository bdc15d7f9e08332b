// Whatever a traffic file holds, loading it either refuses it or gives packages whose bytes and
// lengths agree and whose times are valid; what it keeps saves and loads back the same.
#include "traffic/TrafficSerializer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TTrafficFile file;
    int skipped = -1;
    QString error;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!TrafficFromXml(bytes, file, &skipped, &error)) {
        if (error.isEmpty() || !file.Packages.empty())
            std::abort();
        return 0;
    }
    if (skipped < 0 || (file.Protocol != 0 && file.Protocol != 1))
        std::abort();
    for (const TContainerItem& p : file.Packages)
        if (p.Data.isEmpty() || p.Length != p.Data.size() || !p.Time.isValid() || p.Direction > 1)
            std::abort();
    // A round trip keeps every package that was kept.
    TTrafficFile again;
    int skippedAgain = -1;
    if (!TrafficFromXml(TrafficToXml(file), again, &skippedAgain) || skippedAgain != 0 ||
        again.Packages.size() != file.Packages.size())
        std::abort();
    for (size_t i = 0; i < file.Packages.size(); ++i)
        if (again.Packages[i].Data != file.Packages[i].Data ||
            again.Packages[i].Direction != file.Packages[i].Direction)
            std::abort();
    return 0;
}
