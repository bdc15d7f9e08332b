#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>
#include <vector>

// The device profile model: what one profile file says about a device model, its vendor facts, its
// structure and how its data is laid out in Nerix objects and Modbus address spaces. Every list owns
// its items; an item knows the list's owner, so a lookup result can name its device and object.

class TDeviceDesc;
class TDeviceObject;
class TAddressSpace;

// Up to kLimit distinct function identifiers in insertion order.
class TFunctionList {
public:
    static constexpr int kLimit = 11;
    // Ignored when Id is already held or kLimit are held.
    void AddFunction(quint16 Id);
    quint8 Count() const { return FCount; }
    quint16 Items(int Index) const { return Index >= 0 && Index < FCount ? FItems[size_t(Index)] : 0; }
    bool Contains(quint16 Id) const;

private:
    quint16 FItems[kLimit] = {};
    quint8 FCount = 0;
};

class TDeviceNode {
public:
    explicit TDeviceNode(const QString& Name) : FName(Name) {}
    QString Name() const { return FName; }

private:
    QString FName;
};

class TDeviceNodes {
public:
    TDeviceNode* AddNode(const QString& Name);
    int Count() const { return int(FItems.size()); }
    TDeviceNode* Items(int Index) const;

private:
    std::vector<std::unique_ptr<TDeviceNode>> FItems;
};

class TDeviceHeader {
public:
    QString Name() const { return FName; }
    void SetName(const QString& Name) { FName = Name; }
    const QStringList& Description() const { return FDescription; }
    void AddDescriptionLine(const QString& Line) { FDescription.append(Line); }

private:
    QString FName;
    QStringList FDescription;
};

class TVendorList;

class TVendorItem {
public:
    explicit TVendorItem(TVendorList* Owner) : FOwner(Owner) {}
    TVendorList* Owner() const { return FOwner; }
    QString Tag() const { return FTag; }
    void SetTag(const QString& Value) { FTag = Value; }
    QString Value() const { return FValue; }
    void SetValue(const QString& Value) { FValue = Value; }

private:
    TVendorList* FOwner;
    QString FTag;
    QString FValue;
};

class TVendorList {
public:
    explicit TVendorList(TDeviceDesc* Description) : FDescription(Description) {}
    TDeviceDesc* Description() const { return FDescription; }
    TVendorItem* AddItem();
    int Count() const { return int(FItems.size()); }
    TVendorItem* Items(int Index) const;

private:
    TDeviceDesc* FDescription;
    std::vector<std::unique_ptr<TVendorItem>> FItems;
};

struct TDeviceObjectHeader {
    quint8 Id = 0;
    QString Name;
};

struct TPropertyHeader {
    QString Name;
    quint16 Id = 0;
};

struct TParameterHeader {
    quint16 StartRegister = 0;
    quint8 RegisterCount = 0;
    QString Name;
};

class TNerixesPropertyItem {
public:
    TNerixesPropertyItem(TDeviceObject* Object, const TPropertyHeader& Header)
        : FObject(Object), FName(Header.Name), FId(Header.Id) {}
    TDeviceObject* Object() const { return FObject; }
    TFunctionList& Functions() { return FFunctions; }
    const TFunctionList& Functions() const { return FFunctions; }
    QString Name() const { return FName; }
    quint16 Id() const { return FId; }

private:
    TDeviceObject* FObject;
    TFunctionList FFunctions;
    QString FName;
    quint16 FId;
};

class TNerixesProperties {
public:
    explicit TNerixesProperties(TDeviceObject* Object) : FObject(Object) {}
    TDeviceObject* Object() const { return FObject; }
    TNerixesPropertyItem* AddProperty(const TPropertyHeader& Header);
    int Count() const { return int(FItems.size()); }
    TNerixesPropertyItem* Items(int Index) const;
    // The first property with Id; nothing when there is none.
    TNerixesPropertyItem* Find(quint16 Id) const;

private:
    TDeviceObject* FObject;
    std::vector<std::unique_ptr<TNerixesPropertyItem>> FItems;
};

class TDeviceObject {
public:
    TDeviceObject(TDeviceDesc* Description, const TDeviceObjectHeader& Header)
        : FDescription(Description), FProperties(this), FId(Header.Id), FName(Header.Name) {}
    TDeviceDesc* Description() const { return FDescription; }
    TNerixesProperties& Properties() { return FProperties; }
    const TNerixesProperties& Properties() const { return FProperties; }
    quint8 Id() const { return FId; }
    QString Name() const { return FName; }

private:
    TDeviceDesc* FDescription;
    TNerixesProperties FProperties;
    quint8 FId;
    QString FName;
};

class TDeviceObjects {
public:
    explicit TDeviceObjects(TDeviceDesc* Description) : FDescription(Description) {}
    TDeviceDesc* Description() const { return FDescription; }
    TDeviceObject* AddObject(const TDeviceObjectHeader& Header);
    int Count() const { return int(FItems.size()); }
    TDeviceObject* Items(int Index) const;

private:
    TDeviceDesc* FDescription;
    std::vector<std::unique_ptr<TDeviceObject>> FItems;
};

