#include "profiles/DeviceProfiles.h"

#include <algorithm>

namespace {

template <typename T> T* ItemAt(const std::vector<std::unique_ptr<T>>& Items, int Index) {
    return Index >= 0 && Index < int(Items.size()) ? Items[size_t(Index)].get() : nullptr;
}

} // namespace

void TFunctionList::AddFunction(quint16 Id) {
    if (FCount >= kLimit || Contains(Id))
        return;
    FItems[FCount++] = Id;
}

bool TFunctionList::Contains(quint16 Id) const {
    return std::find(FItems, FItems + FCount, Id) != FItems + FCount;
}

TDeviceNode* TDeviceNodes::AddNode(const QString& Name) {
    FItems.push_back(std::make_unique<TDeviceNode>(Name));
    return FItems.back().get();
}

TDeviceNode* TDeviceNodes::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TVendorItem* TVendorList::AddItem() {
    FItems.push_back(std::make_unique<TVendorItem>(this));
    return FItems.back().get();
}

TVendorItem* TVendorList::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TNerixesPropertyItem* TNerixesProperties::AddProperty(const TPropertyHeader& Header) {
    FItems.push_back(std::make_unique<TNerixesPropertyItem>(FObject, Header));
    return FItems.back().get();
}

TNerixesPropertyItem* TNerixesProperties::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TNerixesPropertyItem* TNerixesProperties::Find(quint16 Id) const {
    for (const auto& item : FItems)
        if (item->Id() == Id)
            return item.get();
    return nullptr;
}

TDeviceObject* TDeviceObjects::AddObject(const TDeviceObjectHeader& Header) {
    FItems.push_back(std::make_unique<TDeviceObject>(FDescription, Header));
    return FItems.back().get();
}

TDeviceObject* TDeviceObjects::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TParameter* TParameters::AddParameter(const TParameterHeader& Header) {
    FItems.push_back(std::make_unique<TParameter>(FSpace, Header));
    return FItems.back().get();
}

TParameter* TParameters::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TAddressSpace* TAddressSpaces::AddSpace(const QString& Name) {
    FItems.push_back(std::make_unique<TAddressSpace>(FDescription, Name));
    return FItems.back().get();
}

TAddressSpace* TAddressSpaces::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TDeviceDesc* TDeviceList::Items(int Index) const {
    return ItemAt(FItems, Index);
}

TDeviceDesc* TDeviceList::AddDescription() {
    FItems.push_back(std::make_unique<TDeviceDesc>());
    return FItems.back().get();
}

void TDeviceList::DeleteLast() {
    if (!FItems.empty())
        FItems.pop_back();
}

int TDeviceList::FindNerixProperties(quint8 ObjectId, quint16 PropertyId,
                                     std::vector<const TNerixesPropertyItem*>& Result) const {
    Result.clear();
    for (const auto& desc : FItems) {
        const TDeviceObjects& objects = desc->NerixMap().Objects();
        for (int i = 0; i < objects.Count(); ++i) {
            const TDeviceObject* object = objects.Items(i);
            if (object->Id() != ObjectId)
                continue;
            if (const TNerixesPropertyItem* property = object->Properties().Find(PropertyId)) {
                Result.push_back(property);
                break;
            }
        }
    }
    return int(Result.size());
}

int TDeviceList::FindModbusParameters(quint16 Register, std::vector<const TParameter*>& Result) const {
    Result.clear();
    for (const auto& desc : FItems) {
        const TAddressSpaces& spaces = desc->ModbusMap().Spaces();
        const TParameter* found = nullptr;
        for (int s = 0; s < spaces.Count() && !found; ++s) {
            const TParameters& parameters = spaces.Items(s)->Parameters();
            for (int p = 0; p < parameters.Count() && !found; ++p)
                if (parameters.Items(p)->Covers(Register))
                    found = parameters.Items(p);
        }
        if (found)
            Result.push_back(found);
    }
    return int(Result.size());
}
