// Whatever a profile file holds, reading it either fails and adds nothing, or adds one description
// whose lookups answer and whose items name their owners.
#include "profiles/XMLProfileLoader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TXMLProfileLoader loader;
    QString error;
    const bool ok = loader.LoadData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    const TDeviceList& devices = loader.Devices();
    if (ok != (devices.Count() == 1) || (!ok && error.isEmpty()))
        std::abort();
    if (!ok)
        return 0;
    const TDeviceDesc* desc = devices.Items(0);
    const TDeviceObjects& objects = desc->NerixMap().Objects();
    std::vector<const TNerixesPropertyItem*> properties;
    for (int o = 0; o < objects.Count(); ++o) {
        const TDeviceObject* object = objects.Items(o);
        if (object->Description() != desc)
            std::abort();
        for (int p = 0; p < object->Properties().Count(); ++p) {
            const TNerixesPropertyItem* item = object->Properties().Items(p);
            if (item->Object() != object || item->Functions().Count() > TFunctionList::kLimit)
                std::abort();
            if (devices.FindNerixProperties(object->Id(), item->Id(), properties) != 1)
                std::abort();
        }
    }
    std::vector<const TParameter*> parameters;
    const TAddressSpaces& spaces = desc->ModbusMap().Spaces();
    for (int s = 0; s < spaces.Count(); ++s)
        for (int p = 0; p < spaces.Items(s)->Parameters().Count(); ++p) {
            const TParameter* parameter = spaces.Items(s)->Parameters().Items(p);
            if (parameter->Space() != spaces.Items(s) || spaces.Items(s)->Description() != desc)
                std::abort();
            if (parameter->RegisterCount() > 0 &&
                devices.FindModbusParameters(parameter->StartRegister(), parameters) != 1)
                std::abort();
        }
    return 0;
}
