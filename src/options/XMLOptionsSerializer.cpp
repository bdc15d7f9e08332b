#include "options/XMLOptionsSerializer.h"

#include "options/XMLClass.h"
#include "options/XMLProperties.h"

#include <QBuffer>
#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kApplicationAttribute = QStringLiteral("Application");
const QString kVersionAttribute = QStringLiteral("Version");

// Far deeper than any option tree, far shallower than what would exhaust the stack of the
// document's recursive clean-up.
constexpr int kMaxElementDepth = 256;

// Options take a few kilobytes; anything near this is no file of ours.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// "Options.xml" -> "Options.bak", as older versions of the program named their backup.
QString BackupPath(const QString& FilePath) {
    const QFileInfo info(FilePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bak"));
}

bool WithinDepth(const QByteArray& Bytes) {
    QXmlStreamReader reader(Bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxElementDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    // Whether the text is well-formed is for the document parser to say.
    return true;
}

bool IsWellFormed(const QByteArray& Bytes) {
    QXmlStreamReader reader(Bytes);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

bool IsXMLWhiteSpace(const QString& Text) {
    for (const QChar c : Text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
    }
    return true;
}

void WriteValueElement(QXmlStreamWriter& Writer, const QString& Name, const QString& Text) {
    Writer.writeStartElement(Name);
    if (Text.isEmpty()) {
        // <Name></Name> rather than <Name/>: the element holds a value, even an empty one.
        Writer.writeCharacters(QString());
    } else if (IsXMLWhiteSpace(Text)) {
        // The document parser drops text made of nothing but white space; a CDATA section keeps it.
        // Line ends in it read back as line feeds whatever they were, as XML wants.
        QString text = Text;
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Writer.writeCDATA(text);
    } else {
        // A raw carriage return would read back as a line feed; a character reference keeps it.
        const QStringList parts = Text.split(QLatin1Char('\r'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                Writer.writeEntityReference(QStringLiteral("#13"));
            if (!parts[i].isEmpty())
                Writer.writeCharacters(parts[i]);
        }
    }
    Writer.writeEndElement();
}

class TTreeWriter {
public:
    TTreeWriter(QXmlStreamWriter& Writer, const QString& ItemNodeCaption)
        : FWriter(Writer), FItemNodeCaption(ItemNodeCaption) {}

    void WriteObject(const TXMLClass* Object) {
        if (const auto* list = qobject_cast<const TXMLClassList*>(Object)) {
            const bool mixed = qobject_cast<const TXMLClassListExt*>(Object) != nullptr;
            for (int i = 0; i < list->Count(); ++i) {
                const TXMLClass* item = list->Items(i);
                FWriter.writeStartElement(mixed ? QString::fromLatin1(item->metaObject()->className())
                                                : FItemNodeCaption);
                WriteObject(item);
                FWriter.writeEndElement();
            }
            return;
        }
        for (const QMetaProperty& property : XMLOptionProperties(Object->metaObject())) {
            const QString name = QString::fromLatin1(property.name());
            switch (XMLValueKind(property)) {
            case TXMLValueKind::Class:
                if (const TXMLClass* child = XMLChildOption(Object, property)) {
                    FWriter.writeStartElement(name);
                    WriteObject(child);
                    FWriter.writeEndElement();
                }
                break;
            case TXMLValueKind::Unsupported:
                WriteValueElement(FWriter, name, QString());
                break;
            default:
                WriteValueElement(FWriter, name, XMLSafeText(XMLPropertyText(Object, property)));
                break;
            }
        }
    }

private:
    QXmlStreamWriter& FWriter;
    const QString& FItemNodeCaption;
};

class TTreeReader {
public:
    explicit TTreeReader(const QString& ItemNodeCaption) : FItemNodeCaption(ItemNodeCaption) {}

    // False when a value text does not convert; the caller then resets the whole tree.
    bool ReadObject(const QDomElement& Element, TXMLClass* Object) {
        if (auto* list = qobject_cast<TXMLClassListExt*>(Object)) {
            if (Element.hasChildNodes())
                list->Clear();
            for (QDomElement child = Element.firstChildElement(); !child.isNull();
                 child = child.nextSiblingElement()) {
                // An item of a class this program does not know (a newer version's, say) is skipped.
                TXMLClass* item = list->AddByClassName(child.tagName());
                if (item && !ReadObject(child, item))
                    return false;
            }
            return true;
        }
        if (auto* list = qobject_cast<TXMLClassList*>(Object)) {
            if (Element.hasChildNodes())
                list->Clear();
            for (QDomElement child = Element.firstChildElement(FItemNodeCaption); !child.isNull();
                 child = child.nextSiblingElement()) {
                TXMLClass* item = list->Add();
                if (!item)
                    break; // a list that makes no items has nothing to read into
                if (!ReadObject(child, item))
                    return false;
            }
            return true;
        }
        for (const QMetaProperty& property : XMLOptionProperties(Object->metaObject())) {
            const QDomElement child = Element.firstChildElement(QString::fromLatin1(property.name()));
            if (child.isNull())
                continue; // keeps its default
            switch (XMLValueKind(property)) {
            case TXMLValueKind::Class:
                if (TXMLClass* childObject = XMLChildOption(Object, property)) {
                    if (!ReadObject(child, childObject))
                        return false;
                }
                break;
            case TXMLValueKind::Unsupported:
                break;
            default: {
                if (!property.isWritable())
                    break;
                QVariant value;
                if (!XMLTextToValue(property, child.text(), value))
                    return false;
                // Through the setter: a value it rejects leaves the default in place.
                property.write(Object, value);
                break;
            }
            }
        }
        return true;
    }

private:
    const QString& FItemNodeCaption;
};

} // namespace

TXMLOptionsSerializer::TXMLOptionsSerializer(QObject* Parent) : QObject(Parent) {}

TXMLOptionsSerializer::~TXMLOptionsSerializer() = default;

void TXMLOptionsSerializer::ResetTree(TXMLClass* Root) {
    if (!Root)
        return;
    Root->SetDefaults();
    for (const QMetaProperty& property : XMLOptionProperties(Root->metaObject())) {
        if (TXMLClass* child = XMLChildOption(Root, property))
            ResetTree(child);
    }
}

bool TXMLOptionsSerializer::WriteDocument(QByteArray& Bytes) const {
    Bytes.clear();
    QBuffer buffer(&Bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(FNodeAutoIndent);
    writer.setAutoFormattingIndent(2);
    writer.writeStartDocument(QStringLiteral("1.0"));
    writer.writeStartElement(FRootNodeName);
    if (FUseVersionControl) {
        writer.writeAttribute(kApplicationAttribute, XMLSafeText(FApplicationName));
        writer.writeAttribute(kVersionAttribute, QString::number(FVersion));
    }
    TTreeWriter(writer, FItemNodeCaption).WriteObject(FRootObject);
    writer.writeEndElement();
    writer.writeEndDocument();
    return !writer.hasError() && IsWellFormed(Bytes);
}

TXMLLoadResult TXMLOptionsSerializer::Load() {
    if (!FRootObject)
        return lrNoRootObject;
    ResetTree(FRootObject);
    if (FXMLFilePath.isEmpty() || !QFileInfo::exists(FXMLFilePath))
        return lrNoFile;

    // Only a regular file: a folder, a pipe or a device in its place would fail, block or never end.
    QFile file(FXMLFilePath);
    if (!QFileInfo(FXMLFilePath).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return ReadText(nullptr);
    const QByteArray bytes = file.readAll();
    return ReadText(file.error() == QFileDevice::NoError ? &bytes : nullptr);
}

TXMLLoadResult TXMLOptionsSerializer::LoadText(const QByteArray& Bytes) {
    if (!FRootObject)
        return lrNoRootObject;
    ResetTree(FRootObject);
    return ReadText(Bytes.size() > kMaxFileSize ? nullptr : &Bytes);
}

TXMLLoadResult TXMLOptionsSerializer::ReadText(const QByteArray* Bytes) {
    // A load is all or nothing: whatever was read before a failure goes back to what the tree held
    // after the reset, and the version the file claimed is dropped. SetDefaults leaves a few
    // settings alone (StopBitsID, Protocol), so a reset alone would keep what a damaged file put
    // there; the tree is therefore put back from an image taken right after the reset.
    const quint8 previousVersion = FVersion;
    QByteArray image;
    const bool haveImage = WriteDocument(image);
    const auto damaged = [&] {
        ResetTree(FRootObject);
        if (haveImage) {
            QDomDocument document;
            if (document.setContent(image))
                TTreeReader(FItemNodeCaption).ReadObject(document.documentElement(), FRootObject);
        }
        FVersion = previousVersion;
        return lrDamaged;
    };

    if (!Bytes || !WithinDepth(*Bytes))
        return damaged();
    QDomDocument document;
    if (!document.setContent(*Bytes))
        return damaged();
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return damaged();

    if (FUseVersionControl) {
        if (root.tagName() != FRootNodeName || root.attribute(kApplicationAttribute) != FApplicationName)
            return lrForeign;
        if (!root.hasAttribute(kVersionAttribute))
            return damaged();
        bool ok = false;
        const qlonglong version = root.attribute(kVersionAttribute).toLongLong(&ok, 10);
        // Version is a byte: 300 is no version of ours, not version 44.
        if (!ok || version < 0 || version > 255)
            return damaged();
        FVersion = quint8(version);
    }

    TTreeReader reader(FItemNodeCaption);
    if (!reader.ReadObject(root, FRootObject))
        return damaged();
    if (FOnAfterLoad)
        FOnAfterLoad(this);
    return lrLoaded;
}

bool TXMLOptionsSerializer::Save() {
    if (!FRootObject || FXMLFilePath.isEmpty())
        return false;
    QByteArray bytes;
    // A bad root or item name would make a file no load can read; better keep the previous one.
    if (!WriteDocument(bytes))
        return false;

    // The new text goes to a temporary file beside the options file and replaces it in one rename
    // once it is complete and on disk: a crash or a full disk at any moment leaves either the old
    // file or the new one, never a torn one and never none.
    QSaveFile file(FXMLFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;

    // Older versions renamed the file to ".bak" while writing; a backup left by one of them is stale
    // now that a complete file is in place.
    const QString backup = BackupPath(FXMLFilePath);
    if (QFileInfo::exists(backup))
        QFile::remove(backup);
    return true;
}
