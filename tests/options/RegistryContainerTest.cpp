// The registry parameters: their change rules, and the round trip through an INI store in a
// temporary folder (never the user's own file).
#include "options/RegistryContainer.h"
#include "support/TestFiles.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A window's parameters as the application windows declare them.
struct TOwner {
    QObject window;
    TRegValueCategory* file = new TRegValueCategory(&window);
    TRegValueCategory* coef = new TRegValueCategory(&window);
    TRegInteger* pool = new TRegInteger(&window, QStringLiteral("PoolInterval"));
    TRegString* dir = new TRegString(&window, QStringLiteral("FileDir"));
    TRegFloat* kv = new TRegFloat(&window, QStringLiteral("Kv"));
    TDataContainer* dc = new TDataContainer(&window);

    explicit TOwner(const QString& File) {
        file->Caption = QStringLiteral("Saving to file");
        coef->Caption = QStringLiteral("Coefficients");
        pool->MinValue = 10;
        pool->MaxValue = 1000000;
        pool->SetValue(300);
        pool->Category = file;
        dir->SetValue(QStringLiteral("/data"));
        dir->Category = file;
        kv->MinValue = 0;
        kv->MaxValue = 1000000;
        kv->SetValue(1.0);
        kv->Category = coef;
        dc->DCAppInfo.SetApplicationName(QStringLiteral("DazoruDariderida"));
        dc->Saver.FileName = File;
        dc->Collect();
    }
};

} // namespace

TEST(RegistryValues, NumbersFollowRangeAndVeto) {
    struct TCase {
        const char* Name;
        qint32 Min, Max, NewValue;
        bool Veto;
        qint32 Expected;
    };
    const TCase cases[] = {
        {"within range", 10, 100, 50, false, 50},
        {"below range", 10, 100, 9, false, 20},
        {"above range", 10, 100, 101, false, 20},
        {"range bounds are inclusive", 10, 100, 10, false, 10},
        {"no range when min equals max", 0, 0, -5, false, -5},
        {"handler vetoes", 10, 100, 50, true, 20},
    };
    for (const TCase& c : cases) {
        TRegInteger v;
        v.SetValue(20);
        v.MinValue = c.Min;
        v.MaxValue = c.Max;
        int calls = 0;
        v.OnModified = [&](qint32 n, bool& can) {
            ++calls;
            EXPECT_EQ(n, c.NewValue) << c.Name;
            if (c.Veto)
                can = false;
        };
        v.SetValue(c.NewValue);
        EXPECT_EQ(v.Value(), c.Expected) << c.Name;
        // The handler is asked only about numbers the range lets through.
        const bool inRange = c.Min == c.Max || (c.NewValue >= c.Min && c.NewValue <= c.Max);
        EXPECT_EQ(calls, inRange ? 1 : 0) << c.Name;
    }

    TRegFloat f;
    f.MinValue = 0;
    f.MaxValue = 10;
    f.SetValue(10.5);
    EXPECT_EQ(f.Value(), 0.0);
    f.OnModified = [](double, bool& can) { can = false; };
    f.SetValue(5);
    EXPECT_EQ(f.Value(), 0.0);
    f.SetDefValue(11); // outside the range: refused
    EXPECT_EQ(f.DefValue(), 0.0);
    f.SetDefValue(2);
    EXPECT_EQ(f.DefValue(), 2.0);
}

TEST(RegistryValues, ModifiedOnlyWhenAttachedToAnIdleContainer) {
    QObject window;
    auto* v = new TRegInteger(&window, QStringLiteral("A"));
    v->SetValue(5);
    EXPECT_FALSE(v->Modified()) << "a change before Collect is the window's initial value";
    auto* dc = new TDataContainer(&window);
    dc->Collect();
    v->SetValue(5);
    EXPECT_FALSE(v->Modified()) << "the same number changes nothing";
    v->SetValue(6);
    EXPECT_TRUE(v->Modified());
    EXPECT_EQ(v->Container(), dc);
}

