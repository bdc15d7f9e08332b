// Reading profile files: the format's rules, the lookups, and a folder with a bad file in it.
#include "profiles/XMLProfileLoader.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Profile(const QString& Name, const QString& Protocols, const QString& DeviceExtra = {}) {
    return QStringLiteral("<?xml version=\"1.0\"?>\n<profile><device><name>%1</name>%3</device>"
                          "<protocols>%2</protocols></profile>")
        .arg(Name, Protocols, DeviceExtra)
        .toUtf8();
}

QString NerixObject(const QString& Id, const QString& Name, const QString& Properties) {
    return QStringLiteral("<object><name>%1</name><id>%2</id><properties>%3</properties></object>")
        .arg(Name, Id, Properties);
}

QString Property(const QString& Id, const QString& Name, const QString& Functions = {}) {
    return QStringLiteral("<property><name>%1</name><id>%2</id>%3</property>").arg(Name, Id, Functions);
}

QString Nerix(const QString& Objects) {
    return QStringLiteral("<protocol><name>Nerix</name><objects>%1</objects></protocol>").arg(Objects);
}

QString Parameter(const QString& Start, const QString& Count, const QString& Name) {
    return QStringLiteral(
               "<parameter><name>%1</name><start_reg>%2</start_reg><count_reg>%3</count_reg></parameter>")
        .arg(Name, Start, Count);
}

QString Modbus(const QString& Spaces, const QString& Name = QStringLiteral("Modbus")) {
    return QStringLiteral("<protocol><name>%1</name><spaces>%2</spaces></protocol>").arg(Name, Spaces);
}

QString Space(const QString& Name, const QString& Parameters) {
    return QStringLiteral("<space><name>%1</name><parameters>%2</parameters></space>").arg(Name, Parameters);
}

struct TLoaded {
    TXMLProfileLoader Loader;
    bool Ok = false;
    QString Error;
};

std::unique_ptr<TLoaded> Load(const QByteArray& Data) {
    auto l = std::make_unique<TLoaded>();
    l->Ok = l->Loader.LoadData(Data, &l->Error);
    return l;
}

} // namespace

