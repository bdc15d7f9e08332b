#pragma once

#include <QString>

// The error texts of the special sensor channels (the GVix protection unit, the flame controller
// and the photosensor). Like the analog channels' texts they live in the model, which cannot reach
// the language tables: the application replaces them when the user picks a language, and until
// then they are Russian, as the devices' own manuals are. A few texts are shared by several steps
// because the devices' documentation names those failures alike.
// clang-format off
#define DVV_SENSOR_CHANNEL_TEXTS(X)                                                                              \
    X(GVixReadNormalization) X(GVixReadOutputRange) X(GVixReadConversionRanges) X(GVixWriteCoefficients)         \
    X(GVixWriteNormalization) X(GVixWriteOutput) X(GVixWriteOutputRange) X(GVixWriteConversionRanges)            \
    X(GVixWriteCommand)                                                                                          \
    X(FlameReadACLevel) X(FlameReadACMax) X(FlameReadDCLevel) X(FlameReadAlgorithm) X(FlameReadDOMask)           \
    X(FlameReadVersion) X(FlameReadRelayLags) X(FlameReadStatus) X(FlameReadAC) X(FlameReadDC)                   \
    X(FlameReadChannelEnabled) X(FlameReadAOConversion) X(SetLevels)                                             \
    X(FlameWriteACLevel) X(FlameWriteDCLevel) X(FlameWriteAlgorithm) X(FlameWriteDOMask) X(FlameRestart)         \
    X(FlameZeroCorrection) X(FlameWriteIndication) X(FlameWriteChannelEnabled)                                   \
    X(FotoReadFilterCutoff) X(FotoReadFilterCutoff2) X(FotoReadTimeConstant) X(FotoReadJumpLevel)                \
    X(FotoReadDACCode) X(FotoReadTemperature) X(FotoReadRegulator) X(FotoReadHPFCutoff) X(FotoReadADCCode)       \
    X(FotoReadPolynomialOn) X(FotoReadRecoveryCycles) X(FotoReadPolynomial)                                      \
    X(FotoWriteFilterCutoff) X(FotoWriteFilterCutoff2) X(FotoWriteTimeConstant) X(FotoWriteJumpLevel)            \
    X(FotoWriteDACCode) X(FotoWriteRegulator) X(FotoWriteHPFCutoff) X(FotoWriteNormCoefficients)                 \
    X(FotoWritePolynomialOn) X(FotoWriteRecoveryCycles)
// clang-format on

struct TSensorChannelTexts {
    // The GVix protection unit of KVD-A-VIX.
    QString GVixReadNormalization = QStringLiteral("Ошибка при считывании состояния флага нормализации!");
    QString GVixReadOutputRange = QStringLiteral("Ошибка при считывании диапазона выходного канала!");
    QString GVixReadConversionRanges = QStringLiteral("Ошибка при считывании диапазонов преобразования.");
    QString GVixWriteCoefficients = QStringLiteral("Ошибка при записи коэффициентов нормализации");
    QString GVixWriteNormalization = QStringLiteral("Ошибка при записи состояния флага нормализации!");
    QString GVixWriteOutput = QStringLiteral("Ошибка при установке выхода!");
    QString GVixWriteOutputRange = QStringLiteral("Ошибка при записи диапазона выходного канала!");
    QString GVixWriteConversionRanges = QStringLiteral("Ошибка при записи диапазонов преобразования.");
    QString GVixWriteCommand = QStringLiteral("Ошибка при записи комманды");