TEST(RegistryValues, MaskAndTextEntry) {
    EXPECT_EQ(FormatByMask(1.0, QStringLiteral("0.000")), QStringLiteral("1.000"));
    EXPECT_EQ(FormatByMask(2.4, QStringLiteral("0")), QStringLiteral("2"));
    EXPECT_EQ(FormatByMask(-0.0005, QStringLiteral("0.00")), QStringLiteral("0.00")) << "no minus on a zero";
    TRegFloat f;
    EXPECT_TRUE(f.SetFromText(QStringLiteral(" 2.25 ")));
    EXPECT_EQ(f.AsString(), QStringLiteral("2.250"));
    for (const char* bad : {"2,25", "abc", "", "inf", "nan"})
        EXPECT_FALSE(f.SetFromText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(f.Value(), 2.25);
    TRegInteger i;
    EXPECT_FALSE(i.SetFromText(QStringLiteral("3000000000"))) << "does not fit 32 bits";
    EXPECT_FALSE(i.SetFromText(QStringLiteral("1.5")));
    EXPECT_TRUE(i.SetFromText(QStringLiteral("-7")));
    EXPECT_EQ(i.Value(), -7);
}

TEST(RegistryContainer, CollectKeepsOwnerOrderAndUniqueCategories) {
    QTemporaryDir tmp;
    TOwner o(tmp.filePath(QStringLiteral("r.ini")));
    auto* twin = new TRegValueCategory(&o.window);
    twin->Caption = o.file->Caption; // same caption: one entry
    auto* extra = new TRegInteger(&o.window, QStringLiteral("SaveInterval"));
    extra->Category = twin;
    o.dc->Collect();
    ASSERT_EQ(o.dc->Values().size(), 4u);
    EXPECT_EQ(o.dc->Values()[0], o.pool);
    EXPECT_EQ(o.dc->Values()[3], extra);
    ASSERT_EQ(o.dc->Categories().size(), 2u);
    EXPECT_EQ(o.dc->Categories()[0], o.file);
    EXPECT_EQ(o.dc->Categories()[1], o.coef);
    EXPECT_EQ(o.dc->KeyPath(), QStringLiteral("Software/ZUVO/DazoruDariderida/0/MainOptions"));
    o.dc->RegPath = QStringLiteral("\\Software\\Other\\Key");
    EXPECT_EQ(o.dc->KeyPath(), QStringLiteral("Software/Other/Key"));
}

TEST(RegistryContainer, MissingKeyMarksAllAndSaveLoadRoundTrip) {
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("sub/registry.ini"));
    {
        TOwner o(file);
        EXPECT_TRUE(o.dc->Load());
        for (TRegistryValueShell* v : o.dc->Values())
            EXPECT_TRUE(v->Modified()) << v->objectName().toStdString();
        EXPECT_EQ(o.pool->Value(), 300) << "a missing value keeps the window's number";
        o.pool->SetValue(1234);
        o.dir->SetValue(QStringLiteral("/home/u/Документи, data"));
        o.kv->SetValue(0.1);
        ASSERT_TRUE(o.dc->Save());
        for (TRegistryValueShell* v : o.dc->Values())
            EXPECT_FALSE(v->Modified()) << v->objectName().toStdString();
    }
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Software/ZUVO/DazoruDariderida/0/MainOptions"));
        EXPECT_EQ(raw.value(QStringLiteral("PoolInterval")).toInt(), 1234);
        EXPECT_EQ(raw.value(QStringLiteral("Kv")).toByteArray().size(), 8);
    }
    TOwner o(file);
    int broadcasts = 0;
    o.dc->OnUpdateResource = [&](bool loaded) {
        EXPECT_TRUE(loaded);
        ++broadcasts;
    };
    EXPECT_TRUE(o.dc->Load());
    EXPECT_EQ(broadcasts, 1);
    EXPECT_EQ(o.pool->Value(), 1234);
    EXPECT_EQ(o.dir->Value(), QStringLiteral("/home/u/Документи, data"));
    EXPECT_EQ(o.kv->Value(), 0.1) << "all 64 bits of the double survive";
    for (TRegistryValueShell* v : o.dc->Values())
        EXPECT_FALSE(v->Modified()) << v->objectName().toStdString();
}

TEST(RegistryContainer, StoredValueOutOfRangeIsRefusedAndKept) {
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("r.ini"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Software/ZUVO/DazoruDariderida/0/MainOptions/PoolInterval"), 5);
    }
    TOwner o(file);
    o.dc->Load();
    EXPECT_EQ(o.pool->Value(), 300);
    EXPECT_FALSE(o.pool->Modified());
    o.kv->SetValue(2.0); // another value changes; the refused one is not rewritten
    ASSERT_TRUE(o.dc->Save());
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Software/ZUVO/DazoruDariderida/0/MainOptions/PoolInterval")).toInt(),
              5);
}

TEST(RegistryContainer, WrongKindEndsTheLoadAtThatValue) {
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("r.ini"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Software/ZUVO/DazoruDariderida/0/MainOptions"));
        raw.setValue(QStringLiteral("PoolInterval"), QStringLiteral("fast"));
        raw.setValue(QStringLiteral("FileDir"), QStringLiteral("/x"));
        raw.setValue(QStringLiteral("Kv"), QByteArray("1234")); // 4 bytes, not 8
    }
    TOwner o(file);
    EXPECT_FALSE(o.dc->Load());
    EXPECT_EQ(o.pool->Value(), 300);
    EXPECT_EQ(o.dir->Value(), QStringLiteral("/data")) << "values after the bad one are not read";
    EXPECT_EQ(o.dc->State(), TDataContainer::csIdle);
}

TEST(RegistryContainer, FailedSaveKeepsModifiedAndSaysSo) {
    QTemporaryDir tmp;
    // A plain file where the store's folder should be: nothing can be created below it.
    WriteFileBytes(tmp.filePath(QStringLiteral("blocker")), "x");
    TOwner o(tmp.filePath(QStringLiteral("blocker/registry.ini")));
    o.dc->Load();
    QString error;
    EXPECT_FALSE(o.dc->Save(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("blocker"))) << error.toStdString();
    EXPECT_TRUE(o.pool->Modified());
    EXPECT_TRUE(o.kv->Modified());
    EXPECT_EQ(o.dc->State(), TDataContainer::csIdle);
}

TEST(RegistryContainer, ResetDefaultsHonoursRanges) {
    QTemporaryDir tmp;
    TOwner o(tmp.filePath(QStringLiteral("r.ini")));
    o.dc->ResetDefaults();
    EXPECT_EQ(o.pool->Value(), 300) << "the default 0 lies outside 10 to 1000000";
    EXPECT_FALSE(o.pool->Modified());
    EXPECT_EQ(o.dir->Value(), QString());
    EXPECT_TRUE(o.dir->Modified());
    EXPECT_EQ(o.kv->AsString(), QStringLiteral("0.000"));
}
