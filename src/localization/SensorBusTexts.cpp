// The texts of the sensor bus window, its dialogs, its host and the image editor. Columns: English,
// Russian, Ukrainian, German, Spanish, French.
#include "localization/SensorBusLanguage.h"

#include "localization/Localization.h"

namespace {

using T = TKVD_VEVA_BUSLanguage;

// clang-format off
const TSensorBusLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"Sensor bus", "Шина датчиков", "Шина датчиків", "Sensorbus", "Bus de sensores", "Bus de capteurs"}},
    {&T::Bus, {"Bus", "Шина", "Шина", "Bus", "Bus", "Bus"}},
    {&T::BusIndex, {"Bus index", "Номер шины", "Номер шини", "Busnummer", "Número de bus", "Numéro de bus"}},
    {&T::SensorCount, {"Number of sensors", "Количество датчиков", "Кількість датчиків", "Anzahl der Sensoren", "Número de sensores", "Nombre de capteurs"}},
    {&T::SensorIndex, {"Sensor index", "Номер датчика", "Номер датчика", "Sensornummer", "Número de sensor", "Numéro de capteur"}},
    {&T::SwapIndex, {"Sensor index for swapping", "Номер датчика для обмена", "Номер датчика для обміну", "Sensornummer zum Tauschen", "Sensor para intercambiar", "Capteur à échanger"}},
    {&T::ColNumber, {"#", "#", "#", "#", "#", "#"}},
    {&T::ColSensor, {"Sensor", "Датчик", "Датчик", "Sensor", "Sensor", "Capteur"}},
    {&T::ColValue, {"Value, °C", "Значение, °C", "Значення, °C", "Wert, °C", "Valor, °C", "Valeur, °C"}},
    {&T::ColHumidity, {"Humidity, %", "Влажность, %", "Вологість, %", "Feuchte, %", "Humedad, %", "Humidité, %"}},
    {&T::ColAlarm, {"Alarm", "Сигнал", "Сигнал", "Alarm", "Alarma", "Alarme"}},
    {&T::ColAlarmMin, {"Alarm min", "Сигнал мин.", "Сигнал мін.", "Alarm min.", "Alarma mín.", "Alarme min."}},
    {&T::ColAlarmMax, {"Alarm max", "Сигнал макс.", "Сигнал макс.", "Alarm max.", "Alarma máx.", "Alarme max."}},
    {&T::ColRelay, {"Relay", "Реле", "Реле", "Relais", "Relé", "Relais"}},
    {&T::ColRelayMin, {"Relay min", "Реле мин.", "Реле мін.", "Relais min.", "Relé mín.", "Relais min."}},
    {&T::ColRelayMax, {"Relay max", "Реле макс.", "Реле макс.", "Relais max.", "Relé máx.", "Relais max."}},
    {&T::Yes, {"Yes", "Да", "Так", "Ja", "Sí", "Oui"}},
    {&T::No, {"No", "Нет", "Ні", "Nein", "No", "Non"}},
    {&T::Mcu, {"Mcu", "Mcu", "Mcu", "Mcu", "Mcu", "Mcu"}},
    {&T::Error, {"Error", "Ошибка", "Помилка", "Fehler", "Error", "Erreur"}},
    {&T::NoHumidity, {"—", "—", "—", "—", "—", "—"}},
    {&T::UpdateList, {"Update sensor list", "Обновить список датчиков", "Оновити список датчиків", "Sensorliste aktualisieren", "Actualizar la lista", "Actualiser la liste"}},
    {&T::Swap, {"Swap sensors", "Поменять датчики", "Поміняти датчики", "Sensoren tauschen", "Intercambiar sensores", "Échanger les capteurs"}},
    {&T::Edit, {"Edit", "Изменить", "Змінити", "Bearbeiten", "Editar", "Modifier"}},
    {&T::OpenMacs, {"Open MACs", "Открыть MAC", "Відкрити MAC", "MACs öffnen", "Abrir MAC", "Ouvrir les MAC"}},
    {&T::SaveMacs, {"Save MACs", "Сохранить MAC", "Зберегти MAC", "MACs speichern", "Guardar MAC", "Enregistrer les MAC"}},
    {&T::ImageToDisk, {"Image to disk", "Образ на диск", "Образ на диск", "Abbild auf Datenträger", "Imagen a disco", "Image sur disque"}},
    {&T::Images, {"Images", "Образы", "Образи", "Abbilder", "Imágenes", "Images"}},
    {&T::Options, {"Options", "Параметры", "Параметри", "Optionen", "Opciones", "Options"}},
    {&T::ActivePowering, {"Active powering", "Активное питание", "Активне живлення", "Aktive Speisung", "Alimentación activa", "Alimentation active"}},
    {&T::DefaultRelay, {"Default relay status", "Состояние реле по умолчанию", "Стан реле за замовчуванням", "Relais-Grundzustand", "Estado del relé por defecto", "État du relais par défaut"}},
    {&T::On, {"On", "Вкл.", "Увімк.", "Ein", "Activado", "Marche"}},
    {&T::Off, {"Off", "Откл.", "Вимк.", "Aus", "Desactivado", "Arrêt"}},
    {&T::Search, {"Search", "Поиск", "Пошук", "Suche", "Búsqueda", "Recherche"}},
    {&T::BusScan, {"Bus scan. Please wait", "Сканирование шины. Подождите", "Сканування шини. Зачекайте", "Bus wird abgesucht. Bitte warten", "Exploración del bus. Espere", "Analyse du bus. Veuillez patienter"}},
    {&T::Limits, {"Limits", "Пределы", "Межі", "Grenzen", "Límites", "Limites"}},
    {&T::AllowSound, {"Allow sound alarm", "Разрешить звуковой сигнал", "Дозволити звуковий сигнал", "Akustischen Alarm zulassen", "Permitir alarma sonora", "Autoriser l'alarme sonore"}},
    {&T::AllowRelay, {"Allow relay alarm", "Разрешить срабатывание реле", "Дозволити спрацювання реле", "Relaisalarm zulassen", "Permitir alarma por relé", "Autoriser l'alarme relais"}},
    {&T::AlarmMinimum, {"Alarm minimum, °C", "Минимум сигнала, °C", "Мінімум сигналу, °C", "Alarm-Minimum, °C", "Mínimo de alarma, °C", "Minimum d'alarme, °C"}},
    {&T::AlarmMaximum, {"Alarm maximum, °C", "Максимум сигнала, °C", "Максимум сигналу, °C", "Alarm-Maximum, °C", "Máximo de alarma, °C", "Maximum d'alarme, °C"}},
    {&T::RelayMinimum, {"Relay minimum, °C", "Минимум реле, °C", "Мінімум реле, °C", "Relais-Minimum, °C", "Mínimo del relé, °C", "Minimum du relais, °C"}},
    {&T::RelayMaximum, {"Relay maximum, °C", "Максимум реле, °C", "Максимум реле, °C", "Relais-Maximum, °C", "Máximo del relé, °C", "Maximum du relais, °C"}},
    {&T::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&T::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&T::AdditionalOptions, {"Additional options", "Дополнительные параметры", "Додаткові параметри", "Zusätzliche Optionen", "Opciones adicionales", "Options supplémentaires"}},
    {&T::RelayActiveDefault, {"Relay active by default", "Реле активно по умолчанию", "Реле активне за замовчуванням", "Relais standardmäßig aktiv", "Relé activo por defecto", "Relais actif par défaut"}},
    {&T::ErrorTempValue, {"Temperature value when the sensor is not working", "Значение температуры при неисправном датчике", "Значення температури при несправному датчику", "Temperaturwert bei defektem Sensor", "Temperatura cuando el sensor no funciona", "Température si le capteur ne fonctionne pas"}},
    {&T::ErrorHumValue, {"Humidity value when the sensor is not working", "Значение влажности при неисправном датчике", "Значення вологості при несправному датчику", "Feuchtewert bei defektem Sensor", "Humedad cuando el sensor no funciona", "Humidité si le capteur ne fonctionne pas"}},
    {&T::MaxJump, {"Maximum temperature jump value", "Максимальный скачок температуры", "Максимальний стрибок температури", "Maximaler Temperatursprung", "Salto máximo de temperatura", "Saut de température maximal"}},
    {&T::CommandWritingError, {"Command writing error", "Ошибка записи команды", "Помилка запису команди", "Fehler beim Schreiben des Befehls", "Error al escribir el comando", "Erreur d'écriture de la commande"}},
    {&T::BusScanningError, {"Bus scanning error", "Ошибка сканирования шины", "Помилка сканування шини", "Fehler beim Absuchen des Busses", "Error al explorar el bus", "Erreur d'analyse du bus"}},
    {&T::ErrorWritingController, {"Error writing into controller", "Ошибка записи в контроллер", "Помилка запису в контролер", "Fehler beim Schreiben in den Controller", "Error al escribir en el controlador", "Erreur d'écriture dans le contrôleur"}},
    {&T::ValueAboveNull, {"Value must be above null.", "Значение должно быть больше нуля.", "Значення має бути більшим за нуль.", "Der Wert muss größer als null sein.", "El valor debe ser mayor que cero.", "La valeur doit être supérieure à zéro."}},
    {&T::MacWritingError, {"MAC-addresses writing error", "Ошибка записи MAC-адресов", "Помилка запису MAC-адрес", "Fehler beim Schreiben der MAC-Adressen", "Error al escribir las direcciones MAC", "Erreur d'écriture des adresses MAC"}},
    {&T::FileReadingError, {"File reading error", "Ошибка чтения файла", "Помилка читання файлу", "Fehler beim Lesen der Datei", "Error al leer el archivo", "Erreur de lecture du fichier"}},
    {&T::DataNotSaved, {"Data not saved into Flash!", "Данные не сохранены во Flash!", "Дані не збережено у Flash!", "Daten nicht im Flash gespeichert!", "¡Datos no guardados en Flash!", "Données non enregistrées en Flash !"}},
    {&T::ParametersSaved, {"Parameters saved", "Параметры сохранены", "Параметри збережено", "Parameter gespeichert", "Parámetros guardados", "Paramètres enregistrés"}},
    {&T::ErrorSavingParameters, {"Error saving parameters", "Ошибка сохранения параметров", "Помилка збереження параметрів", "Fehler beim Speichern der Parameter", "Error al guardar los parámetros", "Erreur d'enregistrement des paramètres"}},
    {&T::ErrorInLineValue, {"Error in line №", "Ошибка в строке №", "Помилка в рядку №", "Fehler in Zeile Nr. ", "Error en la línea n.º ", "Erreur à la ligne n° "}},
    {&T::ErrorInLineLength, {"Error in line #", "Ошибка в строке #", "Помилка в рядку #", "Fehler in Zeile #", "Error en la línea #", "Erreur à la ligne #"}},
    {&T::IncorrectMacValue, {"Incorrect MAC-address value", "Неверное значение MAC-адреса", "Неправильне значення MAC-адреси", "Ungültiger Wert der MAC-Adresse", "Valor de dirección MAC incorrecto", "Valeur d'adresse MAC incorrecte"}},
    {&T::IncorrectMacLength, {"Incorrect MAC-address length", "Неверная длина MAC-адреса", "Неправильна довжина MAC-адреси", "Ungültige Länge der MAC-Adresse", "Longitud de dirección MAC incorrecta", "Longueur d'adresse MAC incorrecte"}},
    {&T::FileExists, {"The file alredy exists. Replace it?", "Файл уже существует. Заменить?", "Файл уже існує. Замінити?", "Die Datei existiert bereits. Ersetzen?", "El archivo ya existe. ¿Reemplazarlo?", "Le fichier existe déjà. Le remplacer ?"}},
    {&T::TooManySensors, {"The device reports %1 sensors on the bus; a bus holds at most %2.", "Устройство сообщает о %1 датчиках на шине; на шине может быть не более %2.", "Пристрій повідомляє про %1 датчиків на шині; на шині може бути не більше %2.", "Das Gerät meldet %1 Sensoren am Bus; ein Bus fasst höchstens %2.", "El dispositivo informa de %1 sensores en el bus; un bus admite como máximo %2.", "L'appareil signale %1 capteurs sur le bus ; un bus en contient au plus %2."}},
    {&T::MacStoreFailedAt, {"Identifier %1 (%2) could not be written.", "Не удалось записать идентификатор %1 (%2).", "Не вдалося записати ідентифікатор %1 (%2).", "Kennung %1 (%2) konnte nicht geschrieben werden.", "No se pudo escribir el identificador %1 (%2).", "L'identifiant %1 (%2) n'a pas pu être écrit."}},
    {&T::NotCommitted, {"The bus's list was not committed: the device keeps its previous list (or waits for the next store until it restarts).", "Список шины не зафиксирован: устройство сохраняет прежний список (или ждет следующей записи до перезапуска).", "Список шини не зафіксовано: пристрій зберігає попередній список (або чекає наступного запису до перезапуску).", "Die Liste des Busses wurde nicht übernommen: Das Gerät behält seine bisherige Liste (oder wartet bis zum Neustart auf die nächste Speicherung).", "La lista del bus no se confirmó: el dispositivo conserva su lista anterior (o espera la siguiente escritura hasta reiniciarse).", "La liste du bus n'a pas été validée : l'appareil garde sa liste précédente (ou attend le prochain enregistrement jusqu'au redémarrage)."}},
    {&T::ErrorReading, {"Error reading from controller", "Ошибка чтения из контроллера", "Помилка читання з контролера", "Fehler beim Lesen aus dem Controller", "Error al leer del controlador", "Erreur de lecture du contrôleur"}},
    {&T::FileWriteError, {"The file could not be written; the previous file is unchanged.", "Не удалось записать файл; прежний файл не изменен.", "Не вдалося записати файл; попередній файл не змінено.", "Die Datei konnte nicht geschrieben werden; die bisherige Datei ist unverändert.", "No se pudo escribir el archivo; el anterior no ha cambiado.", "Le fichier n'a pas pu être écrit ; le fichier précédent est inchangé."}},
    {&T::NotAnImage, {"The file is not a sensor image.", "Файл не является образом датчиков.", "Файл не є образом датчиків.", "Die Datei ist kein Sensorabbild.", "El archivo no es una imagen de sensores.", "Le fichier n'est pas une image de capteurs."}},
    {&T::ImageTooManyBuses, {"The image has more buses than a device (%1).", "В образе больше шин, чем у устройства (%1).", "В образі більше шин, ніж у пристрою (%1).", "Das Abbild hat mehr Busse als ein Gerät (%1).", "La imagen tiene más buses que un dispositivo (%1).", "L'image a plus de bus qu'un appareil (%1)."}},
    {&T::ImageTooManySensors, {"Bus %1 of the image has more than %2 sensors.", "На шине %1 образа больше %2 датчиков.", "На шині %1 образу більше %2 датчиків.", "Bus %1 des Abbilds hat mehr als %2 Sensoren.", "El bus %1 de la imagen tiene más de %2 sensores.", "Le bus %1 de l'image a plus de %2 capteurs."}},
    {&T::ImageBadSerial, {"Bus %1, sensor %2: the identifier is not 16 hexadecimal digits.", "Шина %1, датчик %2: идентификатор не из 16 шестнадцатеричных цифр.", "Шина %1, датчик %2: ідентифікатор не з 16 шістнадцяткових цифр.", "Bus %1, Sensor %2: Die Kennung besteht nicht aus 16 Hexadezimalziffern.", "Bus %1, sensor %2: el identificador no tiene 16 dígitos hexadecimales.", "Bus %1, capteur %2 : l'identifiant n'a pas 16 chiffres hexadécimaux."}},
    {&T::ImageBadValue, {"The image holds a value out of range (a limit, the jump or the error temperature).", "Образ содержит значение вне диапазона (предел, скачок или температура ошибки).", "Образ містить значення поза діапазоном (межа, стрибок або температура помилки).", "Das Abbild enthält einen Wert außerhalb des Bereichs (Grenze, Sprung oder Fehlertemperatur).", "La imagen contiene un valor fuera de rango (límite, salto o temperatura de error).", "L'image contient une valeur hors limites (limite, saut ou température d'erreur)."}},
    {&T::NoBuses, {"The device has no sensor bus enabled.", "У устройства нет включенных шин датчиков.", "У пристрою немає увімкнених шин датчиків.", "Das Gerät hat keinen aktiven Sensorbus.", "El dispositivo no tiene ningún bus de sensores activo.", "L'appareil n'a aucun bus de capteurs actif."}},
    {&T::MacFilter, {"Bus MAC's(*.mac)", "Bus MAC's(*.mac)", "Bus MAC's(*.mac)", "Bus MAC's(*.mac)", "Bus MAC's(*.mac)", "Bus MAC's(*.mac)"}},
    {&T::TsiFilter, {"TCSensorImage(*.tsi)", "TCSensorImage(*.tsi)", "TCSensorImage(*.tsi)", "TCSensorImage(*.tsi)", "TCSensorImage(*.tsi)", "TCSensorImage(*.tsi)"}},
    {&T::NewDevice, {"New device", "Новое устройство", "Новий пристрій", "Neues Gerät", "Nuevo dispositivo", "Nouvel appareil"}},
    {&T::ApplyParams, {"Apply parameters", "Применить параметры", "Застосувати параметри", "Parameter übernehmen", "Aplicar parámetros", "Appliquer les paramètres"}},
    {&T::SaveFlash, {"Save to Flash", "Сохранить в Flash-память", "Зберегти у Flash-пам'ять", "In Flash speichern", "Guardar en Flash", "Enregistrer en Flash"}},
    {&T::StartStop, {"Start / Stop", "Старт / Стоп", "Старт / Стоп", "Start / Stopp", "Iniciar / Parar", "Démarrer / Arrêter"}},
    {&T::Device, {"Device", "Устройство", "Пристрій", "Gerät", "Dispositivo", "Appareil"}},
    {&T::Address, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&T::SerialNumber, {"Serial number", "Серийный номер", "Серійний номер", "Seriennummer", "Número de serie", "Numéro de série"}},
    {&T::Protocol, {"Protocol", "Протокол", "Протокол", "Protokoll", "Protocolo", "Protocole"}},
    {&T::DeviceImage, {"Device image", "Образ устройства", "Образ пристрою", "Geräteabbild", "Imagen del dispositivo", "Image de l'appareil"}},
    {&T::Open, {"Open", "Открыть", "Відкрити", "Öffnen", "Abrir", "Ouvrir"}},
    {&T::Save, {"Save", "Сохранить", "Зберегти", "Speichern", "Guardar", "Enregistrer"}},
    {&T::SaveAs, {"Save as", "Сохранить как", "Зберегти як", "Speichern unter", "Guardar como", "Enregistrer sous"}},
    {&T::ImageModified, {"Image modified.Save changes?", "Образ изменен. Сохранить изменения?", "Образ змінено. Зберегти зміни?", "Abbild geändert. Änderungen speichern?", "Imagen modificada. ¿Guardar los cambios?", "Image modifiée. Enregistrer les modifications ?"}},
    {&T::DeleteBuses, {"Delete bus(es)?", "Удалить шину(ы)?", "Видалити шину(и)?", "Bus(se) löschen?", "¿Eliminar bus(es)?", "Supprimer le(s) bus ?"}},
    {&T::DeleteSensors, {"Delete sensor(s)?", "Удалить датчик(и)?", "Видалити датчик(и)?", "Sensor(en) löschen?", "¿Eliminar sensor(es)?", "Supprimer le(s) capteur(s) ?"}},
    {&T::AddBus, {"Add bus", "Добавить шину", "Додати шину", "Bus hinzufügen", "Añadir bus", "Ajouter un bus"}},
    {&T::AddSensor, {"Add sensor", "Добавить датчик", "Додати датчик", "Sensor hinzufügen", "Añadir sensor", "Ajouter un capteur"}},
    {&T::Delete, {"Delete", "Удалить", "Видалити", "Löschen", "Eliminar", "Supprimer"}},
    {&T::Up, {"Up", "Вверх", "Вгору", "Nach oben", "Subir", "Monter"}},
    {&T::Down, {"Down", "Вниз", "Вниз", "Nach unten", "Bajar", "Descendre"}},
    {&T::CpuSensor, {"Processor sensor", "Датчик процессора", "Датчик процесора", "Prozessorsensor", "Sensor del procesador", "Capteur du processeur"}},
    {&T::AddProperties, {"Additional properties", "Дополнительные свойства", "Додаткові властивості", "Zusätzliche Eigenschaften", "Propiedades adicionales", "Propriétés supplémentaires"}},
    {&T::ImageToDevice, {"Image to device", "Образ в устройство", "Образ у пристрій", "Abbild ins Gerät", "Imagen al dispositivo", "Image vers l'appareil"}},
    {&T::BusToDevice, {"Bus to device", "Шину в устройство", "Шину в пристрій", "Bus ins Gerät", "Bus al dispositivo", "Bus vers l'appareil"}},
    {&T::Note, {"Note", "Примечание", "Примітка", "Notiz", "Nota", "Note"}},
    {&T::Identifier, {"Identifier", "Идентификатор", "Ідентифікатор", "Kennung", "Identificador", "Identifiant"}},
    {&T::Untitled, {"Untitled", "Без имени", "Без назви", "Unbenannt", "Sin título", "Sans titre"}},
    {&T::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&T::PowerActive, {"Active powering", "Активное питание", "Активне живлення", "Aktive Speisung", "Alimentación activa", "Alimentation active"}},
    {&T::RelayValue, {"Signalling word", "Слово сигнализации", "Слово сигналізації", "Alarmwort", "Palabra de señalización", "Mot de signalisation"}},
    {&T::Sensors, {"Sensors", "Датчики", "Датчики", "Sensoren", "Sensores", "Capteurs"}},
    {&T::BadIdentifier, {"The identifier must be 16 hexadecimal digits.", "Идентификатор должен состоять из 16 шестнадцатеричных цифр.", "Ідентифікатор має складатися з 16 шістнадцяткових цифр.", "Die Kennung muss aus 16 Hexadezimalziffern bestehen.", "El identificador debe tener 16 dígitos hexadecimales.", "L'identifiant doit comporter 16 chiffres hexadécimaux."}},
    {&T::Running, {"Running", "Опрос", "Опитування", "Läuft", "En marcha", "En cours"}},
    {&T::Stopped, {"Stopped", "Остановлен", "Зупинено", "Angehalten", "Parado", "Arrêté"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TKVD_VEVA_BUSLanguage, DVV_SENSOR_BUS_TEXTS(DVV_TEXT_FIELD))

TSensorBusLanguageLocalization& SensorBusLanguage() {
    static TSensorBusLanguageLocalization table(kRows);
    return table;
}

const TKVD_VEVA_BUSLanguage& SensorBusTexts() {
    return SensorBusLanguage().Texts(CurrentLanguage());
}

std::vector<TTableReport> CheckSensorBusLanguageTables() {
    return {CheckLanguageTable("KVD_VEVA_BUS", SensorBusLanguage())};
}
