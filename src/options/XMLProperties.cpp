#include "options/XMLProperties.h"

#include "options/XMLClass.h"

#include <QChar>
#include <QLocale>
#include <QMetaEnum>
#include <QObject>
#include <climits>
#include <cmath>

namespace {

struct TIntegerRange {
    qint64 Low = 0;
    qint64 High = 0;
};

// The values a property's integer or character type can hold. False for types wider than 32 bits,
// which the file does not carry.
bool IntegerRange(int TypeId, TIntegerRange& Range) {
    switch (TypeId) {
    case QMetaType::Int:
        Range = {INT_MIN, INT_MAX};
        return true;
    case QMetaType::UInt:
        Range = {0, UINT_MAX};
        return true;
    case QMetaType::Short:
        Range = {SHRT_MIN, SHRT_MAX};
        return true;
    case QMetaType::UShort:
        Range = {0, USHRT_MAX};
        return true;
    case QMetaType::Char:
        Range = {CHAR_MIN, CHAR_MAX};
        return true;
    case QMetaType::SChar:
        Range = {SCHAR_MIN, SCHAR_MAX};
        return true;
    case QMetaType::UChar:
        Range = {0, UCHAR_MAX};
        return true;
    case QMetaType::QChar:
    case QMetaType::Char16:
        Range = {0, 0xFFFF};
        return true;
    case QMetaType::Char32:
        Range = {0, 0x10FFFF};
        return true;
    case QMetaType::Long:
        if (sizeof(long) != 4)
            return false;
        Range = {INT_MIN, INT_MAX};
        return true;
    case QMetaType::ULong:
        if (sizeof(unsigned long) != 4)
            return false;
        Range = {0, UINT_MAX};
        return true;
    default:
        return false;
    }
}

// Decimal only, white space around it allowed, no group separators: what the file has always held.
bool ParseInteger(const QString& Text, qint64& Value) {
    bool ok = false;
    Value = Text.toLongLong(&ok, 10);
    return ok;
}

double ParseFloat(const QString& Text) {
    QString text = Text.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

QString FloatText(float Value) {
    if (!std::isfinite(Value))
        return QString::number(double(Value));
    // The shortest text that reads back to the same float; the double form of a float has noise
    // digits ("0.100000001").
    for (int precision = 1; precision < 9; ++precision) {
        const QString text = QString::number(double(Value), 'g', precision);
        bool ok = false;
        if (text.toFloat(&ok) == Value && ok)
            return text;
    }
    return QString::number(double(Value), 'g', 9);
}

QString CharacterText(int TypeId, const QVariant& Value) {
    switch (TypeId) {
    case QMetaType::QChar:
        return QString::number(Value.value<QChar>().unicode());
    case QMetaType::Char16:
        return QString::number(quint32(Value.value<char16_t>()));
    case QMetaType::Char32:
        return QString::number(quint32(Value.value<char32_t>()));
    default:
        return QString::number(int(Value.value<char>()));
    }
}

bool ConvertTo(const QMetaProperty& Property, QVariant Value, QVariant& Result) {
    if (!Value.convert(Property.metaType()))
        return false;
    Result = std::move(Value);
    return true;
}

} // namespace

QList<QMetaProperty> XMLOptionProperties(const QMetaObject* Class) {
    QList<QMetaProperty> properties;
    if (!Class)
        return properties;
    for (int i = QObject::staticMetaObject.propertyCount(); i < Class->propertyCount(); ++i)
        properties.append(Class->property(i));
    return properties;
}

TXMLValueKind XMLValueKind(const QMetaProperty& Property) {
    if (Property.isEnumType())
        return Property.isFlagType() ? TXMLValueKind::Set : TXMLValueKind::Enumeration;
    const QMetaType type = Property.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return TXMLValueKind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong: {
        TIntegerRange range;
        return IntegerRange(type.id(), range) ? TXMLValueKind::Integer : TXMLValueKind::Unsupported;
    }
    case QMetaType::Char:
    case QMetaType::Char16:
    case QMetaType::Char32:
    case QMetaType::QChar:
        return TXMLValueKind::Character;
    case QMetaType::Float:
    case QMetaType::Double:
        return TXMLValueKind::Float;
    case QMetaType::QString:
        return TXMLValueKind::String;
    default:
        break;
    }
    if ((type.flags() & QMetaType::PointerToQObject) && type.metaObject() &&
        type.metaObject()->inherits(&TXMLClass::staticMetaObject))
        return TXMLValueKind::Class;
    return TXMLValueKind::Unsupported;
}