    // The flame controller. Its read steps are named after the device's set-points (ACMin, DCMin,
    // DCMax), not after the fields.
    QString FlameReadACLevel = QStringLiteral("Ошибка при считывании ACMin");
    QString FlameReadACMax = QStringLiteral("Ошибка при считывании ACMax");
    QString FlameReadDCLevel = QStringLiteral("Ошибка при считывании DCMin");
    QString FlameReadAlgorithm = QStringLiteral("Ошибка при считывании DCMax");
    QString FlameReadDOMask = QStringLiteral("Ошибка при считывании DOMask");
    QString FlameReadVersion = QStringLiteral("Ошибка при считывании Version");
    QString FlameReadRelayLags = QStringLiteral("Ошибка при считывании RelayLags");
    QString FlameReadStatus = QStringLiteral("Ошибка при считывании Status");
    QString FlameReadAC = QStringLiteral("Ошибка при считывании AC");
    QString FlameReadDC = QStringLiteral("Ошибка при считывании DC");
    QString FlameReadChannelEnabled = QStringLiteral("Ошибка при считывании ChannelEnabled");
    QString FlameReadAOConversion = QStringLiteral("Ошибка при считывании Levels");
    // The tolerance levels (read and written), the analog output's conversion and the photosensor's
    // polynomial when written.
    QString SetLevels = QStringLiteral("Ошибка при установке Levels");
    QString FlameWriteACLevel = QStringLiteral("Ошибка при установке ACLevel");
    QString FlameWriteDCLevel = QStringLiteral("Ошибка при установке DCLevel");
    QString FlameWriteAlgorithm = QStringLiteral("Ошибка при установке Algorithm");
    QString FlameWriteDOMask = QStringLiteral("Ошибка при установке DOMask");
    QString FlameRestart = QStringLiteral("Ошибка при перезапуске контроллера");
    QString FlameZeroCorrection = QStringLiteral("Ошибка при коррекции нуля");
    QString FlameWriteIndication = QStringLiteral("Ошибка при записи активности индикации");
    QString FlameWriteChannelEnabled = QStringLiteral("Ошибка при записи ChannelEnabled");

    // The photosensor channels of KVD-FLAME-BUS with detectors.
    QString FotoReadFilterCutoff = QStringLiteral("Ошибка при считывании частоты среза фильтра");
    QString FotoReadFilterCutoff2 = QStringLiteral("Ошибка при считывании частоты среза фильтра №2");
    QString FotoReadTimeConstant = QStringLiteral("Ошибка при считывании постоянной времени детектора.");
    QString FotoReadJumpLevel = QStringLiteral("Ошибка при считывании уровня скачка.");
    QString FotoReadDACCode = QStringLiteral("Ошибка при считывании кода DAC");
    QString FotoReadTemperature = QStringLiteral("Ошибка при считывании температуры канала");
    // The regulator mode and the ADC voltage.
    QString FotoReadRegulator = QStringLiteral("Ошибка при считывании режима регулятора");
    QString FotoReadHPFCutoff = QStringLiteral("Ошибка при считывании частоты среза ФВЧ");
    QString FotoReadADCCode = QStringLiteral("Ошибка при считывании кода АЦП");
    QString FotoReadPolynomialOn = QStringLiteral("Ошибка при считывании статуса полинома");
    QString FotoReadRecoveryCycles = QStringLiteral("Ошибка при считывании RecoveryCyclesCount");
    QString FotoReadPolynomial = QStringLiteral("Ошибка при установке полинома");
    QString FotoWriteFilterCutoff = QStringLiteral("Ошибка при записи частоты среза фильтра.");
    QString FotoWriteFilterCutoff2 = QStringLiteral("Ошибка при записи частоты среза фильтра №2.");
    QString FotoWriteTimeConstant = QStringLiteral("Ошибка при записи постоянной времени детектора.");
    QString FotoWriteJumpLevel = QStringLiteral("Ошибка при записи уровня скачка.");
    QString FotoWriteDACCode = QStringLiteral("Ошибка при установке кода DAC");
    QString FotoWriteRegulator = QStringLiteral("Ошибка при установке режима регулятора");
    QString FotoWriteHPFCutoff = QStringLiteral("Ошибка при записи частоты среза ФВЧ.");
    QString FotoWriteNormCoefficients = QStringLiteral("Ошибка при записи нормализационных коэффициентов");
    QString FotoWritePolynomialOn = QStringLiteral("Ошибка при записи статуса полинома");
    QString FotoWriteRecoveryCycles = QStringLiteral("Ошибка при записи RecoveryCyclesCount");
};

// The texts every sensor channel reports now. Window thread only, like the channels themselves.
const TSensorChannelTexts& SensorChannelTexts();
// Called by the application when the language changes.
void SetSensorChannelTexts(const TSensorChannelTexts& Texts);
