#include "localization/Localization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

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

bool InstallToolkitTranslation(quint8 LanguageID) {
    // One translator for the whole run, replaced on every change of language.
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    QString locale;
    switch (LanguageID) {
    case liRussian:
        locale = QStringLiteral("ru");
        break;
    case liUkrainian:
        locale = QStringLiteral("uk");
        break;
    case liGerman:
        locale = QStringLiteral("de");
        break;
    case liSpanish:
        locale = QStringLiteral("es");
        break;
    case liFrench:
        locale = QStringLiteral("fr");
        break;
    default:
        return true;
    }
    auto next = std::make_unique<QTranslator>();
    if (!next->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator = next.release();
    QCoreApplication::installTranslator(translator);
    return true;
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
