#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

class QObject;

// Languages by their Windows primary language identifiers, as the options store them.
enum TLanguageId : quint8 {
    liEnglish = 9,
    liRussian = 25,
    liUkrainian = 34,
    liGerman = 7,
    liSpanish = 10,
    liFrench = 12,
};

struct TLanguageInfo {
    quint8 Id;
    const char* Name;
};
inline constexpr int kLanguageCount = 6;
// English, Russian, Ukrainian, German, Spanish, French: the order in which every table holds them.
const std::array<TLanguageInfo, kLanguageCount>& Languages();

// One language's texts of one module.
class TAppLocalization {
public:
    TAppLocalization(quint8 LanguageID, const QString& LanguageName, quint8 SubLanguageID = 0)
        : FLanguageID(LanguageID), FSubLanguageID(SubLanguageID), FLanguageName(LanguageName) {}
    virtual ~TAppLocalization() = default;

    quint8 LanguageID() const { return FLanguageID; }
    quint8 SubLanguageID() const { return FSubLanguageID; }
    QString LanguageName() const { return FLanguageName; }

private:
    quint8 FLanguageID;
    quint8 FSubLanguageID;
    QString FLanguageName;
};

// The languages of one table; the first one added is current until a selection matches.
class TLocalizeList {
public:
    // Not owned.
    void Add(TAppLocalization* Entry);
    // Makes the first entry with both identifiers current; with no match the current entry stays.
    bool Select(quint8 LanguageID, quint8 SubLanguageID = 0);
    int Count() const { return int(FItems.size()); }
    TAppLocalization* Items(int Index) const;
    TAppLocalization* Current() const { return FCurrent; }

private:
    std::vector<TAppLocalization*> FItems;
    TAppLocalization* FCurrent = nullptr;
};

// The table of one module: its six languages, built from rows that give each text in every language
// (in the fixed order), so a translation sits next to its English original.
template <typename TLanguage> class TLanguageLocalization {
public:
    struct TRow {
        QString TLanguage::*Field;
        std::array<const char*, kLanguageCount> Texts; // UTF-8
    };

    template <typename TRows> explicit TLanguageLocalization(const TRows& rows) {
        for (int i = 0; i < kLanguageCount; ++i) {
            const auto& info = Languages()[size_t(i)];
            FLanguages[size_t(i)] = std::make_unique<TLanguage>(info.Id, QString::fromLatin1(info.Name));
            for (const TRow& row : rows)
                (*FLanguages[size_t(i)]).*row.Field = QString::fromUtf8(row.Texts[size_t(i)]);
            FList.Add(FLanguages[size_t(i)].get());
        }
    }

    bool Select(quint8 LanguageID, quint8 SubLanguageID = 0) {
        return FList.Select(LanguageID, SubLanguageID);
    }
    const TLanguage& Current() const { return static_cast<const TLanguage&>(*FList.Current()); }
    // The way every reader fetches: select the program's current language, then read.
    const TLanguage& Texts(quint8 LanguageID) {
        Select(LanguageID, 0);
        return Current();
    }
    // One of the six, in the fixed order.
    const TLanguage& Language(int Index) const { return *FLanguages[size_t(Index)]; }
    const TLocalizeList& List() const { return FList; }

private:
    std::array<std::unique_ptr<TLanguage>, kLanguageCount> FLanguages;
    TLocalizeList FList;
};

// The language the whole program shows (the application context's CurrentLanguage): 0 until the main
// window first applies one, which every table answers in English. Window thread only.
quint8 CurrentLanguage();
void SetCurrentLanguage(quint8 LanguageID);

// Installs the toolkit's own translations (Yes/No, OK/Cancel, file dialogs) for a language, replacing
// the previous ones; English needs none. False when the translation files are not installed, and the
// toolkit then speaks English.
bool InstallToolkitTranslation(quint8 LanguageID);

// Calls UpdateLanguage() on every object that has it (a Q_INVOKABLE method or slot), in order.
void BroadcastUpdateLanguage(const QList<QObject*>& Objects);

// Every module's table, for checks over all of them: module name and the names of its fields that
// are empty in some language ("German.Caption").
struct TTableReport {
    QString Module;
    int Fields = 0;
    QStringList Missing;
};
std::vector<TTableReport> CheckAllLanguageTables();
