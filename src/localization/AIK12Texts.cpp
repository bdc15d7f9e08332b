// The twelve-channel module's window. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/AIK12Language.h"

namespace {

using A = TAIK12DlgLanguage;

// clang-format off
const TAIK12DlgLanguageLocalization::TRow kRows[] = {
    {&A::Caption, {"Signalling system", "Система сигнализации", "Система сигналізації", "Meldesystem", "Sistema de señalización", "Système de signalisation"}},
    {&A::InputsCaption, {"Analog input system", "Система аналоговых входов", "Система аналогових входів", "System der Analogeingänge", "Sistema de entradas analógicas", "Système d'entrées analogiques"}},
    {&A::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&A::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&A::ColChannel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&A::ColValue, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&A::ColAlarm, {"Alarm", "Сигнализация", "Сигналізація", "Alarm", "Alarma", "Alarme"}},
    {&A::ColAlarmLow, {"Alarm low", "Сигн. мин.", "Сигн. мін.", "Alarm min.", "Alarma mín.", "Alarme min."}},
    {&A::ColAlarmHigh, {"Alarm high", "Сигн. макс.", "Сигн. макс.", "Alarm max.", "Alarma máx.", "Alarme max."}},
    {&A::ColRelay, {"Relay", "Реле", "Реле", "Relais", "Relé", "Relais"}},
    {&A::ColRelayLow, {"Relay low", "Реле мин.", "Реле мін.", "Relais min.", "Relé mín.", "Relais min."}},
    {&A::ColRelayHigh, {"Relay high", "Реле макс.", "Реле макс.", "Relais max.", "Relé máx.", "Relais max."}},
    {&A::ColInput, {"Input", "Вход", "Вхід", "Eingang", "Entrada", "Entrée"}},
    {&A::ColRange, {"Range", "Диапазон", "Діапазон", "Messbereich", "Rango", "Plage"}},
    {&A::ColUnit, {"Unit", "Единица", "Одиниця", "Einheit", "Unidad", "Unité"}},
    {&A::InputN, {"Input %1", "Вход %1", "Вхід %1", "Eingang %1", "Entrada %1", "Entrée %1"}},
    {&A::Temperature, {"Temperature", "Температура", "Температура", "Temperatur", "Temperatura", "Température"}},
    {&A::RelayNormalState, {"Relay normal state", "Нормальное состояние реле", "Нормальний стан реле", "Ruhezustand des Relais", "Estado normal del relé", "État normal du relais"}},
    {&A::Read, {"Read", "Считать", "Зчитати", "Lesen", "Leer", "Lire"}},
    {&A::Write, {"Write", "Записать", "Записати", "Schreiben", "Escribir", "Écrire"}},
    {&A::Start, {"Start", "Старт", "Старт", "Start", "Iniciar", "Démarrer"}},
    {&A::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&A::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&A::NoAnswer, {"no answer", "нет ответа", "немає відповіді", "keine Antwort", "sin respuesta", "pas de réponse"}},
    {&A::UnknownRange, {"unknown range (code %1)", "неизвестный диапазон (код %1)", "невідомий діапазон (код %1)", "unbekannter Bereich (Code %1)", "rango desconocido (código %1)", "plage inconnue (code %1)"}},
    {&A::Code, {"Code", "Код", "Код", "Code", "Código", "Code"}},
    {&A::ReadFailed, {"Error reading the signalling table. The table shown is unchanged.", "Ошибка при считывании таблицы сигнализации. Показанная таблица не изменилась.", "Помилка під час зчитування таблиці сигналізації. Показана таблиця не змінилася.", "Fehler beim Lesen der Meldetabelle. Die angezeigte Tabelle ist unverändert.", "Error al leer la tabla de señalización. La tabla mostrada no ha cambiado.", "Erreur de lecture de la table de signalisation. La table affichée est inchangée."}},
    {&A::WriteFailed, {"Error writing the signalling table. The device may hold only part of the new table.", "Ошибка при записи таблицы сигнализации. В устройстве может оказаться только часть новой таблицы.", "Помилка під час запису таблиці сигналізації. У пристрої може бути лише частина нової таблиці.", "Fehler beim Schreiben der Meldetabelle. Das Gerät enthält möglicherweise nur einen Teil der neuen Tabelle.", "Error al escribir la tabla de señalización. El dispositivo puede contener solo una parte de la nueva tabla.", "Erreur d'écriture de la table de signalisation. L'appareil peut ne contenir qu'une partie de la nouvelle table."}},
    {&A::NotANumber, {"%1, %2: \"%3\" is not a number", "%1, %2: \"%3\" не является числом", "%1, %2: \"%3\" не є числом", "%1, %2: \"%3\" ist keine Zahl", "%1, %2: \"%3\" no es un número", "%1, %2 : « %3 » n'est pas un nombre"}},
    {&A::LowAboveHigh, {"%1, %2: the low limit %3 is above the high limit %4", "%1, %2: нижний предел %3 больше верхнего %4", "%1, %2: нижня межа %3 більша за верхню %4", "%1, %2: die untere Grenze %3 liegt über der oberen %4", "%1, %2: el límite inferior %3 es mayor que el superior %4", "%1, %2 : la limite basse %3 dépasse la limite haute %4"}},
    {&A::NoInputs, {"The module's analog inputs do not answer", "Аналоговые входы модуля не отвечают", "Аналогові входи модуля не відповідають", "Die Analogeingänge des Moduls antworten nicht", "Las entradas analógicas del módulo no responden", "Les entrées analogiques du module ne répondent pas"}},
    {&A::OpenFailed, {"Error reading the signalling table", "Ошибка при считывании таблицы сигнализации", "Помилка під час зчитування таблиці сигналізації", "Fehler beim Lesen der Meldetabelle", "Error al leer la tabla de señalización", "Erreur de lecture de la table de signalisation"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TAIK12DlgLanguage, DVV_AIK12_DLG_TEXTS(DVV_TEXT_FIELD))

TAIK12DlgLanguageLocalization& AIK12DlgLanguage() {
    static TAIK12DlgLanguageLocalization table(kRows);
    return table;
}
