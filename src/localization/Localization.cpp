#include "localization/Localization.h"

#include <QMetaObject>
#include <QObject>

const std::array<TLanguageInfo, kLanguageCount>& Languages() {
    static const std::array<TLanguageInfo, kLanguageCount> languages = {{
        {liEnglish, "English"},
        {liRussian, "Russian"},
        {liUkrainian, "Ukrainian"},
        {liGerman, "German"},
        {liSpanish, "Spanish"},
        {liFrench, "French"},
    }};
    return languages;
}

namespace {
quint8 gCurrentLanguage = 0;
} // namespace

quint8 CurrentLanguage() {
    return gCurrentLanguage;
}

void SetCurrentLanguage(quint8 LanguageID) {
    gCurrentLanguage = LanguageID;
}

void TLocalizeList::Add(TAppLocalization* Entry) {
    if (!Entry)
        return;
    FItems.push_back(Entry);
    if (!FCurrent)
        FCurrent = Entry;
}

bool TLocalizeList::Select(quint8 LanguageID, quint8 SubLanguageID) {
    for (TAppLocalization* e : FItems) {
        if (e->LanguageID() == LanguageID && e->SubLanguageID() == SubLanguageID) {
            FCurrent = e;
            return true;
        }
    }
    return false;
}

TAppLocalization* TLocalizeList::Items(int Index) const {
    return Index >= 0 && Index < int(FItems.size()) ? FItems[size_t(Index)] : nullptr;
}

void BroadcastUpdateLanguage(const QList<QObject*>& Objects) {
    for (QObject* o : Objects) {
        if (o && o->metaObject()->indexOfMethod("UpdateLanguage()") >= 0)
            QMetaObject::invokeMethod(o, "UpdateLanguage", Qt::DirectConnection);
    }
}
