// The texts of the temperature and flowmeter channel windows. Columns: English, Russian, Ukrainian,
// German, Spanish, French.
#include "localization/TermoFlowLanguage.h"

namespace {

using V = TTermoFlowLanguage;

// clang-format off
const TTermoFlowLanguageLocalization::TRow kRows[] = {
    {&V::TcCaption, {"Temperature channels", "Температурные каналы", "Температурні канали", "Temperaturkanäle", "Canales de temperatura", "Canaux de température"}},
    {&V::RsCaption, {"Flowmeter channels", "Каналы расходомера", "Канали витратоміра", "Durchflussmesserkanäle", "Canales del caudalímetro", "Canaux du débitmètre"}},
    {&V::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&V::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&V::ColChannel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&V::ColEnabled, {"Enabled", "Включен", "Увімкнено", "Aktiv", "Activo", "Actif"}},
    {&V::ColTemperature, {"Temperature, °C", "Температура, °C", "Температура, °C", "Temperatur, °C", "Temperatura, °C", "Température, °C"}},
    {&V::ColAlarm, {"Alarm", "Сигнализация", "Сигналізація", "Alarm", "Alarma", "Alarme"}},
    {&V::ColAlarmLow, {"Alarm low", "Нижний порог сигн.", "Нижній поріг сигн.", "Alarm unten", "Alarma baja", "Alarme basse"}},
    {&V::ColAlarmHigh, {"Alarm high", "Верхний порог сигн.", "Верхній поріг сигн.", "Alarm oben", "Alarma alta", "Alarme haute"}},
    {&V::ColRelay, {"Relay", "Реле", "Реле", "Relais", "Relé", "Relais"}},
    {&V::ColRelayLow, {"Relay low", "Нижний порог реле", "Нижній поріг реле", "Relais unten", "Relé bajo", "Relais bas"}},
    {&V::ColRelayHigh, {"Relay high", "Верхний порог реле", "Верхній поріг реле", "Relais oben", "Relé alto", "Relais haut"}},
    {&V::Controller, {"Controller", "Контроллер", "Контролер", "Controller", "Controlador", "Contrôleur"}},
    {&V::Sensor, {"DS1820 #%1", "DS1820 №%1", "DS1820 №%1", "DS1820 Nr. %1", "DS1820 n.º %1", "DS1820 n° %1"}},
    {&V::SensorError, {"ERROR", "ERROR", "ERROR", "ERROR", "ERROR", "ERROR"}},
    {&V::NoAnswer, {"no answer", "нет ответа", "немає відповіді", "keine Antwort", "sin respuesta", "pas de réponse"}},
    {&V::RelayNormalState, {"Relay normal state", "Нормальное состояние реле", "Нормальний стан реле", "Relais-Ruhezustand", "Estado normal del relé", "État normal du relais"}},
    {&V::Refresh, {"Refresh", "Обновить", "Оновити", "Aktualisieren", "Actualizar", "Actualiser"}},
    {&V::Start, {"Start", "Старт", "Старт", "Start", "Iniciar", "Démarrer"}},
    {&V::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&V::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&V::Ok, {"OK", "OK", "OK", "OK", "Aceptar", "OK"}},
    {&V::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&V::Set, {"Set", "Установить", "Встановити", "Setzen", "Establecer", "Appliquer"}},
    {&V::MsgCountFailed, {"The number of channels could not be read", "Не удалось прочитать число каналов", "Не вдалося прочитати кількість каналів", "Die Zahl der Kanäle konnte nicht gelesen werden", "No se pudo leer el número de canales", "Impossible de lire le nombre de canaux"}},
    {&V::MsgTooManyChannels, {"The device reports %1 channels; the module has %2, only these are shown", "Устройство сообщает о %1 каналах; в модуле их %2, показаны только они", "Пристрій повідомляє про %1 каналів; у модулі їх %2, показано лише їх", "Das Gerät meldet %1 Kanäle; das Modul hat %2, nur diese werden gezeigt", "El dispositivo indica %1 canales; el módulo tiene %2 y solo se muestran esos", "L'appareil annonce %1 canaux ; le module en a %2, seuls ceux-ci sont affichés"}},
    {&V::MsgReadFailed, {"%1: the settings could not be read", "%1: не удалось прочитать настройки", "%1: не вдалося прочитати налаштування", "%1: Die Einstellungen konnten nicht gelesen werden", "%1: no se pudieron leer los ajustes", "%1 : impossible de lire les réglages"}},
    {&V::MsgWriteFailed, {"%1: error writing \"%2\"", "%1: ошибка записи «%2»", "%1: помилка запису «%2»", "%1: Fehler beim Schreiben von „%2“", "%1: error al escribir «%2»", "%1 : erreur d'écriture de « %2 »"}},
    {&V::NotANumber, {"%1: \"%2\" is not a number", "%1: \"%2\" не является числом", "%1: \"%2\" не є числом", "%1: \"%2\" ist keine Zahl", "%1: \"%2\" no es un número", "%1 : « %2 » n'est pas un nombre"}},
    {&V::TabSettings, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Ajustes", "Réglages"}},
    {&V::TabMeasurements, {"Measurements", "Измерения", "Вимірювання", "Messwerte", "Mediciones", "Mesures"}},
    {&V::ColConnected, {"Connected", "Подключен", "Підключено", "Verbunden", "Conectado", "Connecté"}},
    {&V::ColType, {"Channel type", "Тип канала", "Тип каналу", "Kanaltyp", "Tipo de canal", "Type de canal"}},
    {&V::Type0, {"Discrete output", "Дискретный вывод", "Дискретний вивід", "Digitalausgang", "Salida discreta", "Sortie TOR"}},
    {&V::Type1, {"Discrete input", "Дискретный ввод", "Дискретний ввід", "Digitaleingang", "Entrada discreta", "Entrée TOR"}},
    {&V::Type2, {"Pulse counter", "Счетчик импульсов", "Лічильник імпульсів", "Impulszähler", "Contador de impulsos", "Compteur d'impulsions"}},
    {&V::Type3, {"Frequency meter", "Частотомер", "Частотомір", "Frequenzmesser", "Frecuencímetro", "Fréquencemètre"}},
    {&V::Type4, {"Counter-DIRECT", "Счетчик-DIRECT", "Лічильник-DIRECT", "Zähler-DIRECT", "Contador-DIRECT", "Compteur-DIRECT"}},
    {&V::ColFront, {"Counting edge", "Фронт счета", "Фронт рахунку", "Zählflanke", "Flanco de conteo", "Front de comptage"}},
    {&V::FrontRear, {"Rear", "Задний", "Задній", "Hinten", "Trasero", "Arrière"}},
    {&V::FrontFront, {"Front", "Передний", "Передній", "Vorne", "Delantero", "Avant"}},
    {&V::ColResponseTime, {"Response time", "Время реакции", "Час реакції", "Reaktionszeit", "Tiempo de respuesta", "Temps de réponse"}},
    {&V::ColImpulseWeight, {"Impulse weight", "Вес импульса", "Вага імпульсу", "Impulswertigkeit", "Peso del impulso", "Poids d'impulsion"}},
    {&V::SourceOff, {"Off", "Откл.", "Вимк.", "Aus", "Desact.", "Désact."}},
    {&V::SourceFlowSpeed, {"Flow speed", "Скорость потока", "Швидкість потоку", "Durchfluss", "Velocidad de flujo", "Vitesse d'écoulement"}},
    {&V::SourceConsumption, {"Consumption", "Расход", "Витрата", "Verbrauch", "Consumo", "Consommation"}},
    {&V::ColPolynomial, {"Polynomial", "Полином", "Поліном", "Polynom", "Polinomio", "Polynôme"}},
    {&V::PolynomialCaption, {"Polynomial: %1", "Полином: %1", "Поліном: %1", "Polynom: %1", "Polinomio: %1", "Polynôme : %1"}},
    {&V::MsgPolyReadFailed, {"%1: the polynomial could not be read", "%1: не удалось прочитать полином", "%1: не вдалося прочитати поліном", "%1: Das Polynom konnte nicht gelesen werden", "%1: no se pudo leer el polinomio", "%1 : impossible de lire le polynôme"}},
    {&V::MsgPolyWriteFailed, {"%1: the polynomial could not be written", "%1: не удалось записать полином", "%1: не вдалося записати поліном", "%1: Das Polynom konnte nicht geschrieben werden", "%1: no se pudo escribir el polinomio", "%1 : impossible d'écrire le polynôme"}},
    {&V::ColInput, {"Input", "Вход", "Вхід", "Eingang", "Entrada", "Entrée"}},
    {&V::ColOutput, {"Output", "Выход", "Вихід", "Ausgang", "Salida", "Sortie"}},
    {&V::ColPulseCount, {"Pulse count", "Число импульсов", "Кількість імпульсів", "Impulszahl", "Impulsos", "Impulsions"}},
    {&V::ColCounter, {"Counter", "Счетчик", "Лічильник", "Zähler", "Contador", "Compteur"}},
    {&V::Reset, {"Reset", "Сброс", "Скинути", "Nullen", "Poner a cero", "RAZ"}},
    {&V::ColFrequency, {"Frequency, Hz", "Частота, Гц", "Частота, Гц", "Frequenz, Hz", "Frecuencia, Hz", "Fréquence, Hz"}},
    {&V::ColConsumption, {"Consumption", "Расход", "Витрата", "Verbrauch", "Consumo", "Consommation"}},
    {&V::ColFlowSpeed, {"Flow speed", "Скорость потока", "Швидкість потоку", "Durchfluss", "Velocidad de flujo", "Vitesse d'écoulement"}},
    {&V::MeasureTime, {"Measurement time, ms", "Время измерения, мс", "Час вимірювання, мс", "Messzeit, ms", "Tiempo de medición, ms", "Temps de mesure, ms"}},
    {&V::MsgResetFailed, {"%1: the counter could not be reset", "%1: не удалось сбросить счетчик", "%1: не вдалося скинути лічильник", "%1: Der Zähler konnte nicht genullt werden", "%1: no se pudo poner a cero el contador", "%1 : impossible de remettre à zéro le compteur"}},
    {&V::ChannelN, {"Channel %1", "Канал %1", "Канал %1", "Kanal %1", "Canal %1", "Canal %1"}},
    {&V::TabLimits, {"Alarm and relay", "Сигнализация и реле", "Сигналізація та реле", "Alarm und Relais", "Alarma y relé", "Alarme et relais"}},
    {&V::ModuleSettings, {"Whole module", "Весь модуль", "Увесь модуль", "Ganzes Modul", "Todo el módulo", "Module entier"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TTermoFlowLanguage, DVV_TERMO_FLOW_TEXTS(DVV_TEXT_FIELD))

TTermoFlowLanguageLocalization& TermoFlowLanguage() {
    static TTermoFlowLanguageLocalization table(kRows);
    return table;
}

TTableReport CheckTermoFlowLanguageTable() {
    return CheckLanguageTable("TermoFlow", TermoFlowLanguage());
}
