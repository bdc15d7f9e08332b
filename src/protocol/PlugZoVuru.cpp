#include "protocol/PlugZoVuru.h"

namespace {

// Appends the rows of one group.
class TGroupRows {
public:
    TGroupRows(std::vector<TZoVuruPODRecord>& out, quint16 group) : FOut(out), FGroup(group) {}

    void Read(const char* prefix, int first, int last, const char* code, int property, int length = 7) {
        Add(0, prefix, first, last, code, property, length);
    }
    void Write(const char* prefix, int first, int last, const char* code, int property, int length = 15) {
        Add(1, prefix, first, last, code, property, length);
    }
    // A read command and its write counterpart, in that order.
    void Pair(const char* prefix, int first, int last, const char* readCode, const char* writeCode,
              int property, int readLength = 7, int writeLength = 15) {
        Read(prefix, first, last, readCode, property, readLength);
        Write(prefix, first, last, writeCode, property, writeLength);
    }

    // Object 0, the device itself: reads carry 6, writes 14.
    void DeviceBlock() {
        Read("$", 0, 0, "MN", 0, 6);
        Read("$", 0, 0, "SN", 1, 6);
        Write("$", 0, 0, "NS", 1, 14);
        Read("$", 0, 0, "AI", 2, 6);
        Write("$", 0, 0, "IA", 2, 14);
        Write("$", 0, 0, "WA", 3, 14);
        Write("$", 0, 0, "WS", 5, 14);
        Write("$", 0, 0, "WR", 6, 14);
        Write("$", 0, 0, "WP", 15, 14);
    }

    // Analog input channels; the eight-channel module lacks the polynomial and limit commands and
    // names its filter time TR/RT.
    void AnalogInputs(int first, int last, bool eightChannel) {
        Read("#", first, last, "", 0, 5);
        Pair("@", first, last, "MR", "RM", 1);
        Pair("@", first, last, "NS", "SN", 2);
        Pair("@", first, last, "FC", "CF", 3);
        Pair("@", first, last, "PS", "SP", 4);
        if (eightChannel)
            Pair("@", first, last, "TR", "RT", 5);
        else
            Pair("@", first, last, "FT", "TF", 5);
        Pair("@", first, last, "AR", "RA", 16);
        Pair("@", first, last, "RC", "CR", 14);
        Write("@", first, last, "WP", 15);
        if (!eightChannel) {
            Pair("@", first, last, "PM", "MP", 37, 8, 16);
            Pair("@", first, last, "PM", "MP", 38, 8, 16);
            Pair("@", first, last, "PM", "MP", 39, 8, 16);
            Pair("@", first, last, "IL", "LI", 40, 16, 8);
            Pair("@", first, last, "IL", "LI", 41, 16, 8);
        }
        Write("@", first, last, "WO", 48);
        Pair("@", first, last, "DR", "RD", 49);
        Read("@", first, last, "TC", 50);
    }

    void AnalogOutputs(int first, int last) {
        Write("#", first, last, "", 0, 12);
        Read("@", first, last, "CV", 0);
        Pair("@", first, last, "MR", "RM", 1);
        Pair("@", first, last, "NS", "SN", 2);
        Pair("@", first, last, "AR", "RA", 16);
        Pair("@", first, last, "RC", "CR", 14);
        Write("@", first, last, "WP", 15);
        Write("@", first, last, "WO", 48);
        Pair("@", first, last, "DR", "RD", 49);
    }

    void DiscreteInputs(int first, int last, bool withCounterLimit) {
        Read("@", first, last, "CS", 0);
        Read("@", first, last, "VL", 1);
        Pair("@", first, last, "BL", "LB", 2);
        Pair("@", first, last, "HL", "LH", 3);
        Write("@", first, last, "IP", 4);
        Pair("@", first, last, "PM", "MP", 5);
        Pair("@", first, last, "LE", "EL", 6);
        Write("@", first, last, "WP", 7);
        Pair("@", first, last, "BE", "EB", 8);
        Pair("@", first, last, "HR", "RH", 9);
        Pair("@", first, last, "RT", "TR", 10);
        if (withCounterLimit)
            Pair("@", first, last, "CL", "LC", 11);
    }

