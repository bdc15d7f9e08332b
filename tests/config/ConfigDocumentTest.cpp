// The configuration document's file form: what this version writes it reads back, what it does
// not know it names and skips, and what it cannot use it refuses with the place of the fault.
#include "config/ConfigDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <bit>
#include <functional>

namespace {

TConfigDocument Sample() {
    TConfigDocument d;
    d.Model = QStringLiteral("KVD-AIK-BUS");
    d.TypeCode = 0;
    d.SerialNumber = 4000000001u; // above the signed range
    d.FirmwareWord = 0x10051501;
    d.FirmwareVersion = QStringLiteral("2016.05.21::i.1");
    d.BusParams.BusSettingsWord = 0x00000605;
    d.BusParams.ByteOrder = 3;
    TConfigChannel c;
    c.Kind = QStringLiteral("analogInput");
    c.Number = 2;
    c.Object = 2;
    TConfigSetting range{
        QStringLiteral("range"), 2, true, {{false, false, 2, 1, 6}}, QStringLiteral("0..1 V [V]")};
    TConfigSetting cutoff{
        QStringLiteral("filterCutoff"), 5, true, {{false, true, 2, 3, std::bit_cast<quint32>(0.1f)}}, {}};
    TConfigSetting list{
        QStringLiteral("rangeList"),
        3,
        false,
        {{false, false, 2, 14, 1}, {true, false, 2, 48, 0}, {false, false, 2, 49, 0xFFFFFFFF}},
        {}};
    c.Settings = {range, cutoff, list};
    d.Channels.push_back(c);
    return d;
}

void ExpectSame(const TConfigDocument& a, const TConfigDocument& b) {
    EXPECT_EQ(a.Model, b.Model);
    EXPECT_EQ(a.TypeCode, b.TypeCode);
    EXPECT_EQ(a.SerialNumber, b.SerialNumber);
    EXPECT_EQ(a.FirmwareWord, b.FirmwareWord);
    EXPECT_EQ(a.BusParams.BusSettingsWord, b.BusParams.BusSettingsWord);
    EXPECT_EQ(a.BusParams.AnswerTimeout, b.BusParams.AnswerTimeout);
    EXPECT_EQ(a.BusParams.ByteOrder, b.BusParams.ByteOrder);
    ASSERT_EQ(a.Channels.size(), b.Channels.size());
    for (size_t i = 0; i < a.Channels.size(); ++i) {
        EXPECT_EQ(a.Channels[i].Kind, b.Channels[i].Kind);
        EXPECT_EQ(a.Channels[i].Number, b.Channels[i].Number);
        EXPECT_EQ(a.Channels[i].Object, b.Channels[i].Object);
        ASSERT_EQ(a.Channels[i].Settings.size(), b.Channels[i].Settings.size());
        for (size_t s = 0; s < a.Channels[i].Settings.size(); ++s) {
            const TConfigSetting& x = a.Channels[i].Settings[s];
            const TConfigSetting& y = b.Channels[i].Settings[s];
            EXPECT_EQ(x.Name, y.Name);
            EXPECT_EQ(x.Step, y.Step);
            EXPECT_EQ(x.Writable, y.Writable);
            EXPECT_EQ(x.Meaning, y.Meaning);
            EXPECT_EQ(x.Transfers, y.Transfers) << x.Name.toStdString();
        }
    }
}

QByteArray Edited(const std::function<void(QJsonObject&)>& Edit) {
    QJsonObject root = QJsonDocument::fromJson(Sample().ToJson()).object();
    Edit(root);
    return QJsonDocument(root).toJson();
}

TEST(ConfigDocument, WhatThisVersionWritesItReadsBackBitForBit) {
    const TConfigDocument d = Sample();
    QString error;
    QStringList warnings;
    const auto back = TConfigDocument::FromJson(d.ToJson(), error, warnings);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    ExpectSame(d, *back);
    // The reader's aids are in the file too.
    const QString text = QString::fromUtf8(d.ToJson());
    EXPECT_TRUE(text.contains(QLatin1String("\"single\": \"0.100000001\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("\"busSettings\": \"address 0x05 (5), 9600 bit/s")))
        << text.toStdString();
}

TEST(ConfigDocument, UnknownFieldsAreNamedAndIgnored) {
    const QByteArray json = Edited([](QJsonObject& root) {
        root.insert(QStringLiteral("comment"), QStringLiteral("from the old pump"));
        QJsonArray channels = root.value(QStringLiteral("channels")).toArray();
        QJsonObject channel = channels.at(0).toObject();
        QJsonArray settings = channel.value(QStringLiteral("settings")).toArray();
        QJsonObject setting = settings.at(1).toObject();
        setting.insert(QStringLiteral("unit"), QStringLiteral("Hz"));
        settings.replace(1, setting);
        channel.insert(QStringLiteral("settings"), settings);
        channels.replace(0, channel);
        root.insert(QStringLiteral("channels"), channels);
    });
    QString error;
    QStringList warnings;
    const auto d = TConfigDocument::FromJson(json, error, warnings);
    ASSERT_TRUE(d) << error.toStdString();
    ExpectSame(Sample(), *d);
    EXPECT_EQ(warnings,
              QStringList({QStringLiteral("comment: unknown field, ignored"),
                           QStringLiteral("channels[0].settings[1].unit: unknown field, ignored")}));
}

TEST(ConfigDocument, FieldsLeftOutLeaveTheirPartEmpty) {
    const QByteArray json = Edited([](QJsonObject& root) {
        root.remove(QStringLiteral("busParameters"));
        root.remove(QStringLiteral("serialNumber"));
        root.remove(QStringLiteral("firmwareWord"));
    });
    QString error;
    QStringList warnings;
    const auto d = TConfigDocument::FromJson(json, error, warnings);
    ASSERT_TRUE(d) << error.toStdString();
    EXPECT_FALSE(d->BusParams.BusSettingsWord);
    EXPECT_FALSE(d->BusParams.ByteOrder);
    EXPECT_FALSE(d->FirmwareWord);
    EXPECT_EQ(d->Channels.size(), 1u);
}

TEST(ConfigDocument, WhatCannotBeUsedIsRefusedWithItsPlace) {
    struct Case {
        const char* what;
        QByteArray json;
        const char* error;
    };
    const Case cases[] = {
        {"no JSON", "{\"format\":", "not a JSON document"},
        {"an array", "[1]", "not a configuration document: the top level is no object"},
        {"another format",
         Edited([](QJsonObject& r) { r.insert(QStringLiteral("format"), QStringLiteral("x")); }),
         "not a configuration document: \"format\" is not \"dovuvavarovod-configuration\""},
        {"a later version", Edited([](QJsonObject& r) { r.insert(QStringLiteral("version"), 2); }),
         "configuration document version 2: this program reads version 1"},
        {"no type", Edited([](QJsonObject& r) { r.remove(QStringLiteral("typeCode")); }),
         "typeCode: a whole number from 0 to 65535 is expected"},
        {"a value beyond 32 bits", Edited([](QJsonObject& r) {
             QJsonObject bus = r.value(QStringLiteral("busParameters")).toObject();
             bus.insert(QStringLiteral("byteOrder"), 4294967296.0);
             r.insert(QStringLiteral("busParameters"), bus);
         }),
         "busParameters.byteOrder: a whole number from 0 to 4294967295 is expected"},
        {"a fraction", Edited([](QJsonObject& r) { r.insert(QStringLiteral("typeCode"), 1.5); }),
         "typeCode: a whole number from 0 to 65535 is expected"},
    };
    for (const Case& c : cases) {
        QString error;
        QStringList warnings;
        EXPECT_FALSE(TConfigDocument::FromJson(c.json, error, warnings)) << c.what;
        EXPECT_TRUE(error.startsWith(QString::fromLatin1(c.error))) << c.what << ": " << error.toStdString();
    }
}

TEST(ConfigDocument, ATransferWithoutAnOperationIsRefused) {
    QByteArray json = Sample().ToJson();
    json.replace("\"op\": \"read\"", "\"op\": \"peek\"");
    QString error;
    QStringList warnings;
    EXPECT_FALSE(TConfigDocument::FromJson(json, error, warnings));
    EXPECT_EQ(error.toStdString(),
              "channels[0].settings[0].transfers[0].op: \"read\" or \"write\" is expected");
}

TEST(ConfigDocument, ValueTextsShowMeaningsElseTheValuesRead) {
    const TConfigDocument d = Sample();
    const TConfigChannel& c = d.Channels[0];
    EXPECT_EQ(c.Title().toStdString(), "channel 2");
    EXPECT_EQ(c.Settings[0].ValueText().toStdString(), "0..1 V [V]");
    EXPECT_EQ(c.Settings[1].ValueText().toStdString(), "0.100000001");
    EXPECT_EQ(c.Settings[2].ValueText().toStdString(), "1, -1"); // the selector write is no value
    EXPECT_EQ(SettingTitle(QStringLiteral("filterCutoff")).toStdString(), "filter cutoff");
    TConfigChannel output;
    output.Kind = QStringLiteral("discreteOutput");
    output.Number = 3;
    EXPECT_EQ(output.Title().toStdString(), "discrete output 3");
}

// A file as the first release wrote it (analog and discrete channels only) still loads as it was;
// one with the later channel kinds loads with their titles.
TEST(ConfigDocument, FilesOfEveryChannelKindLoadAndNameTheirChannels) {
    const QByteArray earlier = R"({
        "format": "dovuvavarovod-configuration", "version": 1, "model": "KVD-DOS-BUS", "typeCode": 7,
        "serialNumber": 12, "busParameters": {"busSettingsWord": 257, "busSettings": "address 1"},
        "channels": [{"kind": "discreteOutput", "number": 1, "object": 1, "settings": [
            {"name": "startValue", "step": 1, "writable": true, "meaning": "1",
             "transfers": [{"op": "read", "object": 1, "property": 4, "value": 1}]}]}]})";
    QString error;
    QStringList warnings;
    const auto old = TConfigDocument::FromJson(earlier, error, warnings);
    ASSERT_TRUE(old) << error.toStdString();
    EXPECT_TRUE(warnings.isEmpty());
    ASSERT_EQ(old->Channels.size(), 1u);
    EXPECT_EQ(old->Channels[0].Title().toStdString(), "discrete output 1");
    EXPECT_EQ(old->Channels[0].Settings[0].ReadValues(), std::vector<quint32>{1});

    TConfigDocument d = Sample();
    const std::pair<const char*, const char*> kinds[] = {
        {"healthController", "health controller 2"}, {"streamController", "stream controller 2"},
        {"protectionUnit", "protection unit 2"},     {"temperatureChannel", "temperature channel 2"},
        {"flowChannel", "flow channel 2"},           {"signallingSystem", "signalling system 2"},
        {"flameController", "flame controller 2"},   {"photosensor", "photosensor 2"}};
    for (const auto& [kind, title] : kinds) {
        TConfigChannel c = d.Channels[0];
        c.Kind = QLatin1String(kind);
        d.Channels.push_back(c);
    }
    const auto loaded = TConfigDocument::FromJson(d.ToJson(), error, warnings);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_TRUE(warnings.isEmpty());
    ExpectSame(d, *loaded);
    for (size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(loaded->Channels[i + 1].Title().toStdString(), kinds[i].second);
        EXPECT_NE(loaded->Find(QLatin1String(kinds[i].first), 2), nullptr);
    }
}

} // namespace
