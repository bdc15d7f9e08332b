#include "options/XMLClass.h"

#include "options/XMLProperties.h"

#include <QMetaObject>
#include <utility>

namespace {

// Makes an item of a class held as a class reference, through its Q_INVOKABLE (Owner) constructor.
std::unique_ptr<TXMLClass> NewItem(const QMetaObject* Class, TXMLClass* Owner) {
    if (!Class || !Class->inherits(&TXMLClass::staticMetaObject))
        return nullptr;
    QObject* object = Class->newInstance(Q_ARG(TXMLClass*, Owner));
    auto* item = qobject_cast<TXMLClass*>(object);
    if (!item) {
        delete object;
        return nullptr;
    }
    return std::unique_ptr<TXMLClass>(item);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TXMLClass

TXMLClass::TXMLClass(TXMLClass* Owner) : FOwner(Owner) {}

TXMLClass::~TXMLClass() = default;

void TXMLClass::Assign(const QObject* Source) {
    const auto* source = qobject_cast<const TXMLClass*>(Source);
    if (!source || source == this)
        return;
    // Lists copy items, not properties; a plain object cannot take a list's items.
    if (qobject_cast<const TXMLClassList*>(source))
        return;
    const QList<QMetaProperty> from = XMLOptionProperties(source->metaObject());
    const QList<QMetaProperty> to = XMLOptionProperties(metaObject());
    // Position by position, as the classes are expected to be the same. Should they differ, a value
    // whose text does not fit the property at that position is skipped rather than forced in.
    for (qsizetype i = 0; i < from.size() && i < to.size(); ++i) {
        const QMetaProperty& sp = from[i];
        const QMetaProperty& dp = to[i];
        const TXMLValueKind kind = XMLValueKind(sp);
        if (kind == TXMLValueKind::Unsupported || XMLValueKind(dp) == TXMLValueKind::Unsupported)
            continue;
        if (kind == TXMLValueKind::Class) {
            TXMLClass* sourceChild = XMLChildOption(source, sp);
            TXMLClass* child = XMLChildOption(this, dp);
            if (sourceChild && child)
                child->Assign(sourceChild);
            continue;
        }
        if (XMLValueKind(dp) == TXMLValueKind::Class || !dp.isWritable())
            continue;
        QVariant value;
        if (XMLTextToValue(dp, XMLPropertyText(source, sp), value))
            dp.write(this, value);
    }
}

// ---------------------------------------------------------------------------------------------------
// TXMLClassList

TXMLClassList::TXMLClassList(TXMLClass* Owner) : TXMLClass(Owner) {}

TXMLClassList::TXMLClassList(TXMLClass* Owner, const QMetaObject* ItemClass)
    : TXMLClass(Owner), FItemClass(ItemClass) {}

TXMLClassList::~TXMLClassList() {
    Clear();
}

void TXMLClassList::Assign(const QObject* Source) {
    const auto* source = qobject_cast<const TXMLClassList*>(Source);
    if (!source || source == this) {
        // Assigning a list to itself would clear it before copying it.
        if (!source)
            TXMLClass::Assign(Source);
        return;
    }
    Clear();
    auto* self = qobject_cast<TXMLClassListExt*>(this);
    for (int i = 0; i < source->Count(); ++i) {
        TXMLClass* from = source->Items(i);
        // Items of a mixed list are of different classes: make each of its source item's class.
        TXMLClass* item =
            self ? self->AddByClassName(QString::fromLatin1(from->metaObject()->className())) : Add();
        if (item)
            item->Assign(from);
    }
}

void TXMLClassList::SetDefaults() {
    Clear();
}

std::unique_ptr<TXMLClass> TXMLClassList::CreateItem() {
    return NewItem(FItemClass, this);
}

TXMLClass* TXMLClassList::Add() {
    return Append(CreateItem());
}

TXMLClass* TXMLClassList::Append(std::unique_ptr<TXMLClass> Item) {
    if (!Item)
        return nullptr;
    FItems.push_back(std::move(Item));
    return FItems.back().get();
}

void TXMLClassList::Clear() {
    // From the front, one by one: an item's destructor may still look at the list.
    while (!FItems.empty()) {
        std::unique_ptr<TXMLClass> item = std::move(FItems.front());
        FItems.erase(FItems.begin());
    }
}

void TXMLClassList::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        return;
    std::unique_ptr<TXMLClass> item = std::move(FItems[size_t(Index)]);
    FItems.erase(FItems.begin() + Index);
}

void TXMLClassList::Remove(TXMLClass* Item) {
    for (int i = 0; i < Count(); ++i) {
        if (FItems[size_t(i)].get() == Item) {
            Delete(i);
            return;
        }
    }
}

TXMLClass* TXMLClassList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[size_t(Index)].get();
}

void TXMLClassList::ExchangeItems(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= Count() || Index2 < 0 || Index2 >= Count())
        return;
    std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
}

// ---------------------------------------------------------------------------------------------------
// TXMLClassListExt

TXMLClassListExt::TXMLClassListExt(TXMLClass* Owner) : TXMLClassList(Owner) {}

TXMLClassListExt::~TXMLClassListExt() = default;

std::unique_ptr<TXMLClass> TXMLClassListExt::CreateItemByClassName(const QString& ClassName) {
    for (const QMetaObject* itemClass : FItemClasses) {
        if (QLatin1String(itemClass->className()) == ClassName)
            return NewItem(itemClass, this);
    }
    return nullptr;
}

TXMLClass* TXMLClassListExt::AddByClassName(const QString& ClassName) {
    return Append(CreateItemByClassName(ClassName));
}

void TXMLClassListExt::RegisterItemClass(const QMetaObject* ItemClass) {
    if (ItemClass && ItemClass->inherits(&TXMLClass::staticMetaObject) && !FItemClasses.contains(ItemClass))
        FItemClasses.append(ItemClass);
}
