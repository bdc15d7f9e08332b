#include "cli/CliDevice.h"

#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "model/BusSettings.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

TCliOption ObjectOption() {
    return {QStringLiteral("object"), QStringLiteral("O"), QStringLiteral("the object, 0..255"), true,
            IntegerIn(&TCliOptions::Object, "--object", 0, 255)};
}

TCliOption FloatOption() {
    return {QStringLiteral("float"),
            {},
            QStringLiteral("the property is a single-precision number (\".\" as separator)"),
            false,
            SetFlag(&TCliOptions::Float)};
}

TCliOption OrderOption() {
    return {QStringLiteral("order"), QStringLiteral("K"),
            QStringLiteral("value byte order 0..8 (default 8: most significant byte first)"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                const auto n = ParseInteger(v);
                if (!n || *n < 0 || *n >= kByteOrderCount)
                    return QStringLiteral("--order must be a number from 0 to 8, not \"%1\"").arg(v);
                o.Order = TByteOrder(*n);
                return {};
            }};
}

void SetUpModule(TNerixModule& Module, TCliLine& Line, const TCliOptions& Options) {
    Module.SetTransferProtocol(Options.Line.Protocol);
    Module.SetAP(Line.AP());
    Module.SetAddress(quint8(Options.Address));
    Module.Buffer().ValueOrder = Options.Order;
}

bool CheckRegisters(TNerixModule& Module, const TCliOptions& Options, TCliIo& Io) {
    if (Options.Line.Protocol != tpModbus)
        return true;
    for (const quint16 property : Options.Properties) {
        quint16 reg = 0;
        if (!Module.ModbusToNerix().Map().FindRegister(quint8(Options.Object), property, reg)) {
            Io.Fail(QStringLiteral("no register for object %1 property %2").arg(Options.Object).arg(property),
                    {{QStringLiteral("object"), Options.Object}, {QStringLiteral("property"), property}});
            return false;
        }
    }
    return true;
}

QString NoAnswerText(int Address, const TAccessPoint* AP) {
    QString text = QStringLiteral("no answer from address ") + AddressText(quint8(Address));
    // A TCP connection knows more than "no answer": refused, closed, a request it cannot carry.
    if (AP && !AP->LastError().isEmpty())
        text += QStringLiteral(" (%1)").arg(AP->LastError());
    return text;
}

QJsonObject DeviceJson(const TCliOptions& Options) {
    return {{QStringLiteral("address"), Options.Address}, {QStringLiteral("object"), Options.Object}};
}
