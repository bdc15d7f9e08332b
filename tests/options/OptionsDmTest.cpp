#include "options/OptionsDm.h"
#include "options/AdminOptions.h"
#include "support/OptionsSnapshot.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kFixture = QStringLiteral(DVV_OPTIONS_TEST_DATA "/Options.xml");

// The XML as a list of lines "start Name a=v ...", "text ...", "end Name", white space between
// elements left out, attributes in the order they stand.
QStringList Elements(const QByteArray& Bytes) {
    QStringList items;
    QXmlStreamReader reader(Bytes);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            items << "document " + reader.documentVersion().toString() + " " +
                         reader.documentEncoding().toString();
            break;
        case QXmlStreamReader::StartElement: {
            QString line = "start " + reader.name().toString();
            for (const QXmlStreamAttribute& a : reader.attributes())
                line += " " + a.name().toString() + "=" + a.value().toString();
            items << line;
            break;
        }
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                items << "text " + reader.text().toString();
            break;
        case QXmlStreamReader::EndElement:
            items << "end " + reader.name().toString();
            break;
        default:
            break;
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return items;
}

// The fixture with one element's text replaced; Path like "AccessPoints/ComPortAPOptions/Timeout".
QByteArray FixtureWith(const QString& Path, const QString& Text) {
    QDomDocument document;
    EXPECT_TRUE(document.setContent(ReadFileBytes(kFixture)));
    QDomElement element = document.documentElement();
    for (const QString& name : Path.split('/'))
        element = element.firstChildElement(name);
    EXPECT_FALSE(element.isNull()) << Path.toStdString();
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
    element.appendChild(document.createTextNode(Text));
    return document.toByteArray(2);
}

struct Folder {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Options.xml"));
    std::unique_ptr<TOptionsDm> Start() { return std::make_unique<TOptionsDm>(dir.path()); }
};

// The defaults' values themselves are checked against the fixture.
void ExpectDefaults(const TAdminOptions& o) {
    EXPECT_EQ(OptionsSnapshot(o), OptionsSnapshot(TAdminOptions()));
}

// Every setting away from its default, each to a value its setter accepts.
void Fill(TAdminOptions& o) {
    o.SetLanguageID(34);
    o.SetLiteVersion(true);
    o.EmulatorPoints()->SetPort(254);
    o.EmulatorPoints()->SetRateID(12);
    o.EmulatorPoints()->SetProtocol(1);
    o.EmulatorPoints()->SetFaults("delay=5-40,drop=0.05,device=2:stop-after=100");
    o.EmulatorPoints()->SetFaultSeed("18446744073709551615");
    o.EmulatorPoints()->SetTcpListen(true);
    o.EmulatorPoints()->SetTcpPort(65535);
    o.EmulatorPoints()->SetMbap(true);
    TAccessPointsOptions& ap = *o.AccessPoints();
    ap.SetAccessPointID(2);
    ap.ComPortAPOptions()->SetPort(0);
    ap.ComPortAPOptions()->SetRateID(9);
    ap.ComPortAPOptions()->SetParityID(2);
    ap.ComPortAPOptions()->SetRTSMode(0);
    ap.ComPortAPOptions()->SetTimeout(10000);
    ap.ComPortAPOptions()->SetStopBitsID(2);
    ap.ComPortAPOptions()->SetLocalEcho(true);
    ap.UdpPortAPOptions()->SetHost("10.0.0.7");
    ap.UdpPortAPOptions()->SetRemoutePort(502);
    ap.UdpPortAPOptions()->SetUseLocalPort(false);
    ap.UdpPortAPOptions()->SetLocalPort(65535);
    ap.UdpPortAPOptions()->SetTimeout(20);
    ap.TcpPortAPOptions()->SetHost("gateway.local");
    ap.TcpPortAPOptions()->SetRemoutePort(1);
    ap.TcpPortAPOptions()->SetFraming(1);
    ap.TcpPortAPOptions()->SetTimeout(750);
}

} // namespace

