#include "emulator/VirtualFileManager.h"

namespace {

QByteArray SampleLog() {
    QByteArray log;
    for (int i = 0; i < 24; ++i)
        log += QByteArray("2026-12-01 08:") + QByteArray::number(10 + i) + " gross " +
               QByteArray::number(1200 + i * 7) + " kg\r\n";
    return log;
}

QByteArray SampleTable() {
    QByteArray table;
    for (int i = 0; i < 256; ++i)
        table.append(char(i));
    return table;
}

} // namespace

TVirtualFileManager::TVirtualFileManager(TVirtualDevice* Device, quint8 Number)
    : TCustomVirtualChannel(Device, Number, vkAuxiliary) {
    FFiles = {
        {QStringLiteral("Passport.txt"), QByteArray("KVD-P340-BUS\r\nWeight controller\r\nFirmware 2.4\r\n"),
         1, 0},
        {QStringLiteral("Weights.log"), SampleLog(), 2, 0},
        {QStringLiteral("Calibration.bin"), SampleTable(), 3, 0},
    };
}

TVirtualFileManager::TFile* TVirtualFileManager::Selected() {
    return FSelected >= 0 && FSelected < int(FFiles.size()) ? &FFiles[size_t(FSelected)] : nullptr;
}

std::optional<quint32> TVirtualFileManager::ReadRegister(quint16 Register) {
    TFile* file = Selected();
    switch (Register) {
    case 0:
        return quint32(FFiles.size());
    case 3: {
        if (!file)
            return std::nullopt;
        const QByteArray name = file->Name.toLatin1();
        quint32 w = 0;
        for (int i = 0; i < 4; ++i) {
            const int at = FNamePos + i;
            w |= quint32(at < name.size() ? quint8(name[at]) : 0) << (24 - 8 * i);
        }
        FNamePos += 4;
        return w;
    }
    case 6:
        if (!file)
            return std::nullopt;
        return quint32(file->Data.size() & 0xFFFF) | quint32(file->Info1) << 16 | quint32(file->Info2) << 24;
    case 7: {
        if (!file || FOpenMode != 0) {
            FStatus = fsNotOpen;
            return std::nullopt;
        }
        const int n = qMin(3, int(file->Data.size()) - FPosition);
        quint32 w = quint32(qMax(n, 0)) << 24;
        for (int i = 0; i < n; ++i)
            w |= quint32(quint8(file->Data[FPosition + i])) << (16 - 8 * i);
        FPosition += qMax(n, 0);
        FStatus = fsOk;
        return w;
    }
    case 8:
        return FStatus;
    default:
        return std::nullopt;
    }
}

bool TVirtualFileManager::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case 1:
        if (Value >= FFiles.size())
            return false;
        FSelected = int(Value);
        FNamePos = 0;
        return true;
    case 2:
        FNamePos = 0;
        return Selected() != nullptr;
    case 4: {
        TFile* file = Selected();
        if (!file || Value > 1)
            return false;
        FOpenMode = int(Value);
        FPosition = 0;
        if (Value == 1)
            file->Data.clear();
        return true;
    }
    case 5:
        FOpenMode = -1;
        return true;
    case 7: {
        TFile* file = Selected();
        const int n = int(Value >> 24);
        if (!file || FOpenMode != 1) {
            FStatus = fsNotOpen;
            return false;
        }
        if (n < 1 || n > 3) {
            FStatus = fsBadCount;
            return false;
        }
        if (file->Data.size() + n > kMaxFileSize) {
            FStatus = fsFull;
            return false;
        }
        for (int i = 0; i < n; ++i)
            file->Data.append(char(quint8(Value >> (16 - 8 * i))));
        FStatus = fsOk;
        return true;
    }
    default:
        return false;
    }
}
