#include "traffic/TrafficDecoder.h"

#include "profiles/DeviceProfiles.h"
#include "protocol/Crc16.h"

#include <bit>
#include <cstring>

namespace {

constexpr int kNerixLength = 11;

QString Hex(quint32 Value, int Digits) {
    return QStringLiteral("%1").arg(Value, Digits, 16, QLatin1Char('0')).toUpper();
}

quint16 Word(const quint8* Data, int Offset) {
    return quint16((Data[Offset] << 8) | Data[Offset + 1]);
}

TDecodedNode Node(const QString& Text, int First, int Last) {
    TDecodedNode node;
    node.Text = Text;
    node.First = First;
    node.Last = Last;
    return node;
}

// "Data:" over four bytes, most significant first, with the value as hex, integer and float.
TDecodedNode DataNode(const quint8* Data, int First, const TTrafficWords& Words) {
    const quint32 value = (quint32(Data[First]) << 24) | (quint32(Data[First + 1]) << 16) |
                          (quint32(Data[First + 2]) << 8) | quint32(Data[First + 3]);
    TDecodedNode node = Node(Words.Data + QStringLiteral(":"), First, First + 3);
    node.Children.push_back(Node(QStringLiteral("AsHex:     0x") + Hex(value, 8), First, First + 3));
    node.Children.push_back(Node(QStringLiteral("AsInteger: ") + QString::number(value), First, First + 3));
    node.Children.push_back(
        Node(QStringLiteral("AsFloat:   ") + QString::number(double(std::bit_cast<float>(value)), 'f', 6),
             First, First + 3));
    return node;
}

QString Direction(bool Received, const TTrafficWords& Words) {
    return Received ? Words.Response : Words.Request;
}

TDecodedNode AddressNode(const quint8* Data) {
    return Node(QStringLiteral("Address:  [0x") + Hex(Data[0], 2) + QStringLiteral("]"), 0, 0);
}

void DecodeNerix(const quint8* Data, int Length, bool Received, const TDeviceList* Profiles,
                 const TTrafficWords& Words, TDecodedPackage& Result) {
    if (!Data || Length != kNerixLength) {
        Result.Nodes.push_back(Node(Words.UnknownFormat, Length > 0 ? 0 : -1, Length - 1));
        return;
    }
    Result.Nodes.push_back(AddressNode(Data));
    QString function;
    if (Data[1] == 0)
        function = QStringLiteral("Function:[") + Words.Read + QStringLiteral(" - ") +
                   Direction(Received, Words) + QStringLiteral("]");
    else if (Data[1] == 1)
        function = QStringLiteral("Function[") + Words.Write + QStringLiteral(" - ") +
                   Direction(Received, Words) + QStringLiteral("]");
    else
        function = QStringLiteral("Function: /*") + Words.FunctionError + QStringLiteral("*/");
    Result.Nodes.push_back(Node(function, 1, 1));
    Result.Nodes.push_back(
        Node(Words.Object + QStringLiteral(":   [0x") + Hex(Data[2], 2) + QStringLiteral("]"), 2, 2));
    const quint16 property = Word(Data, 3);
    Result.Nodes.push_back(
        Node(Words.Property + QStringLiteral(": [0x") + Hex(property, 4) + QStringLiteral("]"), 3, 4));
    Result.Context = NerixContext(Profiles, Data[2], property);
    Result.Nodes.push_back(DataNode(Data, 5, Words));
    const quint16 stored = Word(Data, 9);
    const quint16 computed = Crc16(Data, 9);
    QString sum = Words.CheckSum + QStringLiteral(":  [0x") + Hex(stored, 4) + QStringLiteral("]");
    if (stored != computed)
        sum += QStringLiteral(" -") + Words.Incorrect + QStringLiteral(" [0x") + Hex(computed, 4) +
               QStringLiteral("]");
    Result.Nodes.push_back(Node(sum, 9, 10));
}

void DecodeModbus(const quint8* Data, int Length, bool Received, const TDeviceList* Profiles,
                  const TTrafficWords& Words, TDecodedPackage& Result) {
    // Address, function and the two CRC bytes are the least a frame has; a shorter package has no
    // function to speak of, whatever its second byte.
    if (!Data || Length < 4) {
        Result.Nodes.push_back(Node(Words.UnknownFormat, Length > 0 ? 0 : -1, Length - 1));
        return;
    }
    Result.Nodes.push_back(AddressNode(Data));
    const int body = Length - 3; // the last byte before the CRC
    auto function = [&](const QString& Kind) {
        return Node(QStringLiteral("Function:[") + Kind + QStringLiteral(" - ") + Direction(Received, Words) +
                        QStringLiteral("]"),
                    1, 1);
    };
    auto registers = [&] {
        const quint16 reg = Word(Data, 2);
        Result.Nodes.push_back(
            Node(Words.InitialRegister + QStringLiteral(":  [0x") + Hex(reg, 4) + QStringLiteral("]"), 2, 3));
        Result.Nodes.push_back(Node(Words.NumberOfRegisters + QStringLiteral(":  [") +
                                        QString::number(Word(Data, 4)) + QStringLiteral("]"),
                                    4, 5));
        Result.Context = ModbusContext(Profiles, reg);
    };
    auto unknown = [&] { Result.Nodes.push_back(Node(Words.UnknownFormat, 1, body)); };
    switch (Data[1]) {
    case 3:
        if (Received && Length == 9) {
            Result.Nodes.push_back(function(Words.Read));
            Result.Nodes.push_back(DataNode(Data, 3, Words));
        } else if (!Received && Length == 8) {
            Result.Nodes.push_back(function(Words.Read));
            registers();
        } else {
            unknown();
        }
        break;
    case 16:
        if (Received && Length == 8) {
            Result.Nodes.push_back(function(Words.Write));
            registers();
        } else if (!Received && Length == 13) {
            Result.Nodes.push_back(function(Words.Write));
            registers();
            Result.Nodes.push_back(DataNode(Data, 7, Words));
        } else {
            unknown();
        }
        break;
    default:
        Result.Nodes.push_back(Node(QStringLiteral("Function:") + Words.FunctionError, 1, 1));
        break;
    }
    QString sum =
        Words.CheckSum + QStringLiteral(":  [0x") + Hex(Word(Data, Length - 2), 4) + QStringLiteral("]");
    if (Crc16(Data, Length) != 0)
        sum += QStringLiteral(" - ") + Words.Incorrect;
    Result.Nodes.push_back(Node(sum, Length - 2, Length - 1));
}

} // namespace

