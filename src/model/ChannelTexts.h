#pragma once

#include <QString>

// The error texts of the channel objects. The model cannot reach the language tables, so it keeps
// one set of texts that the application replaces whenever the user picks a language; until then
// the channels speak Russian, the devices' own language.
// clang-format off
#define DVV_CHANNEL_TEXTS(X)                                                                                     \
    X(ReadAccuracyClass) X(ReadRangeCode) X(ReadRangeList) X(ReadNormalization) X(ReadCommand)                   \
    X(ReadCommandStatus) X(ReadChannel) X(WriteAccuracyClass) X(WriteRangeCode) X(WriteRangeList)                \
    X(WriteNormalization) X(WriteCommand) X(ReadFilterCutoff) X(ReadResponseTime) X(ReadPolynomial) X(ReadFlags) \
    X(ReadLedLimits) X(WriteSelectedRange) X(WriteFilterCutoff) X(WriteResponseTime) X(WritePolynomial)          \
    X(WriteFlags) X(WriteLedLimits)
// clang-format on

struct TChannelTexts {
    // Every analog channel.
    QString ReadAccuracyClass = QStringLiteral("Ошибка при считывании класса точности");
    QString ReadRangeCode = QStringLiteral("Ошибка при считывании значения выбранного диапазона");
    QString ReadRangeList = QStringLiteral("Ошибка при считывании списка диапазонов");
    QString ReadNormalization = QStringLiteral("Ошибка при считывании алгоритма пересчета");
    QString ReadCommand = QStringLiteral("Ошибка при чтении кода комманды");
    QString ReadCommandStatus = QStringLiteral("Ошибка при чтении статуса выполнения комманды");
    QString ReadChannel = QStringLiteral("Ошибка при чтении с канала"); // an answer that is no number
    QString WriteAccuracyClass = QStringLiteral("Ошибка при установке класса точности.");
    QString WriteRangeCode = QStringLiteral("Ошибка при записи измеряемой величины и диапазона.");
    QString WriteRangeList = QStringLiteral("Ошибка при записи списка диапазонов");
    QString WriteNormalization = QStringLiteral("Ошибка при установке разрешения нормализации");
    QString WriteCommand = QStringLiteral("Ошибка при записи комманды");

    // Analog inputs.
    QString ReadFilterCutoff = QStringLiteral("Ошибка при считывании частоты среза фильтра");
    QString ReadResponseTime = QStringLiteral("Ошибка при считывании времени отклика.");
    QString ReadPolynomial = QStringLiteral("Ошибка при считывании полинома пользователя");
    QString ReadFlags = QStringLiteral("Ошибка при считывании флагов канала");
    QString ReadLedLimits = QStringLiteral("Ошибка при считывании пределов светодиодной индикации");
    QString WriteSelectedRange = QStringLiteral("Ошибка при записи текущего диапазона.");
    QString WriteFilterCutoff = QStringLiteral("Ошибка при записи частоты среза фильтра.");
    QString WriteResponseTime = QStringLiteral("Ошибка при записи времени отклика.");
    QString WritePolynomial = QStringLiteral("Ошибка при записи полинома пользователя.");
    QString WriteFlags = QStringLiteral("Ошибка при установке флагов канала");
    QString WriteLedLimits = QStringLiteral("Ошибка при записи пределов светодиодной индикации.");
};

// The texts every channel reports now. Window thread only, like the channels themselves.
const TChannelTexts& ChannelTexts();
// Called by the application when the language changes.
void SetChannelTexts(const TChannelTexts& Texts);
