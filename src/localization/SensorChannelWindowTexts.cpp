// The texts of the special sensor channel windows. Columns: English, Russian, Ukrainian, German,
// Spanish, French.
#include "localization/SensorChannelLanguage.h"

namespace {

using V = TKVD_A_VIX_FormLanguage;

// clang-format off
const TKVD_A_VIX_FormLanguageLocalization::TRow kAVixRows[] = {
    {&V::Caption, {"GVix protection unit", "Блок защиты GVix", "Блок захисту GVix", "GVix-Schutzeinheit", "Unidad de protección GVix", "Unité de protection GVix"}},
    {&V::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&V::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&V::InputChannel, {"Input", "Вход", "Вхід", "Eingang", "Entrada", "Entrée"}},
    {&V::OutputChannel, {"Output", "Выход", "Вихід", "Ausgang", "Salida", "Sortie"}},
    {&V::InputRange, {"Input range", "Диапазон входа", "Діапазон входу", "Eingangsbereich", "Rango de entrada", "Plage d'entrée"}},
    {&V::OutputRange, {"Output range", "Диапазон выхода", "Діапазон виходу", "Ausgangsbereich", "Rango de salida", "Plage de sortie"}},
    {&V::UnknownRange, {"unknown range (code %1)", "неизвестный диапазон (код %1)", "невідомий діапазон (код %1)", "unbekannter Bereich (Code %1)", "rango desconocido (código %1)", "plage inconnue (code %1)"}},
    {&V::Normalization, {"Normalization", "Нормализация", "Нормалізація", "Normierung", "Normalización", "Normalisation"}},
    {&V::ConversionRange, {"Conversion range", "Диапазон преобразования", "Діапазон перетворення", "Umrechnungsbereich", "Rango de conversión", "Plage de conversion"}},
    {&V::RangeArrow, {"input %1 … %2  →  output %3 … %4", "вход %1 … %2  →  выход %3 … %4", "вхід %1 … %2  →  вихід %3 … %4", "Eingang %1 … %2  →  Ausgang %3 … %4", "entrada %1 … %2  →  salida %3 … %4", "entrée %1 … %2  →  sortie %3 … %4"}},
    {&V::InputStart, {"Input start", "Начало входа", "Початок входу", "Eingang Anfang", "Inicio de entrada", "Début d'entrée"}},
    {&V::InputStop, {"Input end", "Конец входа", "Кінець входу", "Eingang Ende", "Fin de entrada", "Fin d'entrée"}},
    {&V::OutputStart, {"Output start", "Начало выхода", "Початок виходу", "Ausgang Anfang", "Inicio de salida", "Début de sortie"}},
    {&V::OutputStop, {"Output end", "Конец выхода", "Кінець виходу", "Ausgang Ende", "Fin de salida", "Fin de sortie"}},
    {&V::Change, {"Change...", "Изменить...", "Змінити...", "Ändern...", "Cambiar...", "Modifier..."}},
    {&V::OutputValue, {"Output value", "Значение выхода", "Значення виходу", "Ausgangswert", "Valor de salida", "Valeur de sortie"}},
    {&V::Set, {"Set", "Установить", "Встановити", "Setzen", "Establecer", "Appliquer"}},
    {&V::Refresh, {"Refresh", "Обновить", "Оновити", "Aktualisieren", "Actualizar", "Actualiser"}},
    {&V::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&V::Ok, {"OK", "OK", "OK", "OK", "Aceptar", "OK"}},
    {&V::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&V::ZeroInputSpan, {"The input range must not be zero", "Диапазон входных значений не должен быть равен нулю", "Діапазон вхідних значень не повинен дорівнювати нулю", "Der Eingangsbereich darf nicht null sein", "El rango de entrada no debe ser cero", "La plage d'entrée ne doit pas être nulle"}},
    {&V::SaveRangesFailed, {"Error saving the ranges", "Ошибка сохранения диапазонов", "Помилка збереження діапазонів", "Fehler beim Speichern der Bereiche", "Error al guardar los rangos", "Erreur d'enregistrement des plages"}},
    {&V::NotANumber, {"%1: \"%2\" is not a number", "%1: \"%2\" не является числом", "%1: \"%2\" не є числом", "%1: \"%2\" ist keine Zahl", "%1: \"%2\" no es un número", "%1 : « %2 » n'est pas un nombre"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TKVD_A_VIX_FormLanguage, DVV_A_VIX_FORM_TEXTS(DVV_TEXT_FIELD))

TKVD_A_VIX_FormLanguageLocalization& KVD_A_VIX_FormLanguage() {
    static TKVD_A_VIX_FormLanguageLocalization table(kAVixRows);
    return table;
}

std::vector<TTableReport> CheckSensorChannelLanguageTables() {
    return {CheckLanguageTable("KVD_A_VIX_Form", KVD_A_VIX_FormLanguage())};
}
