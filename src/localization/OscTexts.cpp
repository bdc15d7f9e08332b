// The texts of the oscilloscope window, its wizard and the channel properties dialog.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/OscLanguage.h"

namespace {

using T = TOscLanguage;

// clang-format off
const TOscLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"Oscilloscope", "Осциллограф", "Осцилограф", "Oszilloskop", "Osciloscopio", "Oscilloscope"}},
    {&T::Wizard, {"Wizard", "Мастер", "Майстер", "Assistent", "Asistente", "Assistant"}},
    {&T::Start, {"Start", "Пуск", "Пуск", "Start", "Iniciar", "Démarrer"}},
    {&T::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&T::Experiment, {"Experiment", "Эксперимент", "Експеримент", "Experiment", "Experimento", "Expérience"}},
    {&T::Load, {"Load", "Загрузить", "Завантажити", "Laden", "Cargar", "Charger"}},
    {&T::SelectFile, {"Select file", "Выбрать файл", "Вибрати файл", "Datei wählen", "Elegir archivo", "Choisir le fichier"}},
    {&T::SaveData, {"Save data", "Записывать", "Записувати", "Daten speichern", "Guardar datos", "Enregistrer"}},
    {&T::Export, {"Export", "Экспорт", "Експорт", "Export", "Exportar", "Exporter"}},
    {&T::AutoStart, {"Automatic start after", "Автостарт через", "Автостарт через", "Automatischer Start nach", "Inicio automático tras", "Démarrage automatique après"}},
    {&T::AutoStop, {"Automatic stop after", "Автостоп через", "Автостоп через", "Automatischer Stopp nach", "Parada automática tras", "Arrêt automatique après"}},
    {&T::Rec, {"REC", "REC", "REC", "REC", "REC", "REC"}},
    {&T::FilePrefix, {"File: ", "Файл: ", "Файл: ", "Datei: ", "Archivo: ", "Fichier : "}},
    {&T::Hours, {"h", "ч", "год", "h", "h", "h"}},
    {&T::Minutes, {"min", "мин", "хв", "min", "min", "min"}},
    {&T::Seconds, {"s", "с", "с", "s", "s", "s"}},
    {&T::AdfFilter, {"ADC Data File (*.adf)", "Файл данных АЦП (*.adf)", "Файл даних АЦП (*.adf)", "ADU-Datendatei (*.adf)", "Archivo de datos CAD (*.adf)", "Fichier de données CAN (*.adf)"}},
    {&T::TxtFilter, {"Text File (*.txt)", "Текстовый файл (*.txt)", "Текстовий файл (*.txt)", "Textdatei (*.txt)", "Archivo de texto (*.txt)", "Fichier texte (*.txt)"}},
    {&T::CsvFilter, {"CSV File (*.csv)", "Файл CSV (*.csv)", "Файл CSV (*.csv)", "CSV-Datei (*.csv)", "Archivo CSV (*.csv)", "Fichier CSV (*.csv)"}},
    {&T::FileExists, {"File already exists. Replace?", "Файл уже существует. Заменить?", "Файл уже існує. Замінити?", "Die Datei existiert bereits. Ersetzen?", "El archivo ya existe. ¿Reemplazarlo?", "Le fichier existe déjà. Le remplacer ?"}},
    {&T::InvalidFile, {"Invalid file", "Неверный файл", "Невірний файл", "Ungültige Datei", "Archivo no válido", "Fichier non valide"}},
    {&T::InvalidChannels, {"Number of channels must be from 1 to 100", "Число каналов должно быть от 1 до 100", "Кількість каналів має бути від 1 до 100", "Die Kanalzahl muss zwischen 1 und 100 liegen", "El número de canales debe ser de 1 a 100", "Le nombre de canaux doit être compris entre 1 et 100"}},
    {&T::InvalidFrequency, {"Sampling rate must be at least 1 Hz", "Частота опроса должна быть не меньше 1 Гц", "Частота опитування має бути не менше 1 Гц", "Die Abtastrate muss mindestens 1 Hz betragen", "La frecuencia de muestreo debe ser de al menos 1 Hz", "La fréquence d'échantillonnage doit être d'au moins 1 Hz"}},
    {&T::IoError, {"Input/output error", "Ошибка ввода-вывода", "Помилка введення-виведення", "Ein-/Ausgabefehler", "Error de entrada/salida", "Erreur d'entrée/sortie"}},
    {&T::Time, {"Time", "Время", "Час", "Zeit", "Tiempo", "Temps"}},
    {&T::TimeMs, {"Time, ms", "Время, мс", "Час, мс", "Zeit, ms", "Tiempo, ms", "Temps, ms"}},
    {&T::ColLabel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&T::ColOffset, {"Offset", "Смещение", "Зміщення", "Versatz", "Desplazamiento", "Décalage"}},
    {&T::ColValue, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&T::ColRange, {"Range", "Диапазон", "Діапазон", "Bereich", "Rango", "Plage"}},
    {&T::All, {"All", "Все", "Усі", "Alle", "Todos", "Tous"}},
    {&T::Curr, {"Curr", "Тек", "Пот", "Akt", "Act", "Cour"}},
    {&T::Print, {"Print", "Печать", "Друк", "Drucken", "Imprimir", "Imprimer"}},
    {&T::ChartCaption, {"Chart caption", "Заголовок графика", "Заголовок графіка", "Diagrammtitel", "Título del gráfico", "Titre du graphique"}},
    {&T::EnterCaption, {"Enter caption", "Введите заголовок", "Введіть заголовок", "Titel eingeben", "Introduzca el título", "Saisissez le titre"}},
    {&T::NewCaption, {"New caption", "Новый заголовок", "Новий заголовок", "Neuer Titel", "Nuevo título", "Nouveau titre"}},
    {&T::TimeScale, {"Time scale", "Развёртка", "Розгортка", "Zeitbasis", "Base de tiempo", "Base de temps"}},
    {&T::VerticalRange, {"Vertical range ±", "Диапазон по вертикали ±", "Діапазон по вертикалі ±", "Vertikalbereich ±", "Rango vertical ±", "Plage verticale ±"}},
    {&T::DisplayOffset, {"Display offset", "Смещение кривой", "Зміщення кривої", "Anzeigeversatz", "Desplazamiento de curva", "Décalage de courbe"}},
    {&T::Next, {"Next >", "Далее >", "Далі >", "Weiter >", "Siguiente >", "Suivant >"}},
    {&T::Previous, {"< Previous", "< Назад", "< Назад", "< Zurück", "< Anterior", "< Précédent"}},
    {&T::Done, {"Done", "Готово", "Готово", "Fertig", "Terminar", "Terminer"}},
    {&T::WizardCaption, {"Experiment wizard", "Мастер эксперимента", "Майстер експерименту", "Experiment-Assistent", "Asistente del experimento", "Assistant d'expérience"}},
    {&T::PageChannels, {"Channel select", "Выбор каналов", "Вибір каналів", "Kanalauswahl", "Selección de canales", "Choix des canaux"}},
    {&T::PageChannelsHint, {"Set channels and normalization coefficients", "Задайте каналы и коэффициенты нормирования", "Задайте канали та коефіцієнти нормування", "Kanäle und Normierungskoeffizienten festlegen", "Elija los canales y los coeficientes de normalización", "Choisissez les canaux et les coefficients de normalisation"}},
    {&T::PageRate, {"Sampling rate", "Частота опроса", "Частота опитування", "Abtastrate", "Frecuencia de muestreo", "Fréquence d'échantillonnage"}},
    {&T::PageRateHint, {"Poll frequency, Hz", "Частота опроса, Гц", "Частота опитування, Гц", "Abfragefrequenz, Hz", "Frecuencia de sondeo, Hz", "Fréquence d'interrogation, Hz"}},
    {&T::PageStorage, {"Storage settings", "Параметры сохранения", "Параметри збереження", "Speichereinstellungen", "Ajustes de guardado", "Paramètres d'enregistrement"}},
    {&T::PageStorageHint, {"Select result file and autostop/autostart timeout", "Выберите файл результата и задержки автостарта/автостопа", "Виберіть файл результату та затримки автостарту/автостопу", "Ergebnisdatei und Zeiten für Autostart/Autostopp wählen", "Elija el archivo de resultados y los tiempos de inicio/parada automáticos", "Choisissez le fichier résultat et les délais de démarrage/arrêt automatiques"}},
    {&T::PageSummary, {"Summary", "Итоги", "Підсумки", "Zusammenfassung", "Resumen", "Résumé"}},
    {&T::RateLabel, {"sampling rate, Hz", "частота опроса, Гц", "частота опитування, Гц", "Abtastrate, Hz", "frecuencia de muestreo, Hz", "fréquence d'échantillonnage, Hz"}},
    {&T::ResultFile, {"Result file", "Файл результата", "Файл результату", "Ergebnisdatei", "Archivo de resultados", "Fichier résultat"}},
    {&T::Browse, {"Browse…", "Обзор…", "Огляд…", "Durchsuchen…", "Examinar…", "Parcourir…"}},
    {&T::StartDelay, {"Start delay (h:m:s)", "Задержка старта (ч:м:с)", "Затримка старту (г:х:с)", "Startverzögerung (h:m:s)", "Retardo de inicio (h:m:s)", "Délai de démarrage (h:m:s)"}},
    {&T::Duration, {"Duration (h:m:s)", "Длительность (ч:м:с)", "Тривалість (г:х:с)", "Dauer (h:m:s)", "Duración (h:m:s)", "Durée (h:m:s)"}},
    {&T::SummaryRate, {"Sampling rate: ", "Частота опроса: ", "Частота опитування: ", "Abtastrate: ", "Frecuencia de muestreo: ", "Fréquence d'échantillonnage : "}},
    {&T::Autostart, {"Autostart", "Автостарт", "Автостарт", "Autostart", "Inicio automático", "Démarrage auto"}},
    {&T::Autostop, {"Autostop", "Автостоп", "Автостоп", "Autostopp", "Parada automática", "Arrêt auto"}},
    {&T::Disconnected, {"DISCONNECTED", "ОТКЛЮЧЁН", "ВИМКНЕНО", "AUS", "DESACTIVADO", "DÉSACTIVÉ"}},
    {&T::SetAtLeastOne, {"Set at least one channel", "Выберите хотя бы один канал", "Виберіть хоча б один канал", "Mindestens einen Kanal wählen", "Elija al menos un canal", "Choisissez au moins un canal"}},
    {&T::ChannelList, {"Channel list", "Список каналов", "Список каналів", "Kanalliste", "Lista de canales", "Liste des canaux"}},
    {&T::ColNo, {"No", "№", "№", "Nr.", "N.º", "N°"}},
    {&T::ColSlope, {"Slope", "Наклон", "Нахил", "Steigung", "Pendiente", "Pente"}},
    {&T::ColOffsetShort, {"Offset", "Смещение", "Зміщення", "Versatz", "Desplaz.", "Décalage"}},
    {&T::ColAddress, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&T::ColDevice, {"Device", "Устройство", "Пристрій", "Gerät", "Dispositivo", "Appareil"}},
    {&T::ColChannel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&T::CheckEven, {"Check even", "Отметить чётные", "Позначити парні", "Gerade ankreuzen", "Marcar pares", "Cocher les pairs"}},
    {&T::CheckOdd, {"Check odd", "Отметить нечётные", "Позначити непарні", "Ungerade ankreuzen", "Marcar impares", "Cocher les impairs"}},
    {&T::CheckAll, {"Check all", "Отметить все", "Позначити всі", "Alle ankreuzen", "Marcar todos", "Tout cocher"}},
    {&T::InvertChecks, {"Invert checks", "Инвертировать отметки", "Інвертувати позначки", "Kreuze umkehren", "Invertir marcas", "Inverser les coches"}},
    {&T::SelectEven, {"Select even", "Выделить чётные", "Виділити парні", "Gerade auswählen", "Seleccionar pares", "Sélectionner les pairs"}},
    {&T::SelectOdd, {"Select odd", "Выделить нечётные", "Виділити непарні", "Ungerade auswählen", "Seleccionar impares", "Sélectionner les impairs"}},
    {&T::SelectAll, {"Select all", "Выделить все", "Виділити всі", "Alle auswählen", "Seleccionar todos", "Tout sélectionner"}},
    {&T::SelectChecked, {"Select checked", "Выделить отмеченные", "Виділити позначені", "Angekreuzte auswählen", "Seleccionar marcados", "Sélectionner les cochés"}},
    {&T::InvertSelection, {"Invert selection", "Инвертировать выделение", "Інвертувати виділення", "Auswahl umkehren", "Invertir selección", "Inverser la sélection"}},
    {&T::Properties, {"Properties…", "Свойства…", "Властивості…", "Eigenschaften…", "Propiedades…", "Propriétés…"}},
    {&T::MsgRate, {"The sampling rate must be a whole number from 1 to 100 Hz", "Частота опроса должна быть целым числом от 1 до 100 Гц", "Частота опитування має бути цілим числом від 1 до 100 Гц", "Die Abtastrate muss eine ganze Zahl von 1 bis 100 Hz sein", "La frecuencia de muestreo debe ser un entero de 1 a 100 Hz", "La fréquence d'échantillonnage doit être un entier de 1 à 100 Hz"}},
    {&T::MsgTooManyChannels, {"At most 100 channels can be recorded", "Можно записывать не более 100 каналов", "Можна записувати не більше 100 каналів", "Höchstens 100 Kanäle können aufgezeichnet werden", "Se pueden registrar como máximo 100 canales", "100 canaux au plus peuvent être enregistrés"}},
    {&T::PropCaption, {"Channel properties", "Свойства канала", "Властивості каналу", "Kanaleigenschaften", "Propiedades del canal", "Propriétés du canal"}},
    {&T::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&T::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&T::MsgBadNumber, {"Enter a number", "Введите число", "Введіть число", "Geben Sie eine Zahl ein", "Introduzca un número", "Saisissez un nombre"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TOscLanguage, DVV_OSC_TEXTS(DVV_TEXT_FIELD))

TOscLanguageLocalization& OscLanguage() {
    static TOscLanguageLocalization table(kRows);
    return table;
}

TTableReport CheckOscLanguageTable() {
    return CheckLanguageTable("Osc", OscLanguage());
}
