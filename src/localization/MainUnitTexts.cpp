// The main window's texts. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/LanguageTables.h"

namespace {

using T = TMainUnitLanguage;
using TRow = TMainUnitLanguageLocalization::TRow;

// clang-format off
const TRow kRows[] = {
    {&T::Title, {"ZUVO Dovuvavarovod", "ZUVO Dovuvavarovod", "ZUVO Dovuvavarovod", "ZUVO Dovuvavarovod", "ZUVO Dovuvavarovod", "ZUVO Dovuvavarovod"}},
    {&T::LiteTitle, {"Dovuvavarovod Lite", "Dovuvavarovod Lite", "Dovuvavarovod Lite", "Dovuvavarovod Lite", "Dovuvavarovod Lite", "Dovuvavarovod Lite"}},
    {&T::MenuExit, {"Exit", "Выход", "Вихід", "Beenden", "Salir", "Quitter"}},
    {&T::MenuBus, {"Bus", "Шина", "Шина", "Bus", "Bus", "Bus"}},
    {&T::MenuDevices, {"Devices", "Устройства", "Пристрої", "Geräte", "Dispositivos", "Appareils"}},
    {&T::MenuService, {"Service", "Сервис", "Сервіс", "Service", "Servicio", "Service"}},
    {&T::MenuConnectionTest, {"Connection test", "Тест связи", "Тест зв'язку", "Verbindungstest", "Prueba de conexión", "Test de connexion"}},
    {&T::MenuVirtualTools, {"Virtual tools", "Виртуальные приборы", "Віртуальні прилади", "Virtuelle Instrumente", "Instrumentos virtuales", "Instruments virtuels"}},
    {&T::MenuSignalGenerator, {"Signal generator", "Генератор сигналов", "Генератор сигналів", "Signalgenerator", "Generador de señales", "Générateur de signaux"}},
    {&T::MenuTester, {"Tester", "Тестер", "Тестер", "Tester", "Comprobador", "Testeur"}},
    {&T::MenuRemoteContact, {"Remote contact", "Удалённый контакт", "Віддалений контакт", "Fernkontakt", "Contacto remoto", "Contact distant"}},
    {&T::ActBusSettings, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Configuración", "Paramètres"}},
    {&T::ActConnect, {"Connection", "Подключение", "Підключення", "Verbindung", "Conexión", "Connexion"}},
    {&T::ActFindDevices, {"Search devices", "Поиск устройств", "Пошук пристроїв", "Geräte suchen", "Buscar dispositivos", "Rechercher les appareils"}},
    {&T::ActDevSettings, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Configuración", "Paramètres"}},
    {&T::ActTestConnection, {"Connection test", "Тест связи", "Тест зв'язку", "Verbindungstest", "Prueba de conexión", "Test de connexion"}},
    {&T::ActShowRangesList, {"Show ranges list", "Список диапазонов", "Список діапазонів", "Messbereichsliste anzeigen", "Mostrar la lista de rangos", "Afficher la liste des plages"}},
    {&T::ActGenerator, {"Signal generator", "Генератор сигналов", "Генератор сигналів", "Signalgenerator", "Generador de señales", "Générateur de signaux"}},
    {&T::ActTester, {"Tester", "Тестер", "Тестер", "Tester", "Comprobador", "Testeur"}},
    {&T::ActRemoteContact, {"Remote contact", "Удалённый контакт", "Віддалений контакт", "Fernkontakt", "Contacto remoto", "Contact distant"}},
    {&T::ActChangeMode, {"Change Dovuvavarovod mode", "Сменить режим Dovuvavarovod", "Змінити режим Dovuvavarovod", "Dovuvavarovod-Modus wechseln", "Cambiar el modo de Dovuvavarovod", "Changer le mode de Dovuvavarovod"}},
    {&T::ActOscilloscope, {"Oscilloscope", "Осциллограф", "Осцилограф", "Oszilloskop", "Osciloscopio", "Oscilloscope"}},
    {&T::ActHelp, {"Help", "Справка", "Довідка", "Hilfe", "Ayuda", "Aide"}},
    {&T::ActOrderProducts, {"Order products", "Заказать продукцию", "Замовити продукцію", "Produkte bestellen", "Pedir productos", "Commander des produits"}},
    {&T::ActAbout, {"About", "О программе", "Про програму", "Über", "Acerca de", "À propos"}},
    {&T::BtnExit, {"Exit", "Выход", "Вихід", "Beenden", "Salir", "Quitter"}},
    {&T::BtnConnection, {"Connection", "Подключение", "Підключення", "Verbindung", "Conexión", "Connexion"}},
    {&T::BtnSearch, {"Search", "Поиск", "Пошук", "Suchen", "Buscar", "Rechercher"}},
    {&T::BtnSettings, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Configuración", "Paramètres"}},
    {&T::BtnGroupAdjust, {"Group adjust.", "Групп. настр.", "Груп. налашт.", "Gruppeneinst.", "Ajuste grupal", "Réglage groupé"}},
    {&T::BtnApplications, {"Applications", "Приложения", "Застосунки", "Anwendungen", "Aplicaciones", "Applications"}},
    {&T::BtnOscilloscope, {"Oscilloscope", "Осциллограф", "Осцилограф", "Oszilloskop", "Osciloscopio", "Oscilloscope"}},
    {&T::BtnEmulator, {"Emulator", "Эмулятор", "Емулятор", "Emulator", "Emulador", "Émulateur"}},
    {&T::BtnAbout, {"About", "О программе", "Про програму", "Über", "Acerca de", "À propos"}},
    {&T::HintExit, {"Exit", "Выход из программы", "Вихід з програми", "Programm beenden", "Salir del programa", "Quitter le programme"}},
    {&T::HintBusSettings, {"Bus settings", "Настройки шины", "Налаштування шини", "Buseinstellungen", "Configuración del bus", "Paramètres du bus"}},
    {&T::HintBusState, {"Bus state", "Состояние шины", "Стан шини", "Buszustand", "Estado del bus", "État du bus"}},
    {&T::HintSearch, {"Search", "Поиск устройств", "Пошук пристроїв", "Geräte suchen", "Buscar dispositivos", "Rechercher les appareils"}},
    {&T::HintAbout, {"About", "О программе", "Про програму", "Über das Programm", "Acerca del programa", "À propos du programme"}},
    {&T::MsgEnableLite, {"Enable Lite-mode?", "Включить режим Lite?", "Увімкнути режим Lite?", "Lite-Modus einschalten?", "¿Activar el modo Lite?", "Activer le mode Lite ?"}},
    {&T::MsgFlashUnavailable, {"Work with flash memory unavailable in Lite mode", "В режиме Lite работа с флеш-памятью недоступна", "У режимі Lite робота з флеш-пам'яттю недоступна", "Im Lite-Modus ist der Flash-Speicher nicht zugänglich", "En el modo Lite no se puede trabajar con la memoria flash", "En mode Lite, la mémoire flash n'est pas accessible"}},
    {&T::MsgEnableAdvanced, {"Enable advanced mode", "Включить расширенный режим", "Увімкнути розширений режим", "Erweiterten Modus einschalten", "Activar el modo avanzado", "Activer le mode avancé"}},
    {&T::TestCaption, {"Test Connection Channel", "Тест канала связи", "Тест каналу зв'язку", "Test des Verbindungskanals", "Prueba del canal de comunicación", "Test du canal de communication"}},
    {&T::ColAddress, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&T::ColBaudRate, {"Baud rate", "Скорость", "Швидкість", "Baudrate", "Velocidad", "Débit"}},
    {&T::ColProtocol, {"Protocol", "Протокол", "Протокол", "Protokoll", "Protocolo", "Protocole"}},
    {&T::ColDeviceType, {"Device type", "Тип устройства", "Тип пристрою", "Gerätetyp", "Tipo de dispositivo", "Type d'appareil"}},
    {&T::ColSerialNumber, {"Serial number", "Серийный номер", "Серійний номер", "Seriennummer", "Número de serie", "Numéro de série"}},
    {&T::ColTransactions, {"Number of transactions", "Количество транзакций", "Кількість транзакцій", "Anzahl der Transaktionen", "Número de transacciones", "Nombre de transactions"}},
    {&T::ColErrors, {"Error count", "Количество ошибок", "Кількість помилок", "Fehleranzahl", "Número de errores", "Nombre d'erreurs"}},
    {&T::PanelPort, {"Port", "Порт", "Порт", "Port", "Puerto", "Port"}},
    {&T::PanelBaudRate, {"Baud rate", "Скорость", "Швидкість", "Baudrate", "Velocidad", "Débit"}},
    {&T::PanelState, {"State", "Состояние", "Стан", "Zustand", "Estado", "État"}},
    {&T::Connected, {"Connected", "Подключено", "Підключено", "Verbunden", "Conectado", "Connecté"}},
    {&T::MsgComPortError, {"COM port connection error", "Ошибка подключения к COM-порту", "Помилка підключення до COM-порту", "Fehler beim Verbinden mit dem COM-Port", "Error de conexión al puerto COM", "Erreur de connexion au port COM"}},
    {&T::SettingsCaption, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Configuración", "Paramètres"}},
    {&T::SettingsPort, {"Port", "Порт", "Порт", "Port", "Puerto", "Port"}},
    {&T::SettingsBaudRate, {"Baud rate", "Скорость", "Швидкість", "Baudrate", "Velocidad", "Débit"}},
    {&T::SettingsParity, {"Parity", "Чётность", "Парність", "Parität", "Paridad", "Parité"}},
    {&T::SettingsApply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&T::SettingsCancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},

    {&T::SettingsStopBits, {"Stop bits", "Стоп-биты", "Стоп-біти", "Stoppbits", "Bits de parada", "Bits d'arrêt"}},
    {&T::SettingsRts, {"RTS:", "RTS:", "RTS:", "RTS:", "RTS:", "RTS :"}},
    {&T::SettingsTimeout, {"Timeout, ms", "Таймаут, мс", "Тайм-аут, мс", "Zeitüberschreitung, ms", "Tiempo de espera, ms", "Délai, ms"}},
    {&T::SettingsLocalEcho, {"Local echo", "Локальное эхо", "Локальне відлуння", "Lokales Echo", "Eco local", "Écho local"}},
    {&T::SettingsLocalEchoHint, {"The adapter sends back every byte it transmits", "Адаптер возвращает каждый переданный байт", "Адаптер повертає кожен переданий байт", "Der Adapter sendet jedes gesendete Byte zurück", "El adaptador devuelve cada byte que transmite", "L'adaptateur renvoie chaque octet émis"}},
    {&T::RtsLow, {"Low level", "Низкий уровень", "Низький рівень", "Low-Pegel", "Nivel bajo", "Niveau bas"}},
    {&T::RtsHigh, {"High level", "Высокий уровень", "Високий рівень", "High-Pegel", "Nivel alto", "Niveau haut"}},
    {&T::RtsToggle, {"Toggle", "Переключение", "Перемикання", "Umschalten", "Conmutación", "Basculement"}},
    {&T::MsgTimeoutRange, {"Timeout, ms: enter a whole number from %1 to %2", "Таймаут, мс: введите целое число от %1 до %2", "Тайм-аут, мс: введіть ціле число від %1 до %2", "Zeitüberschreitung, ms: ganze Zahl von %1 bis %2 eingeben", "Tiempo de espera, ms: introduzca un número entero de %1 a %2", "Délai, ms : entrez un nombre entier de %1 à %2"}},
    {&T::ApComPort, {"Com Port", "COM-порт", "COM-порт", "COM-Port", "Puerto COM", "Port COM"}},
    {&T::ApUdpPort, {"Udp Port", "UDP-порт", "UDP-порт", "UDP-Port", "Puerto UDP", "Port UDP"}},
    {&T::PanelLocalEcho, {"Local echo", "Локальное эхо", "Локальне відлуння", "Lokales Echo", "Eco local", "Écho local"}},
    {&T::MsgEchoDetected, {"The line echoes what is sent: local echo was switched on for this connection", "Линия возвращает переданное: для этого подключения включено локальное эхо", "Лінія повертає передане: для цього підключення увімкнено локальне відлуння", "Die Leitung sendet das Gesendete zurück: lokales Echo für diese Verbindung eingeschaltet", "La línea devuelve lo enviado: se activó el eco local para esta conexión", "La ligne renvoie ce qui est émis : l'écho local est activé pour cette connexion"}},
    {&T::MsgComPortDialout, {"Your user may not use serial ports: add it to the \"dialout\" group (sudo adduser $USER dialout) and log in again.", "Пользователю недоступны последовательные порты: добавьте его в группу \"dialout\" (sudo adduser $USER dialout) и войдите в систему заново.", "Користувачеві недоступні послідовні порти: додайте його до групи \"dialout\" (sudo adduser $USER dialout) і увійдіть у систему знову.", "Ihr Benutzer darf keine seriellen Ports verwenden: fügen Sie ihn der Gruppe \"dialout\" hinzu (sudo adduser $USER dialout) und melden Sie sich neu an.", "Su usuario no puede usar puertos serie: añádalo al grupo \"dialout\" (sudo adduser $USER dialout) y vuelva a iniciar sesión.", "Votre utilisateur ne peut pas utiliser les ports série : ajoutez-le au groupe \"dialout\" (sudo adduser $USER dialout) et reconnectez-vous."}},
    {&T::RangesCaption, {"Ranges list", "Список диапазонов", "Список діапазонів", "Messbereichsliste", "Lista de rangos", "Liste des plages"}},
    {&T::RangesParameter, {"Parameter", "Параметр", "Параметр", "Größe", "Parámetro", "Grandeur"}},
    {&T::RangesCode, {"Code", "Код", "Код", "Code", "Código", "Code"}},
    {&T::RangesRange, {"Range", "Диапазон", "Діапазон", "Bereich", "Rango", "Plage"}},
    {&T::RangesLow, {"Low", "Нижний", "Нижня", "Untergrenze", "Mínimo", "Minimum"}},
    {&T::RangesHigh, {"High", "Верхний", "Верхня", "Obergrenze", "Máximo", "Maximum"}},
    {&T::RangesUnit, {"Unit", "Единица", "Одиниця", "Einheit", "Unidad", "Unité"}},
    {&T::AboutCaption, {"About", "О программе", "Про програму", "Über", "Acerca de", "À propos"}},
    {&T::AboutVersion, {"Version %1", "Версия %1", "Версія %1", "Version %1", "Versión %1", "Version %1"}},
    {&T::AboutText, {"Service tool for KVD input/output modules on RS-485 buses: finds the devices on a serial line or behind a UDP gateway, reads and changes their settings, watches values and emulates a bus of devices.", "Сервисная программа для модулей ввода/вывода KVD на шинах RS-485: находит устройства на последовательной линии или за UDP-шлюзом, читает и изменяет их настройки, показывает значения и эмулирует шину устройств.", "Сервісна програма для модулів вводу/виводу KVD на шинах RS-485: знаходить пристрої на послідовній лінії або за UDP-шлюзом, читає та змінює їхні налаштування, показує значення та емулює шину пристроїв.", "Servicewerkzeug für KVD-Ein-/Ausgabemodule an RS-485-Bussen: findet die Geräte an einer seriellen Leitung oder hinter einem UDP-Gateway, liest und ändert ihre Einstellungen, zeigt Werte an und emuliert einen Gerätebus.", "Herramienta de servicio para los módulos de E/S KVD en buses RS-485: encuentra los dispositivos en una línea serie o tras una pasarela UDP, lee y cambia sus ajustes, muestra valores y emula un bus de dispositivos.", "Outil de service pour les modules d'E/S KVD sur bus RS-485 : trouve les appareils sur une ligne série ou derrière une passerelle UDP, lit et modifie leurs réglages, affiche les valeurs et émule un bus d'appareils."}},
    {&T::MsgHelpMissing, {"The help file is missing:\n%1", "Файл справки не найден:\n%1", "Файл довідки не знайдено:\n%1", "Die Hilfedatei fehlt:\n%1", "Falta el archivo de ayuda:\n%1", "Le fichier d'aide est introuvable :\n%1"}},
    {&T::MsgHelpNoViewer, {"The help file could not be opened:\n%1\nNo program on this desktop is set up to show it.", "Не удалось открыть файл справки:\n%1\nНа этом рабочем столе нет программы для его просмотра.", "Не вдалося відкрити файл довідки:\n%1\nНа цьому робочому столі немає програми для його перегляду.", "Die Hilfedatei konnte nicht geöffnet werden:\n%1\nAuf diesem Desktop ist kein Programm zum Anzeigen eingerichtet.", "No se pudo abrir el archivo de ayuda:\n%1\nNingún programa de este escritorio está configurado para mostrarlo.", "Impossible d'ouvrir le fichier d'aide :\n%1\nAucun programme de ce bureau n'est configuré pour l'afficher."}},

    // The catalogue's channel names and notes. Model names and units stay as they are.
    {&T::AnalogInputChannel, {"Analog input channel", "Канал аналогового ввода", "Канал аналогового вводу", "Analogeingangskanal", "Canal de entrada analógica", "Canal d'entrée analogique"}},
    {&T::AnalogOutputChannel, {"Analog output channel", "Канал аналогового вывода", "Канал аналогового виводу", "Analogausgangskanal", "Canal de salida analógica", "Canal de sortie analogique"}},
    {&T::DiscreteInputChannel, {"Discrete input channel", "Канал дискретного ввода", "Канал дискретного вводу", "Digitaleingangskanal", "Canal de entrada discreta", "Canal d'entrée TOR"}},
    {&T::DiscreteOutputChannel, {"Discrete output channel", "Канал дискретного вывода", "Канал дискретного виводу", "Digitalausgangskanal", "Canal de salida discreta", "Canal de sortie TOR"}},
    {&T::StreamInputController, {"Stream input controller", "Контроллер потокового ввода", "Контролер потокового вводу", "Datenstrom-Eingangscontroller", "Controlador de entrada de flujo", "Contrôleur d'entrée de flux"}},
    {&T::SystemHealthController, {"System health controller", "Контроллер состояния системы", "Контролер стану системи", "Systemzustandsüberwachung", "Controlador de estado del sistema", "Contrôleur d'état du système"}},
    {&T::Manager, {"Manager of discrete input/output", "Менеджер дискретного ввода/вывода", "Менеджер дискретного вводу/виводу", "Manager der digitalen Ein-/Ausgänge", "Gestor de entradas/salidas discretas", "Gestionnaire des entrées/sorties TOR"}},
    {&T::ProtectionUnit, {"GVix protection unit", "Блок защиты GVix", "Блок захисту GVix", "GVix-Schutzeinheit", "Unidad de protección GVix", "Unité de protection GVix"}},
    {&T::ImpulseGeneratorChannel, {"Impulse generator channel", "Канал генератора импульсов", "Канал генератора імпульсів", "Impulsgeneratorkanal", "Canal del generador de impulsos", "Canal du générateur d'impulsions"}},
    {&T::FileManager, {"File manager", "Файловый менеджер", "Файловий менеджер", "Dateimanager", "Gestor de archivos", "Gestionnaire de fichiers"}},
    {&T::TemperatureChannel, {"Temperature channel", "Канал температуры", "Канал температури", "Temperaturkanal", "Canal de temperatura", "Canal de température"}},
    {&T::SignallingSystem, {"The system of signalling", "Система сигнализации", "Система сигналізації", "Meldesystem", "Sistema de señalización", "Système de signalisation"}},
    {&T::FlowmeterChannel, {"Flowmeter's channel", "Канал расходомера", "Канал витратоміра", "Durchflussmesserkanal", "Canal del caudalímetro", "Canal du débitmètre"}},
    {&T::PhotosensorChannel, {"Photosensor's channel", "Канал фотодатчика", "Канал фотодатчика", "Fotosensorkanal", "Canal del fotosensor", "Canal du photocapteur"}},
    {&T::FlameRegulator, {"Flame regulator", "Регулятор пламени", "Регулятор полум'я", "Flammenregler", "Regulador de llama", "Régulateur de flamme"}},
    {&T::FlameControllerChannel, {"Flame controller channel", "Канал контроллера пламени", "Канал контролера полум'я", "Flammensteuerungskanal", "Canal del controlador de llama", "Canal du contrôleur de flamme"}},
    {&T::AnalogInputSystem, {"Analog Input system", "Система аналогового ввода", "Система аналогового вводу", "Analogeingangssystem", "Sistema de entrada analógica", "Système d'entrée analogique"}},
    {&T::StepperMap, {"SM Controller Modbus Map", "Карта Modbus контроллера ШД", "Карта Modbus контролера КД", "Modbus-Karte der Schrittmotorsteuerung", "Mapa Modbus del controlador de motor paso a paso", "Table Modbus du contrôleur pas à pas"}},
    {&T::UniversalMap, {"UMMC", "UMMC", "UMMC", "UMMC", "UMMC", "UMMC"}},
    {&T::PerChannelIsolation, {"Per channel isolation", "Поканальная изоляция", "Поканальна ізоляція", "Kanalweise Isolation", "Aislamiento por canal", "Isolation par canal"}},
    {&T::GroupIsolation, {"Group isolation", "Групповая изоляция", "Групова ізоляція", "Gruppenisolation", "Aislamiento por grupo", "Isolation par groupe"}},
    {&T::LoadCurrent100mA, {"Load current 100mA", "Ток нагрузки 100mA", "Струм навантаження 100mA", "Laststrom 100mA", "Corriente de carga 100mA", "Courant de charge 100mA"}},
    {&T::RelayNormallyOff5A, {"Relay, normally off, current 5A", "Реле, нормально разомкнутое, ток 5A", "Реле, нормально розімкнене, струм 5A", "Relais, Schließer, Strom 5A", "Relé, normalmente abierto, corriente 5A", "Relais, normalement ouvert, courant 5A"}},
    {&T::RelaySwitching5A, {"Relay, switching, current 5A", "Реле, переключающее, ток 5A", "Реле, перемикальне, струм 5A", "Relais, Wechsler, Strom 5A", "Relé, conmutado, corriente 5A", "Relais, inverseur, courant 5A"}},
    {&T::RelayNormallyOff, {"Relay, normally off", "Реле, нормально разомкнутое", "Реле, нормально розімкнене", "Relais, Schließer", "Relé, normalmente abierto", "Relais, normalement ouvert"}},
    {&T::Relay, {"Relay", "Реле", "Реле", "Relais", "Relé", "Relais"}},
    {&T::ControllersTemperature, {"Controller's temperature", "Температура контроллера", "Температура контролера", "Controllertemperatur", "Temperatura del controlador", "Température du contrôleur"}},
    {&T::UniversalMapNote, {"Universal Modbus Map Constructor", "Универсальный конструктор карты Modbus", "Універсальний конструктор карти Modbus", "Universeller Modbus-Kartenkonstruktor", "Constructor universal de mapas Modbus", "Constructeur universel de tables Modbus"}},
    {&T::UniversalMapNoteFast, {"Universal Modbus Map Constructor (BR115200 is strongly recommended)", "Универсальный конструктор карты Modbus (настоятельно рекомендуется BR115200)", "Універсальний конструктор карти Modbus (наполегливо рекомендується BR115200)", "Universeller Modbus-Kartenkonstruktor (BR115200 wird dringend empfohlen)", "Constructor universal de mapas Modbus (se recomienda encarecidamente BR115200)", "Constructeur universel de tables Modbus (BR115200 fortement recommandé)"}},
    {&T::DeviceNotSupported, {"Device not supported", "Устройство не поддерживается", "Пристрій не підтримується", "Gerät wird nicht unterstützt", "Dispositivo no compatible", "Appareil non pris en charge"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TMainUnitLanguage,
                       DVV_MAIN_UNIT_TEXTS(DVV_TEXT_FIELD) DVV_CATALOGUE_TEXTS(DVV_TEXT_FIELD))

// Every text of the catalogue has its field here.
#define DVV_COUNT_TEXT(name) +1
static_assert(sizeof(TCatalogueTexts) == (0 DVV_CATALOGUE_TEXTS(DVV_COUNT_TEXT)) * sizeof(QString));
#undef DVV_COUNT_TEXT

TCatalogueTexts TMainUnitLanguage::CatalogueTexts() const {
    TCatalogueTexts t;
#define DVV_COPY_TEXT(name) t.name = name;
    DVV_CATALOGUE_TEXTS(DVV_COPY_TEXT)
#undef DVV_COPY_TEXT
    return t;
}

TMainUnitLanguageLocalization& MainUnitLanguage() {
    static TMainUnitLanguageLocalization table(kRows);
    return table;
}

void BuildDeviceRegister(TDeviceRegister& Register, quint8 LanguageID) {
    BuildDeviceRegister(Register, MainUnitLanguage().Texts(LanguageID).CatalogueTexts());
}