TEST(OptionsDm, FirstRunStartsWithDefaultsAndWritesTheDefaultFile) {
    Folder f;
    {
        auto dm = f.Start();
        EXPECT_EQ(dm->LoadResult(), lrNoFile);
        ExpectDefaults(*dm->AdminOptions());
        EXPECT_EQ(dm->Serializer()->XMLFilePath(), f.path);
        EXPECT_FALSE(QFile::exists(f.path)); // written at shutdown only
    }
    const QByteArray written = ReadFileBytes(f.path);
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << written.constData();
    const QStringList expected = Elements(ReadFileBytes(kFixture));
    ASSERT_GT(expected.size(), 60);
    EXPECT_EQ(Elements(written), expected);
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("Options.xml"));
}

TEST(OptionsDm, EverySettingSurvivesShutdownAndStart) {
    Folder f;
    TAdminOptions filled;
    Fill(filled);
    ASSERT_NE(OptionsSnapshot(filled), OptionsSnapshot(TAdminOptions()));
    f.Start()->AdminOptions()->Assign(&filled);
    auto dm = f.Start();
    EXPECT_EQ(dm->LoadResult(), lrLoaded);
    EXPECT_EQ(OptionsSnapshot(*dm->AdminOptions()), OptionsSnapshot(filled));
}

TEST(OptionsDm, SetterRangesApplyToTheFile) {
    struct Case {
        const char* path;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"AccessPoints/ComPortAPOptions/Timeout", "5", 50},
        {"AccessPoints/ComPortAPOptions/Timeout", "20", 20},
        {"AccessPoints/ComPortAPOptions/Timeout", "10000", 10000},
        {"AccessPoints/ComPortAPOptions/Timeout", "10001", 50},
        {"AccessPoints/ComPortAPOptions/RTSMode", "3", 2},
        {"AccessPoints/ComPortAPOptions/RTSMode", "-1", 2},
        {"AccessPoints/ComPortAPOptions/RTSMode", "1", 1},
        {"AccessPoints/UdpPortAPOptions/Timeout", "19", 100},
        {"AccessPoints/UdpPortAPOptions/Timeout", "10000", 10000},
        {"AccessPoints/AccessPointID", "2", 2},
    };
    for (const Case& c : cases) {
        Folder f;
        WriteFileBytes(f.path, FixtureWith(c.path, c.text));
        auto dm = f.Start();
        ASSERT_EQ(dm->LoadResult(), lrLoaded) << c.path;
        const TAccessPointsOptions& ap = *dm->AdminOptions()->AccessPoints();
        const QString path = c.path;
        const int actual = path.endsWith("AccessPointID")      ? ap.AccessPointID()
                           : path.endsWith("RTSMode")          ? ap.ComPortAPOptions()->RTSMode()
                           : path.contains("UdpPortAPOptions") ? ap.UdpPortAPOptions()->Timeout()
                                                               : ap.ComPortAPOptions()->Timeout();
        EXPECT_EQ(actual, c.expected) << c.path << " = " << c.text;
    }
}

TEST(OptionsDm, MissingAndMisspelledElementsKeepTheirDefaults) {
    Folder f;
    QByteArray text = FixtureWith("LanguageID", "34");
    text.replace("<Timeout>50</Timeout>", "");
    text.replace("<LiteVersion>False</LiteVersion>", "<liteversion>True</liteversion>");
    text.replace("<RateID>6</RateID>\n      <ParityID>", "<RateID>11</RateID>\n      <ParityID>");
    WriteFileBytes(f.path, text);
    auto dm = f.Start();
    ASSERT_EQ(dm->LoadResult(), lrLoaded);
    EXPECT_EQ(dm->AdminOptions()->LanguageID(), 34);
    EXPECT_FALSE(dm->AdminOptions()->LiteVersion());
    EXPECT_EQ(dm->AdminOptions()->AccessPoints()->ComPortAPOptions()->Timeout(), 50);
    EXPECT_EQ(dm->AdminOptions()->AccessPoints()->ComPortAPOptions()->RateID(), 11);
}

