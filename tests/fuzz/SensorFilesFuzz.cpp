// The two files of the sensor bus window that come from outside: an identifier list (".mac") and a
// sensor image (".tsi"). Byte 0 picks the reader (bit 0 set: the image), the rest is the file. A list
// either loads whole, each identifier written back as the 16 digits it was read from, or is refused
// and leaves the list in hand alone; an image either passes every check or leaves the image in hand.
#include "sensorbus/MacList.h"
#include "sensorbus/SensorImage.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] & 1) {
        TSensorImage image;
        image.AddProperties()->TempJumpValue = 99;
        const TImageCheck check = LoadSensorImageText(bytes, image);
        if (check.Ok() != CheckSensorImage(image).Ok())
            std::abort();
        if (!check.Ok() && (image.AddProperties()->TempJumpValue != 99 || image.Buses()->Count() != 0))
            std::abort();
        return 0;
    }
    TMACList list = {TOneWireMAC::FromWords(1, 2)};
    const TMacReadResult r = ReadMacText(bytes, list);
    if (!r.Ok()) {
        if (list.size() != 1 || r.Line < 1)
            std::abort();
        return 0;
    }
    TMACList again;
    if (!ReadMacText(MacText(list), again).Ok() || again != list)
        std::abort();
    return 0;
}
