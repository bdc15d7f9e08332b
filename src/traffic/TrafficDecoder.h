#pragma once

#include "protocol/TransferProtocol.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class TDeviceList;

// The words the decoders put into their nodes; English by default, the window fills them from its
// language table.
struct TTrafficWords {
    QString UnknownFormat = QStringLiteral("Unknown format"), Read = QStringLiteral("READ"),
            Write = QStringLiteral("WRITE"), Response = QStringLiteral("Response"),
            Request = QStringLiteral("Request"), FunctionError = QStringLiteral("Function error"),
            Object = QStringLiteral("Object"), Property = QStringLiteral("Property"),
            Data = QStringLiteral("Data"), CheckSum = QStringLiteral("Check sum"),
            Incorrect = QStringLiteral("Incorrect"), InitialRegister = QStringLiteral("Initial register"),
            NumberOfRegisters = QStringLiteral("Number of registers");
};

// One line of the decoded tree and the bytes it describes (First .. Last, -1 for none).
struct TDecodedNode {
    QString Text;
    int First = -1;
    int Last = -1;
    std::vector<TDecodedNode> Children;
};

// What the profiles say about the addressed object: device model, object (or address space) and
// the property's (or parameter's) name.
struct TContextRow {
    QString Device, Object, Action;
};

struct TDecodedPackage {
    std::vector<TDecodedNode> Nodes;
    std::vector<TContextRow> Context;
};

// Decodes a package as a Nerix frame (tpNerix) or a Modbus RTU frame (tpModbus; any other protocol
// decodes as Nerix). Received: the package came from a device (an answer). Profiles may be null.
TDecodedPackage DecodePackage(TTransferProtocol Protocol, const quint8* Data, int Length, bool Received,
                              const TDeviceList* Profiles, const TTrafficWords& Words = {});

// Nerix: not 11 bytes or a bad CRC. (Nothing is checked for Modbus RTU.)
bool NerixPackageCorrupted(const quint8* Data, int Length);

// The context rows of a Nerix object and property, and of a Modbus register.
std::vector<TContextRow> NerixContext(const TDeviceList* Profiles, quint8 ObjectId, quint16 PropertyId);
std::vector<TContextRow> ModbusContext(const TDeviceList* Profiles, quint16 Register);
