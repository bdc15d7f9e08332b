#include "bus/SerialTypes.h"

QString PortNameOfNumber(TPortNumber number) {
    return QStringLiteral("\\\\.\\COM%1").arg(number);
}

TLineSettings MakeLineSettings(quint32 baudRateValue, TDataBits dataBits, TParity parity, TStopBits stopBits,
                               THwFlowControl hwFlow, TSwFlowControl swFlow, bool dtr) {
    TLineSettings s;
    s.BaudRate = baudRateValue;
    s.DataBits = 5 + int(dataBits);
    s.Parity = TLineParity(int(parity));
    s.StopBits = TLineStopBits(int(stopBits));
    switch (hwFlow) {
    case hfNONE:
        s.Rts = TLineRts::Off;
        break;
    case hfNONERTSON:
        s.Rts = TLineRts::On;
        break;
    case hfRTSCTS:
        s.Rts = TLineRts::Handshake;
        break;
    case hfRTSTOGGLE:
        s.Rts = TLineRts::Toggle;
        break;
    }
    s.XonXoff = swFlow == sfXONXOFF;
    s.Dtr = dtr;
    return s;
}
