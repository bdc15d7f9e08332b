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

using H = TIntactnessControllerDOFLanguage;

// clang-format off
const THealthCtrlLanguageLocalization::TRow kHealthRows[] = {
    {&H::Caption, {"Channel's parameters", "Параметры канала", "Параметри каналу", "Kanalparameter", "Parámetros del canal", "Paramètres du canal"}},
    {&H::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&H::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&H::TimeoutS, {"Timeout, s", "Таймаут, с", "Таймаут, с", "Zeitüberschreitung, s", "Tiempo de espera, s", "Délai, s"}},
    {&H::TimeoutMs, {"Timeout, ms", "Таймаут, мс", "Таймаут, мс", "Zeitüberschreitung, ms", "Tiempo de espera, ms", "Délai, ms"}},
    {&H::ResetCondition, {"Timeout reset conditions", "Условие сброса таймаута", "Умова скидання таймауту", "Rücksetzbedingung", "Condición de reinicio", "Condition de réinitialisation"}},
    {&H::DOStates, {"DO channels states (HEX)", "Состояние DO каналов (HEX)", "Стан DO каналів (HEX)", "Zustände der DO-Kanäle (HEX)", "Estados de canales DO (HEX)", "États des canaux DO (HEX)"}},
    {&H::DOMask, {"Маска DO-каналов, (HEX)", "Маска DO-каналов, (HEX)", "Маска DO-каналов, (HEX)", "Маска DO-каналов, (HEX)", "Маска DO-каналов, (HEX)", "Маска DO-каналов, (HEX)"}},
    {&H::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&H::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&H::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&H::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&H::ErrorReading, {"Error reading parameters", "Ошибка чтения параметров", "Помилка читання параметрів", "Fehler beim Lesen der Parameter", "Error al leer los parámetros", "Erreur de lecture des paramètres"}},
    {&H::ErrorWriting, {"Error writing parameters", "Ошибка записи параметров", "Помилка запису параметрів", "Fehler beim Schreiben der Parameter", "Error al escribir los parámetros", "Erreur d'écriture des paramètres"}},
    {&H::TimeoutPositive, {"Timeout must be a positive value", "Таймаут должен быть положительным", "Таймаут має бути додатним", "Die Zeitüberschreitung muss positiv sein", "El tiempo de espera debe ser positivo", "Le délai doit être positif"}},
    {&H::AnyData, {"Any data on the bus", "Любой обмен по шине", "Будь-який обмін на шині", "Beliebige Daten auf dem Bus", "Cualquier dato en el bus", "Toute donnée sur le bus"}},
    {&H::CallToModule, {"Call to module", "Обращение к модулю", "Звернення до модуля", "Aufruf des Moduls", "Llamada al módulo", "Appel au module"}},
    {&H::DiscreteOutput, {"Discrete output", "Дискретный выход", "Дискретний вихід", "Digitalausgang", "Salida discreta", "Sortie TOR"}},
    {&H::FrequencyOutput, {"Frequency output", "Частотный выход", "Частотний вихід", "Frequenzausgang", "Salida de frecuencia", "Sortie fréquence"}},
    {&H::AnalogOutput, {"Analog output", "Аналоговый выход", "Аналоговий вихід", "Analogausgang", "Salida analógica", "Sortie analogique"}},
    {&H::BadValue, {"%1: the value %2 is not valid", "%1: недопустимое значение %2", "%1: неприпустиме значення %2", "%1: der Wert %2 ist ungültig", "%1: el valor %2 no es válido", "%1 : la valeur %2 n'est pas valide"}},
    {&H::WriteFailedAt, {"Error writing parameters: %1 was not written", "Ошибка записи параметров: %1 не записан", "Помилка запису параметрів: %1 не записано", "Fehler beim Schreiben der Parameter: %1 wurde nicht geschrieben", "Error al escribir los parámetros: %1 no se escribió", "Erreur d'écriture des paramètres : %1 n'a pas été écrit"}},
    {&H::Value, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&H::InputValue, {"Input value", "Ввод значения", "Введення значення", "Wert eingeben", "Introducir valor", "Saisir la valeur"}},
    {&H::SelectDO, {"Select DO", "Выбрать DO", "Вибрати DO", "DO auswählen", "Seleccionar DO", "Sélectionner DO"}},
    {&H::UnSelectDO, {"UnSelect DO", "Снять выбор DO", "Зняти вибір DO", "DO abwählen", "Deseleccionar DO", "Désélectionner DO"}},
    {&H::SelectFO, {"Select FO", "Выбрать FO", "Вибрати FO", "FO auswählen", "Seleccionar FO", "Sélectionner FO"}},
    {&H::UnSelectFO, {"UnSelect FO", "Снять выбор FO", "Зняти вибір FO", "FO abwählen", "Deseleccionar FO", "Désélectionner FO"}},
    {&H::SelectAll, {"Select All", "Выбрать все", "Вибрати всі", "Alle auswählen", "Seleccionar todo", "Tout sélectionner"}},
    {&H::UnSelectAll, {"UnSelect All", "Снять выбор со всех", "Зняти вибір з усіх", "Alle abwählen", "Deseleccionar todo", "Tout désélectionner"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TDIDC_ExtChannelUnitLanguage, DVV_DIO_MANAGER_TEXTS(DVV_TEXT_FIELD))

TDIOManagerLanguageLocalization& DIOManagerLanguage() {
    static TDIOManagerLanguageLocalization table(kRows);
    return table;
}

DVV_DEFINE_TEXT_FIELDS(TIntactnessControllerDOFLanguage, DVV_HEALTH_CTRL_TEXTS(DVV_TEXT_FIELD))

THealthCtrlLanguageLocalization& HealthCtrlLanguage() {
    static THealthCtrlLanguageLocalization table(kHealthRows);
    return table;
}

std::vector<TTableReport> CheckDIOManagerLanguageTables() {
    return {CheckLanguageTable("DIDC_ExtChannelUnit", DIOManagerLanguage()),
            CheckLanguageTable("IntactnessControllerDOF", HealthCtrlLanguage())};
}
