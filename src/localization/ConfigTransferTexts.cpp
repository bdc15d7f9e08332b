// A device's configuration in a file. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/ConfigTransferLanguage.h"

namespace {

using C = TConfigTransferLanguage;

// clang-format off
const TConfigTransferLanguageLocalization::TRow kRows[] = {
    {&C::SaveConfig, {"Save configuration…", "Сохранить конфигурацию…", "Зберегти конфігурацію…", "Konfiguration speichern…", "Guardar configuración…", "Enregistrer la configuration…"}},
    {&C::LoadConfig, {"Load configuration…", "Загрузить конфигурацию…", "Завантажити конфігурацію…", "Konfiguration laden…", "Cargar configuración…", "Charger une configuration…"}},
    {&C::GroupCaption, {"Group adjustment", "Групповая настройка", "Групове налаштування", "Gruppeneinstellung", "Ajuste grupal", "Réglage groupé"}},
    {&C::FileFilter, {"Configuration files (*.json)", "Файлы конфигурации (*.json)", "Файли конфігурації (*.json)", "Konfigurationsdateien (*.json)", "Archivos de configuración (*.json)", "Fichiers de configuration (*.json)"}},
    {&C::Reading, {"Reading the settings of %1…", "Считывание настроек %1…", "Зчитування налаштувань %1…", "Die Einstellungen von %1 werden gelesen…", "Leyendo los ajustes de %1…", "Lecture des réglages de %1…"}},
    {&C::Writing, {"Writing the settings of %1…", "Запись настроек %1…", "Запис налаштувань %1…", "Die Einstellungen von %1 werden geschrieben…", "Escribiendo los ajustes de %1…", "Écriture des réglages de %1…"}},
    {&C::DeviceAt, {"%1 at address %2", "%1 по адресу %2", "%1 за адресою %2", "%1 an Adresse %2", "%1 en la dirección %2", "%1 à l'adresse %2"}},
    {&C::Saved, {"The configuration of %1 was saved to %2.", "Конфигурация %1 сохранена в %2.", "Конфігурацію %1 збережено в %2.", "Die Konfiguration von %1 wurde in %2 gespeichert.", "La configuración de %1 se guardó en %2.", "La configuration de %1 a été enregistrée dans %2."}},
    {&C::SavedLeftOut, {"Settings the device did not give were left out:", "Настройки, которые устройство не выдало, пропущены:", "Налаштування, яких пристрій не видав, пропущено:", "Einstellungen, die das Gerät nicht lieferte, fehlen:", "Se omitieron los ajustes que el dispositivo no entregó:", "Les réglages que l'appareil n'a pas fournis ont été omis :"}},
    {&C::BackupFailed, {"The configuration could not be read from the device: %1", "Не удалось считать конфигурацию из устройства: %1", "Не вдалося зчитати конфігурацію з пристрою: %1", "Die Konfiguration konnte nicht aus dem Gerät gelesen werden: %1", "No se pudo leer la configuración del dispositivo: %1", "Impossible de lire la configuration de l'appareil : %1"}},
    {&C::FileWriteFailed, {"The file %1 could not be written: %2", "Не удалось записать файл %1: %2", "Не вдалося записати файл %1: %2", "Die Datei %1 konnte nicht geschrieben werden: %2", "No se pudo escribir el archivo %1: %2", "Impossible d'écrire le fichier %1 : %2"}},
    {&C::FileReadFailed, {"The file %1 could not be read: %2", "Не удалось прочитать файл %1: %2", "Не вдалося прочитати файл %1: %2", "Die Datei %1 konnte nicht gelesen werden: %2", "No se pudo leer el archivo %1: %2", "Impossible de lire le fichier %1 : %2"}},
    {&C::FileSkipped, {"Skipped, since it does not fit this program or this device:", "Пропущено, так как не подходит этой программе или этому устройству:", "Пропущено, оскільки не підходить цій програмі або цьому пристрою:", "Übersprungen, da es nicht zu diesem Programm oder Gerät passt:", "Omitido, porque no corresponde a este programa o a este dispositivo:", "Ignoré, car cela ne correspond pas à ce programme ou à cet appareil :"}},
    {&C::TypeMismatch, {"The file is for %1, the device is %2. Nothing was written.", "Файл предназначен для %1, а устройство — %2. Ничего не записано.", "Файл призначено для %1, а пристрій — %2. Нічого не записано.", "Die Datei ist für %1, das Gerät ist ein %2. Nichts wurde geschrieben.", "El archivo es para %1 y el dispositivo es %2. No se escribió nada.", "Le fichier est destiné à %1, l'appareil est un %2. Rien n'a été écrit."}},
    {&C::CompareFailed, {"The device's settings could not be read: %1. Nothing was written.", "Не удалось считать настройки устройства: %1. Ничего не записано.", "Не вдалося зчитати налаштування пристрою: %1. Нічого не записано.", "Die Einstellungen des Geräts konnten nicht gelesen werden: %1. Nichts wurde geschrieben.", "No se pudieron leer los ajustes del dispositivo: %1. No se escribió nada.", "Impossible de lire les réglages de l'appareil : %1. Rien n'a été écrit."}},
    {&C::Equal, {"The device already has the file's settings: nothing to write.", "Устройство уже имеет настройки из файла: записывать нечего.", "Пристрій уже має налаштування з файлу: записувати нічого.", "Das Gerät hat bereits die Einstellungen der Datei: nichts zu schreiben.", "El dispositivo ya tiene los ajustes del archivo: no hay nada que escribir.", "L'appareil a déjà les réglages du fichier : rien à écrire."}},
    {&C::ChangesHeading, {"Settings that differ from the file: %1. Write them to the device?", "Настроек, отличающихся от файла: %1. Записать их в устройство?", "Налаштувань, що відрізняються від файлу: %1. Записати їх у пристрій?", "Einstellungen, die von der Datei abweichen: %1. In das Gerät schreiben?", "Ajustes que difieren del archivo: %1. ¿Escribirlos en el dispositivo?", "Réglages différents du fichier : %1. Les écrire dans l'appareil ?"}},
    {&C::NotWrittenHeading, {"Differ but are never written (the device's own calibration and read-only values):", "Отличаются, но не записываются (собственная калибровка устройства и значения только для чтения):", "Відрізняються, але не записуються (власне калібрування пристрою та значення лише для читання):", "Weichen ab, werden aber nie geschrieben (die eigene Kalibrierung des Geräts und schreibgeschützte Werte):", "Difieren pero nunca se escriben (la calibración propia del dispositivo y valores de solo lectura):", "Différents mais jamais écrits (l'étalonnage propre de l'appareil et les valeurs en lecture seule) :"}},
    {&C::FlashAfter, {"Save to flash when every setting is verified", "Сохранить во флеш, когда все настройки проверены", "Зберегти у флеш, коли всі налаштування перевірено", "Im Flash speichern, wenn jede Einstellung geprüft ist", "Guardar en flash cuando se verifiquen todos los ajustes", "Enregistrer en flash quand chaque réglage est vérifié"}},
    {&C::Write, {"Write", "Записать", "Записати", "Schreiben", "Escribir", "Écrire"}},
    {&C::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&C::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&C::ReportDone, {"Written and verified: %1.", "Записано и проверено: %1.", "Записано й перевірено: %1.", "Geschrieben und geprüft: %1.", "Escrito y verificado: %1.", "Écrit et vérifié : %1."}},
    {&C::ReportFlashed, {"Saved to flash.", "Сохранено во флеш.", "Збережено у флеш.", "Im Flash gespeichert.", "Guardado en flash.", "Enregistré en flash."}},
    {&C::ReportNotFlashed, {"Not saved to flash: the device loses the new settings when it restarts.", "Не сохранено во флеш: после перезапуска устройство потеряет новые настройки.", "Не збережено у флеш: після перезапуску пристрій втратить нові налаштування.", "Nicht im Flash gespeichert: Das Gerät verliert die neuen Einstellungen beim Neustart.", "No guardado en flash: el dispositivo pierde los nuevos ajustes al reiniciarse.", "Non enregistré en flash : l'appareil perd les nouveaux réglages à son redémarrage."}},
    {&C::ReportFailed, {"Writing stopped: %1", "Запись остановлена: %1", "Запис зупинено: %1", "Schreiben abgebrochen: %1", "Escritura detenida: %1", "Écriture arrêtée : %1"}},
    {&C::ReportWrittenOf, {"Written and verified: %1 of %2.", "Записано и проверено: %1 из %2.", "Записано й перевірено: %1 з %2.", "Geschrieben und geprüft: %1 von %2.", "Escrito y verificado: %1 de %2.", "Écrit et vérifié : %1 sur %2."}},
    {&C::ReportFailedLine, {"Failed: %1", "Ошибка: %1", "Помилка: %1", "Fehlgeschlagen: %1", "Falló: %1", "Échec : %1"}},
    {&C::ReportNotWritten, {"Not written: %1", "Не записано: %1", "Не записано: %1", "Nicht geschrieben: %1", "No escrito: %1", "Non écrit : %1"}},
    {&C::ReportFlashRefused, {"Not saved to flash, since not every setting was written and verified.", "Не сохранено во флеш, так как не все настройки записаны и проверены.", "Не збережено у флеш, оскільки не всі налаштування записано й перевірено.", "Nicht im Flash gespeichert, da nicht jede Einstellung geschrieben und geprüft wurde.", "No guardado en flash, porque no todos los ajustes se escribieron y verificaron.", "Non enregistré en flash, car tous les réglages n'ont pas été écrits et vérifiés."}},
    {&C::GroupConfirm, {"Write the configuration of %1 from the file %2 to the devices below? Their bus parameters stay as they are.", "Записать конфигурацию %1 из файла %2 в перечисленные ниже устройства? Их параметры шины не меняются.", "Записати конфігурацію %1 з файлу %2 у пристрої, перелічені нижче? Їхні параметри шини не змінюються.", "Die Konfiguration von %1 aus der Datei %2 in die unten genannten Geräte schreiben? Ihre Busparameter bleiben unverändert.", "¿Escribir la configuración de %1 del archivo %2 en los dispositivos de abajo? Sus parámetros de bus no cambian.", "Écrire la configuration de %1 du fichier %2 dans les appareils ci-dessous ? Leurs paramètres de bus restent inchangés."}},
    {&C::GroupTargets, {"To write (%1):", "Записать (%1):", "Записати (%1):", "Zu schreiben (%1):", "Para escribir (%1):", "À écrire (%1) :"}},
    {&C::GroupSkippedHeading, {"Skipped, of another type (%1):", "Пропущены, другой тип (%1):", "Пропущено, інший тип (%1):", "Übersprungen, anderer Typ (%1):", "Omitidos, de otro tipo (%1):", "Ignorés, d'un autre type (%1) :"}},
    {&C::GroupNone, {"None of the selected devices is a %1: nothing was written.", "Среди выбранных устройств нет %1: ничего не записано.", "Серед вибраних пристроїв немає %1: нічого не записано.", "Keines der ausgewählten Geräte ist ein %1: Nichts wurde geschrieben.", "Ninguno de los dispositivos seleccionados es un %1: no se escribió nada.", "Aucun des appareils sélectionnés n'est un %1 : rien n'a été écrit."}},
    {&C::GroupSkipped, {"%1: skipped, another type", "%1: пропущено, другой тип", "%1: пропущено, інший тип", "%1: übersprungen, anderer Typ", "%1: omitido, otro tipo", "%1 : ignoré, autre type"}},
    {&C::GroupNoModel, {"%1: skipped, this program has no model of it", "%1: пропущено, в программе нет его модели", "%1: пропущено, у програмі немає його моделі", "%1: übersprungen, dieses Programm hat kein Modell dafür", "%1: omitido, este programa no tiene su modelo", "%1 : ignoré, ce programme n'en a pas de modèle"}},
    {&C::GroupDeviceDone, {"%1: written and verified: %2", "%1: записано и проверено: %2", "%1: записано й перевірено: %2", "%1: geschrieben und geprüft: %2", "%1: escrito y verificado: %2", "%1 : écrit et vérifié : %2"}},
    {&C::GroupDeviceEqual, {"%1: already has the file's settings", "%1: уже имеет настройки из файла", "%1: уже має налаштування з файлу", "%1: hat bereits die Einstellungen der Datei", "%1: ya tiene los ajustes del archivo", "%1 : a déjà les réglages du fichier"}},
    {&C::GroupDeviceFailed, {"%1: stopped after %2 of %3: %4", "%1: остановлено после %2 из %3: %4", "%1: зупинено після %2 з %3: %4", "%1: abgebrochen nach %2 von %3: %4", "%1: detenido tras %2 de %3: %4", "%1 : arrêté après %2 sur %3 : %4"}},
    {&C::GroupDeviceNotRead, {"%1: nothing written: %2", "%1: ничего не записано: %2", "%1: нічого не записано: %2", "%1: nichts geschrieben: %2", "%1: no se escribió nada: %2", "%1 : rien n'a été écrit : %2"}},
    {&C::GroupFlashed, {", saved to flash", ", сохранено во флеш", ", збережено у флеш", ", im Flash gespeichert", ", guardado en flash", ", enregistré en flash"}},
    {&C::GroupNotFlashed, {", not saved to flash", ", не сохранено во флеш", ", не збережено у флеш", ", nicht im Flash gespeichert", ", no guardado en flash", ", non enregistré en flash"}},
    {&C::GroupReportHeading, {"Devices adjusted: %1 of %2.", "Настроено устройств: %1 из %2.", "Налаштовано пристроїв: %1 з %2.", "Eingestellte Geräte: %1 von %2.", "Dispositivos ajustados: %1 de %2.", "Appareils réglés : %1 sur %2."}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TConfigTransferLanguage, DVV_CONFIG_TRANSFER_TEXTS(DVV_TEXT_FIELD))

TConfigTransferLanguageLocalization& ConfigTransferLanguage() {
    static TConfigTransferLanguageLocalization table(kRows);
    return table;
}
