#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class TXMLClass;

// What Load found. Load never fails loudly: for everything but lrLoaded the tree holds its defaults.
enum TXMLLoadResult {
    lrLoaded,       // the file was read into the tree
    lrNoRootObject, // nothing to load into
    lrNoFile,       // no file: defaults
    lrForeign,      // another root element or another application's file: defaults
    lrDamaged,      // unreadable, not XML, no usable "Version", or a value that does not convert: defaults
};

// Writes a tree of option objects to an XML file and reads it back, with no code per option class:
// element names are property names, element texts are property values, child option objects are
// nested elements and list items are repeated item elements.
class TXMLOptionsSerializer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool NodeAutoIndent READ NodeAutoIndent WRITE SetNodeAutoIndent)
    Q_PROPERTY(bool UseVersionControl READ UseVersionControl WRITE SetUseVersionControl)
    Q_PROPERTY(QString ApplicationName READ ApplicationName WRITE SetApplicationName)
    Q_PROPERTY(QString RootNodeName READ RootNodeName WRITE SetRootNodeName)
    Q_PROPERTY(QString XMLFilePath READ XMLFilePath WRITE SetXMLFilePath)
    Q_PROPERTY(quint8 Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString ItemNodeCaption READ ItemNodeCaption WRITE SetItemNodeCaption)
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TXMLOptionsSerializer(QObject* Parent = nullptr);
    ~TXMLOptionsSerializer() override;

    bool NodeAutoIndent() const { return FNodeAutoIndent; }
    void SetNodeAutoIndent(bool Value) { FNodeAutoIndent = Value; }
    bool UseVersionControl() const { return FUseVersionControl; }
    void SetUseVersionControl(bool Value) { FUseVersionControl = Value; }
    QString ApplicationName() const { return FApplicationName; }
    void SetApplicationName(const QString& Value) { FApplicationName = Value; }
    QString RootNodeName() const { return FRootNodeName; }
    void SetRootNodeName(const QString& Value) { FRootNodeName = Value; }
    QString XMLFilePath() const { return FXMLFilePath; }
    void SetXMLFilePath(const QString& Value) { FXMLFilePath = Value; }
    quint8 Version() const { return FVersion; }
    void SetVersion(quint8 Value) { FVersion = Value; }
    QString ItemNodeCaption() const { return FItemNodeCaption; }
    void SetItemNodeCaption(const QString& Value) { FItemNodeCaption = Value; }
    // Raised after a successful load, with the serializer as Sender.
    const TNotifyEvent& OnAfterLoad() const { return FOnAfterLoad; }
    void SetOnAfterLoad(TNotifyEvent Value) { FOnAfterLoad = std::move(Value); }

    // The tree to load and save. Not owned.
    TXMLClass* RootObject() const { return FRootObject; }
    void SetRootObject(TXMLClass* Value) { FRootObject = Value; }

    // Resets the tree to defaults, then reads XMLFilePath into it. Whatever goes wrong, the tree
    // ends with defaults and nothing is raised; the result says what happened.
    TXMLLoadResult Load();
    // Load with the file's text already in hand: the same checks and the same outcome as a file
    // holding Bytes, but no file is touched (so never lrNoFile).
    TXMLLoadResult LoadText(const QByteArray& Bytes);
    // Writes the tree to XMLFilePath through a temporary file in the same folder that replaces the
    // file only once it is complete, so the previous file stays intact on any failure. False when
    // nothing was written.
    bool Save();
    // The whole tree as Save writes it; false when it would not be well-formed XML (Save then
    // writes nothing).
    bool WriteDocument(QByteArray& Bytes) const;

    // SetDefaults of Root and, depth first in property order, of every option object reachable
    // through class-typed properties.
    static void ResetTree(TXMLClass* Root);

private:
    // Reads Bytes into the tree that Load or LoadText has just reset; none stands for a file that
    // could not be read.
    TXMLLoadResult ReadText(const QByteArray* Bytes);

    bool FNodeAutoIndent = true;
    bool FUseVersionControl = true;
    QString FApplicationName;
    QString FRootNodeName = QStringLiteral("config");
    QString FXMLFilePath;
    quint8 FVersion = 1;
    QString FItemNodeCaption = QStringLiteral("Item");
    TNotifyEvent FOnAfterLoad;
    TXMLClass* FRootObject = nullptr;
};