TEST(OptionsDm, AFileFromBeforeLocalEchoLoadsWithEchoOff) {
    Folder f;
    QByteArray text = FixtureWith("AccessPoints/ComPortAPOptions/LocalEcho", "True");
    text.replace("<LocalEcho>True</LocalEcho>", "");
    WriteFileBytes(f.path, text);
    auto dm = f.Start();
    ASSERT_EQ(dm->LoadResult(), lrLoaded);
    EXPECT_FALSE(dm->AdminOptions()->AccessPoints()->ComPortAPOptions()->LocalEcho());
    EXPECT_FALSE(dm->AdminOptions()->AccessPoints()->ComPortAPOptions()->LineSettings().LocalEcho);
}

TEST(OptionsDm, AFileFromBeforeFaultsLoadsWithNone) {
    Folder f;
    QByteArray text = FixtureWith("EmulatorPoints/Port", "7");
    for (const char* element : {"<Faults></Faults>", "<Faults/>", "<FaultSeed></FaultSeed>", "<FaultSeed/>"})
        text.replace(element, "");
    ASSERT_FALSE(text.contains("Fault"));
    WriteFileBytes(f.path, text);
    auto dm = f.Start();
    ASSERT_EQ(dm->LoadResult(), lrLoaded);
    const TEmulatorOptions& e = *dm->AdminOptions()->EmulatorPoints();
    EXPECT_EQ(e.Port(), 7);
    EXPECT_EQ(e.RateID(), 6);
    EXPECT_TRUE(e.Faults().isEmpty());
    EXPECT_TRUE(e.FaultSeed().isEmpty());
}

TEST(OptionsDm, AFileFromBeforeTheEmulatorsTcpChoiceLoadsOnTheSerialPort) {
    Folder f;
    QByteArray text = FixtureWith("EmulatorPoints/Faults", "drop=0.5");
    for (const char* element :
         {"<TcpListen>False</TcpListen>", "<TcpPort>5020</TcpPort>", "<Mbap>False</Mbap>"})
        text.replace(element, "");
    ASSERT_FALSE(text.contains("<TcpListen>") || text.contains("<TcpPort>") || text.contains("<Mbap>"));
    WriteFileBytes(f.path, text);
    auto dm = f.Start();
    ASSERT_EQ(dm->LoadResult(), lrLoaded);
    const TEmulatorOptions& e = *dm->AdminOptions()->EmulatorPoints();
    EXPECT_EQ(e.Faults(), QStringLiteral("drop=0.5"));
    EXPECT_FALSE(e.TcpListen());
    EXPECT_EQ(e.TcpPort(), TEmulatorOptions::kDefaultTcpPort);
    EXPECT_FALSE(e.Mbap());
}

TEST(OptionsDm, AnEmulatorTcpPortOutOfRangeLoadsAsTheDefault) {
    for (const char* port : {"0", "65536", "-1"}) {
        Folder f;
        WriteFileBytes(f.path, FixtureWith("EmulatorPoints/TcpPort", port));
        auto dm = f.Start();
        EXPECT_EQ(dm->AdminOptions()->EmulatorPoints()->TcpPort(), TEmulatorOptions::kDefaultTcpPort) << port;
    }
}

