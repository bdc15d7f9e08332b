// The texts of the stepper controller window and of the property-sheet window. Columns: English,
// Russian, Ukrainian, German, Spanish, French.
#include "localization/ModbusMapLanguage.h"

namespace {

using S = TSMDlgLanguage;

// clang-format off
const TSMDlgLanguageLocalization::TRow kSMRows[] = {
    {&S::Caption, {"SM Controller Modbus map", "Карта Modbus контроллера ШД", "Карта Modbus контролера КД", "Modbus-Tabelle der Schrittmotorsteuerung", "Mapa Modbus del controlador PAP", "Table Modbus du contrôleur pas à pas"}},
    {&S::Registers, {"Registers", "Регистры", "Регістри", "Register", "Registros", "Registres"}},
    {&S::Chart, {"Chart", "График", "Графік", "Diagramm", "Gráfico", "Graphique"}},
    {&S::Traffic, {"Traffic", "Трафик", "Трафік", "Datenverkehr", "Tráfico", "Trafic"}},
    {&S::Description, {"Description", "Описание", "Опис", "Beschreibung", "Descripción", "Description"}},
    {&S::Value, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&S::Register, {"Register", "Регистр", "Регістр", "Register", "Registro", "Registre"}},
    {&S::Unit, {"Unit", "Ед. изм.", "Од. вим.", "Einheit", "Unidad", "Unité"}},
    {&S::ShowTraffic, {"Show traffic", "Показывать трафик", "Показувати трафік", "Datenverkehr anzeigen", "Mostrar tráfico", "Afficher le trafic"}},
    {&S::Clear, {"Clear", "Очистить", "Очистити", "Leeren", "Borrar", "Effacer"}},
    {&S::CopyToClipboard, {"Copy to Clipboard", "Копировать в буфер", "Копіювати в буфер", "In die Zwischenablage", "Copiar al portapapeles", "Copier dans le presse-papiers"}},
    {&S::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&S::Input, {"Input", "Ввод", "Введення", "Eingabe", "Entrada", "Saisie"}},
    {&S::Out, {"out", "out", "out", "out", "out", "out"}},
    {&S::In, {"in", "in", "in", "in", "in", "in"}},
    {&S::PortError, {"The port %1 could not be opened: %2", "Не удалось открыть порт %1: %2", "Не вдалося відкрити порт %1: %2", "Der Port %1 konnte nicht geöffnet werden: %2", "No se pudo abrir el puerto %1: %2", "Impossible d'ouvrir le port %1 : %2"}},
    {&S::TimeS, {"Time, s", "Время, с", "Час, с", "Zeit, s", "Tiempo, s", "Temps, s"}},
    {&S::Series, {"Curves", "Кривые", "Криві", "Kurven", "Curvas", "Courbes"}},
    {&S::Editable, {"edit", "изм.", "змін.", "ändern", "editar", "modifier"}},
    {&S::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&S::State, {"State", "Состояние", "Стан", "Zustand", "Estado", "État"}},
    {&S::Running, {"exchanging", "обмен", "обмін", "Austausch läuft", "intercambiando", "échange en cours"}},
    {&S::NoAnswer, {"no answer", "нет ответа", "немає відповіді", "keine Antwort", "sin respuesta", "pas de réponse"}},
    {&S::UnitHz, {"Hz", "Гц", "Гц", "Hz", "Hz", "Hz"}},
    {&S::UnitS, {"s", "с", "с", "s", "s", "s"}},
    {&S::UnitPcs, {"pcs", "шт", "шт", "Stk.", "uds.", "pcs"}},
    {&S::DescOptions, {"Options", "Опции", "Опції", "Optionen", "Opciones", "Options"}},
    {&S::DescMinClock, {"Minimum CLK value", "Минимальное значение CLK", "Мінімальне значення CLK", "Minimaler CLK-Wert", "Valor mínimo de CLK", "Valeur minimale de CLK"}},
    {&S::DescMaxClock, {"Maximum CLK value", "Максимальное значение CLK", "Максимальне значення CLK", "Maximaler CLK-Wert", "Valor máximo de CLK", "Valeur maximale de CLK"}},
    {&S::DescAcceleratingTime, {"Time to accelerate from 0 to MaxClock", "Время для разгона от 0 до MaxClock", "Час розгону від 0 до MaxClock", "Beschleunigungszeit von 0 bis MaxClock", "Tiempo de aceleración de 0 a MaxClock", "Temps d'accélération de 0 à MaxClock"}},
    {&S::DescDeltaClk, {"SCurve Disable", "SCurve Disable", "SCurve Disable", "SCurve Disable", "SCurve Disable", "SCurve Disable"}},
    {&S::DescModbusParameter1, {"SCurve Minimum CLK", "SCurve Minimum CLK", "SCurve Minimum CLK", "SCurve Minimum CLK", "SCurve Minimum CLK", "SCurve Minimum CLK"}},
    {&S::DescTemperature, {"Controller temperature", "Температура контроллера", "Температура контролера", "Temperatur der Steuerung", "Temperatura del controlador", "Température du contrôleur"}},
    {&S::DescStepCounter, {"Step counter", "Счетчик шагов", "Лічильник кроків", "Schrittzähler", "Contador de pasos", "Compteur de pas"}},
    {&S::DescRegStatus, {"Status register", "Регистр статуса", "Регістр статусу", "Statusregister", "Registro de estado", "Registre d'état"}},
    {&S::DescClock, {"Set point: CLK frequency", "Задание: частота CLK", "Завдання: частота CLK", "Sollwert: CLK-Frequenz", "Consigna: frecuencia CLK", "Consigne : fréquence CLK"}},
    {&S::DescMoveRight, {"Set point: move right", "Задание: движение вправо", "Завдання: рух праворуч", "Sollwert: nach rechts", "Consigna: mover a la derecha", "Consigne : vers la droite"}},
    {&S::DescStepCount, {"Set point: number of steps", "Задание: количество шагов", "Завдання: кількість кроків", "Sollwert: Schrittanzahl", "Consigna: número de pasos", "Consigne : nombre de pas"}},
    {&S::DescExecute, {"Set point: execute request", "Задание: запрос на выполнение", "Завдання: запит на виконання", "Sollwert: Ausführungsanforderung", "Consigna: solicitud de ejecución", "Consigne : demande d'exécution"}},
    {&S::DescCurrClock, {"Current CLK value", "Текущее значение CLK", "Поточне значення CLK", "Aktueller CLK-Wert", "Valor actual de CLK", "Valeur actuelle de CLK"}},
};

using P = TPropertySheetLanguage;

const TPropertySheetLanguageLocalization::TRow kSheetRows[] = {
    {&P::Caption, {"Channel's parameters", "Параметры канала", "Параметри каналу", "Kanalparameter", "Parámetros del canal", "Paramètres du canal"}},
    {&P::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&P::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&P::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&P::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&P::Property, {"Property", "Свойство", "Властивість", "Eigenschaft", "Propiedad", "Propriété"}},
    {&P::Value, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&P::Unit, {"Unit", "Ед. изм.", "Од. вим.", "Einheit", "Unidad", "Unité"}},
    {&P::Limits, {"Limits", "Пределы", "Межі", "Grenzen", "Límites", "Limites"}},
    {&P::Access, {"Access", "Доступ", "Доступ", "Zugriff", "Acceso", "Accès"}},
    {&P::ReadOnly, {"read only", "только чтение", "лише читання", "nur lesen", "solo lectura", "lecture seule"}},
    {&P::ReadWrite, {"read/write", "чтение/запись", "читання/запис", "lesen/schreiben", "lectura/escritura", "lecture/écriture"}},
    {&P::WriteOnly, {"write only", "только запись", "лише запис", "nur schreiben", "solo escritura", "écriture seule"}},
    {&P::Refresh, {"Refresh", "Обновить", "Оновити", "Aktualisieren", "Actualizar", "Actualiser"}},
    {&P::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&P::ToFlash, {"To Flash", "в Flash", "у Flash", "In Flash", "A Flash", "Vers Flash"}},
    {&P::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&P::ErrorReading, {"Error reading parameters", "Ошибка чтения параметров", "Помилка читання параметрів", "Fehler beim Lesen der Parameter", "Error al leer los parámetros", "Erreur de lecture des paramètres"}},
    {&P::ErrorWriting, {"Error writing parameters: %1 was not written", "Ошибка записи параметров: %1 не записан", "Помилка запису параметрів: %1 не записано", "Fehler beim Schreiben der Parameter: %1 wurde nicht geschrieben", "Error al escribir los parámetros: %1 no se escribió", "Erreur d'écriture des paramètres : %1 n'a pas été écrit"}},
    {&P::BadValue, {"%1: \"%2\" is not a valid value", "%1: \"%2\" — недопустимое значение", "%1: \"%2\" — неприпустиме значення", "%1: \"%2\" ist kein gültiger Wert", "%1: \"%2\" no es un valor válido", "%1 : « %2 » n'est pas une valeur valide"}},
    {&P::OutOfLimits, {"%1: the value must lie between %2 and %3", "%1: значение должно быть от %2 до %3", "%1: значення має бути від %2 до %3", "%1: der Wert muss zwischen %2 und %3 liegen", "%1: el valor debe estar entre %2 y %3", "%1 : la valeur doit être comprise entre %2 et %3"}},
    {&P::FlashSaved, {"Settings saved to flash", "Настройки сохранены во flash", "Налаштування збережено у flash", "Einstellungen im Flash gespeichert", "Ajustes guardados en flash", "Réglages enregistrés en flash"}},
    {&P::FlashFailed, {"Error saving to flash", "Ошибка сохранения во flash", "Помилка збереження у flash", "Fehler beim Speichern im Flash", "Error al guardar en flash", "Erreur d'enregistrement en flash"}},
    {&P::LiteFlash, {"Saving to flash is not available in Lite mode", "Сохранение во flash недоступно в режиме Lite", "Збереження у flash недоступне в режимі Lite", "Speichern im Flash ist im Lite-Modus nicht verfügbar", "Guardar en flash no está disponible en modo Lite", "L'enregistrement en flash n'est pas disponible en mode Lite"}},
    {&P::Written, {"Changes written", "Изменения записаны", "Зміни записано", "Änderungen geschrieben", "Cambios escritos", "Modifications écrites"}},
    {&P::NothingChanged, {"Nothing has changed", "Изменений нет", "Змін немає", "Nichts geändert", "No hay cambios", "Aucune modification"}},
    {&P::NotRead, {"not read", "не прочитано", "не прочитано", "nicht gelesen", "no leído", "non lu"}},
    {&P::Unchanged, {"not saved to flash", "не сохранено во flash", "не збережено у flash", "nicht im Flash gespeichert", "no guardado en flash", "non enregistré en flash"}},
    {&P::FreqFrequency, {"Output frequency", "Частота выхода", "Частота виходу", "Ausgangsfrequenz", "Frecuencia de salida", "Fréquence de sortie"}},
    {&P::FreqCounter, {"Pulse counter", "Счетчик импульсов", "Лічильник імпульсів", "Impulszähler", "Contador de impulsos", "Compteur d'impulsions"}},
    {&P::StreamFrequency, {"Sampling frequency", "Частота опроса", "Частота опитування", "Abtastfrequenz", "Frecuencia de muestreo", "Fréquence d'échantillonnage"}},
    {&P::StreamMask, {"Polled channels (mask, HEX)", "Опрашиваемые каналы (маска, HEX)", "Опитувані канали (маска, HEX)", "Abgefragte Kanäle (Maske, HEX)", "Canales sondeados (máscara, HEX)", "Canaux interrogés (masque, HEX)"}},
    {&P::StreamMode, {"Mode word (HEX; bit 1 = master)", "Слово режима (HEX; бит 1 = ведущий)", "Слово режиму (HEX; біт 1 = ведучий)", "Moduswort (HEX; Bit 1 = Master)", "Palabra de modo (HEX; bit 1 = maestro)", "Mot de mode (HEX ; bit 1 = maître)"}},
    {&P::MapName, {"Name", "Имя", "Ім'я", "Name", "Nombre", "Nom"}},
    {&P::MapDataBase, {"Data window base register", "Базовый регистр окна данных", "Базовий регістр вікна даних", "Basisregister des Datenfensters", "Registro base de la ventana de datos", "Registre de base de la fenêtre de données"}},
    {&P::MapOrder16, {"Byte order of 16-bit values", "Порядок байт 16-битных значений", "Порядок байтів 16-бітних значень", "Bytereihenfolge der 16-Bit-Werte", "Orden de bytes de valores de 16 bits", "Ordre des octets des valeurs 16 bits"}},
    {&P::MapOrder32, {"Byte order of 32-bit values", "Порядок байт 32-битных значений", "Порядок байтів 32-бітних значень", "Bytereihenfolge der 32-Bit-Werte", "Orden de bytes de valores de 32 bits", "Ordre des octets des valeurs 32 bits"}},
    {&P::MapValue1, {"Configuration word 1", "Слово конфигурации 1", "Слово конфігурації 1", "Konfigurationswort 1", "Palabra de configuración 1", "Mot de configuration 1"}},
    {&P::MapValue2, {"Configuration word 2", "Слово конфигурации 2", "Слово конфігурації 2", "Konfigurationswort 2", "Palabra de configuración 2", "Mot de configuration 2"}},
    {&P::MapValue3, {"Configuration word 3", "Слово конфигурации 3", "Слово конфігурації 3", "Konfigurationswort 3", "Palabra de configuración 3", "Mot de configuration 3"}},
    {&P::MapValue6, {"Configuration word 6", "Слово конфигурации 6", "Слово конфігурації 6", "Konfigurationswort 6", "Palabra de configuración 6", "Mot de configuration 6"}},
    {&P::MapValue7, {"Configuration word 7", "Слово конфигурации 7", "Слово конфігурації 7", "Konfigurationswort 7", "Palabra de configuración 7", "Mot de configuration 7"}},
    {&P::MapValue14, {"Configuration word 14", "Слово конфигурации 14", "Слово конфігурації 14", "Konfigurationswort 14", "Palabra de configuración 14", "Mot de configuration 14"}},
    {&P::MapValue15, {"Configuration word 15", "Слово конфигурации 15", "Слово конфігурації 15", "Konfigurationswort 15", "Palabra de configuración 15", "Mot de configuration 15"}},
    {&P::DataWindow, {"Data window", "Окно данных", "Вікно даних", "Datenfenster", "Ventana de datos", "Fenêtre de données"}},
    {&P::DataOffset, {"Offset", "Смещение", "Зміщення", "Versatz", "Desplazamiento", "Décalage"}},
    {&P::DataCount, {"Registers", "Регистров", "Регістрів", "Register", "Registros", "Registres"}},
    {&P::DataType, {"Type", "Тип", "Тип", "Typ", "Tipo", "Type"}},
    {&P::ReadData, {"Read", "Читать", "Читати", "Lesen", "Leer", "Lire"}},
    {&P::WriteData, {"Write", "Записать", "Записати", "Schreiben", "Escribir", "Écrire"}},
    {&P::Offset, {"Register", "Регистр", "Регістр", "Register", "Registro", "Registre"}},
    {&P::TypeS16, {"signed 16-bit", "знаковое 16 бит", "знакове 16 біт", "16 Bit mit Vorzeichen", "16 bits con signo", "16 bits signé"}},
    {&P::TypeU16, {"unsigned 16-bit", "беззнаковое 16 бит", "беззнакове 16 біт", "16 Bit ohne Vorzeichen", "16 bits sin signo", "16 bits non signé"}},
    {&P::TypeS32, {"signed 32-bit", "знаковое 32 бит", "знакове 32 біт", "32 Bit mit Vorzeichen", "32 bits con signo", "32 bits signé"}},
    {&P::TypeU32, {"unsigned 32-bit", "беззнаковое 32 бит", "беззнакове 32 біт", "32 Bit ohne Vorzeichen", "32 bits sin signo", "32 bits non signé"}},
    {&P::TypeFloat, {"float", "вещественное", "дійсне", "Gleitkomma", "coma flotante", "flottant"}},
    {&P::NotANumber, {"\"%1\" is not a number of this type", "\"%1\" — не число этого типа", "\"%1\" — не число цього типу", "\"%1\" ist keine Zahl dieses Typs", "\"%1\" no es un número de este tipo", "« %1 » n'est pas un nombre de ce type"}},
    {&P::CannotHold, {"%1 cannot be stored in this register type: the device would read back a different value", "%1 нельзя записать в регистр этого типа: устройство прочитает другое значение", "%1 не можна записати в регістр цього типу: пристрій прочитає інше значення", "%1 kann in diesem Registertyp nicht gespeichert werden: das Gerät läse einen anderen Wert", "%1 no puede guardarse en este tipo de registro: el dispositivo leería otro valor", "%1 ne peut pas être stocké dans ce type de registre : l'appareil relirait une autre valeur"}},
    {&P::ErrorReadingData, {"Error reading the data window", "Ошибка чтения окна данных", "Помилка читання вікна даних", "Fehler beim Lesen des Datenfensters", "Error al leer la ventana de datos", "Erreur de lecture de la fenêtre de données"}},
    {&P::ErrorWritingData, {"Error writing the data window", "Ошибка записи окна данных", "Помилка запису вікна даних", "Fehler beim Schreiben des Datenfensters", "Error al escribir la ventana de datos", "Erreur d'écriture de la fenêtre de données"}},
    {&P::UnitHz, {"Hz", "Гц", "Гц", "Hz", "Hz", "Hz"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TSMDlgLanguage, DVV_SM_DIALOG_TEXTS(DVV_TEXT_FIELD))

QString TSMDlgLanguage::DescriptionOf(const QString& Name) const {
    static const std::pair<const char*, QString TSMDlgLanguage::*> kNames[] = {
        {"Options", &S::DescOptions},         {"MinClock", &S::DescMinClock},
        {"MaxClock", &S::DescMaxClock},       {"AcceleratingTime", &S::DescAcceleratingTime},
        {"DeltaClk", &S::DescDeltaClk},       {"ModbusParameter1", &S::DescModbusParameter1},
        {"Temperature", &S::DescTemperature}, {"StepCounter", &S::DescStepCounter},
        {"RegStatus", &S::DescRegStatus},     {"Clock", &S::DescClock},
        {"MoveRight", &S::DescMoveRight},     {"StepCount", &S::DescStepCount},
        {"Execute", &S::DescExecute},         {"CurrClock", &S::DescCurrClock},
    };
    for (const auto& [name, field] : kNames)
        if (Name == QLatin1String(name))
            return this->*field;
    return {};
}

QString TSMDlgLanguage::UnitText(const QString& Unit) const {
    if (Unit == QStringLiteral("Гц"))
        return UnitHz;
    if (Unit == QStringLiteral("с"))
        return UnitS;
    if (Unit == QStringLiteral("шт"))
        return UnitPcs;
    return Unit;
}

TSMDlgLanguageLocalization& SMDlgLanguage() {
    static TSMDlgLanguageLocalization table(kSMRows);
    return table;
}

DVV_DEFINE_TEXT_FIELDS(TPropertySheetLanguage, DVV_PROPERTY_SHEET_TEXTS(DVV_TEXT_FIELD))

TPropertySheetLanguageLocalization& PropertySheetLanguage() {
    static TPropertySheetLanguageLocalization table(kSheetRows);
    return table;
}

std::vector<TTableReport> CheckModbusMapLanguageTables() {
    return {CheckLanguageTable("SMDlg", SMDlgLanguage()),
            CheckLanguageTable("PropertySheet", PropertySheetLanguage())};
}
