// The texts of the flame controller and photosensor windows and of the special sensor channels'
// errors. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/FlameLanguage.h"

namespace {

using F = TFlameChannelFormLanguage;
using P = TFotoSensorChannelFormLanguage;
using E = TSensorChannelLanguage;

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

const TSensorChannelLanguageLocalization::TRow kErrorRows[] = {
    {&E::GVixReadNormalization, {"Error reading the normalization flag!", "Ошибка при считывании состояния флага нормализации!", "Помилка під час зчитування стану прапорця нормалізації!", "Fehler beim Lesen des Normierungs-Flags!", "¡Error al leer el indicador de normalización!", "Erreur de lecture de l'indicateur de normalisation !"}},
    {&E::GVixReadOutputRange, {"Error reading the output channel's range!", "Ошибка при считывании диапазона выходного канала!", "Помилка під час зчитування діапазону вихідного каналу!", "Fehler beim Lesen des Bereichs des Ausgangskanals!", "¡Error al leer el rango del canal de salida!", "Erreur de lecture de la plage du canal de sortie !"}},
    {&E::GVixReadConversionRanges, {"Error reading the conversion ranges.", "Ошибка при считывании диапазонов преобразования.", "Помилка під час зчитування діапазонів перетворення.", "Fehler beim Lesen der Umrechnungsbereiche.", "Error al leer los rangos de conversión.", "Erreur de lecture des plages de conversion."}},
    {&E::GVixWriteCoefficients, {"Error writing the normalization coefficients", "Ошибка при записи коэффициентов нормализации", "Помилка під час запису коефіцієнтів нормалізації", "Fehler beim Schreiben der Normierungskoeffizienten", "Error al escribir los coeficientes de normalización", "Erreur d'écriture des coefficients de normalisation"}},
    {&E::GVixWriteNormalization, {"Error writing the normalization flag!", "Ошибка при записи состояния флага нормализации!", "Помилка під час запису стану прапорця нормалізації!", "Fehler beim Schreiben des Normierungs-Flags!", "¡Error al escribir el indicador de normalización!", "Erreur d'écriture de l'indicateur de normalisation !"}},
    {&E::GVixWriteOutput, {"Error setting the output!", "Ошибка при установке выхода!", "Помилка під час встановлення виходу!", "Fehler beim Setzen des Ausgangs!", "¡Error al establecer la salida!", "Erreur lors du réglage de la sortie !"}},
    {&E::GVixWriteOutputRange, {"Error writing the output channel's range!", "Ошибка при записи диапазона выходного канала!", "Помилка під час запису діапазону вихідного каналу!", "Fehler beim Schreiben des Bereichs des Ausgangskanals!", "¡Error al escribir el rango del canal de salida!", "Erreur d'écriture de la plage du canal de sortie !"}},
    {&E::GVixWriteConversionRanges, {"Error writing the conversion ranges.", "Ошибка при записи диапазонов преобразования.", "Помилка під час запису діапазонів перетворення.", "Fehler beim Schreiben der Umrechnungsbereiche.", "Error al escribir los rangos de conversión.", "Erreur d'écriture des plages de conversion."}},
    {&E::GVixWriteCommand, {"Error writing the command", "Ошибка при записи комманды", "Помилка під час запису команди", "Fehler beim Schreiben des Befehls", "Error al escribir el comando", "Erreur d'écriture de la commande"}},
    {&E::FlameReadACLevel, {"Error reading ACMin", "Ошибка при считывании ACMin", "Помилка під час зчитування ACMin", "Fehler beim Lesen von ACMin", "Error al leer ACMin", "Erreur de lecture de ACMin"}},
    {&E::FlameReadACMax, {"Error reading ACMax", "Ошибка при считывании ACMax", "Помилка під час зчитування ACMax", "Fehler beim Lesen von ACMax", "Error al leer ACMax", "Erreur de lecture de ACMax"}},
    {&E::FlameReadDCLevel, {"Error reading DCMin", "Ошибка при считывании DCMin", "Помилка під час зчитування DCMin", "Fehler beim Lesen von DCMin", "Error al leer DCMin", "Erreur de lecture de DCMin"}},
    {&E::FlameReadAlgorithm, {"Error reading DCMax", "Ошибка при считывании DCMax", "Помилка під час зчитування DCMax", "Fehler beim Lesen von DCMax", "Error al leer DCMax", "Erreur de lecture de DCMax"}},
    {&E::FlameReadDOMask, {"Error reading DOMask", "Ошибка при считывании DOMask", "Помилка під час зчитування DOMask", "Fehler beim Lesen von DOMask", "Error al leer DOMask", "Erreur de lecture de DOMask"}},
    {&E::FlameReadVersion, {"Error reading Version", "Ошибка при считывании Version", "Помилка під час зчитування Version", "Fehler beim Lesen von Version", "Error al leer Version", "Erreur de lecture de Version"}},
    {&E::FlameReadRelayLags, {"Error reading RelayLags", "Ошибка при считывании RelayLags", "Помилка під час зчитування RelayLags", "Fehler beim Lesen von RelayLags", "Error al leer RelayLags", "Erreur de lecture de RelayLags"}},
    {&E::FlameReadStatus, {"Error reading Status", "Ошибка при считывании Status", "Помилка під час зчитування Status", "Fehler beim Lesen von Status", "Error al leer Status", "Erreur de lecture de Status"}},
    {&E::FlameReadAC, {"Error reading AC", "Ошибка при считывании AC", "Помилка під час зчитування AC", "Fehler beim Lesen von AC", "Error al leer AC", "Erreur de lecture de AC"}},
    {&E::FlameReadDC, {"Error reading DC", "Ошибка при считывании DC", "Помилка під час зчитування DC", "Fehler beim Lesen von DC", "Error al leer DC", "Erreur de lecture de DC"}},
    {&E::FlameReadChannelEnabled, {"Error reading ChannelEnabled", "Ошибка при считывании ChannelEnabled", "Помилка під час зчитування ChannelEnabled", "Fehler beim Lesen von ChannelEnabled", "Error al leer ChannelEnabled", "Erreur de lecture de ChannelEnabled"}},
    {&E::FlameReadAOConversion, {"Error reading Levels", "Ошибка при считывании Levels", "Помилка під час зчитування Levels", "Fehler beim Lesen von Levels", "Error al leer Levels", "Erreur de lecture de Levels"}},
    {&E::SetLevels, {"Error setting Levels", "Ошибка при установке Levels", "Помилка під час встановлення Levels", "Fehler beim Setzen von Levels", "Error al establecer Levels", "Erreur de réglage de Levels"}},
    {&E::FlameWriteACLevel, {"Error setting ACLevel", "Ошибка при установке ACLevel", "Помилка під час встановлення ACLevel", "Fehler beim Setzen von ACLevel", "Error al establecer ACLevel", "Erreur de réglage de ACLevel"}},
    {&E::FlameWriteDCLevel, {"Error setting DCLevel", "Ошибка при установке DCLevel", "Помилка під час встановлення DCLevel", "Fehler beim Setzen von DCLevel", "Error al establecer DCLevel", "Erreur de réglage de DCLevel"}},
    {&E::FlameWriteAlgorithm, {"Error setting Algorithm", "Ошибка при установке Algorithm", "Помилка під час встановлення Algorithm", "Fehler beim Setzen von Algorithm", "Error al establecer Algorithm", "Erreur de réglage de Algorithm"}},
    {&E::FlameWriteDOMask, {"Error setting DOMask", "Ошибка при установке DOMask", "Помилка під час встановлення DOMask", "Fehler beim Setzen von DOMask", "Error al establecer DOMask", "Erreur de réglage de DOMask"}},
    {&E::FlameRestart, {"Error restarting the controller", "Ошибка при перезапуске контроллера", "Помилка під час перезапуску контролера", "Fehler beim Neustart des Wächters", "Error al reiniciar el controlador", "Erreur lors du redémarrage du contrôleur"}},
    {&E::FlameZeroCorrection, {"Error correcting the zero level", "Ошибка при коррекции нуля", "Помилка під час корекції нуля", "Fehler bei der Nullpunktkorrektur", "Error al corregir el cero", "Erreur lors de la correction du zéro"}},
    {&E::FlameWriteIndication, {"Error writing whether the indication is active", "Ошибка при записи активности индикации", "Помилка під час запису активності індикації", "Fehler beim Schreiben der Anzeigeaktivität", "Error al escribir la actividad de la indicación", "Erreur d'écriture de l'activité de l'indication"}},
    {&E::FlameWriteChannelEnabled, {"Error writing ChannelEnabled", "Ошибка при записи ChannelEnabled", "Помилка під час запису ChannelEnabled", "Fehler beim Schreiben von ChannelEnabled", "Error al escribir ChannelEnabled", "Erreur d'écriture de ChannelEnabled"}},
    {&E::FotoReadFilterCutoff, {"Error reading the filter cut-off frequency", "Ошибка при считывании частоты среза фильтра", "Помилка під час зчитування частоти зрізу фільтра", "Fehler beim Lesen der Grenzfrequenz des Filters", "Error al leer la frecuencia de corte del filtro", "Erreur de lecture de la fréquence de coupure du filtre"}},
    {&E::FotoReadFilterCutoff2, {"Error reading the cut-off frequency of filter no. 2", "Ошибка при считывании частоты среза фильтра №2", "Помилка під час зчитування частоти зрізу фільтра №2", "Fehler beim Lesen der Grenzfrequenz von Filter Nr. 2", "Error al leer la frecuencia de corte del filtro n.º 2", "Erreur de lecture de la fréquence de coupure du filtre n° 2"}},
    {&E::FotoReadTimeConstant, {"Error reading the detector time constant.", "Ошибка при считывании постоянной времени детектора.", "Помилка під час зчитування сталої часу детектора.", "Fehler beim Lesen der Detektor-Zeitkonstante.", "Error al leer la constante de tiempo del detector.", "Erreur de lecture de la constante de temps du détecteur."}},
    {&E::FotoReadJumpLevel, {"Error reading the jump level.", "Ошибка при считывании уровня скачка.", "Помилка під час зчитування рівня стрибка.", "Fehler beim Lesen des Sprungpegels.", "Error al leer el nivel de salto.", "Erreur de lecture du niveau de saut."}},
    {&E::FotoReadDACCode, {"Error reading the DAC code", "Ошибка при считывании кода DAC", "Помилка під час зчитування коду DAC", "Fehler beim Lesen des DAC-Codes", "Error al leer el código del DAC", "Erreur de lecture du code du CNA"}},
    {&E::FotoReadTemperature, {"Error reading the channel temperature", "Ошибка при считывании температуры канала", "Помилка під час зчитування температури каналу", "Fehler beim Lesen der Kanaltemperatur", "Error al leer la temperatura del canal", "Erreur de lecture de la température du canal"}},
    {&E::FotoReadRegulator, {"Error reading the regulator mode", "Ошибка при считывании режима регулятора", "Помилка під час зчитування режиму регулятора", "Fehler beim Lesen des Reglermodus", "Error al leer el modo del regulador", "Erreur de lecture du mode du régulateur"}},
    {&E::FotoReadHPFCutoff, {"Error reading the high-pass cut-off frequency", "Ошибка при считывании частоты среза ФВЧ", "Помилка під час зчитування частоти зрізу ФВЧ", "Fehler beim Lesen der Hochpass-Grenzfrequenz", "Error al leer la frecuencia de corte del paso alto", "Erreur de lecture de la fréquence de coupure passe-haut"}},
    {&E::FotoReadADCCode, {"Error reading the ADC code", "Ошибка при считывании кода АЦП", "Помилка під час зчитування коду АЦП", "Fehler beim Lesen des ADC-Codes", "Error al leer el código del ADC", "Erreur de lecture du code du CAN"}},
    {&E::FotoReadPolynomialOn, {"Error reading the polynomial status", "Ошибка при считывании статуса полинома", "Помилка під час зчитування стану полінома", "Fehler beim Lesen des Polynomstatus", "Error al leer el estado del polinomio", "Erreur de lecture de l'état du polynôme"}},
    {&E::FotoReadRecoveryCycles, {"Error reading RecoveryCyclesCount", "Ошибка при считывании RecoveryCyclesCount", "Помилка під час зчитування RecoveryCyclesCount", "Fehler beim Lesen von RecoveryCyclesCount", "Error al leer RecoveryCyclesCount", "Erreur de lecture de RecoveryCyclesCount"}},
    {&E::FotoReadPolynomial, {"Error setting the polynomial", "Ошибка при установке полинома", "Помилка під час встановлення полінома", "Fehler beim Setzen des Polynoms", "Error al establecer el polinomio", "Erreur de réglage du polynôme"}},
    {&E::FotoWriteFilterCutoff, {"Error writing the filter cut-off frequency.", "Ошибка при записи частоты среза фильтра.", "Помилка під час запису частоти зрізу фільтра.", "Fehler beim Schreiben der Grenzfrequenz des Filters.", "Error al escribir la frecuencia de corte del filtro.", "Erreur d'écriture de la fréquence de coupure du filtre."}},
    {&E::FotoWriteFilterCutoff2, {"Error writing the cut-off frequency of filter no. 2.", "Ошибка при записи частоты среза фильтра №2.", "Помилка під час запису частоти зрізу фільтра №2.", "Fehler beim Schreiben der Grenzfrequenz von Filter Nr. 2.", "Error al escribir la frecuencia de corte del filtro n.º 2.", "Erreur d'écriture de la fréquence de coupure du filtre n° 2."}},
    {&E::FotoWriteTimeConstant, {"Error writing the detector time constant.", "Ошибка при записи постоянной времени детектора.", "Помилка під час запису сталої часу детектора.", "Fehler beim Schreiben der Detektor-Zeitkonstante.", "Error al escribir la constante de tiempo del detector.", "Erreur d'écriture de la constante de temps du détecteur."}},
    {&E::FotoWriteJumpLevel, {"Error writing the jump level.", "Ошибка при записи уровня скачка.", "Помилка під час запису рівня стрибка.", "Fehler beim Schreiben des Sprungpegels.", "Error al escribir el nivel de salto.", "Erreur d'écriture du niveau de saut."}},
    {&E::FotoWriteDACCode, {"Error setting the DAC code", "Ошибка при установке кода DAC", "Помилка під час встановлення коду DAC", "Fehler beim Setzen des DAC-Codes", "Error al establecer el código del DAC", "Erreur de réglage du code du CNA"}},
    {&E::FotoWriteRegulator, {"Error setting the regulator mode", "Ошибка при установке режима регулятора", "Помилка під час встановлення режиму регулятора", "Fehler beim Setzen des Reglermodus", "Error al establecer el modo del regulador", "Erreur de réglage du mode du régulateur"}},
    {&E::FotoWriteHPFCutoff, {"Error writing the high-pass cut-off frequency.", "Ошибка при записи частоты среза ФВЧ.", "Помилка під час запису частоти зрізу ФВЧ.", "Fehler beim Schreiben der Hochpass-Grenzfrequenz.", "Error al escribir la frecuencia de corte del paso alto.", "Erreur d'écriture de la fréquence de coupure passe-haut."}},
    {&E::FotoWriteNormCoefficients, {"Error writing the normalization coefficients", "Ошибка при записи нормализационных коэффициентов", "Помилка під час запису нормалізаційних коефіцієнтів", "Fehler beim Schreiben der Normierungskoeffizienten", "Error al escribir los coeficientes de normalización", "Erreur d'écriture des coefficients de normalisation"}},
    {&E::FotoWritePolynomialOn, {"Error writing the polynomial status", "Ошибка при записи статуса полинома", "Помилка під час запису стану полінома", "Fehler beim Schreiben des Polynomstatus", "Error al escribir el estado del polinomio", "Erreur d'écriture de l'état du polynôme"}},
    {&E::FotoWriteRecoveryCycles, {"Error writing RecoveryCyclesCount", "Ошибка при записи RecoveryCyclesCount", "Помилка під час запису RecoveryCyclesCount", "Fehler beim Schreiben von RecoveryCyclesCount", "Error al escribir RecoveryCyclesCount", "Erreur d'écriture de RecoveryCyclesCount"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TFlameChannelFormLanguage, DVV_FLAME_FORM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TFotoSensorChannelFormLanguage, DVV_FOTO_FORM_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TSensorChannelLanguage, DVV_SENSOR_CHANNEL_TEXTS(DVV_TEXT_FIELD))

// Every error text of these channels has its field here.
#define DVV_COUNT_TEXT(name) +1
static_assert(sizeof(TSensorChannelTexts) == (0 DVV_SENSOR_CHANNEL_TEXTS(DVV_COUNT_TEXT)) * sizeof(QString));
#undef DVV_COUNT_TEXT

TSensorChannelTexts TSensorChannelLanguage::SensorChannelTexts() const {
    TSensorChannelTexts t;
#define DVV_COPY_TEXT(name) t.name = name;
    DVV_SENSOR_CHANNEL_TEXTS(DVV_COPY_TEXT)
#undef DVV_COPY_TEXT
    return t;
}

TFlameChannelFormLanguageLocalization& FlameChannelFormLanguage() {
    static TFlameChannelFormLanguageLocalization table(kFlameRows);
    return table;
}

TFotoSensorChannelFormLanguageLocalization& FotoSensorChannelFormLanguage() {
    static TFotoSensorChannelFormLanguageLocalization table(kFotoRows);
    return table;
}

TSensorChannelLanguageLocalization& SensorChannelLanguage() {
    static TSensorChannelLanguageLocalization table(kErrorRows);
    return table;
}

void ApplySensorChannelTexts(quint8 LanguageID) {
    SetSensorChannelTexts(SensorChannelLanguage().Texts(LanguageID).SensorChannelTexts());
}

std::vector<TTableReport> CheckFlameLanguageTables() {
    return {CheckLanguageTable("FlameChannelForm", FlameChannelFormLanguage()),
            CheckLanguageTable("FotoSensorChannelForm", FotoSensorChannelFormLanguage()),
            CheckLanguageTable("SensorChannelErrors", SensorChannelLanguage())};
}
