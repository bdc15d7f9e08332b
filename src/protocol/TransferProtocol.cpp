#include "protocol/TransferProtocol.h"

QString TransferProtocolName(TTransferProtocol protocol) {
    switch (protocol) {
    case tpNerix:
        return QStringLiteral("Nerix");
    case tpModbus:
        return QStringLiteral("Modbus RTU");
    case tpZoVuru:
        return QStringLiteral("ZoVuru without CheckSum");
    case tpZoVuruCheckSum:
        return QStringLiteral("ZoVuru with CheckSum");
    }
    return {};
}
