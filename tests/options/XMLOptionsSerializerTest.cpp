#include "options/XMLOptionsSerializer.h"
#include "TestOptionClasses.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QStringList ChildNames(const QDomElement& Element) {
    QStringList names;
    for (QDomElement child = Element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        names << child.tagName();
    return names;
}

QDomElement Root(const QString& Path) {
    QDomDocument document;
    document.setContent(ReadFileBytes(Path));
    return document.documentElement();
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Drawing.xml"));
    TDrawingOptions options;
    TXMLOptionsSerializer serializer;
    Fixture() {
        serializer.SetApplicationName(QStringLiteral("Test"));
        serializer.SetXMLFilePath(path);
        serializer.SetRootObject(&options);
    }
    // A file of this application around the given elements of the root.
    void WriteFile(const QByteArray& Inner, const QByteArray& Version = "Version=\"1\"") {
        WriteFileBytes(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config Application=\"Test\" " +
                                 Version + ">" + Inner + "</config>\n");
    }
};

// Gives every setting of the test tree a value other than its default.
void Fill(TDrawingOptions& o) {
    o.Revision = 4;
    o.Tail = -1;
    TKindsOptions& k = *o.Kinds();
    k.Flag = true;
    k.Color = TKindsOptions::clBlue;
    k.Styles = TKindsOptions::TStyles(TKindsOptions::fsBold) | TKindsOptions::fsUnderline;
    k.Count = -2147483647 - 1;
    k.Word = 65535;
    k.Small = -128;
    k.Letter = QChar(0x0416);
    k.Gain = 3.14159274f;
    k.Scale = -1.0e-300;
    k.Name = QStringLiteral("  <a & \"b\">\r\nЖ \U0001F600 ");
    k.SetLimited(100);
    auto* p = qobject_cast<TPointOptions*>(o.Points()->Add());
    p->X = 1;
    p->Y = 2;
    p = qobject_cast<TPointOptions*>(o.Points()->Add());
    p->X = 3;
    qobject_cast<TLabelOptions*>(o.Shapes()->AddByClassName(QStringLiteral("TLabelOptions")))->Text =
        QStringLiteral("first");
    qobject_cast<TPointOptions*>(o.Shapes()->AddByClassName(QStringLiteral("TPointOptions")))->Y = 7;
}

void ExpectSameTree(const TDrawingOptions& a, const TDrawingOptions& b) {
    EXPECT_EQ(a.Revision, b.Revision);
    EXPECT_EQ(a.Tail, b.Tail);
    const TKindsOptions& x = *a.Kinds();
    const TKindsOptions& y = *b.Kinds();
    EXPECT_EQ(x.Flag, y.Flag);
    EXPECT_EQ(x.Color, y.Color);
    EXPECT_EQ(x.Styles, y.Styles);
    EXPECT_EQ(x.Count, y.Count);
    EXPECT_EQ(x.Word, y.Word);
    EXPECT_EQ(x.Small, y.Small);
    EXPECT_EQ(x.Letter, y.Letter);
    EXPECT_EQ(x.Gain, y.Gain);
    EXPECT_EQ(x.Scale, y.Scale);
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.Limited(), y.Limited());
    ASSERT_EQ(a.Points()->Count(), b.Points()->Count());
    for (int i = 0; i < a.Points()->Count(); ++i) {
        EXPECT_EQ(a.Points()->Point(i)->X, b.Points()->Point(i)->X);
        EXPECT_EQ(a.Points()->Point(i)->Y, b.Points()->Point(i)->Y);
    }
    ASSERT_EQ(a.Shapes()->Count(), b.Shapes()->Count());
    for (int i = 0; i < a.Shapes()->Count(); ++i)
        EXPECT_STREQ(a.Shapes()->Items(i)->metaObject()->className(),
                     b.Shapes()->Items(i)->metaObject()->className());
}

} // namespace

TEST(XMLOptionsSerializer, EveryKindOfValueSurvivesSaveAndLoad) {
    Fixture f;
    Fill(f.options);
    ASSERT_TRUE(f.serializer.Save());

    TDrawingOptions loaded;
    f.serializer.SetRootObject(&loaded);
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    ExpectSameTree(f.options, loaded);
    EXPECT_EQ(qobject_cast<TLabelOptions*>(loaded.Shapes()->Items(0))->Text, QStringLiteral("first"));
    EXPECT_EQ(qobject_cast<TPointOptions*>(loaded.Shapes()->Items(1))->Y, 7);
    // Items belong to the list they were read into.
    EXPECT_EQ(loaded.Points()->Items(0)->Owner(), loaded.Points());
}

