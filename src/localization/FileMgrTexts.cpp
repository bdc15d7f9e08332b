// The texts of the file manager and of the converter configurators. Columns: English, Russian,
// Ukrainian, German, Spanish, French. "Стоп" and "Ошибка открытия файла!" are the devices' own words
// and stand so in every language.
#include "localization/FileMgrLanguage.h"

namespace {

using T = TFileMgrLanguage;

// clang-format off
const TFileMgrLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"File manager", "Файловый менеджер", "Файловий менеджер", "Dateimanager", "Gestor de archivos", "Gestionnaire de fichiers"}},
    {&T::DeviceSide, {"Device", "Устройство", "Пристрій", "Gerät", "Dispositivo", "Appareil"}},
    {&T::ComputerSide, {"Computer", "Компьютер", "Комп'ютер", "Computer", "Ordenador", "Ordinateur"}},
    {&T::OutputDataFile, {"Output data file", "Файл выходных данных", "Файл вихідних даних", "Ausgabedatei", "Archivo de datos de salida", "Fichier de données de sortie"}},
    {&T::InputDataFile, {"Input data file", "Файл входных данных", "Файл вхідних даних", "Eingabedatei", "Archivo de datos de entrada", "Fichier de données d'entrée"}},
    {&T::NoFile, {"No file specified", "Файл не указан", "Файл не вказано", "Keine Datei angegeben", "Ningún archivo indicado", "Aucun fichier indiqué"}},
    {&T::Hex, {"HEX", "HEX", "HEX", "HEX", "HEX", "HEX"}},
    {&T::Text, {"TEXT", "ТЕКСТ", "ТЕКСТ", "TEXT", "TEXTO", "TEXTE"}},
    {&T::ChooseDeviceFile, {"Choose a file of the device", "Выбрать файл устройства", "Вибрати файл пристрою", "Datei des Geräts wählen", "Elegir un archivo del dispositivo", "Choisir un fichier de l'appareil"}},
    {&T::ChooseComputerFileToWrite, {"Choose the computer file to write", "Выбрать файл компьютера для записи", "Вибрати файл комп'ютера для запису", "Zu schreibende Datei wählen", "Elegir el archivo del ordenador a escribir", "Choisir le fichier à écrire"}},
    {&T::ChooseComputerFileToRead, {"Choose the computer file to send", "Выбрать файл компьютера для передачи", "Вибрати файл комп'ютера для передавання", "Zu sendende Datei wählen", "Elegir el archivo del ordenador a enviar", "Choisir le fichier à envoyer"}},
    {&T::CopyToComputer, {"Copy device → computer", "Копировать устройство → компьютер", "Копіювати пристрій → комп'ютер", "Kopieren Gerät → Computer", "Copiar dispositivo → ordenador", "Copier appareil → ordinateur"}},
    {&T::CopyToDevice, {"Copy computer → device", "Копировать компьютер → устройство", "Копіювати комп'ютер → пристрій", "Kopieren Computer → Gerät", "Copiar ordenador → dispositivo", "Copier ordinateur → appareil"}},
    {&T::SelectCaption, {"File selection", "Выбор файла", "Вибір файлу", "Dateiauswahl", "Selección de archivo", "Sélection du fichier"}},
    {&T::ColId, {"id", "id", "id", "id", "id", "id"}},
    {&T::ColFile, {"File", "Файл", "Файл", "Datei", "Archivo", "Fichier"}},
    {&T::ColSize, {"Size", "Размер", "Розмір", "Größe", "Tamaño", "Taille"}},
    {&T::ColInfo, {"Info", "Инфо", "Інфо", "Info", "Info", "Info"}},
    {&T::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&T::CopyCaption, {"File transfer", "Передача файла", "Передавання файлу", "Dateiübertragung", "Transferencia de archivo", "Transfert de fichier"}},
    {&T::Stop, {"Стоп", "Стоп", "Стоп", "Стоп", "Стоп", "Стоп"}},
    {&T::LoaderCaption, {"Processing...", "Обработка...", "Обробка...", "Verarbeitung...", "Procesando...", "Traitement..."}},
    {&T::MsgSelectOutput, {"Select output data file on device side", "Выберите файл выходных данных на стороне устройства", "Виберіть файл вихідних даних на боці пристрою", "Ausgabedatei auf der Geräteseite wählen", "Seleccione el archivo de salida en el lado del dispositivo", "Choisissez le fichier de sortie côté appareil"}},
    {&T::MsgSelectInput, {"Select input data file", "Выберите файл входных данных", "Виберіть файл вхідних даних", "Eingabedatei wählen", "Seleccione el archivo de datos de entrada", "Choisissez le fichier de données d'entrée"}},
    {&T::MsgSelectSource, {"Select file-source", "Выберите файл-источник", "Виберіть файл-джерело", "Quelldatei wählen", "Seleccione el archivo de origen", "Choisissez le fichier source"}},
    {&T::MsgErrorOpening, {"Error opening file", "Ошибка открытия файла", "Помилка відкриття файлу", "Fehler beim Öffnen der Datei", "Error al abrir el archivo", "Erreur d'ouverture du fichier"}},
    {&T::MsgErrorOpeningForWriting, {"Ошибка открытия файла!", "Ошибка открытия файла!", "Ошибка открытия файла!", "Ошибка открытия файла!", "Ошибка открытия файла!", "Ошибка открытия файла!"}},
    {&T::MsgErrorClosing, {"Error closing file", "Ошибка закрытия файла", "Помилка закриття файлу", "Fehler beim Schließen der Datei", "Error al cerrar el archivo", "Erreur de fermeture du fichier"}},
    {&T::MsgChunkFailed, {"The transfer failed at byte %1 of %2", "Передача прервана на байте %1 из %2", "Передавання перервано на байті %1 з %2", "Die Übertragung brach bei Byte %1 von %2 ab", "La transferencia falló en el byte %1 de %2", "Le transfert a échoué à l'octet %1 sur %2"}},
    {&T::MsgDeviceStatus, {"device status %1", "состояние устройства %1", "стан пристрою %1", "Gerätestatus %1", "estado del dispositivo %1", "état de l'appareil %1"}},
    {&T::MsgShort, {"The device sent %1 of %2 bytes and fell silent", "Устройство передало %1 из %2 байт и замолчало", "Пристрій передав %1 з %2 байтів і замовк", "Das Gerät sandte %1 von %2 Bytes und verstummte", "El dispositivo envió %1 de %2 bytes y dejó de responder", "L'appareil a envoyé %1 octets sur %2 puis s'est tu"}},
    {&T::MsgStopped, {"The transfer was stopped at byte %1", "Передача остановлена на байте %1", "Передавання зупинено на байті %1", "Die Übertragung wurde bei Byte %1 angehalten", "La transferencia se detuvo en el byte %1", "Le transfert a été arrêté à l'octet %1"}},
    {&T::MsgComputerFile, {"Cannot use the file %1: %2", "Невозможно использовать файл %1: %2", "Неможливо використати файл %1: %2", "Die Datei %1 ist nicht verwendbar: %2", "No se puede usar el archivo %1: %2", "Impossible d'utiliser le fichier %1 : %2"}},
    {&T::MsgDone, {"%1 bytes transferred", "Передано байт: %1", "Передано байтів: %1", "%1 Bytes übertragen", "%1 bytes transferidos", "%1 octets transférés"}},
    {&T::MsgListFailed, {"The device's file list could not be read", "Не удалось прочитать список файлов устройства", "Не вдалося прочитати список файлів пристрою", "Die Dateiliste des Geräts ist nicht lesbar", "No se pudo leer la lista de archivos del dispositivo", "La liste des fichiers de l'appareil est illisible"}},
    {&T::ProgressKnown, {"%1 of %2 bytes, %3 B/s, %4 s left", "%1 из %2 байт, %3 Б/с, осталось %4 с", "%1 з %2 байтів, %3 Б/с, залишилось %4 с", "%1 von %2 Bytes, %3 B/s, noch %4 s", "%1 de %2 bytes, %3 B/s, quedan %4 s", "%1 sur %2 octets, %3 o/s, encore %4 s"}},
    {&T::ProgressUnknown, {"%1 bytes, %2 B/s", "%1 байт, %2 Б/с", "%1 байтів, %2 Б/с", "%1 Bytes, %2 B/s", "%1 bytes, %2 B/s", "%1 octets, %2 o/s"}},
    {&T::AllFiles, {"All files (*)", "Все файлы (*)", "Усі файли (*)", "Alle Dateien (*)", "Todos los archivos (*)", "Tous les fichiers (*)"}},
};

using C = TConvCfgLanguage;

const TConvCfgLanguageLocalization::TRow kConvRows[] = {
    {&C::DeviceBaudRate, {"Device baud rate", "Скорость устройства", "Швидкість пристрою", "Baudrate des Geräts", "Velocidad del dispositivo", "Débit de l'appareil"}},
    {&C::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TFileMgrLanguage, DVV_FILE_MGR_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TConvCfgLanguage, DVV_CONV_CFG_TEXTS(DVV_TEXT_FIELD))

TFileMgrLanguageLocalization& FileMgrLanguage() {
    static TFileMgrLanguageLocalization table(kRows);
    return table;
}

TConvCfgLanguageLocalization& ConvCfgLanguage() {
    static TConvCfgLanguageLocalization table(kConvRows);
    return table;
}

std::vector<TTableReport> CheckFileMgrLanguageTables() {
    return {CheckLanguageTable("FileMgr", FileMgrLanguage()),
            CheckLanguageTable("ConvCfg", ConvCfgLanguage())};
}