TEST(OptionsDm, AFileFromBeforeTheTcpConnectionLoadsWithItsDefaults) {
    Folder f;
    QByteArray text = FixtureWith("AccessPoints/TcpPortAPOptions/Host", "10.1.2.3");
    // The TCP section as it was written before Framing and Timeout existed.
    const qsizetype at = text.indexOf("<TcpPortAPOptions>");
    const qsizetype end = text.indexOf("</TcpPortAPOptions>");
    ASSERT_GT(at, 0);
    QByteArray section = text.mid(at, end - at);
    section.replace("<Framing>0</Framing>", "").replace("<Timeout>200</Timeout>", "");
    text = text.left(at) + section + text.mid(end);
    ASSERT_FALSE(text.contains("<Framing>"));
    WriteFileBytes(f.path, text);
    auto dm = f.Start();
    ASSERT_EQ(dm->LoadResult(), lrLoaded);
    const TTcpPortAPOptions& tcp = *dm->AdminOptions()->AccessPoints()->TcpPortAPOptions();
    EXPECT_EQ(tcp.Host(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(tcp.RemoutePort(), 8081);
    EXPECT_EQ(tcp.Framing(), 0);
    EXPECT_EQ(tcp.Timeout(), 200);
    // Values out of range keep the defaults too.
    Folder g;
    WriteFileBytes(g.path, FixtureWith("AccessPoints/TcpPortAPOptions/Framing", "7"));
    auto dm2 = g.Start();
    ASSERT_EQ(dm2->LoadResult(), lrLoaded);
    EXPECT_EQ(dm2->AdminOptions()->AccessPoints()->TcpPortAPOptions()->Framing(), 0);
}

// A file that cannot be taken as ours gives the defaults and is overwritten at shutdown, as it always
// was; the user's file is kept beside it first.
TEST(OptionsDm, ForeignOrDamagedFileGivesDefaultsAndIsKeptAside) {
    QByteArray files[] = {
        ReadFileBytes(kFixture).replace("<config ", "<Config ").replace("</config>", "</Config>"),
        ReadFileBytes(kFixture).replace("Dovuvavarovod", "VEVA"),
        ReadFileBytes(kFixture).replace(" Version=\"1\"", ""),
        FixtureWith("AccessPoints/UdpPortAPOptions/Timeout", "abc"),
        FixtureWith("AccessPoints/UdpPortAPOptions/RemoutePort", "70000"),
        ReadFileBytes(kFixture).left(300),
    };
    // Every file also sets other values, which must not survive.
    for (QByteArray& file : files) {
        file.replace("<LanguageID>0</LanguageID>", "<LanguageID>9</LanguageID>");
        file.replace("<StopBitsID>0</StopBitsID>", "<StopBitsID>2</StopBitsID>");
        file.replace("<Protocol>0</Protocol>", "<Protocol>1</Protocol>");
    }
    for (const QByteArray& bytes : files) {
        Folder f;
        WriteFileBytes(f.path + ".damaged", "an older copy");
        WriteFileBytes(f.path, bytes);
        {
            auto dm = f.Start();
            EXPECT_NE(dm->LoadResult(), lrLoaded);
            ExpectDefaults(*dm->AdminOptions());
            EXPECT_EQ(ReadFileBytes(TOptionsDm::DamagedCopyPath(f.path)), bytes);
        }
        EXPECT_EQ(ReadFileBytes(f.path + ".damaged"), bytes);
        auto next = f.Start();
        EXPECT_EQ(next->LoadResult(), lrLoaded);
    }
}

// Writing goes through a temporary file that replaces Options.xml in one rename.
TEST(OptionsDm, ShutdownThatCannotWriteLeavesThePreviousFile) {
    Folder f;
    Fill(*f.Start()->AdminOptions());
    const QByteArray before = ReadFileBytes(f.path);
    {
        auto dm = f.Start();
        dm->AdminOptions()->SetLanguageID(9);
        // The folder goes away while the program runs.
        dm->Serializer()->SetXMLFilePath(f.dir.filePath("gone/Options.xml"));
    }
    EXPECT_EQ(ReadFileBytes(f.path), before);
    {
        auto dm = f.Start();
        dm->AdminOptions()->SetLanguageID(9);
        // Options.xml replaced by something that is no file.
        ASSERT_TRUE(QFile::rename(f.path, f.path + ".saved"));
        ASSERT_TRUE(QDir(f.dir.path()).mkdir("Options.xml"));
    }
    EXPECT_TRUE(QFileInfo(f.path).isDir());
    EXPECT_EQ(ReadFileBytes(f.path + ".saved"), before);
}