std::vector<TContextRow> NerixContext(const TDeviceList* Profiles, quint8 ObjectId, quint16 PropertyId) {
    std::vector<TContextRow> rows;
    if (!Profiles)
        return rows;
    std::vector<const TNerixesPropertyItem*> found;
    Profiles->FindNerixProperties(ObjectId, PropertyId, found);
    for (const TNerixesPropertyItem* item : found) {
        const TDeviceObject* object = item->Object();
        rows.push_back({object->Description()->Header().Name(), object->Name(), item->Name()});
    }
    return rows;
}

std::vector<TContextRow> ModbusContext(const TDeviceList* Profiles, quint16 Register) {
    std::vector<TContextRow> rows;
    if (!Profiles)
        return rows;
    std::vector<const TParameter*> found;
    Profiles->FindModbusParameters(Register, found);
    for (const TParameter* item : found) {
        const TAddressSpace* space = item->Space();
        rows.push_back({space->Description()->Header().Name(), space->Name(), item->Name()});
    }
    return rows;
}

TDecodedPackage DecodePackage(TTransferProtocol Protocol, const quint8* Data, int Length, bool Received,
                              const TDeviceList* Profiles, const TTrafficWords& Words) {
    TDecodedPackage result;
    if (Length < 0)
        Length = 0;
    if (Protocol == tpModbus)
        DecodeModbus(Data, Length, Received, Profiles, Words, result);
    else
        DecodeNerix(Data, Length, Received, Profiles, Words, result);
    return result;
}

bool NerixPackageCorrupted(const quint8* Data, int Length) {
    return !Data || Length != kNerixLength || Crc16(Data, Length) != 0;
}
