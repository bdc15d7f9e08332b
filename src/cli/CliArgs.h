#pragma once

#include "bus/SerialTypes.h"
#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class TCliIo;

// The line a command talks over, as its command line describes it: a serial port or a UDP gateway.
struct TCliLineOptions {
    QString Port;    // "COMn" or a device path
    QString UdpHost; // instead of a port: a UDP gateway
    quint16 UdpPort = 0;
    int LocalPort = -1; // the gateway answers to this local port; -1: to the sender
    QString TcpHost;    // instead of a port: a serial device server or Modbus TCP gateway
    quint16 TcpPort = 0;
    bool Mbap = false;  // with TcpHost: Modbus TCP framing instead of the line's bytes unchanged
    int TcpListen = -1; // emulate: the TCP port to answer on instead of a serial port; -1: none
    quint32 Baud = 9600;
    TParity Parity = ptNONE;
    TStopBits StopBits = sb1BITS;
    THwFlowControl Rts = hfRTSTOGGLE;
    bool Echo = false;
    int TimeoutMs = 200;
    int Tries = 2;
    TTransferProtocol Protocol = tpNerix;
    bool ProtocolGiven = false; // --protocol was on the command line

    bool Udp() const { return !UdpHost.isEmpty(); }
    bool Tcp() const { return !TcpHost.isEmpty(); }
};

// Everything a command line can say, validated. Each command's table fills only its own part.
struct TCliOptions {
    QString Command; // "read", "write", "info", "settings", "scan", "emulate"; empty for the general help
    bool Help = false;
    bool Version = false;

    TCliLineOptions Line;

    // One device, and what to read or write there.
    int Address = -1;
    int Object = -1;
    int Channel = 0;                 // an analog input, counted from 1; 0: every one
    std::vector<quint16> Properties; // read takes a list, write exactly one
    bool Float = false;
    TByteOrder Order = boNAN;
    QString ValueText;            // as given; resolved once --float is known
    std::optional<quint32> Value; // the raw 32 bits to write

    // Repeated reads.
    int PollMs = 0; // 0: read once
    int Count = 0;  // reads when polling; 0: until SIGINT or SIGTERM

    // How to scan.
    QString From = QStringLiteral("1");
    QString To = QStringLiteral("255");
    quint32 SpeedMask = 0; // bits of the scan's speed set; none: --baud
    bool FirstOnly = false;
    bool BySpeeds = false;

    // What to emulate: the device rows with their counts, as given.
    QString Devices;
    // Its faults as given (checked when read) and the seed of their generator; none: a new one.
    QString Faults;
    std::optional<quint64> Seed;
    bool Stats = false;

    // Recording and exporting: the channels as (address, 0-based channel index), the sampling
    // rate, seconds to record (0: until a stop signal), and the files.
    std::vector<std::pair<quint8, int>> Channels;
    int RateHz = 2;
    int DurationS = 0;
    QString OutFile;
    QString CsvFile;
    QString AdfFile;
    bool ExportCsv = false;
    bool ExportTxt = false;

    // Discrete inputs and outputs: outputs to switch (numbered from 1, in the order given) and
    // whether to keep watching.
    std::vector<std::pair<int, bool>> Sets;
    bool Watch = false;
    // Watching a line: the traffic file written on stopping, and the silence that ends a frame
    // whose length is unknown.
    QString SaveFile;
    int GapMs = 20;

    // Device files and converters: the words after the options ("get 2"), the file of a copy, how
    // long a read waits for bytes, the converter and its new speed.
    QStringList Operands;
    int QuietMs = 3000;
    QString ConverterKind;
    quint32 ConverterBaud = 0;
    bool LineBaudGiven = false; // --baud was on the command line

    // Configuration documents: the file to read, and how a restore writes.
    QString InFile;
    bool DryRun = false;
    bool Flash = false;
    bool WithBusParams = false;

    bool Json = false;
    bool Log = false;
};

// Checks the option's value (empty for a flag) and stores it; an error text refuses the command line.
using TCliApply = std::function<QString(TCliOptions&, const QString& Value)>;

// One row of a command's options table: what the parser accepts and what --help says about it.
struct TCliOption {
    QString Name; // without the leading "--"
    QString Arg;  // the value's placeholder in the help ("MS"); empty for a flag
    QString Help; // "\n" starts a new help line
    bool Required = false;
    TCliApply Apply;
};

// A command: its options table, the checks that span several options, and what it does.
struct TCliCommand {
    QString Name;
    QString Synopsis;    // what follows the command's name on its usage line
    QString Summary;     // one line for the general help
    QString Description; // the paragraph under the usage line of COMMAND --help
    std::vector<TCliOption> Options;
    // A command that takes one argument without an option name (a file) names and checks it here.
    QString OperandName;
    TCliApply Operand;
    // The operand callback takes every word that is no option, not just the first; the completion
    // offers OperandWords there.
    bool RepeatOperand = false;
    QStringList OperandWords;
    // Runs after every option was read and the required ones are present.
    std::function<QString(TCliOptions&)> Check;
    std::function<int(const TCliOptions&, TCliIo&)> Run;
};

struct TCliParseResult {
    bool Ok = false;
    QString Error; // why the command line was refused
    TCliOptions Options;
};

// The arguments after the command's name, against the command's table.
TCliParseResult ParseCommandArguments(const TCliCommand& Command, const QStringList& Args);
// "usage: ...", the description and the options, all from the command's table.
QString CommandHelp(const TCliCommand& Command);

// Options several commands share.
TCliOption AddressOption();
TCliOption JsonOption(const QString& Help);
TCliOption LogOption();
// A flag that sets a field.
TCliApply SetFlag(bool TCliOptions::*Field);
// An integer option within [Lo, Hi].
TCliApply IntegerIn(int TCliOptions::*Field, const char* Name, qint64 Lo, qint64 Hi);
// Text as an integer in [Lo, Hi] into Value; empty on success, else the message naming the option.
QString ParseIntegerIn(const QString& Text, const char* Name, qint64 Lo, qint64 Hi, int& Value);

// A decimal or "0x" hexadecimal integer.
std::optional<qint64> ParseInteger(const QString& Text);
// A 32-bit value from a command line: signed or unsigned decimal, or "0x" hexadecimal.
std::optional<quint32> ParseValue32(const QString& Text);
// A single-precision number with "." as separator, whatever the locale.
std::optional<float> ParseFloatText(const QString& Text);
// The shortest text that reads back as exactly `Value`, with "." as separator.
QString FloatText(float Value);
// The same number in JSON: 0.1f as 0.1, not as the double nearest to the float; null for NaN and
// infinities, which JSON has no word for.
QJsonValue FloatJson(float Value);
// A property list: numbers and ranges separated by commas ("0-3", "0,2,5", "1,4-6"), each 0..65535,
// no property twice, at most kMaxProperties in all. Nothing with Error when the text is none.
inline constexpr int kMaxProperties = 256;
std::optional<std::vector<quint16>> ParsePropertyList(const QString& Text, QString& Error);
