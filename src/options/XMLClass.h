#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

// The base of every option object. The settings of a class are its Q_PROPERTYs in declaration
// order, base class first (QObject's own objectName is not a setting). A child option object is a
// read-only property of class type that returns the child; the parent owns it.
//
// C++ calls virtual functions of the class under construction only, so the base constructor cannot
// reach a descendant's SetDefaults. Instead every class that has defaults ends its own constructor
// with SetDefaults(); children are members created before that call, so SetDefaults can reset them.
// List classes create items through a Q_INVOKABLE constructor (Owner) of the item class.
class TXMLClass : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TXMLClass(TXMLClass* Owner = nullptr);
    ~TXMLClass() override;

    // The parent option object, none for the root. Not owned.
    TXMLClass* Owner() const { return FOwner; }

    // Copies every setting from Source when it is a TXMLClass of the same layout; any other object
    // (or none, or this object itself) changes nothing.
    virtual void Assign(const QObject* Source);
    virtual void SetDefaults() {}

private:
    TXMLClass* FOwner = nullptr;
};

// A list option whose items are option objects, owned by the list.
class TXMLClassList : public TXMLClass {
    Q_OBJECT
public:
    // ItemClass, when given, is the class reference the base CreateItem makes items of; it must
    // derive from TXMLClass and have a Q_INVOKABLE constructor taking the owner.
    Q_INVOKABLE explicit TXMLClassList(TXMLClass* Owner = nullptr);
    TXMLClassList(TXMLClass* Owner, const QMetaObject* ItemClass);
    ~TXMLClassList() override;

    void Assign(const QObject* Source) override;
    // Frees all items.
    void SetDefaults() override;

    // A new item of the list's item class with the list as owner; none when the list has no item
    // class.
    virtual std::unique_ptr<TXMLClass> CreateItem();

    // Appends an item made by CreateItem and returns it; none (and nothing appended) when
    // CreateItem makes none.
    TXMLClass* Add();
    void Clear();
    void Delete(int Index);
    void Remove(TXMLClass* Item);
    int Count() const { return int(FItems.size()); }
    // None for an index out of range.
    TXMLClass* Items(int Index) const;
    void ExchangeItems(int Index1, int Index2);

    const QMetaObject* ItemClass() const { return FItemClass; }

protected:
    TXMLClass* Append(std::unique_ptr<TXMLClass> Item);

private:
    const QMetaObject* FItemClass = nullptr;
    std::vector<std::unique_ptr<TXMLClass>> FItems;
};

// A list whose items may be of different classes; each item is stored under its class name, so item
// classes must have names that are XML names (no namespaces).
class TXMLClassListExt : public TXMLClassList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TXMLClassListExt(TXMLClass* Owner = nullptr);
    ~TXMLClassListExt() override;

    // A new item of the named class with the list as owner; none for a name the list does not
    // know. The base knows the classes given to RegisterItemClass.
    virtual std::unique_ptr<TXMLClass> CreateItemByClassName(const QString& ClassName);
    // Appends an item made by CreateItemByClassName and returns it; none for an unknown name.
    TXMLClass* AddByClassName(const QString& ClassName);

    // Makes a class known by its class name (as QMetaObject::className spells it). The class must
    // derive from TXMLClass and have a Q_INVOKABLE constructor taking the owner.
    void RegisterItemClass(const QMetaObject* ItemClass);

private:
    QList<const QMetaObject*> FItemClasses;
};
