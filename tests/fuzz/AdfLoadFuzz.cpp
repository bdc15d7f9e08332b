// Whatever a file holds, loading it either refuses it or gives 1 .. 100 channels, a frequency, and
// samples that replay through the block store as the oscilloscope plays a loaded file.
#include "measurement/AdfFile.h"
#include "measurement/DataStore.h"

#include <QTemporaryFile>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        std::abort();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.flush();

    TAdfHeader header;
    const TAdfLoadResult decoded =
        DecodeAdfHeader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), header);
    TAdfReader reader;
    const TAdfLoadResult r = reader.Open(file.fileName());
    if (r != decoded)
        std::abort();
    if (r != TAdfLoadResult::Ok) {
        if (r == TAdfLoadResult::Invalid && !reader.ErrorText().startsWith(QStringLiteral("Invalid file\n")))
            std::abort();
        return 0;
    }
    const auto& h = reader.Header();
    if (h.Channels.empty() || h.Channels.size() > 100 || h.Frequency == 0)
        std::abort();
    for (const TAdfChannel& c : h.Channels)
        if (c.Label.size() > 60)
            std::abort();

    TOscDm dm;
    dm.SamplingFrequency = h.Frequency;
    for (const TAdfChannel& c : h.Channels)
        dm.ChannelProfiles.AddProfile()->ChannelIndex = c.ChannelIndex;
    TDataStore store(&dm);
    store.SetWindow(500);
    store.Prepare();
    qint64 handed = 0;
    store.OnBlockFull = [&](TDataStore* s) {
        if (s->Count() % int(h.Channels.size()) != 0)
            std::abort();
        handed += s->Count();
    };
    TSample s;
    qint64 read = 0;
    while (reader.Next(s)) {
        store.Add(s);
        ++read;
    }
    if (read != reader.SampleCount() || handed > read || read - handed >= store.Capacity() + 1)
        std::abort();
    return 0;
}