TXMLClass* XMLChildOption(const QObject* Object, const QMetaProperty& Property) {
    if (!Object || XMLValueKind(Property) != TXMLValueKind::Class)
        return nullptr;
    return qobject_cast<TXMLClass*>(Property.read(Object).value<QObject*>());
}

QString XMLPropertyText(const QObject* Object, const QMetaProperty& Property) {
    const QVariant value = Property.read(Object);
    switch (XMLValueKind(Property)) {
    case TXMLValueKind::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TXMLValueKind::Enumeration:
    case TXMLValueKind::Set:
    case TXMLValueKind::Integer:
        return QString::number(value.toLongLong());
    case TXMLValueKind::Character:
        return CharacterText(Property.metaType().id(), value);
    case TXMLValueKind::Float:
        if (Property.metaType().id() == QMetaType::Float)
            return FloatText(value.value<float>());
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case TXMLValueKind::String:
        return value.toString();
    case TXMLValueKind::Class:
    case TXMLValueKind::Unsupported:
        break;
    }
    return {};
}

bool XMLTextToValue(const QMetaProperty& Property, const QString& Text, QVariant& Value) {
    const int typeId = Property.metaType().id();
    switch (XMLValueKind(Property)) {
    case TXMLValueKind::Boolean: {
        const QString text = Text.trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            Value = true;
            return true;
        }
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            Value = false;
            return true;
        }
        QString number = text;
        number.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double d = number.toDouble(&ok);
        if (!ok)
            return false;
        Value = d != 0.0;
        return true;
    }
    case TXMLValueKind::Enumeration:
    case TXMLValueKind::Set: {
        qint64 n = 0;
        if (!ParseInteger(Text, n) || n < INT_MIN || n > UINT_MAX)
            return false;
        const QMetaEnum enumeration = Property.enumerator();
        if (enumeration.isValid()) {
            if (Property.isFlagType()) {
                qint64 known = 0;
                for (int i = 0; i < enumeration.keyCount(); ++i)
                    known |= quint32(enumeration.value(i));
                if (quint32(n) & ~quint64(known))
                    return false;
            } else if (n > INT_MAX || !enumeration.valueToKey(int(n))) {
                // An ordinal the enumeration does not have would be a value no code expects.
                return false;
            }
        }
        return ConvertTo(Property, QVariant(int(quint32(n))), Value);
    }
    case TXMLValueKind::Integer:
    case TXMLValueKind::Character: {
        TIntegerRange range;
        qint64 n = 0;
        if (!IntegerRange(typeId, range) || !ParseInteger(Text, n) || n < range.Low || n > range.High)
            return false;
        switch (typeId) {
        case QMetaType::QChar:
            Value = QVariant::fromValue(QChar(char16_t(n)));
            return true;
        case QMetaType::Char16:
            Value = QVariant::fromValue(char16_t(n));
            return true;
        case QMetaType::Char32:
            Value = QVariant::fromValue(char32_t(n));
            return true;
        case QMetaType::Char:
            Value = QVariant::fromValue(char(n));
            return true;
        default:
            return ConvertTo(Property, QVariant(qlonglong(n)), Value);
        }
    }
    case TXMLValueKind::Float:
        if (typeId == QMetaType::Float)
            Value = QVariant::fromValue(float(ParseFloat(Text)));
        else
            Value = ParseFloat(Text);
        return true;
    case TXMLValueKind::String:
        Value = Text;
        return true;
    case TXMLValueKind::Class:
    case TXMLValueKind::Unsupported:
        break;
    }
    return false;
}

QString XMLSafeText(const QString& Text) {
    QString result;
    result.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c.isHighSurrogate() && i + 1 < Text.size() && Text.at(i + 1).isLowSurrogate()) {
            result.append(c);
            result.append(Text.at(++i));
            continue;
        }
        const char16_t u = c.unicode();
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
            continue;
        result.append(c);
    }
    return result;
}