    // Discrete outputs; the output modules add the pulse-sequence commands.
    void DiscreteOutputs(int first, int last, bool withSequences) {
        Pair("&", first, last, "OL", "LO", 0);
        Read("&", first, last, "OC", 1);
        Read("&", first, last, "SC", 2);
        Pair("&", first, last, "OM", "MO", 3);
        if (!withSequences)
            return;
        Write("&", first, last, "SG", 4);
        Pair("&", first, last, "SL", "LS", 5);
        Pair("&", first, last, "CP", "PC", 6);
        Write("&", first, last, "PI", 7);
        Pair("&", first, last, "DP", "PD", 8);
    }

    void Manager(int object) {
        Read("%", object, object, "CI", 0);
        Pair("%", object, object, "OS", "SO", 1);
        Read("%", object, object, "SC", 2);
        Pair("%", object, object, "OM", "MO", 3);
        Read("%", object, object, "CH", 4);
    }

private:
    void Add(quint8 isWrite, const char* prefix, int first, int last, const char* code, int property,
             int length) {
        FOut.push_back({FGroup, isWrite, quint8(first), quint8(last), quint16(property),
                        QString::fromLatin1(prefix), QString::fromLatin1(code), quint8(length)});
    }

    std::vector<TZoVuruPODRecord>& FOut;
    quint16 FGroup;
};

} // namespace

TPlugZoVuru::TPlugZoVuru() {
    {
        TGroupRows g(FRecords, 0); // four analog inputs
        g.DeviceBlock();
        g.AnalogInputs(1, 4, false);
    }
    {
        TGroupRows g(FRecords, 1); // eight analog inputs
        g.DeviceBlock();
        g.AnalogInputs(1, 8, true);
    }
    {
        TGroupRows g(FRecords, 2); // four analog outputs
        g.DeviceBlock();
        g.AnalogOutputs(1, 4);
    }
    {
        TGroupRows g(FRecords, 3); // six analog outputs
        g.DeviceBlock();
        g.AnalogOutputs(1, 6);
    }
    {
        TGroupRows g(FRecords, 10); // discrete inputs with outputs and manager
        g.DeviceBlock();
        g.DiscreteInputs(1, 8, true);
        g.DiscreteOutputs(9, 10, false);
        g.Manager(11);
    }
    {
        TGroupRows g(FRecords, 6); // discrete inputs and outputs
        g.DeviceBlock();
        g.DiscreteInputs(1, 4, false);
        g.DiscreteOutputs(5, 8, false);
        g.Manager(9);
    }
    {
        TGroupRows g(FRecords, 8); // four relay outputs
        g.DeviceBlock();
        g.DiscreteOutputs(1, 4, true);
        g.Manager(5);
    }
    {
        TGroupRows g(FRecords, 7); // eight transistor outputs
        g.DeviceBlock();
        g.DiscreteOutputs(1, 8, true);
        g.Manager(9);
    }
    {
        TGroupRows g(FRecords, 17); // twelve transistor outputs with a supervision channel
        g.DeviceBlock();
        g.DiscreteOutputs(1, 12, true);
        g.Manager(13);
        g.Pair("@", 14, 14, "TV", "VT", 0);
        g.Pair("@", 14, 14, "DO", "OD", 1);
        g.Pair("@", 14, 14, "V1", "1V", 2);
        g.Pair("@", 14, 14, "V2", "2V", 3);
        g.Pair("@", 14, 14, "V3", "3V", 4);
    }
    {
        TGroupRows g(FRecords, 22); // thirteen thermocouple inputs
        g.DeviceBlock();
        g.Pair("@", 1, 13, "CA", "AC", 0);
        g.Pair("@", 1, 13, "CE", "EC", 1);
        g.Read("#", 1, 13, "", 2, 5);
        g.Pair("@", 1, 13, "AE", "EA", 3);
        g.Pair("@", 1, 13, "AI", "IA", 4);
        g.Pair("@", 1, 13, "AM", "MA", 5);
        g.Pair("@", 1, 13, "RE", "ER", 6);
        g.Pair("@", 1, 13, "RI", "IR", 7);
        g.Pair("@", 1, 13, "RM", "MR", 8, 8, 15);
        g.Pair("@", 1, 13, "RN", "NR", 9, 8, 16);
        g.Pair("@", 1, 13, "TC", "CT", 10, 8, 16);
    }
}