TEST(XMLOptionsSerializer, FileLayoutFollowsPropertyOrderBaseClassFirst) {
    Fixture f;
    Fill(f.options);
    ASSERT_TRUE(f.serializer.Save());
    const QByteArray text = ReadFileBytes(f.path);
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << text.constData();
    EXPECT_TRUE(text.contains("<config Application=\"Test\" Version=\"1\">")) << text.constData();

    const QDomElement root = Root(f.path);
    EXPECT_EQ(ChildNames(root), QStringList({"Revision", "Kinds", "Points", "Shapes", "Tail"}));
    const QDomElement kinds = root.firstChildElement("Kinds");
    EXPECT_EQ(ChildNames(kinds), QStringList({"Flag", "Color", "Styles", "Count", "Word", "Small", "Letter",
                                              "Gain", "Scale", "Name", "Big", "Limited"}));
    EXPECT_EQ(kinds.firstChildElement("Flag").text(), "True");
    EXPECT_EQ(kinds.firstChildElement("Color").text(), "2");
    EXPECT_EQ(kinds.firstChildElement("Styles").text(), "5");
    EXPECT_EQ(kinds.firstChildElement("Letter").text(), "1046");
    EXPECT_EQ(kinds.firstChildElement("Gain").text(), "3.1415927");
    // A 64-bit integer is not carried: an empty element.
    EXPECT_EQ(kinds.firstChildElement("Big").text(), "");
    EXPECT_EQ(ChildNames(root.firstChildElement("Points")), QStringList({"Item", "Item"}));
    EXPECT_EQ(ChildNames(root.firstChildElement("Shapes")), QStringList({"TLabelOptions", "TPointOptions"}));
}

