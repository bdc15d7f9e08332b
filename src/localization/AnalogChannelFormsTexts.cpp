// The texts of the analog output window, the eight-channel and pulse-counter input windows, their
// filter dialog and the sine generator.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/AnalogChannelFormsLanguage.h"

namespace {

// clang-format off
const TAnalogChannelFormsLanguageLocalization::TRow kFormsRows[] = {
    {&TAnalogChannelFormsLanguage::OutputParameter, {"Output parameter", "Выходной параметр", "Вихідний параметр", "Ausgangsgröße", "Parámetro de salida", "Grandeur de sortie"}},
    {&TAnalogChannelFormsLanguage::OutputValue, {"Output value", "Значение выхода", "Значення виходу", "Ausgangswert", "Valor de salida", "Valeur de sortie"}},
    {&TAnalogChannelFormsLanguage::Set, {"Set", "Установить", "Встановити", "Setzen", "Establecer", "Appliquer"}},
    {&TAnalogChannelFormsLanguage::Tester, {"Tester", "Тестер", "Тестер", "Tester", "Probador", "Testeur"}},
    {&TAnalogChannelFormsLanguage::Generator, {"Generator", "Генератор", "Генератор", "Generator", "Generador", "Générateur"}},
    {&TAnalogChannelFormsLanguage::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&TAnalogChannelFormsLanguage::ErrorSettingValue, {"Error setting channel value", "Ошибка установки значения канала", "Помилка встановлення значення каналу", "Fehler beim Setzen des Kanalwerts", "Error al establecer el valor del canal", "Erreur de réglage de la valeur du canal"}},
    {&TAnalogChannelFormsLanguage::PulseCount, {"Pulse count", "Число импульсов", "Кількість імпульсів", "Impulszahl", "Número de impulsos", "Nombre d'impulsions"}},
    {&TAnalogChannelFormsLanguage::Reset, {"RESET", "СБРОС", "СКИДАННЯ", "RESET", "REINICIAR", "RAZ"}},
    {&TAnalogChannelFormsLanguage::CounterResetError, {"Counter reset error", "Ошибка сброса счетчика", "Помилка скидання лічильника", "Fehler beim Zurücksetzen des Zählers", "Error al reiniciar el contador", "Erreur de remise à zéro du compteur"}},
    {&TAnalogChannelFormsLanguage::GeneratorOnlyInEmulation, {"The Generator is available only in emulation mode", "Генератор доступен только в режиме эмуляции", "Генератор доступний лише в режимі емуляції", "Der Generator ist nur im Emulationsmodus verfügbar", "El generador solo está disponible en modo de emulación", "Le générateur n'est disponible qu'en mode émulation"}},
    {&TAnalogChannelFormsLanguage::NotANumber, {"'%1' is not a valid floating point value", "'%1' не является числом с плавающей точкой", "'%1' не є числом з плаваючою комою", "'%1' ist kein gültiger Gleitkommawert", "'%1' no es un valor de coma flotante válido", "'%1' n'est pas une valeur à virgule flottante valide"}},
};
// clang-format on

// clang-format off
const TaiSimpleAdcAverageLanguageLocalization::TRow kAdcAverageRows[] = {
    {&TaiSimpleAdcAverageLanguage::Caption, {"Filter frequency", "Частота фильтра", "Частота фільтра", "Filterfrequenz", "Frecuencia del filtro", "Fréquence du filtre"}},
    {&TaiSimpleAdcAverageLanguage::FilterFrequency, {"Filter frequency (0.5-50), Hz", "Частота фильтра (0.5-50), Гц", "Частота фільтра (0.5-50), Гц", "Filterfrequenz (0.5-50), Hz", "Frecuencia del filtro (0.5-50), Hz", "Fréquence du filtre (0.5-50), Hz"}},
    {&TaiSimpleAdcAverageLanguage::ResponseTime, {"Responce time, ms", "Время отклика, мс", "Час відгуку, мс", "Ansprechzeit, ms", "Tiempo de respuesta, ms", "Temps de réponse, ms"}},
    {&TaiSimpleAdcAverageLanguage::AdcFrequency, {"ADC frequency", "Частота АЦП", "Частота АЦП", "ADU-Frequenz", "Frecuencia del CAD", "Fréquence du CAN"}},
    {&TaiSimpleAdcAverageLanguage::FilterOff, {"Off", "Откл.", "Вимк.", "Aus", "Desact.", "Désact."}},
    {&TaiSimpleAdcAverageLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TaiSimpleAdcAverageLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
};
// clang-format on

// clang-format off
const TSineGeneratorLanguageLocalization::TRow kSineRows[] = {
    {&TSineGeneratorLanguage::Caption, {"Sine generator", "Генератор синуса", "Генератор синуса", "Sinusgenerator", "Generador de seno", "Générateur de sinus"}},
    {&TSineGeneratorLanguage::Start, {"Start", "Пуск", "Пуск", "Start", "Iniciar", "Démarrer"}},
    {&TSineGeneratorLanguage::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&TSineGeneratorLanguage::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&TSineGeneratorLanguage::Range, {"Range", "Диапазон", "Діапазон", "Bereich", "Rango", "Plage"}},
    {&TSineGeneratorLanguage::NumberOfPoints, {"Number of points", "Количество точек", "Кількість точок", "Anzahl der Punkte", "Número de puntos", "Nombre de points"}},
    {&TSineGeneratorLanguage::Amplitude, {"Amplitude", "Амплитуда", "Амплітуда", "Amplitude", "Amplitud", "Amplitude"}},
    {&TSineGeneratorLanguage::Offset, {"Offset", "Смещение", "Зміщення", "Versatz", "Desplazamiento", "Décalage"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TAnalogChannelFormsLanguage, DVV_ANALOG_FORMS_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TaiSimpleAdcAverageLanguage, DVV_ADC_AVERAGE_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TSineGeneratorLanguage, DVV_SINE_GENERATOR_TEXTS(DVV_TEXT_FIELD))

TAnalogChannelFormsLanguageLocalization& AnalogChannelFormsLanguage() {
    static TAnalogChannelFormsLanguageLocalization table(kFormsRows);
    return table;
}

TaiSimpleAdcAverageLanguageLocalization& AdcAverageLanguage() {
    static TaiSimpleAdcAverageLanguageLocalization table(kAdcAverageRows);
    return table;
}

TSineGeneratorLanguageLocalization& SineGeneratorLanguage() {
    static TSineGeneratorLanguageLocalization table(kSineRows);
    return table;
}

std::vector<TTableReport> CheckAnalogChannelFormsLanguageTables() {
    return {
        CheckLanguageTable("AnalogChannelForms", AnalogChannelFormsLanguage()),
        CheckLanguageTable("aiSimpleAdcAverage", AdcAverageLanguage()),
        CheckLanguageTable("SineGenerator", SineGeneratorLanguage()),
    };
}
