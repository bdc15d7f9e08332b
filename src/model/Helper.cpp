#include "model/Helper.h"

#include <QLocale>
#include <cmath>

namespace {

struct TMaskShape {
    int IntegerDigits = 1; // '0's before the point: digits always shown
    int MinDecimals = 0;   // '0's after the point
    int MaxDecimals = 0;   // '0's and '#'s after the point
};

TMaskShape ShapeOf(const QString& mask) {
    TMaskShape s;
    const int point = mask.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? mask : mask.left(point);
    s.IntegerDigits = int(whole.count(QLatin1Char('0')));
    if (point >= 0) {
        const QString frac = mask.mid(point + 1);
        s.MinDecimals = int(frac.count(QLatin1Char('0')));
        s.MaxDecimals = s.MinDecimals + int(frac.count(QLatin1Char('#')));
    }
    return s;
}

} // namespace

QString FloatToText(const QString& Mask, double Value) {
    if (!std::isfinite(Value))
        return std::isnan(Value) ? QStringLiteral("NAN")
                                 : (Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    const TMaskShape shape = ShapeOf(Mask);
    QString text = QLocale::c().toString(std::fabs(Value), 'f', shape.MaxDecimals);
    // Optional decimals go when they are zeros.
    if (shape.MaxDecimals > shape.MinDecimals) {
        const int point = int(text.indexOf(QLatin1Char('.')));
        int end = int(text.size());
        while (end - point - 1 > shape.MinDecimals && text[end - 1] == QLatin1Char('0'))
            --end;
        if (end - point - 1 == 0)
            --end;
        text.truncate(end);
    }
    const int point = int(text.indexOf(QLatin1Char('.')));
    QString whole = point < 0 ? text : text.left(point);
    const QString rest = point < 0 ? QString() : text.mid(point);
    if (whole == QLatin1String("0") && shape.IntegerDigits == 0 && !rest.isEmpty())
        whole.clear();
    while (whole.size() < shape.IntegerDigits)
        whole.prepend(QLatin1Char('0'));
    text = whole + rest;
    if (text.isEmpty())
        text = QStringLiteral("0");
    const bool zero = text.count(QLatin1Char('0')) + text.count(QLatin1Char('.')) == text.size();
    if (Value < 0 && !zero)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString FloatToTrimmedText(const QString& Mask, double Value) {
    if (Value == 0)
        return QStringLiteral("0");
    QString text = FloatToText(Mask, Value);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString FloatToClampedText(const QString& Mask, double Value) {
    if (Mask.isEmpty())
        return FloatToText(Mask, Value);
    QString smallest = Mask;
    smallest[smallest.size() - 1] = QLatin1Char('1');
    QString largest = Mask;
    for (auto& ch : largest)
        if (ch != QLatin1Char('.'))
            ch = QLatin1Char('9');
    bool ok = false;
    double low = QLocale::c().toDouble(smallest, &ok);
    if (!ok)
        low = 0;
    const double high = QLocale::c().toDouble(largest, &ok);
    if (Value < low)
        Value = 0;
    else if (ok && Value > high)
        Value = high;
    return FloatToText(Mask, Value);
}

std::optional<double> ParseFloat(const QString& Text) {
    const QString t = Text.trimmed();
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (!ok) {
        QString dotted = t;
        dotted.replace(QLatin1Char(','), QLatin1Char('.'));
        v = QLocale::c().toDouble(dotted, &ok);
    }
    if (!ok)
        return std::nullopt;
    return v;
}

double TextToFloat(const QString& Text) {
    return ParseFloat(Text).value_or(0.0);
}

std::optional<qint32> ParseInt32(const QString& Text) {
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return qint32(v);
}

std::optional<qint64> ParseInt64(const QString& Text) {
    bool ok = false;
    const qint64 v = Text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

QString BinaryText(quint32 Value, int Width) {
    if (Width < 1 || Width > 32)
        return {};
    QString text(Width, QLatin1Char('0'));
    for (int i = 0; i < Width; ++i)
        if (Value & (quint32(1) << (Width - 1 - i)))
            text[i] = QLatin1Char('1');
    return text;
}

quint32 ReorderBytes32(int Code, quint32 Value) {
    switch (Code) {
    case 0:
        return (Value >> 24) | ((Value >> 8) & 0xFF00) | ((Value << 8) & 0xFF0000) | (Value << 24);
    case 2:
        return ((Value >> 8) & 0x00FF00FF) | ((Value << 8) & 0xFF00FF00);
    case 3:
        return (Value >> 16) | (Value << 16);
    default:
        return Value;
    }
}

quint16 SwapBytes16(bool Keep, quint16 Value) {
    return Keep ? Value : quint16((Value >> 8) | (Value << 8));
}
