// The texts of the device properties window, the device-settings messages and the device service
// window. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/DeviceViewsLanguage.h"

namespace {

// clang-format off
const TDevicePropsLanguageLocalization::TRow kDevicePropsRows[] = {
    {&TDevicePropsLanguage::Caption, {"Device parameters", "Параметры устройства", "Параметри пристрою", "Geräteparameter", "Parámetros del dispositivo", "Paramètres de l'appareil"}},
    {&TDevicePropsLanguage::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&TDevicePropsLanguage::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&TDevicePropsLanguage::CommProtocol, {"Comm. protocol", "Протокол обмена", "Протокол обміну", "Protokoll", "Protocolo", "Protocole"}},
    {&TDevicePropsLanguage::Parity, {"Parity", "Чётность", "Парність", "Parität", "Paridad", "Parité"}},
    {&TDevicePropsLanguage::StopBits, {"Stop bits:", "Стоп биты:", "Стоп-біти:", "Stoppbits:", "Bits de parada:", "Bits d'arrêt :"}},
    {&TDevicePropsLanguage::ResponseTimeout, {"Response timeout", "Таймаут ответа", "Тайм-аут відповіді", "Antwortzeitlimit", "Tiempo de respuesta", "Délai de réponse"}},
    {&TDevicePropsLanguage::ByteOrder, {"Byte order:", "Порядок байт:", "Порядок байтів:", "Bytereihenfolge:", "Orden de bytes:", "Ordre des octets :"}},
    {&TDevicePropsLanguage::Service, {"Service", "Сервис", "Сервіс", "Service", "Servicio", "Service"}},
    {&TDevicePropsLanguage::PageObjects, {"Objects", "Объекты", "Об'єкти", "Objekte", "Objetos", "Objets"}},
    {&TDevicePropsLanguage::ColObjectNumber, {"Object #", "Объект №", "Об'єкт №", "Objekt-Nr.", "Objeto n.º", "Objet n°"}},
    {&TDevicePropsLanguage::ColObjectType, {"Object type", "Тип объекта", "Тип об'єкта", "Objekttyp", "Tipo de objeto", "Type d'objet"}},
    {&TDevicePropsLanguage::ColNote, {"Note", "Примечание", "Примітка", "Hinweis", "Nota", "Remarque"}},
    {&TDevicePropsLanguage::Properties, {"Properties", "Свойства", "Властивості", "Eigenschaften", "Propiedades", "Propriétés"}},
    {&TDevicePropsLanguage::HealthMarker, {"The health controller reports a fault", "Контроллер исправности сообщает о неисправности", "Контролер справності повідомляє про несправність", "Der Zustandsüberwacher meldet einen Fehler", "El controlador de estado informa de un fallo", "Le contrôleur d'état signale un défaut"}},
    {&TDevicePropsLanguage::PageFlash, {"Flash memory", "Флэш-память", "Флеш-пам'ять", "Flash-Speicher", "Memoria flash", "Mémoire flash"}},
    {&TDevicePropsLanguage::SaveToFlash, {"Save current settings to Flash", "Сохранить текущие настройки во Flash", "Зберегти поточні налаштування у Flash", "Aktuelle Einstellungen im Flash speichern", "Guardar la configuración actual en la Flash", "Enregistrer les réglages actuels en Flash"}},
    {&TDevicePropsLanguage::RestoreFromFlash, {"Read settings from Flash", "Считать настройки из Flash", "Зчитати налаштування з Flash", "Einstellungen aus dem Flash lesen", "Leer la configuración de la Flash", "Lire les réglages depuis la Flash"}},
    {&TDevicePropsLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TDevicePropsLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TDevicePropsLanguage::MsgSaveError, {"Error saving parameters", "Ошибка сохранения параметров", "Помилка збереження параметрів", "Fehler beim Speichern der Parameter", "Error al guardar los parámetros", "Erreur d'enregistrement des paramètres"}},
    {&TDevicePropsLanguage::MsgSaved, {"Parameters saved", "Параметры сохранены", "Параметри збережено", "Parameter gespeichert", "Parámetros guardados", "Paramètres enregistrés"}},
    {&TDevicePropsLanguage::MsgNotSaved, {"Parameters not saved", "Параметры не сохранены", "Параметри не збережено", "Parameter nicht gespeichert", "Parámetros no guardados", "Paramètres non enregistrés"}},
    {&TDevicePropsLanguage::MsgAskSave, {"Save settings to Flash?", "Сохранить настройки во Flash?", "Зберегти налаштування у Flash?", "Einstellungen im Flash speichern?", "¿Guardar la configuración en la Flash?", "Enregistrer les réglages en Flash ?"}},
    {&TDevicePropsLanguage::MsgChanging, {"Changing system object parameters", "Изменение параметров системного объекта", "Зміна параметрів системного об'єкта", "Die Parameter des Systemobjekts werden geändert", "Cambio de los parámetros del objeto del sistema", "Modification des paramètres de l'objet système"}},
    {&TDevicePropsLanguage::MsgRescan, {"Rescan the bus", "Повторите поиск на шине", "Повторіть пошук на шині", "Den Bus erneut durchsuchen", "Vuelva a buscar en el bus", "Relancez la recherche sur le bus"}},
    {&TDevicePropsLanguage::MsgAfterDetecting, {"After device detecting", "После обнаружения устройства", "Після виявлення пристрою", "Nach der Geräteerkennung", "Tras detectar el dispositivo,", "Après la détection de l'appareil,"}},
    {&TDevicePropsLanguage::MsgSaveIntoFlash, {"Save parameters into flash", "сохраните параметры во flash", "збережіть параметри у flash", "die Parameter im Flash speichern", "guarde los parámetros en la flash", "enregistrez les paramètres en flash"}},
};
// clang-format on

// clang-format off
const TDeviceServiceLanguageLocalization::TRow kDeviceServiceRows[] = {
    {&TDeviceServiceLanguage::Caption, {"Device Service", "Сервис устройства", "Сервіс пристрою", "Gerätedienst", "Servicio del dispositivo", "Service de l'appareil"}},
    {&TDeviceServiceLanguage::MachineTime, {"Machine time", "Машинное время", "Машинний час", "Maschinenzeit", "Tiempo de máquina", "Temps machine"}},
    {&TDeviceServiceLanguage::FirmwareVersion, {"Firmware version", "Версия прошивки", "Версія прошивки", "Firmware-Version", "Versión del firmware", "Version du micrologiciel"}},
    {&TDeviceServiceLanguage::InputMachineTime, {"Input machine time", "Ввод машинного времени", "Введення машинного часу", "Maschinenzeit eingeben", "Introducir el tiempo de máquina", "Saisie du temps machine"}},
    {&TDeviceServiceLanguage::NotAvailable, {"not available", "недоступно", "недоступно", "nicht verfügbar", "no disponible", "non disponible"}},
    {&TDeviceServiceLanguage::MachineTimeHint, {"Click to set the machine time (days:hours:minutes:seconds)", "Щёлкните, чтобы установить машинное время (дни:часы:минуты:секунды)", "Клацніть, щоб встановити машинний час (дні:години:хвилини:секунди)", "Klicken, um die Maschinenzeit zu setzen (Tage:Stunden:Minuten:Sekunden)", "Haga clic para fijar el tiempo de máquina (días:horas:minutos:segundos)", "Cliquez pour régler le temps machine (jours:heures:minutes:secondes)"}},
    {&TDeviceServiceLanguage::MsgTimeTooLarge, {"The machine time is too large: the device counts at most %1 (days:hours:minutes:seconds)", "Слишком большое машинное время: устройство считает не больше %1 (дни:часы:минуты:секунды)", "Завеликий машинний час: пристрій рахує не більше %1 (дні:години:хвилини:секунди)", "Die Maschinenzeit ist zu groß: das Gerät zählt höchstens %1 (Tage:Stunden:Minuten:Sekunden)", "El tiempo de máquina es demasiado grande: el dispositivo cuenta como máximo %1 (días:horas:minutos:segundos)", "Le temps machine est trop grand : l'appareil compte au plus %1 (jours:heures:minutes:secondes)"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TDevicePropsLanguage, DVV_DEVICE_PROPS_TEXTS(DVV_TEXT_FIELD))

DVV_DEFINE_TEXT_FIELDS(TDeviceServiceLanguage, DVV_DEVICE_SERVICE_TEXTS(DVV_TEXT_FIELD))

TDevicePropsLanguageLocalization& DevicePropsLanguage() {
    static TDevicePropsLanguageLocalization table(kDevicePropsRows);
    return table;
}

TDeviceServiceLanguageLocalization& DeviceServiceLanguage() {
    static TDeviceServiceLanguageLocalization table(kDeviceServiceRows);
    return table;
}
