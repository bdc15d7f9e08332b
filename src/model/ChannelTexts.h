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
    X(WriteFlags) X(WriteLedLimits)                                                                           \
    X(WriteOutputMode) X(WriteStartValue) X(WriteSteps) X(ReadOutputMode) X(ReadStartValue) X(ReadSteps)      \
    X(ReadHardwareRange) X(ReadThreshold) X(ReadCaptureLevel) X(ReadLogicOneLevel) X(ReadLineBreakLevel)      \
    X(ReadLineBreakCheck) X(ReadTemperature) X(ReadPhysicalChannel) X(ReadSeparationLevel)                    \
    X(WriteHardwareRange) X(WriteThreshold) X(WriteCaptureLevel) X(WriteLogicOneLevel)                        \
    X(WriteLineBreakLevel) X(WriteLineBreakCheck) X(WritePhysicalChannel)
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

    // Discrete outputs and the managers of the discrete modules.
    QString WriteOutputMode = QStringLiteral("Ошибка при записи режима установки выхода.");
    QString WriteStartValue = QStringLiteral("Ошибка при записи начального значения.");
    QString WriteSteps = QStringLiteral("Ошибка при записи масива периодов.");
    QString ReadOutputMode = QStringLiteral("Ошибка при считывании режима установки выхода.");
    QString ReadStartValue = QStringLiteral("Ошибка при считывании начального значения.");
    QString ReadSteps = QStringLiteral("Ошибка при считывании масива периодов.");

    // Discrete inputs (their response time texts are the analog inputs').
    QString ReadHardwareRange = QStringLiteral("Ошибка при считывании аппаратного диапазона.");
    QString ReadThreshold = QStringLiteral("Ошибка при чтении разделительного уровня.");
    QString ReadCaptureLevel = QStringLiteral("Ошибка при захвате уровня.");
    QString ReadLogicOneLevel = QStringLiteral("Ошибка при считывании уровня логической единицы.");
    QString ReadLineBreakLevel = QStringLiteral("Ошибка при считывании уровня контроля обрыва линии.");
    QString ReadLineBreakCheck = QStringLiteral("Ошибка при считывании разрешения контроля обрыва линии.");
    QString ReadTemperature = QStringLiteral("Ошибка при чтении температуры");
    QString ReadPhysicalChannel = QStringLiteral("Ошибка при считывании номера физического канал.");
    QString ReadSeparationLevel = QStringLiteral("Ошибка при считывании разделительного уровня");
    QString WriteHardwareRange = QStringLiteral("Ошибка при записи аппаратного диапазона.");
    QString WriteThreshold = QStringLiteral("Ошибка при сохранении уровня.");
    QString WriteCaptureLevel = QStringLiteral("Ошибка при сохранении захвате уровня.");
    QString WriteLogicOneLevel = QStringLiteral("Ошибка при записи уровня логической единицы.");
    QString WriteLineBreakLevel = QStringLiteral("Ошибка при записи уровня контроля обрыва линии.");
    QString WriteLineBreakCheck = QStringLiteral("Ошибка при записи разрешения контроля обрыва линии.");
    QString WritePhysicalChannel = QStringLiteral("Ошибка при записи номера физического канала.");
};

// The texts every channel reports now. Window thread only, like the channels themselves.
const TChannelTexts& ChannelTexts();
// Called by the application when the language changes.
void SetChannelTexts(const TChannelTexts& Texts);
