#pragma once

// Option classes that use every kind of value, a child object and both kinds of list, so the
// serializer is tested apart from the program's own options.

#include "options/XMLClass.h"

#include <QChar>
#include <QString>
#include <QtGlobal>
#include <memory>

class TKindsOptions : public TXMLClass {
    Q_OBJECT
public:
    enum TColor { clRed, clGreen, clBlue };
    Q_ENUM(TColor)
    enum TStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
    Q_DECLARE_FLAGS(TStyles, TStyle)
    Q_FLAG(TStyles)

private:
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(TColor Color MEMBER Color)
    Q_PROPERTY(TStyles Styles READ GetStyles WRITE SetStyles)
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(quint16 Word MEMBER Word)
    Q_PROPERTY(qint8 Small MEMBER Small)
    Q_PROPERTY(QChar Letter MEMBER Letter)
    Q_PROPERTY(float Gain MEMBER Gain)
    Q_PROPERTY(double Scale MEMBER Scale)
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(int Limited READ Limited WRITE SetLimited)

public:
    Q_INVOKABLE explicit TKindsOptions(TXMLClass* Owner = nullptr) : TXMLClass(Owner) { SetDefaults(); }
    void SetDefaults() override {
        Flag = false;
        Color = clGreen;
        Styles = fsItalic;
        Count = -7;
        Word = 8080;
        Small = -3;
        Letter = QLatin1Char('K');
        Gain = 0.1f;
        Scale = 2.5;
        Name = QStringLiteral("default");
        Big = 5;
        FLimited = 50;
    }
    // moc cannot make a MEMBER property of a flags type.
    TStyles GetStyles() const { return Styles; }
    void SetStyles(TStyles Value) { Styles = Value; }
    int Limited() const { return FLimited; }
    // Accepts 20 to 100 only, as the program's time-outs do.
    void SetLimited(int Value) {
        if (Value >= 20 && Value <= 100)
            FLimited = Value;
    }

    bool Flag;
    TColor Color;
    TStyles Styles;
    int Count;
    quint16 Word;
    qint8 Small;
    QChar Letter;
    float Gain;
    double Scale;
    QString Name;
    qint64 Big;

private:
    int FLimited = 0;
};

class TPointOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(int X MEMBER X)
    Q_PROPERTY(int Y MEMBER Y)
public:
    Q_INVOKABLE explicit TPointOptions(TXMLClass* Owner = nullptr) : TXMLClass(Owner) { SetDefaults(); }
    void SetDefaults() override { X = Y = 0; }
    int X;
    int Y;
};

class TLabelOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER Text)
public:
    Q_INVOKABLE explicit TLabelOptions(TXMLClass* Owner = nullptr) : TXMLClass(Owner) { SetDefaults(); }
    void SetDefaults() override { Text = QStringLiteral("label"); }
    QString Text;
};

class TPointList : public TXMLClassList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TPointList(TXMLClass* Owner = nullptr)
        : TXMLClassList(Owner, &TPointOptions::staticMetaObject) {}
    TPointOptions* Point(int Index) const { return qobject_cast<TPointOptions*>(Items(Index)); }
};

class TShapeList : public TXMLClassListExt {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TShapeList(TXMLClass* Owner = nullptr) : TXMLClassListExt(Owner) {
        RegisterItemClass(&TPointOptions::staticMetaObject);
        RegisterItemClass(&TLabelOptions::staticMetaObject);
    }
};

// The base's settings come first in the file.
class TDocumentOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(int Revision MEMBER Revision)
public:
    Q_INVOKABLE explicit TDocumentOptions(TXMLClass* Owner = nullptr) : TXMLClass(Owner) { SetDefaults(); }
    void SetDefaults() override { Revision = 1; }
    int Revision;
};

class TDrawingOptions : public TDocumentOptions {
    Q_OBJECT
    Q_PROPERTY(TKindsOptions* Kinds READ Kinds CONSTANT)
    Q_PROPERTY(TPointList* Points READ Points CONSTANT)
    Q_PROPERTY(TShapeList* Shapes READ Shapes CONSTANT)
    Q_PROPERTY(int Tail MEMBER Tail)
public:
    Q_INVOKABLE explicit TDrawingOptions(TXMLClass* Owner = nullptr)
        : TDocumentOptions(Owner), FKinds(std::make_unique<TKindsOptions>(this)),
          FPoints(std::make_unique<TPointList>(this)), FShapes(std::make_unique<TShapeList>(this)) {
        SetDefaults();
    }
    void SetDefaults() override {
        TDocumentOptions::SetDefaults();
        Tail = 9;
    }
    TKindsOptions* Kinds() const { return FKinds.get(); }
    TPointList* Points() const { return FPoints.get(); }
    TShapeList* Shapes() const { return FShapes.get(); }
    int Tail;

private:
    std::unique_ptr<TKindsOptions> FKinds;
    std::unique_ptr<TPointList> FPoints;
    std::unique_ptr<TShapeList> FShapes;
};
