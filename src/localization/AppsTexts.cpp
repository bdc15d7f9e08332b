// The texts of the device applications.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/AppsLanguage.h"

namespace {

using T = TAppsLanguage;

// clang-format off
const TAppsLanguageLocalization::TRow kRows[] = {
    {&T::SelectorCaption, {"Select program", "Выбор приложения", "Вибір програми", "Programmauswahl", "Programa de seleccio'n", "Selection de programme"}},
    {&T::Execute, {"Execute", "Выполнить", "Виконати", "Ausführen", "Ejecutar", "Exécuter"}},
    {&T::NoApplications, {"There are no applications for this device.", "Для этого устройства нет приложений.", "Для цього пристрою немає програм.", "Für dieses Gerät gibt es keine Anwendungen.", "No hay aplicaciones para este dispositivo.", "Aucune application pour cet appareil."}},
    {&T::PanelCaption, {"Control panel", "Панель управления", "Панель керування", "Bedienfeld", "Panel de control", "Panneau de commande"}},
    {&T::PollingInterval, {"Polling interval, ms", "Интервал опроса, мс", "Інтервал опитування, мс", "Abfrageintervall, ms", "Intervalo de sondeo, ms", "Intervalle d'interrogation, ms"}},
    {&T::RecordingInterval, {"Recording interval, ms", "Интервал записи, мс", "Інтервал запису, мс", "Aufzeichnungsintervall, ms", "Intervalo de registro, ms", "Intervalle d'enregistrement, ms"}},
    {&T::Start, {"Start", "Старт", "Старт", "Start", "Iniciar", "Démarrer"}},
    {&T::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Parar", "Arrêter"}},
    {&T::Edit, {"Edit", "Редактировать", "Редагувати", "Bearbeiten", "Editar", "Modifier"}},
    {&T::SavingToFile, {"Saving to file", "Сохранение в файл", "Збереження у файл", "Speichern in Datei", "Guardar en archivo", "Enregistrement dans un fichier"}},
    {&T::DevicePolling, {"Device polling", "Опрос устройства", "Опитування пристрою", "Geräteabfrage", "Sondeo del dispositivo", "Interrogation de l'appareil"}},
    {&T::Parameters, {"Parameters", "Параметры", "Параметри", "Parameter", "Parámetros", "Paramètres"}},
    {&T::MsgIntervalTooSmall, {"Value must be more than 10 ms", "Значение должно быть больше 10 мс", "Значення має бути більше 10 мс", "Der Wert muss größer als 10 ms sein", "El valor debe ser mayor de 10 ms", "La valeur doit dépasser 10 ms"}},
    {&T::Processing, {"- Processing -", "- Обработка -", "- Обробка -", "- Verarbeitung -", "- Procesando -", "- Traitement -"}},
    {&T::MsgFileExists, {"File %1 already exists. Replace?", "Файл %1 уже существует. Заменить?", "Файл %1 вже існує. Замінити?", "Die Datei %1 existiert bereits. Ersetzen?", "El archivo %1 ya existe. ¿Reemplazar?", "Le fichier %1 existe déjà. Remplacer ?"}},
    {&T::MsgFileAccessError, {"File access error", "Ошибка доступа к файлу", "Помилка доступу до файлу", "Fehler beim Dateizugriff", "Error de acceso al archivo", "Erreur d'accès au fichier"}},
    {&T::Replace, {"Yes", "Да", "Так", "Ja", "Sí", "Oui"}},
    {&T::Next, {"No", "Нет", "Ні", "Nein", "No", "Non"}},
    {&T::Abort, {"Abort", "Прервать", "Перервати", "Abbrechen", "Anular", "Abandonner"}},
    {&T::PowerDesc, {"Power meter", "Измеритель мощности", "Вимірювач потужності", "Leistungsmesser", "Medidor de potencia", "Wattmètre"}},
    {&T::WeightDesc, {"Weight controller", "Весовой контроллер", "Ваговий контролер", "Wägecontroller", "Controlador de peso", "Contrôleur de pesage"}},
    {&T::CatCoefficients, {"Conversion coefficients", "Коэффициенты преобразования", "Коефіцієнти перетворення", "Umrechnungsfaktoren", "Coeficientes de conversión", "Coefficients de conversion"}},
    {&T::DescPoll, {"Polling interval, ms", "Интервал опроса, мс", "Інтервал опитування, мс", "Abfrageintervall, ms", "Intervalo de sondeo, ms", "Intervalle d'interrogation, ms"}},
    {&T::DescSave, {"Saving interval, ms", "Интервал сохранения, мс", "Інтервал збереження, мс", "Speicherintervall, ms", "Intervalo de guardado, ms", "Intervalle d'enregistrement, ms"}},
    {&T::DescFileDir, {"Data folder", "Папка данных", "Тека даних", "Datenordner", "Carpeta de datos", "Dossier des données"}},
    {&T::DescKv, {"Voltage conversion coefficient", "Коэф-т преобразования напряжения", "Коеф-т перетворення напруги", "Spannungsumrechnungsfaktor", "Coeficiente de conversión de tensión", "Coefficient de conversion de tension"}},
    {&T::DescKi, {"Current conversion coefficient", "Коэф-т преобразования тока", "Коеф-т перетворення струму", "Stromumrechnungsfaktor", "Coeficiente de conversión de corriente", "Coefficient de conversion de courant"}},
    {&T::ColInput, {"Input", "Вход", "Вхід", "Eingang", "Entrada", "Entrée"}},
    {&T::ColValue, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&T::ColUnit, {"Unit", "Ед. изм.", "Од. вим.", "Einheit", "Unidad", "Unité"}},
    {&T::ColQuantity, {"Property %1", "Свойство %1", "Властивість %1", "Eigenschaft %1", "Propiedad %1", "Propriété %1"}},
    {&T::AnalogInputs, {"Analog inputs", "Аналоговые входы", "Аналогові входи", "Analogeingänge", "Entradas analógicas", "Entrées analogiques"}},
    {&T::DiscreteInputs, {"Discrete inputs", "Дискретные входы", "Дискретні входи", "Digitaleingänge", "Entradas discretas", "Entrées TOR"}},
    {&T::DiscreteOutputs, {"Discrete outputs", "Дискретные выходы", "Дискретні виходи", "Digitalausgänge", "Salidas discretas", "Sorties TOR"}},
    {&T::InputN, {"Input %1", "Вход %1", "Вхід %1", "Eingang %1", "Entrada %1", "Entrée %1"}},
    {&T::OutputN, {"Output %1", "Выход %1", "Вихід %1", "Ausgang %1", "Salida %1", "Sortie %1"}},
    {&T::On, {"On", "Вкл", "Увімк", "Ein", "Act", "Marche"}},
    {&T::Off, {"Off", "Выкл", "Вимк", "Aus", "Desact", "Arrêt"}},
    {&T::NoAnswer, {"no answer", "нет ответа", "немає відповіді", "keine Antwort", "sin respuesta", "pas de réponse"}},
    {&T::EditorCategory, {"Category", "Категория", "Категорія", "Kategorie", "Categoría", "Catégorie"}},
    {&T::EditorAll, {"(All Parameters)", "(Все параметры)", "(Усі параметри)", "(Alle Parameter)", "(Todos los parámetros)", "(Tous les paramètres)"}},
    {&T::EditorParameter, {"Parameter", "Параметр", "Параметр", "Parameter", "Parámetro", "Paramètre"}},
    {&T::EditorValue, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&T::EditorSetDefault, {"Set default", "По умолчанию", "За замовчуванням", "Standardwerte", "Valores por defecto", "Valeurs par défaut"}},
    {&T::EditorSetDefaultAsk, {"Set default data?", "Установить значения по умолчанию?", "Встановити значення за замовчуванням?", "Standardwerte setzen?", "¿Establecer los valores por defecto?", "Rétablir les valeurs par défaut ?"}},
    {&T::EditorExit, {"Exit", "Выход", "Вихід", "Beenden", "Salir", "Quitter"}},
    {&T::EditorPrompt, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&T::MsgNotInteger, {"'%1' is not a valid integer value", "'%1' не является целым числом", "'%1' не є цілим числом", "'%1' ist keine gültige Ganzzahl", "'%1' no es un valor entero válido", "'%1' n'est pas un entier valide"}},
    {&T::MsgNotFloat, {"'%1' is not a valid floating point value", "'%1' не является числом с плавающей точкой", "'%1' не є дійсним числом", "'%1' ist keine gültige Gleitkommazahl", "'%1' no es un valor de coma flotante válido", "'%1' n'est pas un nombre à virgule flottante valide"}},
    {&T::MsgSaveFailed, {"The parameters could not be saved to %1", "Не удалось сохранить параметры в %1", "Не вдалося зберегти параметри у %1", "Die Parameter konnten nicht in %1 gespeichert werden", "No se pudieron guardar los parámetros en %1", "Impossible d'enregistrer les paramètres dans %1"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TAppsLanguage, DVV_APPS_TEXTS(DVV_TEXT_FIELD))

TAppsLanguageLocalization& AppsLanguage() {
    static TAppsLanguageLocalization table(kRows);
    return table;
}

TTableReport CheckAppsLanguageTable() {
    return CheckLanguageTable("AppFramework", AppsLanguage());
}
