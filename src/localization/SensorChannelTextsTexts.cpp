// The sensor channels' error texts. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/SensorChannelTextsLanguage.h"

namespace {

using T = TSensorChannelTextsLanguage;
using TRow = TSensorChannelTextsLanguageLocalization::TRow;

// clang-format off
const TRow kRows[] = {
    {&T::GVixReadNormalization, {"Error reading the normalization flag!", "Ошибка при считывании состояния флага нормализации!", "Помилка під час зчитування стану прапорця нормалізації!", "Fehler beim Lesen des Normierungs-Flags!", "¡Error al leer el indicador de normalización!", "Erreur de lecture de l'indicateur de normalisation !"}},
    {&T::GVixReadOutputRange, {"Error reading the output channel's range!", "Ошибка при считывании диапазона выходного канала!", "Помилка під час зчитування діапазону вихідного каналу!", "Fehler beim Lesen des Bereichs des Ausgangskanals!", "¡Error al leer el rango del canal de salida!", "Erreur de lecture de la plage du canal de sortie !"}},
    {&T::GVixReadConversionRanges, {"Error reading the conversion ranges.", "Ошибка при считывании диапазонов преобразования.", "Помилка під час зчитування діапазонів перетворення.", "Fehler beim Lesen der Umrechnungsbereiche.", "Error al leer los rangos de conversión.", "Erreur de lecture des plages de conversion."}},
    {&T::GVixWriteCoefficients, {"Error writing the normalization coefficients", "Ошибка при записи коэффициентов нормализации", "Помилка під час запису коефіцієнтів нормалізації", "Fehler beim Schreiben der Normierungskoeffizienten", "Error al escribir los coeficientes de normalización", "Erreur d'écriture des coefficients de normalisation"}},
    {&T::GVixWriteNormalization, {"Error writing the normalization flag!", "Ошибка при записи состояния флага нормализации!", "Помилка під час запису стану прапорця нормалізації!", "Fehler beim Schreiben des Normierungs-Flags!", "¡Error al escribir el indicador de normalización!", "Erreur d'écriture de l'indicateur de normalisation !"}},
    {&T::GVixWriteOutput, {"Error setting the output!", "Ошибка при установке выхода!", "Помилка під час встановлення виходу!", "Fehler beim Setzen des Ausgangs!", "¡Error al establecer la salida!", "Erreur lors du réglage de la sortie !"}},
    {&T::GVixWriteOutputRange, {"Error writing the output channel's range!", "Ошибка при записи диапазона выходного канала!", "Помилка під час запису діапазону вихідного каналу!", "Fehler beim Schreiben des Bereichs des Ausgangskanals!", "¡Error al escribir el rango del canal de salida!", "Erreur d'écriture de la plage du canal de sortie !"}},
    {&T::GVixWriteConversionRanges, {"Error writing the conversion ranges.", "Ошибка при записи диапазонов преобразования.", "Помилка під час запису діапазонів перетворення.", "Fehler beim Schreiben der Umrechnungsbereiche.", "Error al escribir los rangos de conversión.", "Erreur d'écriture des plages de conversion."}},
    {&T::GVixWriteCommand, {"Error writing the command", "Ошибка при записи комманды", "Помилка під час запису команди", "Fehler beim Schreiben des Befehls", "Error al escribir el comando", "Erreur d'écriture de la commande"}},
    {&T::FlameReadACLevel, {"Error reading ACMin", "Ошибка при считывании ACMin", "Помилка під час зчитування ACMin", "Fehler beim Lesen von ACMin", "Error al leer ACMin", "Erreur de lecture de ACMin"}},
    {&T::FlameReadACMax, {"Error reading ACMax", "Ошибка при считывании ACMax", "Помилка під час зчитування ACMax", "Fehler beim Lesen von ACMax", "Error al leer ACMax", "Erreur de lecture de ACMax"}},
    {&T::FlameReadDCLevel, {"Error reading DCMin", "Ошибка при считывании DCMin", "Помилка під час зчитування DCMin", "Fehler beim Lesen von DCMin", "Error al leer DCMin", "Erreur de lecture de DCMin"}},
    {&T::FlameReadAlgorithm, {"Error reading DCMax", "Ошибка при считывании DCMax", "Помилка під час зчитування DCMax", "Fehler beim Lesen von DCMax", "Error al leer DCMax", "Erreur de lecture de DCMax"}},
    {&T::FlameReadDOMask, {"Error reading DOMask", "Ошибка при считывании DOMask", "Помилка під час зчитування DOMask", "Fehler beim Lesen von DOMask", "Error al leer DOMask", "Erreur de lecture de DOMask"}},
    {&T::FlameReadVersion, {"Error reading Version", "Ошибка при считывании Version", "Помилка під час зчитування Version", "Fehler beim Lesen von Version", "Error al leer Version", "Erreur de lecture de Version"}},
    {&T::FlameReadRelayLags, {"Error reading RelayLags", "Ошибка при считывании RelayLags", "Помилка під час зчитування RelayLags", "Fehler beim Lesen von RelayLags", "Error al leer RelayLags", "Erreur de lecture de RelayLags"}},
    {&T::FlameReadStatus, {"Error reading Status", "Ошибка при считывании Status", "Помилка під час зчитування Status", "Fehler beim Lesen von Status", "Error al leer Status", "Erreur de lecture de Status"}},
    {&T::FlameReadAC, {"Error reading AC", "Ошибка при считывании AC", "Помилка під час зчитування AC", "Fehler beim Lesen von AC", "Error al leer AC", "Erreur de lecture de AC"}},
    {&T::FlameReadDC, {"Error reading DC", "Ошибка при считывании DC", "Помилка під час зчитування DC", "Fehler beim Lesen von DC", "Error al leer DC", "Erreur de lecture de DC"}},
    {&T::FlameReadChannelEnabled, {"Error reading ChannelEnabled", "Ошибка при считывании ChannelEnabled", "Помилка під час зчитування ChannelEnabled", "Fehler beim Lesen von ChannelEnabled", "Error al leer ChannelEnabled", "Erreur de lecture de ChannelEnabled"}},
    {&T::FlameReadAOConversion, {"Error reading Levels", "Ошибка при считывании Levels", "Помилка під час зчитування Levels", "Fehler beim Lesen von Levels", "Error al leer Levels", "Erreur de lecture de Levels"}},
    {&T::SetLevels, {"Error setting Levels", "Ошибка при установке Levels", "Помилка під час встановлення Levels", "Fehler beim Setzen von Levels", "Error al establecer Levels", "Erreur lors du réglage de Levels"}},
    {&T::FlameWriteACLevel, {"Error setting ACLevel", "Ошибка при установке ACLevel", "Помилка під час встановлення ACLevel", "Fehler beim Setzen von ACLevel", "Error al establecer ACLevel", "Erreur lors du réglage de ACLevel"}},
    {&T::FlameWriteDCLevel, {"Error setting DCLevel", "Ошибка при установке DCLevel", "Помилка під час встановлення DCLevel", "Fehler beim Setzen von DCLevel", "Error al establecer DCLevel", "Erreur lors du réglage de DCLevel"}},
    {&T::FlameWriteAlgorithm, {"Error setting Algorithm", "Ошибка при установке Algorithm", "Помилка під час встановлення Algorithm", "Fehler beim Setzen von Algorithm", "Error al establecer Algorithm", "Erreur lors du réglage de Algorithm"}},
    {&T::FlameWriteDOMask, {"Error setting DOMask", "Ошибка при установке DOMask", "Помилка під час встановлення DOMask", "Fehler beim Setzen von DOMask", "Error al establecer DOMask", "Erreur lors du réglage de DOMask"}},
    {&T::FlameRestart, {"Error restarting the controller", "Ошибка при перезапуске контроллера", "Помилка під час перезапуску контролера", "Fehler beim Neustart des Reglers", "Error al reiniciar el controlador", "Erreur lors du redémarrage du contrôleur"}},
    {&T::FlameZeroCorrection, {"Error correcting the zero level", "Ошибка при коррекции нуля", "Помилка під час корекції нуля", "Fehler bei der Nullpunktkorrektur", "Error al corregir el cero", "Erreur lors de la correction du zéro"}},
    {&T::FlameWriteIndication, {"Error switching the indication on or off", "Ошибка при записи активности индикации", "Помилка під час запису активності індикації", "Fehler beim Schreiben der Anzeigeaktivität", "Error al escribir la actividad de la indicación", "Erreur d'écriture de l'activité de l'indication"}},
    {&T::FlameWriteChannelEnabled, {"Error writing ChannelEnabled", "Ошибка при записи ChannelEnabled", "Помилка під час запису ChannelEnabled", "Fehler beim Schreiben von ChannelEnabled", "Error al escribir ChannelEnabled", "Erreur d'écriture de ChannelEnabled"}},
    {&T::FotoReadFilterCutoff, {"Error reading the filter cutoff frequency", "Ошибка при считывании частоты среза фильтра", "Помилка під час зчитування частоти зрізу фільтра", "Fehler beim Lesen der Grenzfrequenz des Filters", "Error al leer la frecuencia de corte del filtro", "Erreur de lecture de la fréquence de coupure du filtre"}},
    {&T::FotoReadFilterCutoff2, {"Error reading the cutoff frequency of filter No. 2", "Ошибка при считывании частоты среза фильтра №2", "Помилка під час зчитування частоти зрізу фільтра №2", "Fehler beim Lesen der Grenzfrequenz von Filter Nr. 2", "Error al leer la frecuencia de corte del filtro n.º 2", "Erreur de lecture de la fréquence de coupure du filtre n° 2"}},
    {&T::FotoReadTimeConstant, {"Error reading the detector time constant.", "Ошибка при считывании постоянной времени детектора.", "Помилка під час зчитування сталої часу детектора.", "Fehler beim Lesen der Zeitkonstante des Detektors.", "Error al leer la constante de tiempo del detector.", "Erreur de lecture de la constante de temps du détecteur."}},
    {&T::FotoReadJumpLevel, {"Error reading the jump level.", "Ошибка при считывании уровня скачка.", "Помилка під час зчитування рівня стрибка.", "Fehler beim Lesen des Sprungpegels.", "Error al leer el nivel de salto.", "Erreur de lecture du niveau de saut."}},
    {&T::FotoReadDACCode, {"Error reading the DAC code", "Ошибка при считывании кода DAC", "Помилка під час зчитування коду DAC", "Fehler beim Lesen des DAC-Codes", "Error al leer el código DAC", "Erreur de lecture du code DAC"}},
    {&T::FotoReadTemperature, {"Error reading the channel temperature", "Ошибка при считывании температуры канала", "Помилка під час зчитування температури каналу", "Fehler beim Lesen der Kanaltemperatur", "Error al leer la temperatura del canal", "Erreur de lecture de la température du canal"}},
    {&T::FotoReadRegulator, {"Error reading the regulator mode", "Ошибка при считывании режима регулятора", "Помилка під час зчитування режиму регулятора", "Fehler beim Lesen des Reglermodus", "Error al leer el modo del regulador", "Erreur de lecture du mode du régulateur"}},
    {&T::FotoReadHPFCutoff, {"Error reading the high-pass filter cutoff frequency", "Ошибка при считывании частоты среза ФВЧ", "Помилка під час зчитування частоти зрізу ФВЧ", "Fehler beim Lesen der Grenzfrequenz des Hochpassfilters", "Error al leer la frecuencia de corte del filtro paso alto", "Erreur de lecture de la fréquence de coupure du filtre passe-haut"}},
    {&T::FotoReadADCCode, {"Error reading the ADC code", "Ошибка при считывании кода АЦП", "Помилка під час зчитування коду АЦП", "Fehler beim Lesen des ADC-Codes", "Error al leer el código ADC", "Erreur de lecture du code ADC"}},
    {&T::FotoReadPolynomialOn, {"Error reading the polynomial status", "Ошибка при считывании статуса полинома", "Помилка під час зчитування стану полінома", "Fehler beim Lesen des Polynomstatus", "Error al leer el estado del polinomio", "Erreur de lecture de l'état du polynôme"}},
    {&T::FotoReadRecoveryCycles, {"Error reading RecoveryCyclesCount", "Ошибка при считывании RecoveryCyclesCount", "Помилка під час зчитування RecoveryCyclesCount", "Fehler beim Lesen von RecoveryCyclesCount", "Error al leer RecoveryCyclesCount", "Erreur de lecture de RecoveryCyclesCount"}},
    {&T::FotoReadPolynomial, {"Error setting the polynomial", "Ошибка при установке полинома", "Помилка під час встановлення полінома", "Fehler beim Setzen des Polynoms", "Error al establecer el polinomio", "Erreur lors du réglage du polynôme"}},
    {&T::FotoWriteFilterCutoff, {"Error writing the filter cutoff frequency.", "Ошибка при записи частоты среза фильтра.", "Помилка під час запису частоти зрізу фільтра.", "Fehler beim Schreiben der Grenzfrequenz des Filters.", "Error al escribir la frecuencia de corte del filtro.", "Erreur d'écriture de la fréquence de coupure du filtre."}},
    {&T::FotoWriteFilterCutoff2, {"Error writing the cutoff frequency of filter No. 2.", "Ошибка при записи частоты среза фильтра №2.", "Помилка під час запису частоти зрізу фільтра №2.", "Fehler beim Schreiben der Grenzfrequenz von Filter Nr. 2.", "Error al escribir la frecuencia de corte del filtro n.º 2.", "Erreur d'écriture de la fréquence de coupure du filtre n° 2."}},
    {&T::FotoWriteTimeConstant, {"Error writing the detector time constant.", "Ошибка при записи постоянной времени детектора.", "Помилка під час запису сталої часу детектора.", "Fehler beim Schreiben der Zeitkonstante des Detektors.", "Error al escribir la constante de tiempo del detector.", "Erreur d'écriture de la constante de temps du détecteur."}},
    {&T::FotoWriteJumpLevel, {"Error writing the jump level.", "Ошибка при записи уровня скачка.", "Помилка під час запису рівня стрибка.", "Fehler beim Schreiben des Sprungpegels.", "Error al escribir el nivel de salto.", "Erreur d'écriture du niveau de saut."}},
    {&T::FotoWriteDACCode, {"Error setting the DAC code", "Ошибка при установке кода DAC", "Помилка під час встановлення коду DAC", "Fehler beim Setzen des DAC-Codes", "Error al establecer el código DAC", "Erreur lors du réglage du code DAC"}},
    {&T::FotoWriteRegulator, {"Error setting the regulator mode", "Ошибка при установке режима регулятора", "Помилка під час встановлення режиму регулятора", "Fehler beim Setzen des Reglermodus", "Error al establecer el modo del regulador", "Erreur lors du réglage du mode du régulateur"}},
    {&T::FotoWriteHPFCutoff, {"Error writing the high-pass filter cutoff frequency.", "Ошибка при записи частоты среза ФВЧ.", "Помилка під час запису частоти зрізу ФВЧ.", "Fehler beim Schreiben der Grenzfrequenz des Hochpassfilters.", "Error al escribir la frecuencia de corte del filtro paso alto.", "Erreur d'écriture de la fréquence de coupure du filtre passe-haut."}},
    {&T::FotoWriteNormCoefficients, {"Error writing the normalization coefficients", "Ошибка при записи нормализационных коэффициентов", "Помилка під час запису нормалізаційних коефіцієнтів", "Fehler beim Schreiben der Normierungskoeffizienten", "Error al escribir los coeficientes de normalización", "Erreur d'écriture des coefficients de normalisation"}},
    {&T::FotoWritePolynomialOn, {"Error writing the polynomial status", "Ошибка при записи статуса полинома", "Помилка під час запису стану полінома", "Fehler beim Schreiben des Polynomstatus", "Error al escribir el estado del polinomio", "Erreur d'écriture de l'état du polynôme"}},
    {&T::FotoWriteRecoveryCycles, {"Error writing RecoveryCyclesCount", "Ошибка при записи RecoveryCyclesCount", "Помилка під час запису RecoveryCyclesCount", "Fehler beim Schreiben von RecoveryCyclesCount", "Error al escribir RecoveryCyclesCount", "Erreur d'écriture de RecoveryCyclesCount"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TSensorChannelTextsLanguage, DVV_SENSOR_CHANNEL_TEXTS(DVV_TEXT_FIELD))

// Every text of the sensor channels has its field here.
#define DVV_COUNT_TEXT(name) +1
static_assert(sizeof(TSensorChannelTexts) == (0 DVV_SENSOR_CHANNEL_TEXTS(DVV_COUNT_TEXT)) * sizeof(QString));
#undef DVV_COUNT_TEXT

TSensorChannelTexts TSensorChannelTextsLanguage::SensorChannelTexts() const {
    TSensorChannelTexts t;
#define DVV_COPY_TEXT(name) t.name = name;
    DVV_SENSOR_CHANNEL_TEXTS(DVV_COPY_TEXT)
#undef DVV_COPY_TEXT
    return t;
}

TSensorChannelTextsLanguageLocalization& SensorChannelTextsLanguage() {
    static TSensorChannelTextsLanguageLocalization table(kRows);
    return table;
}

void ApplySensorChannelTexts(quint8 LanguageID) {
    SetSensorChannelTexts(SensorChannelTextsLanguage().Texts(LanguageID).SensorChannelTexts());
}