TEST(XMLOptionsSerializer, DecimalPointWhateverTheLocaleAndCommaAccepted) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Fixture f;
    f.options.Kinds()->Scale = 1234.5;
    const bool saved = f.serializer.Save();
    QLocale::setDefault(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(Root(f.path).firstChildElement("Kinds").firstChildElement("Scale").text(), "1234.5");

    // Files written by versions that used the locale's separator.
    f.WriteFile("<Kinds><Scale>2,25</Scale><Gain>0.5</Gain></Kinds>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_EQ(f.options.Kinds()->Scale, 2.25);
    EXPECT_EQ(f.options.Kinds()->Gain, 0.5f);

    // A float that does not parse is 0 for that value alone.
    f.WriteFile("<Kinds><Scale>abc</Scale><Count>12</Count></Kinds>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_EQ(f.options.Kinds()->Scale, 0.0);
    EXPECT_EQ(f.options.Kinds()->Count, 12);
}

TEST(XMLOptionsSerializer, ValueTextsAsOlderFilesHoldThem) {
    Fixture f;
    f.WriteFile("<Kinds><Flag>FALSE</Flag><Count> 42 </Count><Color>0</Color><Styles>6</Styles>"
                "<Small>-128</Small><Word>0</Word><Letter>65</Letter></Kinds>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    const TKindsOptions& k = *f.options.Kinds();
    EXPECT_FALSE(k.Flag);
    EXPECT_EQ(k.Count, 42);
    EXPECT_EQ(k.Color, TKindsOptions::clRed);
    EXPECT_EQ(k.Styles, TKindsOptions::TStyles(TKindsOptions::fsItalic) | TKindsOptions::fsUnderline);
    EXPECT_EQ(k.Small, -128);
    EXPECT_EQ(k.Word, 0);
    EXPECT_EQ(k.Letter, QLatin1Char('A'));

    for (const char* number : {"1", "-3", "2.5", "0,5"}) {
        f.WriteFile(QByteArray("<Kinds><Flag>") + number + "</Flag></Kinds>");
        ASSERT_EQ(f.serializer.Load(), lrLoaded) << number;
        EXPECT_TRUE(f.options.Kinds()->Flag) << number;
    }
    f.WriteFile("<Kinds><Flag>tRuE</Flag></Kinds>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_TRUE(f.options.Kinds()->Flag);
    f.WriteFile("<Kinds><Flag>0</Flag></Kinds>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_FALSE(f.options.Kinds()->Flag);
}

// A value its type cannot hold is no value of the file: the whole load falls back to defaults, as for
// any text that does not convert, instead of storing a truncated number or an ordinal no code knows.
TEST(XMLOptionsSerializer, TextThatDoesNotConvertResetsEverySetting) {
    const QByteArray bad[] = {
        "<Count>abc</Count>",  "<Count>2147483648</Count>", "<Count>1,000</Count>", "<Count></Count>",
        "<Word>65536</Word>",  "<Word>-1</Word>",           "<Small>128</Small>",   "<Color>3</Color>",
        "<Color>-1</Color>",   "<Styles>8</Styles>",        "<Flag>yes</Flag>",     "<Letter>65536</Letter>",
        "<Count>0x10</Count>",
    };
    for (const QByteArray& element : bad) {
        Fixture f;
        f.WriteFile("<Revision>3</Revision><Kinds><Name>loaded</Name>" + element + "</Kinds><Tail>5</Tail>");
        EXPECT_EQ(f.serializer.Load(), lrDamaged) << element.constData();
        EXPECT_EQ(f.options.Revision, 1) << element.constData();
        EXPECT_EQ(f.options.Kinds()->Name, "default") << element.constData();
        EXPECT_EQ(f.options.Tail, 9) << element.constData();
    }
}

TEST(XMLOptionsSerializer, EveryLoadStartsFromDefaults) {
    Fixture f;
    Fill(f.options);
    EXPECT_EQ(f.serializer.Load(), lrNoFile);
    TDrawingOptions fresh;
    ExpectSameTree(f.options, fresh);
}

TEST(XMLOptionsSerializer, VersionControl) {
    Fixture f;
    f.WriteFile("<Tail>5</Tail>", "Version=\"7\"");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_EQ(f.serializer.Version(), 7);
    ASSERT_TRUE(f.serializer.Save());
    EXPECT_EQ(Root(f.path).attribute("Version"), "7");

    for (const QByteArray& version : {QByteArray(), QByteArray("Version=\"\""), QByteArray("Version=\"x\""),
                                      QByteArray("Version=\"256\""), QByteArray("Version=\"-1\"")}) {
        f.WriteFile("<Tail>5</Tail>", version);
        EXPECT_EQ(f.serializer.Load(), lrDamaged) << version.constData();
        EXPECT_EQ(f.options.Tail, 9);
        EXPECT_EQ(f.serializer.Version(), 7);
    }

    WriteFileBytes(f.path, "<Config Application=\"Test\" Version=\"1\"><Tail>5</Tail></Config>");
    EXPECT_EQ(f.serializer.Load(), lrForeign);
    WriteFileBytes(f.path, "<config Application=\"VEVA\" Version=\"1\"><Tail>5</Tail></config>");
    EXPECT_EQ(f.serializer.Load(), lrForeign);
    EXPECT_EQ(f.options.Tail, 9);

    // Without version control nothing is checked, read or written on the root.
    f.serializer.SetUseVersionControl(false);
    EXPECT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_EQ(f.options.Tail, 5);
    ASSERT_TRUE(f.serializer.Save());
    EXPECT_FALSE(Root(f.path).hasAttributes());
}

TEST(XMLOptionsSerializer, OnAfterLoadOnlyAfterASuccessfulLoad) {
    Fixture f;
    QObject* sender = nullptr;
    int raised = 0;
    f.serializer.SetOnAfterLoad([&](QObject* Sender) {
        sender = Sender;
        ++raised;
    });
    f.serializer.Load();
    f.WriteFile("<Tail>x</Tail>");
    f.serializer.Load();
    EXPECT_EQ(raised, 0);
    f.WriteFile("<Tail>1</Tail>");
    f.serializer.Load();
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(sender, &f.serializer);
}

TEST(XMLOptionsSerializer, UnreadableFilesGiveDefaults) {
    const QByteArray files[] = {
        "",
        "not xml at all",
        "<config Application=\"Test\" Version=\"1\"><Tail>5</Tail>",
        "<?xml version=\"1.0\"?>",
        "<config Application=\"Test\" Version=\"1\">" + QByteArray(5000, '\0') + "</config>",
        "<config Application=\"Test\" Version=\"1\"><Tail>5</Tail>" +
            QByteArray(100000, 'a').replace("a", "<a>") + "</config>",
    };
    for (const QByteArray& bytes : files) {
        Fixture f;
        WriteFileBytes(f.path, bytes);
        EXPECT_EQ(f.serializer.Load(), lrDamaged) << bytes.left(60).constData();
        EXPECT_EQ(f.options.Tail, 9);
    }
    // Something in the file's place that is no file must neither fail loudly nor block.
    {
        Fixture f;
        ASSERT_EQ(mkfifo(f.path.toLocal8Bit().constData(), 0600), 0);
        EXPECT_EQ(f.serializer.Load(), lrDamaged);
        f.serializer.SetXMLFilePath(f.dir.path());
        EXPECT_EQ(f.serializer.Load(), lrDamaged);
    }
    // Deep, but not too deep to read.
    Fixture f;
    f.WriteFile("<Tail>5</Tail>" + QByteArray("<a>").repeated(200) + QByteArray("</a>").repeated(200));
    EXPECT_EQ(f.serializer.Load(), lrLoaded);
}

// Characters XML cannot carry would make the written file unreadable, and every setting with it.
TEST(XMLOptionsSerializer, StringsKeepWhatXMLCanCarry) {
    const QString names[] = {QStringLiteral("a\rb"), QStringLiteral(" \t "), QStringLiteral("\r\n"),
                             QStringLiteral("]]>&amp;"), QString()};
    for (const QString& name : names) {
        Fixture f;
        f.options.Kinds()->Name = name;
        ASSERT_TRUE(f.serializer.Save());
        ASSERT_EQ(f.serializer.Load(), lrLoaded);
        QString expected = name;
        if (name == QStringLiteral("\r\n"))
            expected = QStringLiteral("\n\n"); // nothing but white space: line ends become line feeds
        EXPECT_EQ(f.options.Kinds()->Name, expected) << name.toStdString();
    }
    Fixture f;
    f.options.Kinds()->Name =
        QString::fromUtf16(u"a\u0001b\u0000c\uFFFE", 6) + QChar(0xD800) + QStringLiteral("d");
    f.options.Kinds()->Count = 3;
    ASSERT_TRUE(f.serializer.Save());
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    EXPECT_EQ(f.options.Kinds()->Name, "abcd");
    EXPECT_EQ(f.options.Kinds()->Count, 3);
}

TEST(XMLOptionsSerializer, ListsAreReadFromTheirItemElements) {
    Fixture f;
    // Items start at the first "Item"; every element after it is an item, whatever its name.
    // Unknown classes in a mixed list are skipped.
    f.WriteFile(
        "<Points><Other/><Item><X>1</X></Item><Point><X>2</X></Point></Points>"
        "<Shapes><TLabelOptions><Text>a</Text></TLabelOptions><TFutureShape><Text>?</Text></TFutureShape>"
        "<TPointOptions><X>5</X></TPointOptions><QObject/></Shapes>");
    ASSERT_EQ(f.serializer.Load(), lrLoaded);
    ASSERT_EQ(f.options.Points()->Count(), 2);
    EXPECT_EQ(f.options.Points()->Point(0)->X, 1);
    EXPECT_EQ(f.options.Points()->Point(1)->X, 2);
    ASSERT_EQ(f.options.Shapes()->Count(), 2);
    EXPECT_EQ(qobject_cast<TLabelOptions*>(f.options.Shapes()->Items(0))->Text, "a");
    EXPECT_EQ(qobject_cast<TPointOptions*>(f.options.Shapes()->Items(1))->X, 5);

    // A bad value inside an item resets everything, lists included.
    f.WriteFile("<Tail>3</Tail><Points><Item><X>1</X></Item><Item><X>z</X></Item></Points>");
    EXPECT_EQ(f.serializer.Load(), lrDamaged);
    EXPECT_EQ(f.options.Points()->Count(), 0);
    EXPECT_EQ(f.options.Tail, 9);
}

TEST(XMLOptionsSerializer, ListOperations) {
    TPointList list;
    for (int i = 0; i < 3; ++i)
        qobject_cast<TPointOptions*>(list.Add())->X = i;
    list.ExchangeItems(0, 2);
    EXPECT_EQ(list.Point(0)->X, 2);
    EXPECT_EQ(list.Point(2)->X, 0);
    list.Remove(list.Items(1));
    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Point(0)->X, 0);
    // Out of range and foreign items change nothing.
    TPointOptions stranger;
    list.Remove(&stranger);
    list.Delete(5);
    list.ExchangeItems(0, -1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(1), nullptr);

    // A list without an item class makes no items and appends nothing.
    TXMLClassList bare;
    EXPECT_EQ(bare.Add(), nullptr);
    EXPECT_EQ(bare.Count(), 0);
    TShapeList shapes;
    EXPECT_EQ(shapes.AddByClassName(QStringLiteral("TFutureShape")), nullptr);
    EXPECT_EQ(shapes.Count(), 0);
}

TEST(XMLOptionsSerializer, AssignCopiesTreesAndLists) {
    TDrawingOptions source;
    Fill(source);
    TDrawingOptions copy;
    qobject_cast<TPointOptions*>(copy.Points()->Add())->X = 99;
    copy.Assign(&source);
    ExpectSameTree(source, copy);
    EXPECT_EQ(qobject_cast<TLabelOptions*>(copy.Shapes()->Items(0))->Text, "first");
    // Copies, not shared items.
    EXPECT_NE(copy.Points()->Items(0), source.Points()->Items(0));
    EXPECT_EQ(copy.Points()->Items(0)->Owner(), copy.Points());

    // Itself, a foreign object or nothing: no change.
    copy.Points()->Assign(copy.Points());
    EXPECT_EQ(copy.Points()->Count(), 2);
    QObject other;
    copy.Assign(&other);
    copy.Assign(nullptr);
    ExpectSameTree(source, copy);
}

// Writing goes through a temporary file: whatever fails on the way, the previous file stays as it was.
TEST(XMLOptionsSerializer, FailedSaveKeepsThePreviousFile) {
    Fixture f;
    Fill(f.options);
    ASSERT_TRUE(f.serializer.Save());
    const QByteArray before = ReadFileBytes(f.path);

    // The disk fills up half-way through the new file.
    f.options.Kinds()->Name = QString(200000, QLatin1Char('x'));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 65536;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = f.serializer.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(f.path), before);
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("Drawing.xml"));

    // A name no XML element can have: nothing written at all.
    f.serializer.SetItemNodeCaption(QStringLiteral("1 item"));
    EXPECT_FALSE(f.serializer.Save());
    EXPECT_EQ(ReadFileBytes(f.path), before);

    // A path that cannot be written: no file, no crash, failure reported.
    f.serializer.SetItemNodeCaption(QStringLiteral("Item"));
    for (const QString& path :
         {f.dir.filePath("missing/Drawing.xml"), f.path + "/Drawing.xml", f.dir.path()}) {
        f.serializer.SetXMLFilePath(path);
        EXPECT_FALSE(f.serializer.Save()) << path.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(f.path), before);
}

TEST(XMLOptionsSerializer, NoBackupRemainsAfterASuccessfulSave) {
    Fixture f;
    // A backup left behind by an older version that crashed while saving.
    const QString backup = f.dir.filePath("Drawing.bak");
    WriteFileBytes(backup, "old");
    f.serializer.SetNodeAutoIndent(false);
    ASSERT_TRUE(f.serializer.Save());
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("Drawing.xml"));
    // Without indentation the document is one line after the declaration.
    EXPECT_EQ(ReadFileBytes(f.path).trimmed().count('\n'), 0);
}

// A text in hand loads exactly as a file holding it, and the document built in memory is the file
// Save writes.
TEST(XMLOptionsSerializer, ATextInHandLoadsAsTheFileHoldingIt) {
    QByteArray good;
    {
        Fixture f;
        Fill(f.options);
        ASSERT_TRUE(f.serializer.Save());
        good = ReadFileBytes(f.path);
        QByteArray document;
        ASSERT_TRUE(f.serializer.WriteDocument(document));
        EXPECT_EQ(document, good);
    }
    struct Case {
        QByteArray text;
        TXMLLoadResult result;
    };
    const Case cases[] = {
        {good, lrLoaded},
        {QByteArray(good).replace("Version=\"1\"", "Version=\"7\""), lrLoaded},
        {QByteArray(good).replace("<Tail>-1</Tail>", "<Tail>x</Tail>"), lrDamaged},
        {QByteArray(good).replace("Application=\"Test\"", "Application=\"Other\""), lrForeign},
        {QByteArray(good).replace(" Version=\"1\"", ""), lrDamaged},
        {good.left(good.size() / 2), lrDamaged},
        {QByteArray(), lrDamaged},
        {"<config Application=\"Test\" Version=\"1\">" + QByteArray("<a>").repeated(300) +
             QByteArray("</a>").repeated(300) + "</config>",
         lrDamaged},
        // Well-formed, but larger than any options file could be.
        {good + QByteArray(16 * 1024 * 1024, ' '), lrDamaged},
    };
    for (const Case& c : cases) {
        Fixture fromFile;
        Fixture inHand;
        // A load that fails must give back the version held before it.
        fromFile.serializer.SetVersion(3);
        inHand.serializer.SetVersion(3);
        WriteFileBytes(fromFile.path, c.text);
        // What the file path holds plays no part.
        WriteFileBytes(inHand.path, "<config Application=\"Test\" Version=\"2\"><Tail>1</Tail></config>");
        EXPECT_EQ(fromFile.serializer.Load(), c.result) << c.text.left(80).constData();
        EXPECT_EQ(inHand.serializer.LoadText(c.text), c.result) << c.text.left(80).constData();
        ExpectSameTree(fromFile.options, inHand.options);
        EXPECT_EQ(inHand.serializer.Version(), fromFile.serializer.Version());
    }

    TXMLOptionsSerializer rootless;
    EXPECT_EQ(rootless.LoadText(good), lrNoRootObject);
}
