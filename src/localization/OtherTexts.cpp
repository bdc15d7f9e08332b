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
const TTcpConnectionLanguageLocalization::TRow kTcpRows[] = {
    {&TTcpConnectionLanguage::Name, {"TCP Port", "TCP-порт", "TCP-порт", "TCP-Port", "Puerto TCP", "Port TCP"}},
    {&TTcpConnectionLanguage::ColAddress, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&TTcpConnectionLanguage::ColBaudRate, {"Baud rate", "Скорость", "Швидкість", "Baudrate", "Velocidad", "Débit"}},
    {&TTcpConnectionLanguage::ColProtocol, {"Protocol", "Протокол", "Протокол", "Protokoll", "Protocolo", "Protocole"}},
    {&TTcpConnectionLanguage::ColDeviceType, {"Device type", "Тип устройства", "Тип пристрою", "Gerätetyp", "Tipo de dispositivo", "Type d'appareil"}},
    {&TTcpConnectionLanguage::ColSerialNumber, {"Serial number", "Серийный номер", "Серійний номер", "Seriennummer", "Número de serie", "Numéro de série"}},
    {&TTcpConnectionLanguage::PanelHost, {"Host", "Хост", "Хост", "Host", "Host", "Hôte"}},
    {&TTcpConnectionLanguage::PanelPort, {"Port", "Порт", "Порт", "Port", "Puerto", "Port"}},
    {&TTcpConnectionLanguage::PanelFraming, {"Framing", "Кадры", "Кадри", "Rahmen", "Tramas", "Trames"}},
    {&TTcpConnectionLanguage::Connected, {"Connected", "Подключено", "Підключено", "Verbunden", "Conectado", "Connecté"}},
    {&TTcpConnectionLanguage::PeerClosed, {"Closed by peer", "Закрыто другой стороной", "Закрито іншою стороною", "Gegenseite getrennt", "Cerrada por el otro extremo", "Fermée par le pair"}},
    {&TTcpConnectionLanguage::PeerClosedHint, {"The next request connects again.", "Следующий запрос подключится снова.", "Наступний запит підключиться знову.", "Die nächste Anfrage verbindet erneut.", "La próxima petición vuelve a conectar.", "La prochaine requête se reconnecte."}},
    {&TTcpConnectionLanguage::ConnectionLost, {"Connection lost", "Соединение потеряно", "З'єднання втрачено", "Verbindung verloren", "Conexión perdida", "Connexion perdue"}},
    {&TTcpConnectionLanguage::ConnectionLostHint, {"Connect again when the converter is back.", "Подключитесь снова, когда преобразователь будет доступен.", "Підключіться знову, коли перетворювач буде доступний.", "Erneut verbinden, sobald der Umsetzer wieder erreichbar ist.", "Vuelva a conectar cuando el convertidor esté disponible.", "Reconnectez-vous quand le convertisseur est de retour."}},
    {&TTcpConnectionLanguage::MsgConnectError, {"TCP connection error", "Ошибка TCP-подключения", "Помилка TCP-підключення", "Fehler bei der TCP-Verbindung", "Error de conexión TCP", "Erreur de connexion TCP"}},
    {&TTcpConnectionLanguage::SettingsCaption, {"TCP connection settings", "Параметры TCP-соединения", "Параметри TCP-з'єднання", "TCP-Verbindungseinstellungen", "Parámetros de la conexión TCP", "Paramètres de la connexion TCP"}},
    {&TTcpConnectionLanguage::SettingsHost, {"Host", "Хост", "Хост", "Host", "Host", "Hôte"}},
    {&TTcpConnectionLanguage::SettingsPort, {"Port", "Порт", "Порт", "Port", "Puerto", "Port"}},
    {&TTcpConnectionLanguage::SettingsFraming, {"Framing", "Кадры", "Кадри", "Rahmen", "Tramas", "Trames"}},
    {&TTcpConnectionLanguage::FramingRaw, {"Raw (serial device server)", "Без изменений (сервер последовательных устройств)", "Без змін (сервер послідовних пристроїв)", "Unverändert (serieller Geräteserver)", "Sin cambios (servidor de dispositivos serie)", "Brut (serveur de périphériques série)"}},
    {&TTcpConnectionLanguage::FramingModbusTcp, {"Modbus TCP (gateway)", "Modbus TCP (шлюз)", "Modbus TCP (шлюз)", "Modbus TCP (Gateway)", "Modbus TCP (pasarela)", "Modbus TCP (passerelle)"}},
    {&TTcpConnectionLanguage::SettingsTimeout, {"Timeout, ms", "Таймаут, мс", "Тайм-аут, мс", "Zeitüberschreitung, ms", "Tiempo de espera, ms", "Délai, ms"}},
    {&TTcpConnectionLanguage::SettingsOk, {"OK", "OK", "OK", "OK", "Aceptar", "OK"}},
    {&TTcpConnectionLanguage::SettingsCancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TTcpConnectionLanguage::MsgHostEmpty, {"Host: enter the converter's address or name", "Хост: введите адрес или имя преобразователя", "Хост: введіть адресу або ім'я перетворювача", "Host: Adresse oder Name des Umsetzers eingeben", "Host: introduzca la dirección o el nombre del convertidor", "Hôte : saisissez l'adresse ou le nom du convertisseur"}},
    {&TTcpConnectionLanguage::MsgPortRange, {"Port: enter a whole number from 1 to 65535", "Порт: введите целое число от 1 до 65535", "Порт: введіть ціле число від 1 до 65535", "Port: ganze Zahl von 1 bis 65535 eingeben", "Puerto: introduzca un número entero de 1 a 65535", "Port : entrez un nombre entier de 1 à 65535"}},
    {&TTcpConnectionLanguage::MsgTimeoutRange, {"Timeout, ms: enter a whole number from %1 to %2", "Таймаут, мс: введите целое число от %1 до %2", "Тайм-аут, мс: введіть ціле число від %1 до %2", "Zeitüberschreitung, ms: ganze Zahl von %1 bis %2 eingeben", "Tiempo de espera, ms: introduzca un número entero de %1 a %2", "Délai, ms : entrez un nombre entier de %1 à %2"}},
    {&TTcpConnectionLanguage::FramingRawShort, {"Raw", "Без изменений", "Без змін", "Unverändert", "Sin cambios", "Brut"}},
    {&TTcpConnectionLanguage::MsgNerixOverModbusTcp, {"A Modbus TCP gateway carries Modbus only", "Шлюз Modbus TCP передаёт только Modbus", "Шлюз Modbus TCP передає лише Modbus", "Ein Modbus-TCP-Gateway überträgt nur Modbus", "Una pasarela Modbus TCP solo transporta Modbus", "Une passerelle Modbus TCP ne transporte que Modbus"}},
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
    {&TEmulatorLanguage::TabDevices, {"Devices", "Устройства", "Пристрої", "Geräte", "Dispositivos", "Appareils"}},
    {&TEmulatorLanguage::TabFaults, {"Faults", "Сбои", "Збої", "Fehler", "Fallos", "Défauts"}},
    {&TEmulatorLanguage::TabStatistics, {"Statistics", "Статистика", "Статистика", "Statistik", "Estadísticas", "Statistiques"}},
    {&TEmulatorLanguage::FaultsText, {"Faults (empty: none)", "Сбои (пусто: нет)", "Збої (порожньо: немає)", "Fehler (leer: keine)", "Fallos (vacío: ninguno)", "Défauts (vide : aucun)"}},
    {&TEmulatorLanguage::FaultsSeed, {"Seed (empty: new each start)", "Зерно (пусто: новое при запуске)", "Зерно (порожньо: нове при запуску)", "Startwert (leer: bei jedem Start neu)", "Semilla (vacío: nueva en cada inicio)", "Graine (vide : nouvelle à chaque départ)"}},
    {&TEmulatorLanguage::FaultsHelp, {
        "Items separated by commas; each is off unless given:\n"
        "delay=MS or MIN-MAX — answer after MS, or MIN..MAX ms at random\n"
        "drop=P — no answer, with probability P (0 to 1)\n"
        "crc=P — the answer's CRC corrupted, with probability P\n"
        "split=N@MS — the first N bytes, a gap of MS ms, the rest\n"
        "garbage=N — N random bytes before the answer (up to 64)\n"
        "wrong-address=P — the answer from another address\n"
        "stop-after=N, resume-after=M — a device answers N requests,\n"
        "then none until M went unanswered (0: never again)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — for the device at address A only\n"
        "Example: delay=5-40,drop=0.05,device=2:stop-after=100",
        "Элементы через запятую; каждый выключен, если не задан:\n"
        "delay=MS или MIN-MAX — ответ через MS мс или через MIN..MAX мс случайно\n"
        "drop=P — нет ответа с вероятностью P (от 0 до 1)\n"
        "crc=P — CRC ответа испорчен с вероятностью P\n"
        "split=N@MS — первые N байт, пауза MS мс, остальное\n"
        "garbage=N — N случайных байт перед ответом (до 64)\n"
        "wrong-address=P — ответ с чужого адреса\n"
        "stop-after=N, resume-after=M — устройство отвечает на N запросов,\n"
        "затем молчит, пока M запросов не останутся без ответа (0: всегда)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — только для устройства с адресом A\n"
        "Пример: delay=5-40,drop=0.05,device=2:stop-after=100",
        "Елементи через кому; кожен вимкнено, якщо не задано:\n"
        "delay=MS або MIN-MAX — відповідь через MS мс або через MIN..MAX мс випадково\n"
        "drop=P — немає відповіді з імовірністю P (від 0 до 1)\n"
        "crc=P — CRC відповіді зіпсовано з імовірністю P\n"
        "split=N@MS — перші N байтів, пауза MS мс, решта\n"
        "garbage=N — N випадкових байтів перед відповіддю (до 64)\n"
        "wrong-address=P — відповідь з чужої адреси\n"
        "stop-after=N, resume-after=M — пристрій відповідає на N запитів,\n"
        "потім мовчить, доки M запитів не залишаться без відповіді (0: завжди)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — лише для пристрою з адресою A\n"
        "Приклад: delay=5-40,drop=0.05,device=2:stop-after=100",
        "Einträge durch Kommas getrennt; jeder ist aus, wenn nicht angegeben:\n"
        "delay=MS oder MIN-MAX — Antwort nach MS ms oder zufällig nach MIN..MAX ms\n"
        "drop=P — keine Antwort, mit Wahrscheinlichkeit P (0 bis 1)\n"
        "crc=P — CRC der Antwort verfälscht, mit Wahrscheinlichkeit P\n"
        "split=N@MS — die ersten N Bytes, eine Pause von MS ms, der Rest\n"
        "garbage=N — N Zufallsbytes vor der Antwort (bis 64)\n"
        "wrong-address=P — die Antwort von einer anderen Adresse\n"
        "stop-after=N, resume-after=M — ein Gerät beantwortet N Anfragen,\n"
        "dann keine, bis M unbeantwortet blieben (0: nie wieder)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — nur für das Gerät mit Adresse A\n"
        "Beispiel: delay=5-40,drop=0.05,device=2:stop-after=100",
        "Elementos separados por comas; cada uno está apagado si no se da:\n"
        "delay=MS o MIN-MAX — respuesta tras MS ms, o tras MIN..MAX ms al azar\n"
        "drop=P — sin respuesta, con probabilidad P (de 0 a 1)\n"
        "crc=P — CRC de la respuesta dañado, con probabilidad P\n"
        "split=N@MS — los primeros N bytes, una pausa de MS ms, el resto\n"
        "garbage=N — N bytes aleatorios antes de la respuesta (hasta 64)\n"
        "wrong-address=P — la respuesta desde otra dirección\n"
        "stop-after=N, resume-after=M — un dispositivo responde N peticiones,\n"
        "luego ninguna hasta que M queden sin respuesta (0: nunca más)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — solo para el dispositivo en A\n"
        "Ejemplo: delay=5-40,drop=0.05,device=2:stop-after=100",
        "Éléments séparés par des virgules ; chacun est inactif s'il n'est pas donné :\n"
        "delay=MS ou MIN-MAX — réponse après MS ms, ou après MIN..MAX ms au hasard\n"
        "drop=P — pas de réponse, avec la probabilité P (0 à 1)\n"
        "crc=P — CRC de la réponse altéré, avec la probabilité P\n"
        "split=N@MS — les N premiers octets, une pause de MS ms, le reste\n"
        "garbage=N — N octets aléatoires avant la réponse (jusqu'à 64)\n"
        "wrong-address=P — la réponse d'une autre adresse\n"
        "stop-after=N, resume-after=M — un appareil répond à N requêtes,\n"
        "puis à aucune tant que M sont restées sans réponse (0 : plus jamais)\n"
        "device=A:KEY=VALUE[:KEY=VALUE] — pour l'appareil d'adresse A seulement\n"
        "Exemple : delay=5-40,drop=0.05,device=2:stop-after=100"}},
    {&TEmulatorLanguage::FaultsOk, {"The faults are valid", "Сбои заданы верно", "Збої задано правильно", "Die Fehlerangabe ist gültig", "Los fallos son válidos", "Les défauts sont valides"}},
    {&TEmulatorLanguage::MsgBadFaults, {"Not a valid fault: \"%1\" (see the keys below)", "Неверно задан сбой: «%1» (см. ключи ниже)", "Неправильно задано збій: «%1» (див. ключі нижче)", "Ungültige Fehlerangabe: „%1“ (siehe die Schlüssel unten)", "Fallo no válido: «%1» (vea las claves abajo)", "Défaut non valide : « %1 » (voir les clés ci-dessous)"}},
    {&TEmulatorLanguage::MsgBadSeed, {"The seed must be a whole number from 0 to 18446744073709551615", "Зерно должно быть целым числом от 0 до 18446744073709551615", "Зерно має бути цілим числом від 0 до 18446744073709551615", "Der Startwert muss eine ganze Zahl von 0 bis 18446744073709551615 sein", "La semilla debe ser un número entero de 0 a 18446744073709551615", "La graine doit être un nombre entier de 0 à 18446744073709551615"}},
    {&TEmulatorLanguage::ColAddress, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&TEmulatorLanguage::ColReceived, {"Received", "Принято", "Отримано", "Empfangen", "Recibidas", "Reçues"}},
    {&TEmulatorLanguage::ColAnswered, {"Answered", "Отвечено", "Відповіді", "Beantwortet", "Respondidas", "Répondues"}},
    {&TEmulatorLanguage::ColDropped, {"Dropped", "Сброшено", "Скинуто", "Verworfen", "Descartadas", "Abandonnées"}},
    {&TEmulatorLanguage::ColRefused, {"Refused", "Отклонено", "Відхилено", "Abgelehnt", "Rechazadas", "Refusées"}},
    {&TEmulatorLanguage::ColTimes, {"ms: min/med/max", "мс: мин/мед/макс", "мс: мін/мед/макс", "ms: Min/Med/Max", "ms: mín/med/máx", "ms : min/méd/max"}},
    {&TEmulatorLanguage::StatsOther, {"other", "прочие", "інші", "andere", "otras", "autres"}},
    {&TEmulatorLanguage::StatsSeed, {"Faults: %1; seed %2", "Сбои: %1; зерно %2", "Збої: %1; зерно %2", "Fehler: %1; Startwert %2", "Fallos: %1; semilla %2", "Défauts : %1 ; graine %2"}},
    {&TEmulatorLanguage::StatsNoFaults, {"none", "нет", "немає", "keine", "ninguno", "aucun"}},
    {&TEmulatorLanguage::StatsReset, {"Reset", "Сбросить", "Скинути", "Zurücksetzen", "Restablecer", "Réinitialiser"}},
    {&TEmulatorLanguage::ColCrc, {"Bad CRC", "Ошибка CRC", "Помилка CRC", "CRC falsch", "CRC erróneo", "CRC erroné"}},
    {&TEmulatorLanguage::ColFunction, {"Bad function", "Неизв. функция", "Невідома функція", "Funktion unbekannt", "Función no admitida", "Fonction inconnue"}},
    {&TEmulatorLanguage::ColMalformed, {"Malformed", "Искажён", "Спотворено", "Fehlerhaft", "Mal formada", "Mal formée"}},
    {&TEmulatorLanguage::ColUnknownAddress, {"Unknown address", "Неизв. адрес", "Невідома адреса", "Adresse unbekannt", "Dirección desconocida", "Adresse inconnue"}},
    {&TEmulatorLanguage::ColUnknownRegister, {"Unknown register", "Неизв. регистр", "Невідомий регістр", "Register unbekannt", "Registro desconocido", "Registre inconnu"}},
    {&TEmulatorLanguage::StatsCaption, {"Emulator statistics", "Статистика эмулятора", "Статистика емулятора", "Emulator-Statistik", "Estadísticas del emulador", "Statistiques de l'émulateur"}},
    {&TEmulatorLanguage::StatsRunning, {"The emulator is running: the counts are live.", "Эмулятор работает: счётчики обновляются.", "Емулятор працює: лічильники оновлюються.", "Der Emulator läuft: die Zähler sind aktuell.", "El emulador está en marcha: los contadores se actualizan.", "L'émulateur fonctionne : les compteurs sont à jour."}},
    {&TEmulatorLanguage::StatsStopped, {"The emulator is stopped: the counts of its last session.", "Эмулятор остановлен: счётчики последнего сеанса.", "Емулятор зупинено: лічильники останнього сеансу.", "Der Emulator ist angehalten: die Zähler der letzten Sitzung.", "El emulador está detenido: contadores de la última sesión.", "L'émulateur est arrêté : compteurs de la dernière session."}},
    {&TEmulatorLanguage::StatsNone, {"The emulator has not run yet.", "Эмулятор ещё не запускался.", "Емулятор ще не запускався.", "Der Emulator lief noch nicht.", "El emulador aún no se ha iniciado.", "L'émulateur n'a pas encore fonctionné."}},
    {&TEmulatorLanguage::TcpCheck, {"Serve TCP masters instead of the COM-port", "Обслуживать TCP-клиентов вместо COM-порта", "Обслуговувати TCP-клієнтів замість COM-порту", "TCP-Master statt des COM-Ports bedienen", "Atender maestros TCP en lugar del puerto COM", "Servir des maîtres TCP au lieu du port COM"}},
    {&TEmulatorLanguage::TcpPort, {"TCP port", "TCP-порт", "TCP-порт", "TCP-Port", "Puerto TCP", "Port TCP"}},
    {&TEmulatorLanguage::TcpMbap, {"Modbus TCP (MBAP)", "Modbus TCP (MBAP)", "Modbus TCP (MBAP)", "Modbus TCP (MBAP)", "Modbus TCP (MBAP)", "Modbus TCP (MBAP)"}},
    {&TEmulatorLanguage::MsgListenError, {"Cannot listen on TCP port %1", "Не удалось открыть TCP-порт %1", "Не вдалося відкрити TCP-порт %1", "TCP-Port %1 kann nicht geöffnet werden", "No se puede escuchar en el puerto TCP %1", "Impossible d'écouter sur le port TCP %1"}},
    {&TEmulatorLanguage::FaultsTcpNote, {"Faults are made on the COM-port only: TCP masters get every answer as it is.", "Сбои создаются только на COM-порту: TCP-клиенты получают ответы без искажений.", "Збої створюються лише на COM-порту: TCP-клієнти отримують відповіді без спотворень.", "Fehler entstehen nur am COM-Port: TCP-Master erhalten jede Antwort unverändert.", "Los fallos solo se producen en el puerto COM: los maestros TCP reciben cada respuesta tal cual.", "Les défauts ne touchent que le port COM : les maîtres TCP reçoivent chaque réponse telle quelle."}},
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

DVV_DEFINE_TEXT_FIELDS(TTcpConnectionLanguage, DVV_TCP_CONNECTION_TEXTS(DVV_TEXT_FIELD))

DVV_DEFINE_TEXT_FIELDS(TEmulatorLanguage, DVV_EMULATOR_TEXTS(DVV_TEXT_FIELD))

TFindUnitLanguageLocalization& FindUnitLanguage() {
    static TFindUnitLanguageLocalization table(kFindRows);
    return table;
}

TUdpConnectionLanguageLocalization& UdpConnectionLanguage() {
    static TUdpConnectionLanguageLocalization table(kUdpRows);
    return table;
}

TTcpConnectionLanguageLocalization& TcpConnectionLanguage() {
    static TTcpConnectionLanguageLocalization table(kTcpRows);
    return table;
}

TEmulatorLanguageLocalization& EmulatorLanguage() {
    static TEmulatorLanguageLocalization table(kEmulatorRows);
    return table;
}
