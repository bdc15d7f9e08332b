#include "profiles/XMLProfileLoader.h"

#include "platform/DataFolder.h"

#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>

void TDirFileList::SetFolder(const QString& Value) {
    FFolder = Value;
    if (FActive)
        Scan(FFolder, FMask);
}

void TDirFileList::SetMask(const QString& Value) {
    FMask = Value;
    if (FActive)
        Scan(FFolder, FMask);
}

void TDirFileList::SetActive(bool Value) {
    FActive = Value;
    if (FActive)
        Scan(FFolder, FMask);
    else
        FFiles.clear();
}

bool TDirFileList::Scan(const QString& Folder, const QString& Mask) {
    FFiles.clear();
    QDir dir(Folder);
    if (Folder.isEmpty() || !dir.exists())
        return false;
    // Hidden files count too; directories do not (a folder named "x.xml" is no profile).
    FFiles = dir.entryList({Mask}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    return !FFiles.isEmpty();
}

namespace {

// One failure while reading a profile: the element path and what is wrong with it.
struct TProfileReader {
    QString Error;

    bool Fail(const QString& Text) {
        if (Error.isEmpty())
            Error = Text;
        return false;
    }

    static QDomElement Child(const QDomElement& Parent, const QString& Name) {
        return Parent.isNull() ? QDomElement() : Parent.firstChildElement(Name);
    }

    // A repeated element: the first child named Name, then every element after it whatever its
    // name, to the end of the parent.
    static std::vector<QDomElement> Repeated(const QDomElement& Parent, const QString& Name) {
        std::vector<QDomElement> result;
        for (QDomElement e = Child(Parent, Name); !e.isNull(); e = e.nextSiblingElement())
            result.push_back(e);
        return result;
    }

    static QString Text(const QDomElement& Element) { return Element.text().trimmed(); }

    // Hexadecimal digits without prefix, as a 32-bit value; empty or malformed text fails.
    bool Hex(const QDomElement& Element, const QString& What, quint32& Value) {
        const QString text = Text(Element);
        bool ok = !text.isEmpty() && text.size() <= 8;
        for (QChar c : text)
            ok = ok && ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'));
        if (ok)
            Value = text.toUInt(&ok, 16);
        return ok || Fail(QStringLiteral("%1: \"%2\" is no hexadecimal number").arg(What, text));
    }

    // Decimal, or hexadecimal after "$" or "0x"; a 32-bit integer.
    bool Integer(const QDomElement& Element, const QString& What, quint32& Value) {
        QString text = Text(Element);
        bool ok = false;
        if (text.startsWith(u'$') || text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            const QString digits = text.mid(text.startsWith(u'$') ? 1 : 2);
            ok = !digits.isEmpty() && !digits.startsWith(u'-') && !digits.startsWith(u'+');
            if (ok)
                Value = digits.toUInt(&ok, 16);
        } else {
            const int signedValue = text.toInt(&ok, 10);
            if (ok)
                Value = quint32(signedValue);
        }
        return ok || Fail(QStringLiteral("%1: \"%2\" is no integer").arg(What, text));
    }

    bool Required(const QDomElement& Parent, const QString& Name, const QString& Where, QDomElement& Out) {
        Out = Child(Parent, Name);
        return !Out.isNull() || Fail(QStringLiteral("%1 without \"%2\"").arg(Where, Name));
    }

    bool Functions(const QDomElement& Parent, TFunctionList& List, const QString& Where) {
        for (const QDomElement& id :
             Repeated(Child(Parent, QStringLiteral("functions")), QStringLiteral("id"))) {
            quint32 value = 0;
            if (!Hex(id, Where + QStringLiteral(" function id"), value))
                return false;
            List.AddFunction(quint16(value));
        }
        return true;
    }

    void Device(const QDomElement& Device, TDeviceDesc& Desc) {
        const QDomElement name = Child(Device, QStringLiteral("name"));
        if (!name.isNull())
            Desc.Header().SetName(Text(name));
        for (const QDomElement& line :
             Repeated(Child(Device, QStringLiteral("descriptor")), QStringLiteral("desc")))
            Desc.Header().AddDescriptionLine(Text(line));
        for (const QDomElement& item :
             Repeated(Child(Device, QStringLiteral("vendor")), QStringLiteral("item"))) {
            TVendorItem* vendor = Desc.Vendors().AddItem();
            vendor->SetTag(Text(Child(item, QStringLiteral("tag"))));
            vendor->SetValue(Text(Child(item, QStringLiteral("value"))));
        }
        const QDomElement items = Child(Child(Device, QStringLiteral("struct")), QStringLiteral("items"));
        for (const QDomElement& item : Repeated(items, QStringLiteral("item"))) {
            const QDomElement node = Child(item, QStringLiteral("name"));
            if (!node.isNull())
                Desc.Nodes().AddNode(Text(node));
        }
    }

    bool Nerix(const QDomElement& Protocol, TDeviceDesc& Desc) {
        int objectIndex = 0;
        for (const QDomElement& o :
             Repeated(Child(Protocol, QStringLiteral("objects")), QStringLiteral("object"))) {
            const QString where = QStringLiteral("object %1").arg(++objectIndex);
            QDomElement name, id;
            quint32 value = 0;
            if (!Required(o, QStringLiteral("name"), where, name) ||
                !Required(o, QStringLiteral("id"), where, id) ||
                !Integer(id, where + QStringLiteral(" id"), value))
                return false;
            TDeviceObject* object = Desc.NerixMap().Objects().AddObject({quint8(value & 0xFF), Text(name)});
            int propertyIndex = 0;
            for (const QDomElement& p :
                 Repeated(Child(o, QStringLiteral("properties")), QStringLiteral("property"))) {
                const QString pwhere = QStringLiteral("%1 property %2").arg(where).arg(++propertyIndex);
                QDomElement pname, pid;
                quint32 pvalue = 0;
                if (!Required(p, QStringLiteral("name"), pwhere, pname) ||
                    !Required(p, QStringLiteral("id"), pwhere, pid) ||
                    !Hex(pid, pwhere + QStringLiteral(" id"), pvalue))
                    return false;
                TNerixesPropertyItem* property =
                    object->Properties().AddProperty({Text(pname), quint16(pvalue)});
                if (!Functions(p, property->Functions(), pwhere))
                    return false;
            }
        }
        return true;
    }

    bool Modbus(const QDomElement& Protocol, TDeviceDesc& Desc) {
        int spaceIndex = 0;
        for (const QDomElement& s :
             Repeated(Child(Protocol, QStringLiteral("spaces")), QStringLiteral("space"))) {
            const QString where = QStringLiteral("space %1").arg(++spaceIndex);
            QDomElement name;
            if (!Required(s, QStringLiteral("name"), where, name))
                return false;
            TAddressSpace* space = Desc.ModbusMap().Spaces().AddSpace(Text(name));
            int parameterIndex = 0;
            for (const QDomElement& p :
                 Repeated(Child(s, QStringLiteral("parameters")), QStringLiteral("parameter"))) {
                const QString pwhere = QStringLiteral("%1 parameter %2").arg(where).arg(++parameterIndex);
                QDomElement pname, start, count;
                quint32 startValue = 0, countValue = 0;
                if (!Required(p, QStringLiteral("name"), pwhere, pname) ||
                    !Required(p, QStringLiteral("start_reg"), pwhere, start) ||
                    !Required(p, QStringLiteral("count_reg"), pwhere, count) ||
                    !Hex(start, pwhere + QStringLiteral(" start_reg"), startValue) ||
                    !Integer(count, pwhere + QStringLiteral(" count_reg"), countValue))
                    return false;
                TParameter* parameter = space->Parameters().AddParameter(
                    {quint16(startValue), quint8(countValue & 0xFF), Text(pname)});
                if (!Functions(p, parameter->Functions(), pwhere))
                    return false;
            }
        }
        return true;
    }

    bool Read(const QDomElement& Root, TDeviceDesc& Desc) {
        const QDomElement device = Child(Root, QStringLiteral("device"));
        if (!device.isNull())
            Device(device, Desc);
        for (const QDomElement& protocol :
             Repeated(Child(Root, QStringLiteral("protocols")), QStringLiteral("protocol"))) {
            const QDomElement name = Child(protocol, QStringLiteral("name"));
            if (name.isNull())
                continue;
            const QString kind = Text(name);
            if (kind == QLatin1String("Nerix") && !Nerix(protocol, Desc))
                return false;
            if (kind == QLatin1String("Modbus") && !Modbus(protocol, Desc))
                return false;
        }
        return true;
    }
};

} // namespace

bool TXMLProfileLoader::LoadData(const QByteArray& Data, QString* Error) {
    QDomDocument document;
    QString message;
    int line = 0, column = 0;
    if (!document.setContent(Data, &message, &line, &column)) {
        if (Error)
            *Error = QStringLiteral("not XML (line %1, column %2: %3)").arg(line).arg(column).arg(message);
        return false;
    }
    TDeviceDesc* desc = FDevices.AddDescription();
    TProfileReader reader;
    if (!reader.Read(document.documentElement(), *desc)) {
        // A half-read description would label frames with whatever came before the fault.
        FDevices.DeleteLast();
        if (Error)
            *Error = reader.Error;
        return false;
    }
    return true;
}

bool TXMLProfileLoader::LoadFile(const QString& Path, QString* Error) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = QStringLiteral("cannot be read (%1)").arg(file.errorString());
        return false;
    }
    if (!LoadData(file.readAll(), Error))
        return false;
    FDevices.Items(FDevices.Count() - 1)->SetFileName(Path);
    return true;
}

bool TXMLProfileLoader::LoadAll() {
    FDevices.Clear();
    FWarnings.clear();
    FLoaded.clear();
    FFileList.Scan(FFolder, QStringLiteral("*.xml"));
    const QDir dir(FFolder);
    for (const QString& name : FFileList.Files()) {
        const QString path = dir.filePath(name);
        QString error;
        if (LoadFile(path, &error))
            FLoaded.append(path);
        else
            FWarnings.append(QStringLiteral("Device profile %1 skipped: %2").arg(path, error));
    }
    return FWarnings.isEmpty();
}

QString TXMLProfileLoader::DefaultFolder() {
    return FindDataPath(QStringLiteral("DB/DevicesXMLProfiles"), QDir::currentPath());
}
