// The texts of the flame controller and photosensor windows and of the special sensor channels'
// errors. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/FlameLanguage.h"

namespace {

using F = TFlameChannelFormLanguage;
using P = TFotoSensorChannelFormLanguage;

// clang-format off
const TFlameChannelFormLanguageLocalization::TRow kFlameRows[] = {
    {&F::Caption, {"Flame controller", "Контроллер пламени", "Контролер полум'я", "Flammenwächter", "Controlador de llama", "Contrôleur de flamme"}},
    {&F::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&F::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&F::Measurements, {"Measurements", "Измерения", "Вимірювання", "Messwerte", "Mediciones", "Mesures"}},
    {&F::AC, {"AC component", "Переменная составляющая", "Змінна складова", "Wechselanteil", "Componente alterna", "Composante alternative"}},
    {&F::DC, {"DC component", "Постоянная составляющая", "Постійна складова", "Gleichanteil", "Componente continua", "Composante continue"}},
    {&F::ACMax, {"AC maximum", "Максимум AC", "Максимум AC", "AC-Maximum", "Máximo de AC", "Maximum AC"}},
    {&F::Version, {"Version", "Версия", "Версія", "Version", "Versión", "Version"}},
    {&F::Status, {"Status", "Статус", "Стан", "Status", "Estado", "État"}},
    {&F::StatusNoLink1, {"NO LINK WITH CHANNEL #1", "НЕТ СВЯЗИ С КАНАЛОМ #1", "НЕМАЄ ЗВ'ЯЗКУ З КАНАЛОМ #1", "KEINE VERBINDUNG ZU KANAL #1", "SIN ENLACE CON EL CANAL #1", "PAS DE LIAISON AVEC LE CANAL #1"}},
    {&F::StatusNoLink2, {"NO LINK WITH CHANNEL #2", "НЕТ СВЯЗИ С КАНАЛОМ #2", "НЕМАЄ ЗВ'ЯЗКУ З КАНАЛОМ #2", "KEINE VERBINDUNG ZU KANAL #2", "SIN ENLACE CON EL CANAL #2", "PAS DE LIAISON AVEC LE CANAL #2"}},
    {&F::StatusSurge, {"SURGE", "БРОСОК", "КИДОК", "SPRUNG", "SALTO", "SAUT"}},
    {&F::StatusOverload, {"OVERLOAD", "ПЕРЕГРУЗКА", "ПЕРЕВАНТАЖЕННЯ", "ÜBERLAST", "SOBRECARGA", "SURCHARGE"}},
    {&F::SetPoints, {"Set-points", "Уставки", "Уставки", "Sollwerte", "Consignas", "Consignes"}},
    {&F::ACLevel, {"AC level", "Уровень AC", "Рівень AC", "AC-Pegel", "Nivel de AC", "Niveau AC"}},
    {&F::DCLevel, {"DC level", "Уровень DC", "Рівень DC", "DC-Pegel", "Nivel de DC", "Niveau DC"}},
    {&F::RelayLags, {"Relay delays", "Задержки реле", "Затримки реле", "Relaisverzögerungen", "Retardos de los relés", "Retards des relais"}},
    {&F::RelayK1, {"K1 \"OK\"", "K1 \"ОК\"", "K1 \"ОК\"", "K1 \"OK\"", "K1 \"OK\"", "K1 « OK »"}},
    {&F::RelayK2, {"K2 \"Dimming\"", "K2 \"Потускнение\"", "K2 \"Потьмяніння\"", "K2 \"Abschwächung\"", "K2 \"Atenuación\"", "K2 « Affaiblissement »"}},
    {&F::RelayK3, {"K3 \"Extinction\"", "K3 \"Погасание\"", "K3 \"Згасання\"", "K3 \"Erlöschen\"", "K3 \"Extinción\"", "K3 « Extinction »"}},
    {&F::RelayK4, {"K4 \"Failure\"", "K4 \"Авария\"", "K4 \"Аварія\"", "K4 \"Störung\"", "K4 \"Avería\"", "K4 « Défaut »"}},
    {&F::Algorithm, {"Algorithm", "Алгоритм", "Алгоритм", "Algorithmus", "Algoritmo", "Algorithme"}},
    {&F::DimmingRelayOff, {"Switch off the K2 \"Dimming\" relay", "Отключить реле K2 \"Потускнение\"", "Вимкнути реле K2 \"Потьмяніння\"", "Relais K2 \"Abschwächung\" abschalten", "Desactivar el relé K2 \"Atenuación\"", "Désactiver le relais K2 « Affaiblissement »"}},
    {&F::AutoRestart, {"Automatic restart", "Автоматический перезапуск", "Автоматичний перезапуск", "Automatischer Neustart", "Reinicio automático", "Redémarrage automatique"}},
    {&F::IndicationOff, {"Indication OFF", "Индикация OFF", "Індикація OFF", "Anzeige AUS", "Indicación OFF", "Indication OFF"}},
    {&F::Channel1Off, {"Photosensor channel 1 off", "Канал фотодатчика 1 отключен", "Канал фотодатчика 1 вимкнено", "Fotosensorkanal 1 aus", "Canal del fotosensor 1 desactivado", "Canal du photocapteur 1 désactivé"}},
    {&F::Channel2Off, {"Photosensor channel 2 off", "Канал фотодатчика 2 отключен", "Канал фотодатчика 2 вимкнено", "Fotosensorkanal 2 aus", "Canal del fotosensor 2 desactivado", "Canal du photocapteur 2 désactivé"}},
    {&F::Relays, {"Relays", "Реле", "Реле", "Relais", "Relés", "Relais"}},
    {&F::ManualControl, {"Manual control", "Ручное управление", "Ручне керування", "Handbetrieb", "Control manual", "Commande manuelle"}},
    {&F::RelayState, {"Switched on", "Включено", "Увімкнено", "Eingeschaltet", "Activado", "Activé"}},
    {&F::Levels, {"Tolerance levels...", "Уровни допуска...", "Рівні допуску...", "Toleranzpegel...", "Niveles de tolerancia...", "Niveaux de tolérance..."}},
    {&F::LevelsCaption, {"Tolerance levels", "Уровни допуска", "Рівні допуску", "Toleranzpegel", "Niveles de tolerancia", "Niveaux de tolérance"}},
    {&F::Level, {"Level %1", "Уровень %1", "Рівень %1", "Pegel %1", "Nivel %1", "Niveau %1"}},
    {&F::AnalogOutput, {"Analog output", "Аналоговый выход", "Аналоговий вихід", "Analogausgang", "Salida analógica", "Sortie analogique"}},
    {&F::AOSource, {"Source", "Источник", "Джерело", "Quelle", "Fuente", "Source"}},
    {&F::SourceAC, {"AC component", "Переменная составляющая", "Змінна складова", "Wechselanteil", "Componente alterna", "Composante alternative"}},
    {&F::SourceDC, {"DC component", "Постоянная составляющая", "Постійна складова", "Gleichanteil", "Componente continua", "Composante continue"}},
    {&F::SourceOther, {"source %1", "источник %1", "джерело %1", "Quelle %1", "fuente %1", "source %1"}},
    {&F::InputStart, {"Input start", "Начало входа", "Початок входу", "Eingang Anfang", "Inicio de entrada", "Début d'entrée"}},
    {&F::InputStop, {"Input end", "Конец входа", "Кінець входу", "Eingang Ende", "Fin de entrada", "Fin d'entrée"}},
    {&F::OutputStart, {"Output start", "Начало выхода", "Початок виходу", "Ausgang Anfang", "Inicio de salida", "Début de sortie"}},
    {&F::OutputStop, {"Output end", "Конец выхода", "Кінець виходу", "Ausgang Ende", "Fin de salida", "Fin de sortie"}},
    {&F::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&F::Set, {"Set", "Установить", "Встановити", "Setzen", "Establecer", "Appliquer"}},
    {&F::Restart, {"Restart the controller", "Перезапустить контроллер", "Перезапустити контролер", "Wächter neu starten", "Reiniciar el controlador", "Redémarrer le contrôleur"}},
    {&F::ZeroCorrection, {"Zero correction", "Коррекция нуля", "Корекція нуля", "Nullpunktkorrektur", "Corrección de cero", "Correction du zéro"}},
    {&F::Refresh, {"Refresh", "Обновить", "Оновити", "Aktualisieren", "Actualizar", "Actualiser"}},
    {&F::Start, {"Start", "Старт", "Старт", "Start", "Iniciar", "Démarrer"}},
    {&F::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&F::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&F::Ok, {"OK", "OK", "OK", "OK", "Aceptar", "OK"}},
    {&F::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
    {&F::NotANumber, {"%1: \"%2\" is not a number", "%1: \"%2\" не является числом", "%1: \"%2\" не є числом", "%1: \"%2\" ist keine Zahl", "%1: \"%2\" no es un número", "%1 : « %2 » n'est pas un nombre"}},
    {&F::NotALag, {"%1: \"%2\" is not a delay from 0 to 65535", "%1: \"%2\" не является задержкой от 0 до 65535", "%1: \"%2\" не є затримкою від 0 до 65535", "%1: \"%2\" ist keine Verzögerung von 0 bis 65535", "%1: \"%2\" no es un retardo de 0 a 65535", "%1 : « %2 » n'est pas un retard de 0 à 65535"}},
    {&F::RetryWrite, {"%1\n\nTry again?", "%1\n\nПовторить?", "%1\n\nПовторити?", "%1\n\nErneut versuchen?", "%1\n\n¿Intentarlo de nuevo?", "%1\n\nRéessayer ?"}},
    {&F::SwitchFailed, {"Relay %1 was not switched", "Реле %1 не переключено", "Реле %1 не перемкнуто", "Relais %1 wurde nicht geschaltet", "El relé %1 no se conmutó", "Le relais %1 n'a pas été commuté"}},
    {&F::RestartSent, {"The controller restarts", "Контроллер перезапускается", "Контролер перезапускається", "Der Wächter startet neu", "El controlador se reinicia", "Le contrôleur redémarre"}},
    {&F::RelayNotRead, {"The state of relay %1 was not read", "Состояние реле %1 не считано", "Стан реле %1 не зчитано", "Der Zustand von Relais %1 wurde nicht gelesen", "No se leyó el estado del relé %1", "L'état du relais %1 n'a pas été lu"}},
    {&F::ZeroCorrected, {"The zero level was corrected", "Уровень нуля скорректирован", "Рівень нуля скориговано", "Der Nullpegel wurde korrigiert", "Se corrigió el nivel de cero", "Le niveau zéro a été corrigé"}},
};

const TFotoSensorChannelFormLanguageLocalization::TRow kFotoRows[] = {
    {&P::Caption, {"Photosensor channel %1", "Канал фотодатчика %1", "Канал фотодатчика %1", "Fotosensorkanal %1", "Canal del fotosensor %1", "Canal du photocapteur %1"}},
    {&P::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&P::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&P::Settings, {"Settings", "Настройки", "Налаштування", "Einstellungen", "Ajustes", "Réglages"}},
    {&P::HPFCutoff, {"High-pass cut-off, Hz", "Частота среза ФВЧ, Гц", "Частота зрізу ФВЧ, Гц", "Hochpass-Grenzfrequenz, Hz", "Corte del paso alto, Hz", "Coupure passe-haut, Hz"}},
    {&P::FilterCutoff, {"Low-pass filter 1 cut-off, Hz", "Частота среза фильтра №1, Гц", "Частота зрізу фільтра №1, Гц", "Grenzfrequenz Tiefpass 1, Hz", "Corte del filtro paso bajo 1, Hz", "Coupure du filtre passe-bas 1, Hz"}},
    {&P::FilterCutoff2, {"Low-pass filter 2 cut-off, Hz", "Частота среза фильтра №2, Гц", "Частота зрізу фільтра №2, Гц", "Grenzfrequenz Tiefpass 2, Hz", "Corte del filtro paso bajo 2, Hz", "Coupure du filtre passe-bas 2, Hz"}},
    {&P::TimeConstant, {"Detector time constant", "Постоянная времени детектора", "Стала часу детектора", "Detektor-Zeitkonstante", "Constante de tiempo del detector", "Constante de temps du détecteur"}},
    {&P::JumpLevel, {"Jump level, µA", "Уровень скачка, мкА", "Рівень стрибка, мкА", "Sprungpegel, µA", "Nivel de salto, µA", "Niveau de saut, µA"}},
    {&P::RecoveryCycles, {"Recovery cycles", "Циклов восстановления", "Циклів відновлення", "Erholungszyklen", "Ciclos de recuperación", "Cycles de récupération"}},
    {&P::DACCode, {"DAC code", "Код DAC", "Код DAC", "DAC-Code", "Código del DAC", "Code du CNA"}},
    {&P::RegulatorOn, {"Current regulator of the sensor supply on", "Регулятор тока питания датчика включен", "Регулятор струму живлення датчика увімкнено", "Stromregler der Sensorversorgung ein", "Regulador de corriente de la alimentación activado", "Régulateur de courant de l'alimentation activé"}},
    {&P::PolynomialOn, {"Polynomial on", "Полином включен", "Поліном увімкнено", "Polynom ein", "Polinomio activado", "Polynôme activé"}},
    {&P::Polynomial, {"Polynomial coefficients", "Коэффициенты полинома", "Коефіцієнти полінома", "Polynomkoeffizienten", "Coeficientes del polinomio", "Coefficients du polynôme"}},
    {&P::NormCoefficients, {"Normalization coefficients", "Нормализационные коэффициенты", "Нормалізаційні коефіцієнти", "Normierungskoeffizienten", "Coeficientes de normalización", "Coefficients de normalisation"}},
    {&P::NormCoefficient1, {"Coefficient 1", "Коэффициент 1", "Коефіцієнт 1", "Koeffizient 1", "Coeficiente 1", "Coefficient 1"}},
    {&P::NormCoefficient2, {"Coefficient 2", "Коэффициент 2", "Коефіцієнт 2", "Koeffizient 2", "Coeficiente 2", "Coefficient 2"}},
    {&P::NotWritten, {"not written", "не записывается", "не записується", "wird nicht geschrieben", "no se escribe", "non écrit"}},
    {&P::Values, {"Values", "Значения", "Значення", "Werte", "Valores", "Valeurs"}},
    {&P::Temperature, {"Channel temperature, °C", "Температура канала, °C", "Температура каналу, °C", "Kanaltemperatur, °C", "Temperatura del canal, °C", "Température du canal, °C"}},
    {&P::ADCVoltage, {"ADC voltage, V", "Напряжение АЦП, В", "Напруга АЦП, В", "ADC-Spannung, V", "Tensión del ADC, V", "Tension du CAN, V"}},
    {&P::ADCCode, {"ADC code", "Код АЦП", "Код АЦП", "ADC-Code", "Código del ADC", "Code du CAN"}},
    {&P::Result, {"Result", "Результат", "Результат", "Ergebnis", "Resultado", "Résultat"}},
    {&P::Amplitude, {"Amplitude", "Амплитуда", "Амплітуда", "Amplitude", "Amplitud", "Amplitude"}},
    {&P::Read, {"Read", "Считать", "Зчитати", "Lesen", "Leer", "Lire"}},
    {&P::Write, {"Write", "Записать", "Записати", "Schreiben", "Escribir", "Écrire"}},
    {&P::Start, {"Start", "Старт", "Старт", "Start", "Iniciar", "Démarrer"}},
    {&P::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&P::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&P::NotANumber, {"%1: \"%2\" is not a number", "%1: \"%2\" не является числом", "%1: \"%2\" не є числом", "%1: \"%2\" ist keine Zahl", "%1: \"%2\" no es un número", "%1 : « %2 » n'est pas un nombre"}},
    {&P::NotACount, {"%1: \"%2\" is not a whole number from 0 to 255", "%1: \"%2\" не является целым числом от 0 до 255", "%1: \"%2\" не є цілим числом від 0 до 255", "%1: \"%2\" ist keine ganze Zahl von 0 bis 255", "%1: \"%2\" no es un entero de 0 a 255", "%1 : « %2 » n'est pas un entier de 0 à 255"}},
    {&P::NoAnswer, {"%1: the device did not answer", "%1: устройство не ответило", "%1: пристрій не відповів", "%1: Das Gerät hat nicht geantwortet", "%1: el dispositivo no respondió", "%1 : l'appareil n'a pas répondu"}},
    {&P::Written, {"The settings were written", "Настройки записаны", "Налаштування записано", "Die Einstellungen wurden geschrieben", "Los ajustes se escribieron", "Les réglages ont été écrits"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TFlameChannelFormLanguage, DVV_FLAME_FORM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TFotoSensorChannelFormLanguage, DVV_FOTO_FORM_TEXTS(DVV_TEXT_FIELD))

TFlameChannelFormLanguageLocalization& FlameChannelFormLanguage() {
    static TFlameChannelFormLanguageLocalization table(kFlameRows);
    return table;
}

TFotoSensorChannelFormLanguageLocalization& FotoSensorChannelFormLanguage() {
    static TFotoSensorChannelFormLanguageLocalization table(kFotoRows);
    return table;
}

std::vector<TTableReport> CheckFlameLanguageTables() {
    return {CheckLanguageTable("FlameChannelForm", FlameChannelFormLanguage()),
            CheckLanguageTable("FotoSensorChannelForm", FotoSensorChannelFormLanguage())};
}
