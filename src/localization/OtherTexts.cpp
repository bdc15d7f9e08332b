// The texts of the scan dialog, the UDP connection and the emulator window.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/LanguageTables.h"

namespace {

// clang-format off
const TFindUnitLanguageLocalization::TRow kFindRows[] = {
    {&TFindUnitLanguage::Caption, {"Device detection", "Поиск устройств", "Пошук пристроїв", "Geräteerkennung", "Detección de dispositivos", "Détection des appareils"}},
    {&TFindUnitLanguage::CommunicationProtocol, {"Communication protocol", "Протокол обмена", "Протокол обміну", "Kommunikationsprotokoll", "Protocolo de comunicación", "Protocole de communication"}},
    {&TFindUnitLanguage::ScanMethod, {"Scan method", "Метод поиска", "Метод пошуку", "Suchmethode", "Método de búsqueda", "Méthode de recherche"}},
    {&TFindUnitLanguage::InitialAddress, {"Initial address", "Начальный адрес", "Початкова адреса", "Startadresse", "Dirección inicial", "Adresse initiale"}},
    {&TFindUnitLanguage::LastAddress, {"Last address", "Конечный адрес", "Кінцева адреса", "Endadresse", "Dirección final", "Adresse finale"}},
    {&TFindUnitLanguage::CurrentAddress, {"Current address", "Текущий адрес", "Поточна адреса", "Aktuelle Adresse", "Dirección actual", "Adresse actuelle"}},
    {&TFindUnitLanguage::CurrentSpeed, {"Current speed", "Текущая скорость", "Поточна швидкість", "Aktuelle Baudrate", "Velocidad actual", "Débit actuel"}},
    {&TFindUnitLanguage::Parity, {"Parity", "Чётность", "Парність", "Parität", "Paridad", "Parité"}},
    {&TFindUnitLanguage::Speeds, {"Speeds", "Скорости", "Швидкості", "Baudraten", "Velocidades", "Débits"}},
    {&TFindUnitLanguage::ByAddresses, {"By addresses", "По адресам", "За адресами", "Nach Adressen", "Por direcciones", "Par adresses"}},
    {&TFindUnitLanguage::BySpeeds, {"By speeds", "По скоростям", "За швидкостями", "Nach Baudraten", "Por velocidades", "Par débits"}},
    {&TFindUnitLanguage::SearchFirst, {"Search first device", "Найти первое устройство", "Знайти перший пристрій", "Erstes Gerät suchen", "Buscar el primer dispositivo", "Rechercher le premier appareil"}},
    {&TFindUnitLanguage::SearchAll, {"Search all devices", "Найти все устройства", "Знайти всі пристрої", "Alle Geräte suchen", "Buscar todos los dispositivos", "Rechercher tous les appareils"}},
    {&TFindUnitLanguage::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&TFindUnitLanguage::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&TFindUnitLanguage::MsgAddressRange, {"Error selecting address range", "Ошибка выбора диапазона адресов", "Помилка вибору діапазону адрес", "Fehler bei der Wahl des Adressbereichs", "Error al seleccionar el rango de direcciones", "Erreur de sélection de la plage d'adresses"}},
    {&TFindUnitLanguage::MsgDevicesFound, {"Devices found: %1", "Найдено устройств: %1", "Знайдено пристроїв: %1", "Gefundene Geräte: %1", "Dispositivos encontrados: %1", "Appareils trouvés : %1"}},
    {&TFindUnitLanguage::MsgNoDeviceFound, {"No device found", "Устройства не найдены", "Пристроїв не знайдено", "Kein Gerät gefunden", "No se encontró ningún dispositivo", "Aucun appareil trouvé"}},
};
// clang-format on

// clang-format off
const TUdpConnectionLanguageLocalization::TRow kUdpRows[] = {
    {&TUdpConnectionLanguage::ColAddress, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&TUdpConnectionLanguage::ColProtocol, {"Protocol", "Протокол", "Протокол", "Protokoll", "Protocolo", "Protocole"}},
    {&TUdpConnectionLanguage::ColDeviceType, {"Device type", "Тип устройства", "Тип пристрою", "Gerätetyp", "Tipo de dispositivo", "Type d'appareil"}},
    {&TUdpConnectionLanguage::ColSerialNumber, {"Serial number", "Серийный номер", "Серійний номер", "Seriennummer", "Número de serie", "Numéro de série"}},
    {&TUdpConnectionLanguage::PanelHost, {"Host", "Хост", "Хост", "Host", "Host", "Hôte"}},
    {&TUdpConnectionLanguage::PanelRemotePort, {"Remote port", "Удалённый порт", "Віддалений порт", "Entfernter Port", "Puerto remoto", "Port distant"}},
    {&TUdpConnectionLanguage::PanelLocalPort, {"Local port", "Локальный порт", "Локальний порт", "Lokaler Port", "Puerto local", "Port local"}},
    {&TUdpConnectionLanguage::Connected, {"Connected", "Подключено", "Підключено", "Verbunden", "Conectado", "Connecté"}},
};
// clang-format on

// clang-format off
const TEmulatorLanguageLocalization::TRow kEmulatorRows[] = {
    {&TEmulatorLanguage::Caption, {"Select devices", "Выбор устройств", "Вибір пристроїв", "Geräte auswählen", "Seleccionar dispositivos", "Sélection des appareils"}},
    {&TEmulatorLanguage::ComPort, {"COM-port", "COM-порт", "COM-порт", "COM-Port", "Puerto COM", "Port COM"}},
    {&TEmulatorLanguage::Protocol, {"Protocol", "Протокол", "Протокол", "Protokoll", "Protocolo", "Protocole"}},
    {&TEmulatorLanguage::ColDevice, {"device", "устройство", "пристрій", "Gerät", "dispositivo", "appareil"}},
    {&TEmulatorLanguage::ColNumber, {"Number", "Количество", "Кількість", "Anzahl", "Cantidad", "Nombre"}},
    {&TEmulatorLanguage::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&TEmulatorLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TEmulatorLanguage::MsgComPortError, {"COM-port connection error", "Ошибка подключения к COM-порту", "Помилка підключення до COM-порту", "Fehler beim Verbinden mit dem COM-Port", "Error de conexión al puerto COM", "Erreur de connexion au port COM"}},
    {&TEmulatorLanguage::EditorCaption, {"Editor", "Редактор", "Редактор", "Editor", "Editor", "Éditeur"}},
    {&TEmulatorLanguage::EditorPrompt, {"Enter the number of devices", "Введите количество устройств", "Введіть кількість пристроїв", "Anzahl der Geräte eingeben", "Introduzca el número de dispositivos", "Saisissez le nombre d'appareils"}},
    {&TEmulatorLanguage::EditorNumber, {"Number", "Количество", "Кількість", "Anzahl", "Cantidad", "Nombre"}},
    {&TEmulatorLanguage::EditorApply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TEmulatorLanguage::EditorCancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TEmulatorLanguage::MsgChooseDevice, {"Choose at least one device to emulate", "Выберите хотя бы одно устройство для эмуляции", "Виберіть хоча б один пристрій для емуляції", "Wählen Sie mindestens ein Gerät zum Emulieren", "Elija al menos un dispositivo para emular", "Choisissez au moins un appareil à émuler"}},
};
// clang-format on

// clang-format off
const TRangeKindsLanguageLocalization::TRow kRangeKindRows[] = {
    {&TRangeKindsLanguage::Voltage, {"Voltage", "Напряжение", "Напруга", "Spannung", "Tensión", "Tension"}},
    {&TRangeKindsLanguage::BipolarVoltage, {"Bipolar voltage", "Двуполярное напряжение", "Двополярна напруга", "Bipolare Spannung", "Tensión bipolar", "Tension bipolaire"}},
    {&TRangeKindsLanguage::Resistance, {"Resistance", "Сопротивление", "Опір", "Widerstand", "Resistencia", "Résistance"}},
    {&TRangeKindsLanguage::Thermocouple, {"Thermocouple", "Термопара", "Термопара", "Thermoelement", "Termopar", "Thermocouple"}},
    {&TRangeKindsLanguage::Thermoresistance, {"Thermoresistance", "Термосопротивление", "Термоопір", "Widerstandsthermometer", "Termorresistencia", "Thermorésistance"}},
    {&TRangeKindsLanguage::Current, {"Current", "Ток", "Струм", "Strom", "Corriente", "Courant"}},
    {&TRangeKindsLanguage::Frequency, {"Frequency", "Частота", "Частота", "Frequenz", "Frecuencia", "Fréquence"}},
    {&TRangeKindsLanguage::AlternatingVoltage, {"Alternating voltage", "Переменное напряжение", "Змінна напруга", "Wechselspannung", "Tensión alterna", "Tension alternative"}},
    {&TRangeKindsLanguage::AlternatingCurrent, {"Alternating current", "Переменный ток", "Змінний струм", "Wechselstrom", "Corriente alterna", "Courant alternatif"}},
    {&TRangeKindsLanguage::Inductance, {"Inductance", "Индуктивность", "Індуктивність", "Induktivität", "Inductancia", "Inductance"}},
    {&TRangeKindsLanguage::Resistance4Wires, {"Resistance - 4 wires", "Сопротивление - 4 провода", "Опір - 4 дроти", "Widerstand - 4 Leiter", "Resistencia - 4 hilos", "Résistance - 4 fils"}},
    {&TRangeKindsLanguage::Thermoresistance4Wires, {"Thermoresistance - 4 wires", "Термосопротивление - 4 провода", "Термоопір - 4 дроти", "Widerstandsthermometer - 4 Leiter", "Termorresistencia - 4 hilos", "Thermorésistance - 4 fils"}},
    {&TRangeKindsLanguage::BipolarCurrent, {"Bipolar current", "Двуполярный ток", "Двополярний струм", "Bipolarer Strom", "Corriente bipolar", "Courant bipolaire"}},
    {&TRangeKindsLanguage::Service, {"Service", "Служебный", "Службовий", "Service", "Servicio", "Service"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TRangeKindsLanguage, DVV_RANGE_KIND_TEXTS(DVV_TEXT_FIELD))

TRangeKindTexts TRangeKindsLanguage::KindTexts() const {
    TRangeKindTexts t;
#define DVV_COPY_TEXT(name) t.name = name;
    DVV_RANGE_KIND_TEXTS(DVV_COPY_TEXT)
#undef DVV_COPY_TEXT
    return t;
}

TRangeKindsLanguageLocalization& RangeKindsLanguage() {
    static TRangeKindsLanguageLocalization table(kRangeKindRows);
    return table;
}

void RebuildRangesTable(TPrTbl& Table, quint8 LanguageID) {
    Table.Rebuild(RangeKindsLanguage().Texts(LanguageID).KindTexts());
}

DVV_DEFINE_TEXT_FIELDS(TFindUnitLanguage, DVV_FIND_UNIT_TEXTS(DVV_TEXT_FIELD))

DVV_DEFINE_TEXT_FIELDS(TUdpConnectionLanguage, DVV_UDP_CONNECTION_TEXTS(DVV_TEXT_FIELD))

DVV_DEFINE_TEXT_FIELDS(TEmulatorLanguage, DVV_EMULATOR_TEXTS(DVV_TEXT_FIELD))

TFindUnitLanguageLocalization& FindUnitLanguage() {
    static TFindUnitLanguageLocalization table(kFindRows);
    return table;
}

TUdpConnectionLanguageLocalization& UdpConnectionLanguage() {
    static TUdpConnectionLanguageLocalization table(kUdpRows);
    return table;
}

TEmulatorLanguageLocalization& EmulatorLanguage() {
    static TEmulatorLanguageLocalization table(kEmulatorRows);
    return table;
}
