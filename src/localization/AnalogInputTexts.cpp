// The texts of the analog input channel window and its dialogs.
// Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/AnalogInputLanguage.h"

namespace {

// clang-format off
const TAIChannelLanguageLocalization::TRow kChannelRows[] = {
    {&TAIChannelLanguage::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&TAIChannelLanguage::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&TAIChannelLanguage::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&TAIChannelLanguage::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&TAIChannelLanguage::ChannelSettings, {"Channel settings", "Настройки канала", "Налаштування каналу", "Kanaleinstellungen", "Ajustes del canal", "Paramètres du canal"}},
    {&TAIChannelLanguage::InputParameter, {"Input parameter", "Входной параметр", "Вхідний параметр", "Eingangsgröße", "Parámetro de entrada", "Grandeur d'entrée"}},
    {&TAIChannelLanguage::Range, {"Range", "Диапазон", "Діапазон", "Bereich", "Rango", "Plage"}},
    {&TAIChannelLanguage::FilterFrequency, {"Filter frequency", "Частота фильтра", "Частота фільтра", "Filterfrequenz", "Frecuencia del filtro", "Fréquence du filtre"}},
    {&TAIChannelLanguage::HzSuffix, {",Hz:", ",Гц:", ",Гц:", ",Hz:", ",Hz:", ",Hz :"}},
    {&TAIChannelLanguage::ResponseTime, {"Response time", "Время отклика", "Час відгуку", "Ansprechzeit", "Tiempo de respuesta", "Temps de réponse"}},
    {&TAIChannelLanguage::MsSuffix, {", ms:", ", мс:", ", мс:", ", ms:", ", ms:", ", ms :"}},
    {&TAIChannelLanguage::ADC, {"ADC", "АЦП", "АЦП", "ADU", "CAD", "CAN"}},
    {&TAIChannelLanguage::UserPolynomial, {"User Polynomial", "Полином пользователя", "Поліном користувача", "Benutzerpolynom", "Polinomio del usuario", "Polynôme utilisateur"}},
    {&TAIChannelLanguage::ThermalCompensator, {"Thermal compensator", "Термокомпенсатор", "Термокомпенсатор", "Thermokompensator", "Compensador térmico", "Compensateur thermique"}},
    {&TAIChannelLanguage::Indicator, {"Indicator", "Индикатор", "Індикатор", "Anzeige", "Indicador", "Indicateur"}},
    {&TAIChannelLanguage::Minimum, {"Minimum:", "Минимум:", "Мінімум:", "Minimum:", "Mínimo:", "Minimum :"}},
    {&TAIChannelLanguage::Maximum, {"Maximum:", "Максимум:", "Максимум:", "Maximum:", "Máximo:", "Maximum :"}},
    {&TAIChannelLanguage::Result, {"Result", "Результат", "Результат", "Ergebnis", "Resultado", "Résultat"}},
    {&TAIChannelLanguage::Generator, {"Generator", "Генератор", "Генератор", "Generator", "Generador", "Générateur"}},
    {&TAIChannelLanguage::GeneratorHint, {"Available in emulation mode", "Доступен в режиме эмуляции", "Доступний у режимі емуляції", "Im Emulationsmodus verfügbar", "Disponible en modo de emulación", "Disponible en mode émulation"}},
    {&TAIChannelLanguage::Format, {"Format", "Формат", "Формат", "Format", "Formato", "Format"}},
    {&TAIChannelLanguage::FloatingPoint, {"Floating point", "Плавающая точка", "Плаваюча кома", "Gleitkomma", "Coma flotante", "Virgule flottante"}},
    {&TAIChannelLanguage::IntegerType, {"Integer type", "Целый тип", "Цілий тип", "Ganzzahl", "Tipo entero", "Type entier"}},
    {&TAIChannelLanguage::TwoBytes, {"(2 bytes)", "(2 байта)", "(2 байти)", "(2 Byte)", "(2 bytes)", "(2 octets)"}},
    {&TAIChannelLanguage::ThreeBytes, {"(3 bytes)", "(3 байта)", "(3 байти)", "(3 Byte)", "(3 bytes)", "(3 octets)"}},
    {&TAIChannelLanguage::ByteOrder, {"Byte order", "Порядок байт", "Порядок байтів", "Bytereihenfolge", "Orden de bytes", "Ordre des octets"}},
    {&TAIChannelLanguage::Off, {"Off", "Выкл", "Вимк", "Aus", "Apagado", "Arrêt"}},
    {&TAIChannelLanguage::On, {"On", "Вкл", "Увімк", "Ein", "Encendido", "Marche"}},
    {&TAIChannelLanguage::Flags, {"Flags", "Флаги", "Прапорці", "Flags", "Indicadores", "Drapeaux"}},
    {&TAIChannelLanguage::Start, {"Start", "Пуск", "Пуск", "Start", "Iniciar", "Démarrer"}},
    {&TAIChannelLanguage::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&TAIChannelLanguage::FilterOff, {"Filter Off", "Фильтр выкл.", "Фільтр вимк.", "Filter aus", "Filtro apagado", "Filtre désactivé"}},
    {&TAIChannelLanguage::Code, {"Code", "Код", "Код", "Code", "Código", "Code"}},
    {&TAIChannelLanguage::InputSwitch, {"Analog input", "Аналоговый вход", "Аналоговий вхід", "Analogeingang", "Entrada analógica", "Entrée analogique"}},
    {&TAIChannelLanguage::BtnSelect, {"Select…", "Выбрать…", "Вибрати…", "Wählen…", "Elegir…", "Choisir…"}},
    {&TAIChannelLanguage::BtnFilter, {"Filter…", "Фильтр…", "Фільтр…", "Filter…", "Filtro…", "Filtre…"}},
    {&TAIChannelLanguage::BtnCoefficients, {"Coefficients…", "Коэффициенты…", "Коефіцієнти…", "Koeffizienten…", "Coeficientes…", "Coefficients…"}},
    {&TAIChannelLanguage::BtnSwitch, {"On/Off", "Вкл/Выкл", "Увімк/Вимк", "Ein/Aus", "Act./Desact.", "Marche/Arrêt"}},
    {&TAIChannelLanguage::BtnLimits, {"Limits…", "Пределы…", "Межі…", "Grenzen…", "Límites…", "Limites…"}},
    {&TAIChannelLanguage::BtnGenerator, {"Open…", "Открыть…", "Відкрити…", "Öffnen…", "Abrir…", "Ouvrir…"}},
    {&TAIChannelLanguage::Legend, {"1 – on, 0 – off", "1 – вкл, 0 – выкл", "1 – увімк, 0 – вимк", "1 – ein, 0 – aus", "1 – act., 0 – desact.", "1 – marche, 0 – arrêt"}},
};
// clang-format on

// clang-format off
const TAiInputParamLanguageLocalization::TRow kInputParamRows[] = {
    {&TAiInputParamLanguage::Caption, {"Select range", "Выбор диапазона", "Вибір діапазону", "Bereich wählen", "Seleccionar rango", "Choisir la plage"}},
    {&TAiInputParamLanguage::InputParameter, {"Input parameter", "Входной параметр", "Вхідний параметр", "Eingangsgröße", "Parámetro de entrada", "Grandeur d'entrée"}},
    {&TAiInputParamLanguage::Range, {"Range", "Диапазон", "Діапазон", "Bereich", "Rango", "Plage"}},
    {&TAiInputParamLanguage::PossibleValues, {"Range of possible values", "Диапазон возможных значений", "Діапазон можливих значень", "Bereich möglicher Werte", "Rango de valores posibles", "Plage des valeurs possibles"}},
    {&TAiInputParamLanguage::Min, {"Min", "Мин", "Мін", "Min", "Mín", "Min"}},
    {&TAiInputParamLanguage::Max, {"Max", "Макс", "Макс", "Max", "Máx", "Max"}},
    {&TAiInputParamLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TAiInputParamLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
};
// clang-format on

// clang-format off
const TFilterParamLanguageLocalization::TRow kFilterRows[] = {
    {&TFilterParamLanguage::Caption, {"Filter parameters", "Параметры фильтра", "Параметри фільтра", "Filterparameter", "Parámetros del filtro", "Paramètres du filtre"}},
    {&TFilterParamLanguage::FilterFrequency, {"Filter frequency, Hz", "Частота фильтра, Гц", "Частота фільтра, Гц", "Filterfrequenz, Hz", "Frecuencia del filtro, Hz", "Fréquence du filtre, Hz"}},
    {&TFilterParamLanguage::ResponseTime, {"Response time, ms", "Время отклика, мс", "Час відгуку, мс", "Ansprechzeit, ms", "Tiempo de respuesta, ms", "Temps de réponse, ms"}},
    {&TFilterParamLanguage::DisableFilter, {"Disable filter", "Отключить фильтр", "Вимкнути фільтр", "Filter abschalten", "Desactivar filtro", "Désactiver le filtre"}},
    {&TFilterParamLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TFilterParamLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TFilterParamLanguage::MsgBadCutoff, {"Incorrect cutoff frequency value", "Не правильное значение частоты среза", "Неправильне значення частоти зрізу", "Ungültiger Wert der Grenzfrequenz", "Valor de frecuencia de corte incorrecto", "Valeur de fréquence de coupure incorrecte"}},
    {&TFilterParamLanguage::MsgBadResponseTime, {"Incorrect response time value", "Не правильное значение времени отклика", "Неправильне значення часу відгуку", "Ungültiger Wert der Ansprechzeit", "Valor de tiempo de respuesta incorrecto", "Valeur de temps de réponse incorrecte"}},
};
// clang-format on

// clang-format off
const TAiLedLimitLanguageLocalization::TRow kLedRows[] = {
    {&TAiLedLimitLanguage::Caption, {"LED limits", "Пределы индикации", "Межі індикації", "LED-Grenzen", "Límites del LED", "Limites de la LED"}},
    {&TAiLedLimitLanguage::Min, {"Min:", "Мин:", "Мін:", "Min:", "Mín:", "Min :"}},
    {&TAiLedLimitLanguage::Max, {"Max:", "Макс:", "Макс:", "Max:", "Máx:", "Max :"}},
    {&TAiLedLimitLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TAiLedLimitLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TAiLedLimitLanguage::MsgMaxBelowMin, {"Maximum value should not be less than the minimum", "Максимальное значение не должно быть меньше минимального", "Максимальне значення не повинно бути меншим за мінімальне", "Der Höchstwert darf nicht kleiner als der Mindestwert sein", "El valor máximo no debe ser menor que el mínimo", "La valeur maximale ne doit pas être inférieure à la valeur minimale"}},
};
// clang-format on

// clang-format off
const TAiUserPolynomLanguageLocalization::TRow kPolynomRows[] = {
    {&TAiUserPolynomLanguage::Caption, {"User polynomial", "Полином пользователя", "Поліном користувача", "Benutzerpolynom", "Polinomio del usuario", "Polynôme utilisateur"}},
    {&TAiUserPolynomLanguage::Calibration, {"Calibration of polinomial", "Калибровка полинома", "Калібрування полінома", "Kalibrierung des Polynoms", "Calibración del polinomio", "Étalonnage du polynôme"}},
    {&TAiUserPolynomLanguage::Point1, {"Point #1:", "Точка №1:", "Точка №1:", "Punkt 1:", "Punto 1:", "Point 1 :"}},
    {&TAiUserPolynomLanguage::Point2, {"Point #2:", "Точка №2:", "Точка №2:", "Punkt 2:", "Punto 2:", "Point 2 :"}},
    {&TAiUserPolynomLanguage::Point3, {"Point #3:", "Точка №3:", "Точка №3:", "Punkt 3:", "Punto 3:", "Point 3 :"}},
    {&TAiUserPolynomLanguage::RawValue, {"Raw value", "Исходное значение", "Вихідне значення", "Rohwert", "Valor bruto", "Valeur brute"}},
    {&TAiUserPolynomLanguage::MadeValue, {"Made value", "Требуемое значение", "Потрібне значення", "Sollwert", "Valor deseado", "Valeur voulue"}},
    {&TAiUserPolynomLanguage::GetValue, {"Get value", "Считать", "Зчитати", "Wert lesen", "Leer valor", "Lire la valeur"}},
    {&TAiUserPolynomLanguage::LockHint, {"Polinomial must be turned off, format must be float!", "Полином должен быть выключен, формат — с плавающей точкой!", "Поліном має бути вимкнений, формат — з плаваючою комою!", "Das Polynom muss ausgeschaltet und das Format Gleitkomma sein!", "¡El polinomio debe estar apagado y el formato debe ser de coma flotante!", "Le polynôme doit être désactivé et le format en virgule flottante !"}},
    {&TAiUserPolynomLanguage::MsgDataReadingError, {"Data reading error", "Ошибка чтения данных", "Помилка читання даних", "Fehler beim Lesen der Daten", "Error de lectura de datos", "Erreur de lecture des données"}},
    {&TAiUserPolynomLanguage::MsgIncorrectValue, {"Incorrect %1 at %2", "Неверное значение: %1, %2", "Неправильне значення: %1, %2", "Ungültiger Wert: %1, %2", "Valor incorrecto: %1, %2", "Valeur incorrecte : %1, %2"}},
    {&TAiUserPolynomLanguage::MsgIncorrectRaw, {"Incorrect raw points values", "Неверные исходные значения точек", "Неправильні вихідні значення точок", "Ungültige Rohwerte der Punkte", "Valores brutos de los puntos incorrectos", "Valeurs brutes des points incorrectes"}},
    {&TAiUserPolynomLanguage::MsgIncorrectA, {"Incorrect polinomial value: a", "Неверное значение полинома: a", "Неправильне значення полінома: a", "Ungültiger Polynomwert: a", "Valor del polinomio incorrecto: a", "Valeur du polynôme incorrecte : a"}},
    {&TAiUserPolynomLanguage::MsgIncorrectB, {"Incorrect polinomial value: b", "Неверное значение полинома: b", "Неправильне значення полінома: b", "Ungültiger Polynomwert: b", "Valor del polinomio incorrecto: b", "Valeur du polynôme incorrecte : b"}},
    {&TAiUserPolynomLanguage::MsgIncorrectC, {"Incorrect polinomial value: c", "Неверное значение полинома: c", "Неправильне значення полінома: c", "Ungültiger Polynomwert: c", "Valor del polinomio incorrecto: c", "Valeur du polynôme incorrecte : c"}},
    {&TAiUserPolynomLanguage::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&TAiUserPolynomLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
};
// clang-format on

// clang-format off
const TAIFlagsLanguageLocalization::TRow kFlagsRows[] = {
    {&TAIFlagsLanguage::Caption, {"Channel flags", "Флаги канала", "Прапорці каналу", "Kanalflags", "Indicadores del canal", "Drapeaux du canal"}},
    {&TAIFlagsLanguage::DataFormat, {"Data format", "Формат данных", "Формат даних", "Datenformat", "Formato de datos", "Format des données"}},
    {&TAIFlagsLanguage::ByteLayout, {"Byte layout:", "Расположение байт:", "Розташування байтів:", "Byteanordnung:", "Disposición de bytes:", "Disposition des octets :"}},
    {&TAIFlagsLanguage::ThermoCompensation, {"Thermocompensation", "Термокомпенсация", "Термокомпенсація", "Thermokompensation", "Compensación térmica", "Compensation thermique"}},
    {&TAIFlagsLanguage::UserPolynomial, {"User polynomial", "Полином пользователя", "Поліном користувача", "Benutzerpolynom", "Polinomio del usuario", "Polynôme utilisateur"}},
    {&TAIFlagsLanguage::Off, {"Off", "Выкл", "Вимк", "Aus", "Apagado", "Arrêt"}},
    {&TAIFlagsLanguage::On, {"On", "Вкл", "Увімк", "Ein", "Encendido", "Marche"}},
    {&TAIFlagsLanguage::RmsPoints, {"RMS Points", "Точки RMS", "Точки RMS", "RMS-Punkte", "Puntos RMS", "Points RMS"}},
    {&TAIFlagsLanguage::Ok, {"OK", "ОК", "ОК", "OK", "Aceptar", "OK"}},
    {&TAIFlagsLanguage::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&TAIFlagsLanguage::MsgBadRms, {"RMS Points must be a whole number", "Число точек RMS должно быть целым", "Кількість точок RMS має бути цілим числом", "RMS-Punkte müssen eine ganze Zahl sein", "Los puntos RMS deben ser un número entero", "Les points RMS doivent être un nombre entier"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TAIChannelLanguage, DVV_AI_CHANNEL_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TAiInputParamLanguage, DVV_AI_INPUT_PARAM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TFilterParamLanguage, DVV_FILTER_PARAM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TAiLedLimitLanguage, DVV_AI_LED_LIMIT_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TAiUserPolynomLanguage, DVV_AI_USER_POLYNOM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TAIFlagsLanguage, DVV_AI_FLAGS_TEXTS(DVV_TEXT_FIELD))

TAIChannelLanguageLocalization& AIChannelLanguage() {
    static TAIChannelLanguageLocalization table(kChannelRows);
    return table;
}

TAiInputParamLanguageLocalization& AiInputParamLanguage() {
    static TAiInputParamLanguageLocalization table(kInputParamRows);
    return table;
}

TFilterParamLanguageLocalization& FilterParamLanguage() {
    static TFilterParamLanguageLocalization table(kFilterRows);
    return table;
}

TAiLedLimitLanguageLocalization& AiLedLimitLanguage() {
    static TAiLedLimitLanguageLocalization table(kLedRows);
    return table;
}

TAiUserPolynomLanguageLocalization& AiUserPolynomLanguage() {
    static TAiUserPolynomLanguageLocalization table(kPolynomRows);
    return table;
}

TAIFlagsLanguageLocalization& AIFlagsLanguage() {
    static TAIFlagsLanguageLocalization table(kFlagsRows);
    return table;
}

std::vector<TTableReport> CheckAnalogInputLanguageTables() {
    return {
        CheckLanguageTable("AIChannel", AIChannelLanguage()),
        CheckLanguageTable("AiInputParam", AiInputParamLanguage()),
        CheckLanguageTable("FilterParam", FilterParamLanguage()),
        CheckLanguageTable("AiLedLimit", AiLedLimitLanguage()),
        CheckLanguageTable("AiUserPolynom", AiUserPolynomLanguage()),
        CheckLanguageTable("AIFlags", AIFlagsLanguage()),
    };
}
