#include "localization/LanguageTables.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

struct TTinyLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    QString Hello;
};

// clang-format off
const TLanguageLocalization<TTinyLanguage>::TRow kTinyRows[] = {
    {&TTinyLanguage::Hello, {"Hello", "Привет", "Привіт", "Hallo", "Hola", "Bonjour"}},
};
// clang-format on

TEST(Localization, EnglishUntilASelectionMatchesAndUnknownIdsKeepTheCurrent) {
    TLanguageLocalization<TTinyLanguage> table(kTinyRows);
    EXPECT_EQ(table.Current().Hello, QStringLiteral("Hello"));
    EXPECT_EQ(table.Current().LanguageID(), liEnglish);
    EXPECT_FALSE(table.Select(0));
    EXPECT_EQ(table.Current().Hello, QStringLiteral("Hello"));
    EXPECT_TRUE(table.Select(liRussian));
    EXPECT_EQ(table.Current().Hello, QStringLiteral("Привет"));
    EXPECT_FALSE(table.Select(99));
    EXPECT_EQ(table.Current().Hello, QStringLiteral("Привет"));
    EXPECT_FALSE(table.Select(liUkrainian, 1)); // the sub-language must match too
    EXPECT_EQ(table.Texts(liFrench).Hello, QStringLiteral("Bonjour"));

    // The fixed order of the six languages.
    const auto& list = table.List();
    ASSERT_EQ(list.Count(), kLanguageCount);
    const quint8 ids[] = {9, 25, 34, 7, 10, 12};
    const char* names[] = {"English", "Russian", "Ukrainian", "German", "Spanish", "French"};
    for (int i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(list.Items(i)->LanguageID(), ids[i]);
        EXPECT_EQ(list.Items(i)->LanguageName(), QLatin1String(names[i]));
        EXPECT_EQ(list.Items(i)->SubLanguageID(), 0);
    }
    EXPECT_EQ(list.Items(6), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);

    TLocalizeList empty;
    EXPECT_EQ(empty.Current(), nullptr);
    EXPECT_FALSE(empty.Select(liEnglish));
    empty.Add(nullptr);
    EXPECT_EQ(empty.Count(), 0);
}

TEST(Localization, EveryTableHasEveryTextInEveryLanguage) {
    const auto reports = CheckAllLanguageTables();
    ASSERT_FALSE(reports.empty());
    for (const auto& r : reports) {
        EXPECT_GT(r.Fields, 0) << r.Module.toStdString();
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(QStringLiteral(", ")).toStdString();
    }
}

TEST(Localization, TranslationsAreNotLeftInEnglish) {
    // Apart from names and tokens that stay as they are, a translated table differs from English.
    const auto& table = MainUnitLanguage();
    for (int i = 1; i < kLanguageCount; ++i) {
        int same = 0;
        for (const auto& [name, field] : TMainUnitLanguage::Fields())
            same += table.Language(i).*field == table.Language(0).*field ? 1 : 0;
        EXPECT_LT(same, 15) << table.Language(i).LanguageName().toStdString();
    }
}

TEST(Localization, CatalogueInTheCurrentLanguage) {
    TDeviceRegister reg;
    BuildDeviceRegister(reg, liUkrainian);
    const auto* dio = reg.FindByType(6);
    EXPECT_EQ(dio->ModelName, QStringLiteral("KVD-DIO-BUS"));
    EXPECT_EQ(dio->Channels.Items(0)->Name, QStringLiteral("Канал дискретного вводу №1"));
    EXPECT_EQ(dio->Channels.Items(0)->Note, QStringLiteral("Групова ізоляція"));
    EXPECT_EQ(reg.FindByType(9)->ModelName, QStringLiteral("Пристрій не підтримується"));
    EXPECT_EQ(reg.FindByType(40)->Channels.Items(4)->Name, QStringLiteral("UMMC"));

    // An identifier no table knows keeps the language that was current.
    BuildDeviceRegister(reg, 0);
    EXPECT_EQ(reg.FindByType(6)->Channels.Items(0)->Note, QStringLiteral("Групова ізоляція"));
    BuildDeviceRegister(reg, liEnglish);
    EXPECT_EQ(reg.FindByType(6)->Channels.Items(0)->Name, QStringLiteral("Discrete input channel №1"));

    // The English table and the catalogue's built-in English agree.
    TDeviceRegister builtIn;
    BuildDeviceRegister(builtIn);
    for (int i = 0; i < reg.Count(); ++i)
        for (int c = 0; c < reg.Items(i)->Channels.Count(); ++c) {
            EXPECT_EQ(reg.Items(i)->Channels.Items(c)->Name, builtIn.Items(i)->Channels.Items(c)->Name);
            EXPECT_EQ(reg.Items(i)->Channels.Items(c)->Note, builtIn.Items(i)->Channels.Items(c)->Note);
        }
}

TEST(Localization, RangesTableInTheCurrentLanguage) {
    TPrTbl table;
    RebuildRangesTable(table, liGerman);
    EXPECT_EQ(table.ParameterName(9), QStringLiteral("Spannung"));
    EXPECT_EQ(table.Description(9), QStringLiteral("0..10 V")); // range names stay as they are
    EXPECT_TRUE(table.BelongsTo(145, QStringLiteral("Strom")));
    RebuildRangesTable(table, liEnglish);
    EXPECT_EQ(table.ParameterName(560), QStringLiteral("Resistance - 4 wires"));
    // The English table agrees with the catalogue's own names.
    for (int i = 0; i < table.Count(); ++i)
        EXPECT_EQ(table.Items(i)->ParameterName, RangeKind(table.Items(i)->Code)) << table.Items(i)->Code;
}

class TWindowWithTexts : public QObject {
    Q_OBJECT
public:
    int Updates = 0;
    Q_INVOKABLE void UpdateLanguage() { ++Updates; }
};

TEST(Localization, BroadcastReachesWhatHasUpdateLanguage) {
    TWindowWithTexts a, b;
    QObject plain;
    BroadcastUpdateLanguage({&a, &plain, nullptr, &b});
    EXPECT_EQ(a.Updates, 1);
    EXPECT_EQ(b.Updates, 1);
}

} // namespace

#include "LocalizationTest.moc"
