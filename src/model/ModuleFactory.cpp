#include "model/ModuleFactory.h"

#include "model/AnalogInputModules.h"
#include "model/AnalogOutputModules.h"
#include "model/DiscreteModules.h"
#include "model/MultiSensorModules.h"
#include "model/SensorChannelModules.h"
#include "model/ZUVOModule.h"

#include <map>

namespace {

const std::map<quint16, const char*>& ClassTable() {
    // clang-format off
    static const std::map<quint16, const char*> table = {
        {0, "TKVDAIKBUS"},         {20, "TKVDAIKBUS"},      {31, "TKVDAIKBUS"},          {1, "TKVDAI8BUS"},
        {2, "TKVDAOBUS"},          {3, "TKVDAO6BUS"},       {4, "TKVDDIBUS"},            {10, "TKVDDIBUS"},
        {5, "TKVDDOBUS"},          {6, "TKVDDIOBUS"},       {7, "TKVDDOSBUS"},           {8, "TKVDDORBUS"},
        {15, "TKVDAVIX"},          {17, "TKVDDOS12BUS"},    {18, "TKVDDI14BUS"},         {19, "TKVDDOFBUS"},
        {21, "TP340BUS"},          {22, "TKVDTCBUS"},       {23, "TKVDRSBUS"},           {24, "TKVDAVIX_EXT"},
        {25, "TKVDAIK12BUS"},      {26, "TKVDFLAMEBUS"},    {27, "TKVDFLAMEDETECTORBUS"}, {28, "TKVD2AVIX"},
        {29, "TKVD2ARVIX"},        {30, "TKVDTCMSBUS"},     {32, "TW3DVIX"},             {33, "TP680BUS"},
        {34, "TKVDAO2VIXPro"},     {35, "TKVDTCVIXPro"},    {36, "TKVDuHostVIXPro"},     {37, "TKVDAI4VIXPro"},
        {38, "TMIOVIXPro"},        {39, "TKVDDIOVIXPro"},   {40, "TKVDRSVIXPro"},        {41, "TKVDAIVIXPro"},
        {42, "TKVDAI7VIXPro"},     {43, "TMIOExVIXPro"},    {44, "TP341BUS"},            {64, "TKVDDIO24QAV"},
        {65, "TKVDAI24QAV"},       {66, "TKVDAO16QAV"},     {67, "TKVDDIO4QAV"},         {68, "TKVDAI8QAV"},
        {69, "TKVDMIOQAV"},        {72, "TKVDAIQAV"},
    };
    // clang-format on
    return table;
}

std::map<QString, TModuleCreator>& Creators() {
    static std::map<QString, TModuleCreator> creators;
    return creators;
}

// The families built into the program register their classes before anyone asks, so that a class
// registered later (a test's stand-in) replaces theirs. Marked done first: the families register
// through RegisterModuleClass, which comes back here.
void RegisterFamilies() {
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterAnalogInputModuleClasses();
    RegisterDiscreteModuleClasses();
    RegisterAnalogOutputModuleClasses();
    RegisterMultiSensorModuleClasses();
    RegisterSensorChannelModuleClasses();
}

} // namespace

QString ModuleClassOf(quint16 TypeCode) {
    const auto it = ClassTable().find(TypeCode);
    return it == ClassTable().end() ? QString() : QString::fromLatin1(it->second);
}

void RegisterModuleClass(const QString& ClassName, TModuleCreator Creator) {
    RegisterFamilies();
    Creators()[ClassName] = std::move(Creator);
}

TModuleCreation CreateModuleForType(quint16 TypeCode) {
    RegisterFamilies();
    TModuleCreation result;
    const QString cls = ModuleClassOf(TypeCode);
    if (cls.isEmpty()) {
        result.Why = QStringLiteral("no module class serves type %1").arg(TypeCode);
        return result;
    }
    const auto it = Creators().find(cls);
    if (it == Creators().end() || !it->second) {
        result.Why = QStringLiteral("%1 (type %2) is not part of this build").arg(cls).arg(TypeCode);
        return result;
    }
    result.Module = it->second();
    return result;
}
