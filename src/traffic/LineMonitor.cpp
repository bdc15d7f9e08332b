#include "traffic/LineMonitor.h"

#include "protocol/Crc16.h"

#include <QJsonArray>

bool TMonitorFrame::CrcOk() const {
    const auto* data = reinterpret_cast<const quint8*>(Data.constData());
    if (Protocol == tpModbus)
        return Data.size() >= 4 && Crc16(data, int(Data.size())) == 0;
    return !NerixPackageCorrupted(data, int(Data.size()));
}

TLineMonitor::TLineMonitor(TTransferProtocol Protocol, const TDeviceList* Profiles, const QDateTime& Start,
                           qint64 StartTicks)
    : FProtocol(Protocol == tpModbus ? tpModbus : tpNerix), FProfiles(Profiles),
      FStart(Start.isValid() ? Start : QDateTime::currentDateTime()), FStartTicks(StartTicks),
      FFramer(FProtocol) {
    FFramer.OnFrame = [this](const quint8* Data, int Length, TFrameRole Role, bool Intact, qint64 Ticks) {
        Frame(Data, Length, Role, Intact, Ticks);
    };
}

bool TLineMonitor::AnswersOpenRequest(const quint8* Data, int Length) const {
    if (FOpenIndex < 0 || Length < 2 || FOpenData.size() < 2)
        return false;
    const auto* request = reinterpret_cast<const quint8*>(FOpenData.constData());
    if (FProtocol == tpNerix)
        return Length >= 5 && FOpenData.size() >= 5 && std::equal(Data, Data + 5, request);
    return Data[0] == request[0] && (Data[1] & 0x7F) == request[1];
}

void TLineMonitor::Frame(const quint8* Data, int Length, TFrameRole Role, bool Intact, qint64 Ticks) {
    TMonitorFrame f;
    f.Index = FCount++;
    f.Ticks = Ticks;
    // Wall time from the monotonic clock, so that the stamps keep the spacing the line had.
    f.Time = FStart.addMSecs((Ticks - FStartTicks) / 1'000'000);
    f.Role = Intact ? Role : TFrameRole::Request;
    f.Intact = Intact;
    f.Protocol = FProtocol;
    f.Data = QByteArray(reinterpret_cast<const char*>(Data), Length);
    if (!Intact)
        ++FDamaged;
    if (f.Answer() && AnswersOpenRequest(Data, Length)) {
        f.Request = FOpenIndex;
        f.ResponseMs = ResponseTimeMs(FOpenTicks, FOpenTime, Ticks, f.Time);
        ++FAnswers;
        FOpenIndex = -1;
    } else {
        if (FOpenIndex >= 0) {
            f.Unanswered = FOpenIndex;
            ++FUnanswered;
        }
        FOpenIndex = -1;
        if (!f.Answer() && Intact) {
            FOpenIndex = f.Index;
            FOpenData = f.Data;
            FOpenTicks = Ticks;
            FOpenTime = f.Time;
        }
    }
    f.Decoded = DecodePackage(FProtocol, Data, Length, f.Answer(), FProfiles);
    if (FKeep) {
        TContainerItem item;
        item.Time = f.Time;
        item.Direction = f.Answer() ? 1 : 0;
        item.Data = f.Data;
        item.Length = quint16(std::min<qsizetype>(f.Data.size(), 0xFFFF));
        item.Ticks = Ticks;
        FPackages.push_back(std::move(item));
    }
    if (OnFrame)
        OnFrame(f);
}

namespace {

QString HexText(const QByteArray& Data) {
    return QString::fromLatin1(Data.toHex(' ').toUpper());
}

// "Data: 0x3F800000 1065353216 1.000000": a node with its children's values on one line.
QString NodeLine(const TDecodedNode& Node) {
    QString text = Node.Text;
    for (const TDecodedNode& child : Node.Children) {
        const int colon = child.Text.indexOf(QLatin1Char(':'));
        text += QLatin1Char(' ') + child.Text.mid(colon + 1).trimmed();
    }
    return text;
}

QJsonArray NodesJson(const std::vector<TDecodedNode>& Nodes) {
    QJsonArray array;
    for (const TDecodedNode& node : Nodes) {
        QJsonObject o{{QStringLiteral("text"), node.Text},
                      {QStringLiteral("first"), node.First},
                      {QStringLiteral("last"), node.Last}};
        if (!node.Children.empty())
            o.insert(QStringLiteral("children"), NodesJson(node.Children));
        array.append(o);
    }
    return array;
}

} // namespace

QString TLineMonitor::FrameText(const TMonitorFrame& Frame) {
    QString line = Frame.Time.toString(QStringLiteral("HH:mm:ss.zzz")) + QStringLiteral(" #") +
                   QString::number(Frame.Index);
    if (!Frame.Intact)
        line += QStringLiteral(" garbage");
    else if (Frame.Answer())
        line += QStringLiteral(" answer");
    else
        line += QStringLiteral(" request");
    if (Frame.Request >= 0)
        line += QStringLiteral(" to #%1 after %2 ms")
                    .arg(Frame.Request)
                    .arg(QString::number(Frame.ResponseMs, 'f', 1));
    else if (Frame.Answer())
        line += QStringLiteral(" to no request");
    if (Frame.Unanswered >= 0)
        line += QStringLiteral(" (#%1 got no answer)").arg(Frame.Unanswered);
    line += QStringLiteral(": ") + HexText(Frame.Data) + QStringLiteral(" |");
    QStringList nodes;
    for (const TDecodedNode& node : Frame.Decoded.Nodes)
        nodes << NodeLine(node);
    line += QLatin1Char(' ') + nodes.join(QStringLiteral("; "));
    if (!Frame.Decoded.Context.empty()) {
        QStringList labels;
        for (const TContextRow& row : Frame.Decoded.Context)
            labels << row.Device + QStringLiteral(" ") + row.Object + QStringLiteral(": ") + row.Action;
        line += QStringLiteral(" | ") + labels.join(QStringLiteral(", "));
    }
    return line;
}

QJsonObject TLineMonitor::FrameJson(const TMonitorFrame& Frame) {
    QJsonObject o{{QStringLiteral("index"), Frame.Index},
                  {QStringLiteral("time"), Frame.Time.toString(Qt::ISODateWithMs)},
                  {QStringLiteral("role"), !Frame.Intact    ? QStringLiteral("garbage")
                                           : Frame.Answer() ? QStringLiteral("answer")
                                                            : QStringLiteral("request")},
                  {QStringLiteral("bytes"), HexText(Frame.Data)},
                  {QStringLiteral("length"), int(Frame.Data.size())},
                  {QStringLiteral("crc_ok"), Frame.CrcOk()},
                  {QStringLiteral("nodes"), NodesJson(Frame.Decoded.Nodes)}};
    if (Frame.Request >= 0) {
        o.insert(QStringLiteral("request"), Frame.Request);
        o.insert(QStringLiteral("response_ms"), Frame.ResponseMs);
    }
    if (Frame.Unanswered >= 0)
        o.insert(QStringLiteral("unanswered"), Frame.Unanswered);
    QJsonArray context;
    for (const TContextRow& row : Frame.Decoded.Context)
        context.append(QJsonObject{{QStringLiteral("device"), row.Device},
                                   {QStringLiteral("object"), row.Object},
                                   {QStringLiteral("action"), row.Action}});
    o.insert(QStringLiteral("context"), context);
    return o;
}