TEST(ProfileLoader, ReadsDeviceHeaderVendorAndStructure) {
    const auto l =
        Load(Profile(QStringLiteral("KVD-X"), {},
                     QStringLiteral("<descriptor><desc>first</desc><note>second</note></descriptor>"
                                    "<vendor><item><tag>Maker</tag><value>ZUVO</value></item>"
                                    "<item><tag>Only a tag</tag></item></vendor>"
                                    "<struct><items><item><name>Board</name></item><item/>"
                                    "<item><name>Input</name></item></items></struct>")));
    ASSERT_TRUE(l->Ok) << l->Error.toStdString();
    const TDeviceDesc* d = l->Loader.Devices().Items(0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Header().Name(), QStringLiteral("KVD-X"));
    // A repeated element goes on through every following sibling, whatever its name.
    EXPECT_EQ(d->Header().Description(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    ASSERT_EQ(d->Vendors().Count(), 2);
    EXPECT_EQ(d->Vendors().Items(0)->Value(), QStringLiteral("ZUVO"));
    EXPECT_EQ(d->Vendors().Items(1)->Value(), QString());
    EXPECT_EQ(d->Vendors().Items(1)->Owner()->Description(), d);
    // An item without a name adds no node.
    ASSERT_EQ(d->Nodes().Count(), 2);
    EXPECT_EQ(d->Nodes().Items(1)->Name(), QStringLiteral("Input"));
    EXPECT_EQ(d->Nodes().Items(2), nullptr);
}

TEST(ProfileLoader, ProfileWithoutDescriptorOrDeviceLoads) {
    auto l = Load(Profile(QStringLiteral("KVD-Y"), Nerix(NerixObject("1", "Input", Property("0", "Value")))));
    ASSERT_TRUE(l->Ok);
    EXPECT_TRUE(l->Loader.Devices().Items(0)->Header().Description().isEmpty());
    l = Load("<profile><protocols>" + Nerix(NerixObject("1", "Input", Property("0", "Value"))).toUtf8() +
             "</protocols></profile>");
    ASSERT_TRUE(l->Ok);
    EXPECT_EQ(l->Loader.Devices().Items(0)->Header().Name(), QString());
    EXPECT_EQ(l->Loader.Devices().Items(0)->NerixMap().Objects().Count(), 1);
}

TEST(ProfileLoader, NumbersOfIdsAndRegisters) {
    struct TCase {
        const char* ObjectId;
        int Object; // -1: the file fails
    };
    // Object ids: decimal, "$" or "0x" hexadecimal, taken modulo 256.
    for (const TCase& c : std::vector<TCase>{{"3", 3},
                                             {"259", 3},
                                             {"$1F", 31},
                                             {"0x10", 16},
                                             {"0X1f", 31},
                                             {" 7 ", 7},
                                             {"-1", 255},
                                             {"", -1},
                                             {"$", -1},
                                             {"0x", -1},
                                             {"12a", -1},
                                             {"0x-1", -1}}) {
        const auto l =
            Load(Profile(QStringLiteral("D"), Nerix(NerixObject(c.ObjectId, "O", Property("1A", "P")))));
        EXPECT_EQ(l->Ok, c.Object >= 0) << c.ObjectId;
        if (c.Object >= 0) {
            const TDeviceObject* o = l->Loader.Devices().Items(0)->NerixMap().Objects().Items(0);
            EXPECT_EQ(o->Id(), c.Object) << c.ObjectId;
            EXPECT_EQ(o->Properties().Items(0)->Id(), 0x1A);
        } else {
            // A file that fails adds nothing.
            EXPECT_EQ(l->Loader.Devices().Count(), 0) << c.ObjectId;
            EXPECT_FALSE(l->Error.isEmpty());
        }
    }
    // Property ids are bare hexadecimal digits: a prefix or a non-digit is an error.
    for (const char* bad : {"", "$10", "0x10", "G1", "1 2"}) {
        const auto l = Load(Profile(QStringLiteral("D"), Nerix(NerixObject("1", "O", Property(bad, "P")))));
        EXPECT_FALSE(l->Ok) << bad;
    }
}

TEST(ProfileLoader, FunctionListKeepsElevenDistinct) {
    QString ids;
    for (int i = 1; i <= 12; ++i)
        ids += QStringLiteral("<id>%1</id>").arg(i, 0, 16);
    ids = QStringLiteral("<functions><id>1</id>%1</functions>").arg(ids); // 1 twice
    const auto l = Load(Profile(QStringLiteral("D"), Nerix(NerixObject("1", "O", Property("0", "P", ids)))));
    ASSERT_TRUE(l->Ok);
    const TFunctionList& f =
        l->Loader.Devices().Items(0)->NerixMap().Objects().Items(0)->Properties().Items(0)->Functions();
    ASSERT_EQ(f.Count(), 11);
    EXPECT_EQ(f.Items(0), 1);
    EXPECT_EQ(f.Items(10), 0xB);
    EXPECT_FALSE(f.Contains(0xC));
    // A bad function id fails the file.
    EXPECT_FALSE(
        Load(Profile(QStringLiteral("D"),
                     Nerix(NerixObject("1", "O", Property("0", "P", "<functions><id>zz</id></functions>")))))
            ->Ok);
}

TEST(ProfileLoader, ProtocolsByExactName) {
    const QString space = Space(QStringLiteral("S"), Parameter("100", "4", "P"));
    // "modbus" in lower case is no protocol this reader knows; a protocol without a name is ignored.
    auto l = Load(Profile(QStringLiteral("D"), Modbus(space, QStringLiteral("modbus")) +
                                                   QStringLiteral("<protocol><spaces/></protocol>")));
    ASSERT_TRUE(l->Ok);
    EXPECT_EQ(l->Loader.Devices().Items(0)->ModbusMap().Spaces().Count(), 0);
    l = Load(Profile(QStringLiteral("D"), Modbus(space)));
    ASSERT_TRUE(l->Ok);
    EXPECT_EQ(l->Loader.Devices().Items(0)->ModbusMap().Spaces().Count(), 1);
}

TEST(ProfileLoader, RequiredFieldsFailTheFile) {
    for (const QString& protocols :
         {Nerix(QStringLiteral("<object><id>1</id></object>")),
          Nerix(QStringLiteral("<object><name>O</name></object>")),
          Nerix(NerixObject("1", "O", QStringLiteral("<property><name>P</name></property>"))),
          Nerix(NerixObject("1", "O", QStringLiteral("<property><id>1</id></property>"))),
          Modbus(QStringLiteral("<space><parameters/></space>")),
          Modbus(Space("S", QStringLiteral("<parameter><name>P</name><start_reg>1</start_reg></parameter>"))),
          Modbus(Space("S", QStringLiteral("<parameter><name>P</name><count_reg>1</count_reg></parameter>"))),
          Modbus(Space("S", QStringLiteral(
                                "<parameter><start_reg>1</start_reg><count_reg>1</count_reg></parameter>"))),
          Modbus(Space("S", Parameter("", "1", "P"))), Modbus(Space("S", Parameter("1", "x", "P")))}) {
        const auto l = Load(Profile(QStringLiteral("D"), protocols));
        EXPECT_FALSE(l->Ok) << protocols.toStdString();
        EXPECT_EQ(l->Loader.Devices().Count(), 0);
    }
    QString error;
    TXMLProfileLoader loader;
    EXPECT_FALSE(loader.LoadData("<profile><device>", &error));
    EXPECT_TRUE(error.contains(QLatin1String("line"))) << error.toStdString();
}

TEST(ProfileLoader, LookupsPerDescriptionInOrder) {
    TXMLProfileLoader loader;
    ASSERT_TRUE(loader.LoadData(
        Profile(QStringLiteral("A"),
                Nerix(NerixObject("3", "Input", Property("10", "Value A") + Property("11", "Other"))) +
                    Modbus(Space("Block", Parameter("100", "4", "Values")) +
                           Space("Later", Parameter("102", "1", "Shadowed"))))));
    ASSERT_TRUE(loader.LoadData(
        Profile(QStringLiteral("B"), Nerix(NerixObject("3", "First 3", Property("20", "Elsewhere")) +
                                           NerixObject("$03", "Second 3", Property("10", "Value B")) +
                                           NerixObject("3", "Third 3", Property("10", "Not reached"))))));

    std::vector<const TNerixesPropertyItem*> properties;
    ASSERT_EQ(loader.Devices().FindNerixProperties(3, 0x10, properties), 2);
    EXPECT_EQ(properties[0]->Name(), QStringLiteral("Value A"));
    // Each description gives its first object numbered 3 that has the property.
    EXPECT_EQ(properties[1]->Name(), QStringLiteral("Value B"));
    EXPECT_EQ(properties[1]->Object()->Name(), QStringLiteral("Second 3"));
    EXPECT_EQ(properties[1]->Object()->Description()->Header().Name(), QStringLiteral("B"));
    EXPECT_EQ(loader.Devices().FindNerixProperties(4, 0x10, properties), 0);
    EXPECT_TRUE(properties.empty());

    std::vector<const TParameter*> parameters;
    for (int reg : {0x100, 0x102, 0x103}) {
        ASSERT_EQ(loader.Devices().FindModbusParameters(quint16(reg), parameters), 1) << reg;
        EXPECT_EQ(parameters[0]->Name(), QStringLiteral("Values"));
        EXPECT_EQ(parameters[0]->Space()->Name(), QStringLiteral("Block"));
        EXPECT_EQ(parameters[0]->Space()->Description()->Header().Name(), QStringLiteral("A"));
    }
    EXPECT_EQ(loader.Devices().FindModbusParameters(0x104, parameters), 0);
    EXPECT_EQ(loader.Devices().FindModbusParameters(0xFF, parameters), 0);
    EXPECT_EQ(loader.Devices().Items(2), nullptr);
    EXPECT_EQ(loader.Devices().Items(-1), nullptr);
}

TEST(ProfileLoader, RegisterRangeAtTheTopOfTheAddressSpace) {
    TXMLProfileLoader loader;
    ASSERT_TRUE(
        loader.LoadData(Profile(QStringLiteral("A"), Modbus(Space("S", Parameter("FFFE", "4", "Top"))))));
    std::vector<const TParameter*> parameters;
    EXPECT_EQ(loader.Devices().FindModbusParameters(0xFFFF, parameters), 1);
    EXPECT_EQ(loader.Devices().FindModbusParameters(0x0000, parameters), 0);
}

TEST(ProfileLoader, FolderLoadsInNameOrderAndSkipsABadFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString nerix = Nerix(NerixObject("3", "O", Property("10", "P")));
    // Written out of order, so that the directory's own order is unlikely to be the names'.
    WriteFileBytes(dir.filePath("c.xml"), Profile(QStringLiteral("C"), nerix));
    WriteFileBytes(dir.filePath("a.xml"), Profile(QStringLiteral("A"), nerix));
    WriteFileBytes(dir.filePath("b-broken.xml"), "<profile><device><name>B</name>");
    WriteFileBytes(dir.filePath("b.xml"), Profile(QStringLiteral("B"), nerix));
    WriteFileBytes(dir.filePath("d-bad-id.xml"),
                   Profile(QStringLiteral("D"), Nerix(NerixObject("x", "O", {}))));
    WriteFileBytes(dir.filePath("notes.txt"), "not a profile");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.xml")));

    TXMLProfileLoader loader;
    loader.SetFolder(dir.path());
    EXPECT_FALSE(loader.LoadAll());
    ASSERT_EQ(loader.Devices().Count(), 3);
    EXPECT_EQ(loader.Devices().Items(0)->Header().Name(), QStringLiteral("A"));
    EXPECT_EQ(loader.Devices().Items(1)->Header().Name(), QStringLiteral("B"));
    EXPECT_EQ(loader.Devices().Items(2)->Header().Name(), QStringLiteral("C"));
    EXPECT_EQ(loader.Devices().Items(2)->FileName(), dir.filePath("c.xml"));
    ASSERT_EQ(loader.Warnings().size(), 2);
    EXPECT_TRUE(loader.Warnings()[0].contains(QLatin1String("b-broken.xml")))
        << loader.Warnings()[0].toStdString();
    EXPECT_TRUE(loader.Warnings()[1].contains(QLatin1String("d-bad-id.xml")));
    EXPECT_TRUE(loader.Warnings()[1].contains(QLatin1String("\"x\""))) << loader.Warnings()[1].toStdString();

    std::vector<const TNerixesPropertyItem*> found;
    EXPECT_EQ(loader.Devices().FindNerixProperties(3, 0x10, found), 3);

    // A second run starts afresh.
    QFile::remove(dir.filePath("b-broken.xml"));
    QFile::remove(dir.filePath("d-bad-id.xml"));
    EXPECT_TRUE(loader.LoadAll());
    EXPECT_EQ(loader.Devices().Count(), 3);
    EXPECT_TRUE(loader.Warnings().isEmpty());
}

TEST(ProfileLoader, EmptyOrMissingFolderLoadsNothing) {
    QTemporaryDir dir;
    TXMLProfileLoader loader;
    loader.SetFolder(dir.path());
    EXPECT_TRUE(loader.LoadAll());
    EXPECT_EQ(loader.Devices().Count(), 0);
    loader.SetFolder(dir.filePath("missing"));
    EXPECT_TRUE(loader.LoadAll());
    EXPECT_EQ(loader.Devices().Count(), 0);
    EXPECT_FALSE(loader.LoadFile(dir.filePath("missing.xml")));
}

TEST(DirFileList, ScansByMaskInNameOrder) {
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("b.xml"), "x");
    WriteFileBytes(dir.filePath("a.xml"), "x");
    WriteFileBytes(dir.filePath("a.txt"), "x");
    TDirFileList list;
    EXPECT_TRUE(list.Scan(dir.path(), QStringLiteral("*.xml")));
    EXPECT_EQ(list.Files(), (QStringList{QStringLiteral("a.xml"), QStringLiteral("b.xml")}));
    EXPECT_FALSE(list.Scan(dir.path(), QStringLiteral("*.none")));
    EXPECT_TRUE(list.Files().isEmpty());
    list.SetMask(QStringLiteral("*.*"));
    list.SetFolder(dir.path());
    EXPECT_EQ(list.Files().size(), 3);
    list.SetActive(false);
    EXPECT_TRUE(list.Files().isEmpty());
}
