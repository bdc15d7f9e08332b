#pragma once

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

class QObject;
class TXMLClass;

// How the options file and Assign see one Q_PROPERTY of an option object.
enum class TXMLValueKind {
    Unsupported, // written as an empty element, never read back (64-bit integers, lists, variants ...)
    Boolean,     // "True" / "False"
    Enumeration, // the ordinal in decimal
    Set,         // the bit mask in decimal
    Integer,     // 8 to 32 bits, signed or not
    Character,   // the character's code in decimal
    Float,
    String,
    Class, // a child option object
};

// The settings of a class: its properties in declaration order, base class first, without QObject's
// objectName.
QList<QMetaProperty> XMLOptionProperties(const QMetaObject* Class);

TXMLValueKind XMLValueKind(const QMetaProperty& Property);

// The child option object behind a class-typed property; none when it is missing or not a
// TXMLClass.
TXMLClass* XMLChildOption(const QObject* Object, const QMetaProperty& Property);

// The text a value property is written as. Numbers always use "." whatever the locale; floating
// point is written with the fewest digits that read back to the same value.
QString XMLPropertyText(const QObject* Object, const QMetaProperty& Property);

// Turns a text into a value for the property. False: the text does not convert (not a number, or a
// number the property's type cannot hold, or not an ordinal of its enumeration). A floating point
// text that does not parse is no failure: it gives 0, as it always has. Floating point accepts ","
// as well as "." so that files written under a "," locale read back.
bool XMLTextToValue(const QMetaProperty& Property, const QString& Text, QVariant& Value);

// Characters XML 1.0 cannot carry at all (control characters other than tab, line feed and carriage
// return, unpaired surrogates, U+FFFE, U+FFFF) are left out: written, they would make the whole file
// unreadable and every setting in it would be lost.
QString XMLSafeText(const QString& Text);
