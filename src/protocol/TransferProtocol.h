#pragma once

#include <QString>

// How a device is talked to. The ordinals are stored and shown; keep the order.
enum TTransferProtocol { tpNerix, tpModbus, tpZoVuru, tpZoVuruCheckSum };
inline constexpr int kTransferProtocolCount = 4;

// "Nerix", "Modbus RTU", "ZoVuru without CheckSum", "ZoVuru with CheckSum".
QString TransferProtocolName(TTransferProtocol protocol);
