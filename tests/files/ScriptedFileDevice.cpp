#include "files/ScriptedFileDevice.h"

#include "protocol/Crc16.h"

#include <algorithm>

int TScriptedFileDevice::Count(const std::string& Entry) const {
    std::lock_guard lock(FMutex);
    return int(std::count(FTrace.begin(), FTrace.end(), Entry));
}

QByteArray TScriptedFileDevice::Answer(const QByteArray& r) {
    std::lock_guard lock(FMutex);
    if (r.size() != 11 || quint8(r[0]) != FAddress || quint8(r[2]) != FObject)
        return {};
    const bool write = r[1] == 1;
    const auto property = quint16((quint8(r[3]) << 8) | quint8(r[4]));
    const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                          (quint32(quint8(r[7])) << 8) | quint8(r[8]);
    FTrace.push_back(write ? "w" + std::to_string(property) + "=" + std::to_string(value)
                           : "r" + std::to_string(property));
    TFile* file = FSelected >= 0 && FSelected < int(Files.size()) ? &Files[size_t(FSelected)] : nullptr;
    quint32 answer = value;
    bool answered = true;
    if (!write) {
        switch (property) {
        case 0:
            answer = CountWord >= 0 ? quint32(CountWord) : quint32(Files.size());
            break;
        case 3:
            if (!file || FSelected == FailNameOfFile) {
                answered = false;
                break;
            }
            answer = 0;
            for (int i = 0; i < 4; ++i) {
                int at = FNamePos + i;
                if (file->NoNameEnd)
                    at %= int(file->Name.size());
                answer |= quint32(at < file->Name.size() ? quint8(file->Name[at]) : 0) << (24 - 8 * i);
            }
            FNamePos += 4;
            break;
        case 6:
            answered = file != nullptr;
            if (file)
                answer = quint32(file->SizeWord >= 0 ? file->SizeWord : int(file->Data.size())) |
                         quint32(file->Info1) << 16 | quint32(file->Info2) << 24;
            break;
        case 7: {
            if (!file || FMode != 0 || FPos == FailDataAt) {
                answered = false;
                break;
            }
            const int n = StallAt >= 0 && FPos >= StallAt ? 0 : qMin(3, int(file->Data.size()) - FPos);
            answer = quint32(n) << 24;
            for (int i = 0; i < n; ++i)
                answer |= quint32(quint8(file->Data[FPos + i])) << (16 - 8 * i);
            FPos += n;
            break;
        }
        case 8:
            answer = StatusWord;
            break;
        default:
            answered = false;
        }
    } else {
        switch (property) {
        case 1:
            FSelected = int(value);
            FNamePos = 0;
            break;
        case 2:
            FNamePos = 0;
            break;
        case 4:
            answered = file && !RefuseOpen;
            if (answered) {
                FMode = int(value);
                FPos = 0;
                if (value == 1)
                    file->Data.clear();
            }
            break;
        case 5:
            FMode = -1;
            break;
        case 7: {
            const int n = int(value >> 24);
            if (!file || FMode != 1 || FPos == FailDataAt || n < 1 || n > 3) {
                answered = false;
                break;
            }
            for (int i = 0; i < n; ++i)
                file->Data.append(char(quint8(value >> (16 - 8 * i))));
            FPos += n;
            break;
        }
        default:
            answered = false;
        }
    }
    if (!answered)
        return {};
    QByteArray a = r;
    auto* p = reinterpret_cast<quint8*>(a.data());
    p[5] = quint8(answer >> 24);
    p[6] = quint8(answer >> 16);
    p[7] = quint8(answer >> 8);
    p[8] = quint8(answer);
    PutCrc16(p, 9);
    return a;
}
