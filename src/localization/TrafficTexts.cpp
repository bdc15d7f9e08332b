// The texts of the traffic window and of its decoders.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/TrafficLanguage.h"

namespace {

using T = TTrafficLanguage;

// clang-format off
const TTrafficLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"Traffic", "Трафик", "Трафік", "Datenverkehr", "Tráfico", "Trafic"}},
    {&T::Capture, {"Capture", "Захват", "Захоплення", "Mitschneiden", "Capturar", "Capturer"}},
    {&T::SaveTraffic, {"Save traffic", "Сохранить трафик", "Зберегти трафік", "Verkehr speichern", "Guardar tráfico", "Enregistrer le trafic"}},
    {&T::LoadTraffic, {"Load traffic", "Загрузить трафик", "Завантажити трафік", "Verkehr laden", "Cargar tráfico", "Charger le trafic"}},
    {&T::DeletePackages, {"Delete packages", "Удалить пакеты", "Видалити пакети", "Pakete löschen", "Borrar paquetes", "Supprimer les paquets"}},
    {&T::Exit, {"Exit", "Выход", "Вихід", "Beenden", "Salir", "Quitter"}},
    {&T::TabPackages, {"Packages", "Пакеты", "Пакети", "Pakete", "Paquetes", "Paquets"}},
    {&T::TabStructure, {"Structure", "Структура", "Структура", "Struktur", "Estructura", "Structure"}},
    {&T::TabContext, {"Device context", "Контекст устройства", "Контекст пристрою", "Gerätekontext", "Contexto del dispositivo", "Contexte de l'appareil"}},
    {&T::ColNumber, {"#", "№", "№", "Nr.", "N.º", "N°"}},
    {&T::ColTime, {"Time", "Время", "Час", "Zeit", "Hora", "Heure"}},
    {&T::ColDirection, {"Direction", "Направление", "Напрямок", "Richtung", "Dirección", "Sens"}},
    {&T::ColBytes, {"Bytes", "Байт", "Байтів", "Bytes", "Bytes", "Octets"}},
    {&T::ColResponse, {"Response time", "Время ответа", "Час відповіді", "Antwortzeit", "Tiempo de respuesta", "Temps de réponse"}},
    {&T::ColNote, {"Note", "Примечание", "Примітка", "Hinweis", "Nota", "Remarque"}},
    {&T::Incoming, {"Incoming", "Входящий", "Вхідний", "Eingehend", "Entrante", "Entrant"}},
    {&T::Outcoming, {"Outcoming", "Исходящий", "Вихідний", "Ausgehend", "Saliente", "Sortant"}},
    {&T::Corrupted, {"Package is corrupted", "Пакет повреждён", "Пакет пошкоджено", "Paket ist beschädigt", "El paquete está dañado", "Le paquet est corrompu"}},
    {&T::NoAnswer, {"no answer", "нет ответа", "немає відповіді", "keine Antwort", "sin respuesta", "pas de réponse"}},
    {&T::Milliseconds, {"%1 ms", "%1 мс", "%1 мс", "%1 ms", "%1 ms", "%1 ms"}},
    {&T::Port, {"Port:", "Порт:", "Порт:", "Port:", "Puerto:", "Port :"}},
    {&T::AsModbus, {"As Modbus", "Как Modbus", "Як Modbus", "Als Modbus", "Como Modbus", "En Modbus"}},
    {&T::AsNerix, {"As Nerix", "Как Nerix", "Як Nerix", "Als Nerix", "Como Nerix", "En Nerix"}},
    {&T::ColDevice, {"Device", "Устройство", "Пристрій", "Gerät", "Dispositivo", "Appareil"}},
    {&T::ColObject, {"Object", "Объект", "Об'єкт", "Objekt", "Objeto", "Objet"}},
    {&T::ColAction, {"Action", "Действие", "Дія", "Aktion", "Acción", "Action"}},
    {&T::Count, {"Count", "Количество", "Кількість", "Anzahl", "Cantidad", "Nombre"}},
    {&T::CopyToClipboard, {"Copy to clipboard", "Копировать в буфер обмена", "Копіювати до буфера обміну", "In die Zwischenablage kopieren", "Copiar al portapapeles", "Copier dans le presse-papiers"}},
    {&T::CopyAsDelphi, {"Copy as Delphi array", "Копировать как массив Delphi", "Копіювати як масив Delphi", "Als Delphi-Array kopieren", "Copiar como matriz Delphi", "Copier comme tableau Delphi"}},
    {&T::CopyAsC, {"Copy as C array", "Копировать как массив C", "Копіювати як масив C", "Als C-Array kopieren", "Copiar como matriz C", "Copier comme tableau C"}},
    {&T::NoPackageSelected, {"No package selected", "Пакет не выбран", "Пакет не вибрано", "Kein Paket ausgewählt", "Ningún paquete seleccionado", "Aucun paquet sélectionné"}},
    {&T::Package, {"Package", "Пакет", "Пакет", "Paket", "Paquete", "Paquet"}},
    {&T::ErrorSaving, {"Error saving traffic", "Ошибка сохранения трафика", "Помилка збереження трафіку", "Fehler beim Speichern des Verkehrs", "Error al guardar el tráfico", "Erreur d'enregistrement du trafic"}},
    {&T::ErrorReading, {"Error reading traffic", "Ошибка чтения трафика", "Помилка читання трафіку", "Fehler beim Lesen des Verkehrs", "Error al leer el tráfico", "Erreur de lecture du trafic"}},
    {&T::MsgSkipped, {"Packages that could not be read and were skipped: %1", "Пропущено нечитаемых пакетов: %1", "Пропущено пакетів, які не вдалося прочитати: %1", "Nicht lesbare, übersprungene Pakete: %1", "Paquetes ilegibles omitidos: %1", "Paquets illisibles ignorés : %1"}},
    {&T::FileFilter, {"Traffic files (*.xml)", "Файлы трафика (*.xml)", "Файли трафіку (*.xml)", "Verkehrsdateien (*.xml)", "Archivos de tráfico (*.xml)", "Fichiers de trafic (*.xml)"}},
    {&T::AllFilesFilter, {"All files (*)", "Все файлы (*)", "Усі файли (*)", "Alle Dateien (*)", "Todos los archivos (*)", "Tous les fichiers (*)"}},
    {&T::UnknownFormat, {"Unknown format", "Неизвестный формат", "Невідомий формат", "Unbekanntes Format", "Formato desconocido", "Format inconnu"}},
    {&T::Read, {"READ", "ЧТЕНИЕ", "ЧИТАННЯ", "LESEN", "LECTURA", "LECTURE"}},
    {&T::Write, {"WRITE", "ЗАПИСЬ", "ЗАПИС", "SCHREIBEN", "ESCRITURA", "ÉCRITURE"}},
    {&T::Response, {"Response", "Ответ", "Відповідь", "Antwort", "Respuesta", "Réponse"}},
    {&T::Request, {"Request", "Запрос", "Запит", "Anfrage", "Petición", "Requête"}},
    {&T::FunctionError, {"Function error", "Ошибка функции", "Помилка функції", "Funktionsfehler", "Error de función", "Erreur de fonction"}},
    {&T::Object, {"Object", "Объект", "Об'єкт", "Objekt", "Objeto", "Objet"}},
    {&T::Property, {"Property", "Свойство", "Властивість", "Eigenschaft", "Propiedad", "Propriété"}},
    {&T::Data, {"Data", "Данные", "Дані", "Daten", "Datos", "Données"}},
    {&T::CheckSum, {"Check sum", "Контрольная сумма", "Контрольна сума", "Prüfsumme", "Suma de control", "Somme de contrôle"}},
    {&T::Incorrect, {"Incorrect", "Неверная", "Невірна", "Falsch", "Incorrecta", "Incorrecte"}},
    {&T::InitialRegister, {"Initial register", "Начальный регистр", "Початковий регістр", "Anfangsregister", "Registro inicial", "Registre initial"}},
    {&T::NumberOfRegisters, {"Number of registers", "Число регистров", "Кількість регістрів", "Anzahl der Register", "Número de registros", "Nombre de registres"}},
    // The labels of the tree that the decoders write in English; the window puts these in their place.
    {&T::Address, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&T::Function, {"Function", "Функция", "Функція", "Funktion", "Función", "Fonction"}},
    {&T::AsHex, {"AsHex", "Hex", "Hex", "Hex", "Hex", "Hex"}},
    {&T::AsInteger, {"AsInteger", "Целое", "Ціле", "Ganzzahl", "Entero", "Entier"}},
    {&T::AsFloat, {"AsFloat", "Дробное", "Дробове", "Gleitkomma", "Flotante", "Flottant"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TTrafficLanguage, DVV_TRAFFIC_TEXTS(DVV_TEXT_FIELD))

TTrafficLanguageLocalization& TrafficLanguage() {
    static TTrafficLanguageLocalization table(kRows);
    return table;
}