class TNerixesDeviceMap {
public:
    explicit TNerixesDeviceMap(TDeviceDesc* Description) : FObjects(Description) {}
    TDeviceObjects& Objects() { return FObjects; }
    const TDeviceObjects& Objects() const { return FObjects; }

private:
    TDeviceObjects FObjects;
};

class TParameter {
public:
    TParameter(TAddressSpace* Space, const TParameterHeader& Header)
        : FSpace(Space), FStartRegister(Header.StartRegister), FRegisterCount(Header.RegisterCount),
          FName(Header.Name) {}
    TAddressSpace* Space() const { return FSpace; }
    TFunctionList& Functions() { return FFunctions; }
    const TFunctionList& Functions() const { return FFunctions; }
    quint16 StartRegister() const { return FStartRegister; }
    quint8 RegisterCount() const { return FRegisterCount; }
    QString Name() const { return FName; }
    // Start <= Register < Start + Count.
    bool Covers(quint16 Register) const {
        return Register >= FStartRegister && int(Register) < int(FStartRegister) + int(FRegisterCount);
    }

private:
    TAddressSpace* FSpace;
    TFunctionList FFunctions;
    quint16 FStartRegister;
    quint8 FRegisterCount;
    QString FName;
};

class TParameters {
public:
    explicit TParameters(TAddressSpace* Space) : FSpace(Space) {}
    TAddressSpace* Space() const { return FSpace; }
    TParameter* AddParameter(const TParameterHeader& Header);
    int Count() const { return int(FItems.size()); }
    TParameter* Items(int Index) const;

private:
    TAddressSpace* FSpace;
    std::vector<std::unique_ptr<TParameter>> FItems;
};

class TAddressSpace {
public:
    TAddressSpace(TDeviceDesc* Description, const QString& Name)
        : FName(Name), FParameters(this), FDescription(Description) {}
    QString Name() const { return FName; }
    TParameters& Parameters() { return FParameters; }
    const TParameters& Parameters() const { return FParameters; }
    TDeviceDesc* Description() const { return FDescription; }

private:
    QString FName;
    TParameters FParameters;
    TDeviceDesc* FDescription;
};

class TAddressSpaces {
public:
    explicit TAddressSpaces(TDeviceDesc* Description) : FDescription(Description) {}
    TDeviceDesc* Description() const { return FDescription; }
    TAddressSpace* AddSpace(const QString& Name);
    int Count() const { return int(FItems.size()); }
    TAddressSpace* Items(int Index) const;

private:
    TDeviceDesc* FDescription;
    std::vector<std::unique_ptr<TAddressSpace>> FItems;
};

class TModbusDeviceMap {
public:
    explicit TModbusDeviceMap(TDeviceDesc* Description) : FSpaces(Description) {}
    TAddressSpaces& Spaces() { return FSpaces; }
    const TAddressSpaces& Spaces() const { return FSpaces; }

private:
    TAddressSpaces FSpaces;
};

class TBaseDeviceDesc {
public:
    explicit TBaseDeviceDesc(TDeviceDesc* Self) : FVendors(Self) {}
    virtual ~TBaseDeviceDesc() = default;
    TBaseDeviceDesc(const TBaseDeviceDesc&) = delete;
    TBaseDeviceDesc& operator=(const TBaseDeviceDesc&) = delete;

    TDeviceNodes& Nodes() { return FNodes; }
    const TDeviceNodes& Nodes() const { return FNodes; }
    TDeviceHeader& Header() { return FHeader; }
    const TDeviceHeader& Header() const { return FHeader; }
    TVendorList& Vendors() { return FVendors; }
    const TVendorList& Vendors() const { return FVendors; }

private:
    TDeviceNodes FNodes;
    TDeviceHeader FHeader;
    TVendorList FVendors;
};

class TDeviceDesc : public TBaseDeviceDesc {
public:
    TDeviceDesc() : TBaseDeviceDesc(this), FNerixMap(this), FModbusMap(this) {}
    TNerixesDeviceMap& NerixMap() { return FNerixMap; }
    const TNerixesDeviceMap& NerixMap() const { return FNerixMap; }
    TModbusDeviceMap& ModbusMap() { return FModbusMap; }
    const TModbusDeviceMap& ModbusMap() const { return FModbusMap; }
    // The file the description was read from; empty for one made in code.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& Value) { FFileName = Value; }

private:
    TNerixesDeviceMap FNerixMap;
    TModbusDeviceMap FModbusMap;
    QString FFileName;
};

class TDeviceList {
public:
    int Count() const { return int(FItems.size()); }
    // Nothing when Index is out of range.
    TDeviceDesc* Items(int Index) const;
    void Clear() { FItems.clear(); }
    TDeviceDesc* AddDescription();
    // Frees the last description (a file that failed half-way takes its part back out).
    void DeleteLast();

    // Clears Result; every description, in order, contributes the property PropertyId of its first
    // object numbered ObjectId that has one. The number of results.
    int FindNerixProperties(quint8 ObjectId, quint16 PropertyId,
                            std::vector<const TNerixesPropertyItem*>& Result) const;
    // Clears Result; every description, in order, contributes its first parameter (space order, then
    // parameter order) whose registers cover Register. The number of results.
    int FindModbusParameters(quint16 Register, std::vector<const TParameter*>& Result) const;

private:
    std::vector<std::unique_ptr<TDeviceDesc>> FItems;
};
