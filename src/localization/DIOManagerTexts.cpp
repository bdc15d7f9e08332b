// The texts of the discrete input/output manager windows. Columns: English, Russian, Ukrainian,
// German, Spanish, French.
#include "localization/DIOManagerLanguage.h"

namespace {

using T = TDIDC_ExtChannelUnitLanguage;

// clang-format off
const TDIOManagerLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"Discrete input/output manager", "Менеджер дискретного ввода-вывода", "Менеджер дискретного введення-виведення", "Manager der digitalen Ein-/Ausgänge", "Gestor de entradas/salidas discretas", "Gestionnaire des entrées/sorties TOR"}},
    {&T::SafeMode, {"Safe mode", "Защищенный режим", "Захищений режим", "Geschützter Modus", "Modo protegido", "Mode protégé"}},
    {&T::DiscreteOutput, {"DISCRETE OUTPUT", "ДИСКРЕТНЫЙ ВЫВОД", "ДИСКРЕТНЕ ВИВЕДЕННЯ", "DIGITALAUSGANG", "SALIDA DISCRETA", "SORTIE TOR"}},
    {&T::DiscreteInput, {"DISCRETE INPUT", "ДИСКРЕТНЫЙ ВВОД", "ДИСКРЕТНЕ ВВЕДЕННЯ", "DIGITALEINGANG", "ENTRADA DISCRETA", "ENTRÉE TOR"}},
    {&T::AllTo0, {"All to 0", "Все в 0", "Усі в 0", "Alle auf 0", "Todas a 0", "Toutes à 0"}},
    {&T::AllTo1, {"All to 1", "Все в 1", "Усі в 1", "Alle auf 1", "Todas a 1", "Toutes à 1"}},
    {&T::Auto, {"Auto", "Авто", "Авто", "Auto", "Auto", "Auto"}},
    {&T::Set, {"Set", "Установить", "Встановити", "Setzen", "Establecer", "Appliquer"}},
    {&T::Refresh, {"Refresh", "Обновить", "Оновити", "Aktualisieren", "Actualizar", "Actualiser"}},
    {&T::ToFlash, {"To Flash", "в Flash", "у Flash", "In Flash", "A Flash", "Vers Flash"}},
    {&T::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&T::Status, {"Status", "Статус", "Статус", "Status", "Estado", "État"}},
    {&T::AdditionalInfo, {"Additional information", "Дополнительная информация", "Додаткова інформація", "Zusätzliche Informationen", "Información adicional", "Informations supplémentaires"}},
    {&T::Temperature, {"Temperature", "Температура", "Температура", "Temperatur", "Temperatura", "Température"}},
    {&T::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&T::On, {"On", "Вкл.", "Увімк.", "Ein", "Encendida", "Marche"}},
    {&T::Off, {"Off", "Откл.", "Вимк.", "Aus", "Apagada", "Arrêt"}},
    {&T::OnUpper, {"ON", "ВКЛ", "УВІМК", "EIN", "ENCENDIDA", "MARCHE"}},
    {&T::OffUpper, {"OFF", "ОТКЛ", "ВИМК", "AUS", "APAGADA", "ARRÊT"}},
    {&T::ChannelFault, {"Channel fault", "Неисправность в канале", "Несправність у каналі", "Kanalfehler", "Fallo del canal", "Défaut du canal"}},
    {&T::ContactClosed, {"Contact closed", "Контакт замкнут", "Контакт замкнений", "Kontakt geschlossen", "Contacto cerrado", "Contact fermé"}},
    {&T::LogicalOne, {"Logical one", "Логическая единица", "Логічна одиниця", "Logisch eins", "Uno lógico", "Un logique"}},
    {&T::ContactOpened, {"Contact opened", "Контакт разомкнут", "Контакт розімкнений", "Kontakt offen", "Contacto abierto", "Contact ouvert"}},
    {&T::LogicalZero, {"Logical zero", "Логический ноль", "Логічний нуль", "Logisch null", "Cero lógico", "Zéro logique"}},
    {&T::LineBreak, {"Line break", "Обрыв линии", "Обрив лінії", "Leitungsbruch", "Línea rota", "Rupture de ligne"}},
    {&T::ShortCircuit, {"Short circuit", "Короткое замыкание", "Коротке замикання", "Kurzschluss", "Cortocircuito", "Court-circuit"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TDIDC_ExtChannelUnitLanguage, DVV_DIO_MANAGER_TEXTS(DVV_TEXT_FIELD))

TDIOManagerLanguageLocalization& DIOManagerLanguage() {
    static TDIOManagerLanguageLocalization table(kRows);
    return table;
}

std::vector<TTableReport> CheckDIOManagerLanguageTables() {
    return {CheckLanguageTable("DIDC_ExtChannelUnit", DIOManagerLanguage())};
}
