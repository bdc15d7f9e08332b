#include "model/FileMgrObject.h"

#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

TFileMgrObject::TFileMgrObject(TZUVOModule* Module, quint8 ObjectNumber) : FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

bool TFileMgrObject::ReadWord(quint16 Property, quint32& Word) {
    FModule->Ok = false;
    Word = 0;
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return false;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return false;
    Word = quint32(*v);
    FModule->Ok = true;
    return true;
}

bool TFileMgrObject::WriteWord(quint16 Property, quint32 Word) {
    FModule->Ok = Accessor.WritePropertyInteger(Property, qint32(Word));
    return FModule->Ok;
}

int TFileMgrObject::FileCount() {
    quint32 w = 0;
    return ReadWord(fmFileCount, w) ? int(w & 0xFF) : 0;
}

bool TFileMgrObject::SelectFile(int Number) {
    return WriteWord(fmSelectFile, quint32(Number));
}

bool TFileMgrObject::ReadName(QString& Name) {
    Name.clear();
    if (!WriteWord(fmRestartName, 0))
        return false;
    int failures = 0;
    while (Name.size() < kMaxNameLength) {
        quint32 w = 0;
        if (!ReadWord(fmNameChars, w)) {
            if (++failures >= kMaxFailedNameReads)
                return false;
            continue;
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            const quint8 c = quint8(w >> shift);
            if (c == 0)
                return FModule->Ok = true;
            Name.append(QChar::fromLatin1(char(c)));
            if (Name.size() == kMaxNameLength)
                break;
        }
    }
    // The rest of an overlong name is not asked for: the next file restarts the name anyway.
    return FModule->Ok = true;
}

bool TFileMgrObject::ReadInfo() {
    quint32 w = 0;
    if (!ReadWord(fmFileInfo, w))
        return false;
    Size = quint16(w & 0xFFFF);
    Info1 = quint8(w >> 16);
    Info2 = quint8(w >> 24);
    return true;
}

bool TFileMgrObject::OpenFile(int Mode) {
    return WriteWord(fmOpenFile, quint32(Mode));
}

bool TFileMgrObject::CloseFile() {
    return WriteWord(fmCloseFile, 0);
}

bool TFileMgrObject::ReadData(quint32& Word) {
    return ReadWord(fmData, Word);
}

bool TFileMgrObject::WriteData(quint32 Word) {
    return WriteWord(fmData, Word);
}

bool TFileMgrObject::ReadStatus(quint32& Word) {
    return ReadWord(fmStatus, Word);
}

QByteArray DataWordBytes(quint32 Word) {
    const int n = int(Word >> 24);
    QByteArray bytes;
    for (int i = 0; i < n && n <= 3; ++i)
        bytes.append(char(quint8(Word >> (16 - 8 * i))));
    return bytes;
}

quint32 PackDataWord(const char* Bytes, int Count) {
    const int n = qBound(0, Count, 3);
    quint32 w = quint32(n) << 24;
    for (int i = 0; i < n; ++i)
        w |= quint32(quint8(Bytes[i])) << (16 - 8 * i);
    return w;
}

bool ListDeviceFiles(TFileMgrObject& Object, std::vector<TDeviceFile>& Files) {
    Files.clear();
    const int count = Object.FileCount();
    if (!Object.Module()->Ok)
        return false;
    for (int number = 0; number < count; ++number) {
        TDeviceFile file;
        file.Number = number;
        if (!Object.SelectFile(number) || !Object.ReadName(file.Name) || !Object.ReadInfo())
            return false;
        file.Size = Object.Size;
        file.Info = Object.Info1;
        Files.push_back(file);
    }
    return true;
}
