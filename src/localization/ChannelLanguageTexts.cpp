// The channels' error texts. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/ChannelLanguage.h"
#include "localization/SensorChannelTextsLanguage.h"

namespace {

using T = TChannelLanguage;
using TRow = TChannelLanguageLocalization::TRow;

// clang-format off
const TRow kRows[] = {
    {&T::ReadAccuracyClass, {"Error reading the accuracy class", "Ошибка при считывании класса точности", "Помилка під час зчитування класу точності", "Fehler beim Lesen der Genauigkeitsklasse", "Error al leer la clase de precisión", "Erreur de lecture de la classe de précision"}},
    {&T::ReadRangeCode, {"Error reading the selected range", "Ошибка при считывании значения выбранного диапазона", "Помилка під час зчитування значення вибраного діапазону", "Fehler beim Lesen des gewählten Messbereichs", "Error al leer el rango seleccionado", "Erreur de lecture de la plage sélectionnée"}},
    {&T::ReadRangeList, {"Error reading the list of ranges", "Ошибка при считывании списка диапазонов", "Помилка під час зчитування списку діапазонів", "Fehler beim Lesen der Messbereichsliste", "Error al leer la lista de rangos", "Erreur de lecture de la liste des plages"}},
    {&T::ReadNormalization, {"Error reading the recalculation algorithm", "Ошибка при считывании алгоритма пересчета", "Помилка під час зчитування алгоритму перерахунку", "Fehler beim Lesen des Umrechnungsalgorithmus", "Error al leer el algoritmo de recálculo", "Erreur de lecture de l'algorithme de recalcul"}},
    {&T::ReadCommand, {"Error reading the command code", "Ошибка при чтении кода комманды", "Помилка під час читання коду команди", "Fehler beim Lesen des Befehlscodes", "Error al leer el código de comando", "Erreur de lecture du code de commande"}},
    {&T::ReadCommandStatus, {"Error reading the command execution status", "Ошибка при чтении статуса выполнения комманды", "Помилка під час читання стану виконання команди", "Fehler beim Lesen des Ausführungsstatus des Befehls", "Error al leer el estado de ejecución del comando", "Erreur de lecture de l'état d'exécution de la commande"}},
    {&T::ReadChannel, {"Error reading from the channel", "Ошибка при чтении с канала", "Помилка під час читання з каналу", "Fehler beim Lesen vom Kanal", "Error al leer del canal", "Erreur de lecture du canal"}},
    {&T::WriteAccuracyClass, {"Error setting the accuracy class.", "Ошибка при установке класса точности.", "Помилка під час встановлення класу точності.", "Fehler beim Einstellen der Genauigkeitsklasse.", "Error al establecer la clase de precisión.", "Erreur lors du réglage de la classe de précision."}},
    {&T::WriteRangeCode, {"Error writing the measured quantity and range.", "Ошибка при записи измеряемой величины и диапазона.", "Помилка під час запису вимірюваної величини та діапазону.", "Fehler beim Schreiben der Messgröße und des Messbereichs.", "Error al escribir la magnitud medida y el rango.", "Erreur d'écriture de la grandeur mesurée et de la plage."}},
    {&T::WriteRangeList, {"Error writing the list of ranges", "Ошибка при записи списка диапазонов", "Помилка під час запису списку діапазонів", "Fehler beim Schreiben der Messbereichsliste", "Error al escribir la lista de rangos", "Erreur d'écriture de la liste des plages"}},
    {&T::WriteNormalization, {"Error switching normalization on or off", "Ошибка при установке разрешения нормализации", "Помилка під час встановлення дозволу нормалізації", "Fehler beim Ein- oder Ausschalten der Normierung", "Error al activar o desactivar la normalización", "Erreur lors de l'activation ou de la désactivation de la normalisation"}},
    {&T::WriteCommand, {"Error writing the command", "Ошибка при записи комманды", "Помилка під час запису команди", "Fehler beim Schreiben des Befehls", "Error al escribir el comando", "Erreur d'écriture de la commande"}},
    {&T::ReadFilterCutoff, {"Error reading the filter cutoff frequency", "Ошибка при считывании частоты среза фильтра", "Помилка під час зчитування частоти зрізу фільтра", "Fehler beim Lesen der Grenzfrequenz des Filters", "Error al leer la frecuencia de corte del filtro", "Erreur de lecture de la fréquence de coupure du filtre"}},
    {&T::ReadResponseTime, {"Error reading the response time.", "Ошибка при считывании времени отклика.", "Помилка під час зчитування часу відгуку.", "Fehler beim Lesen der Ansprechzeit.", "Error al leer el tiempo de respuesta.", "Erreur de lecture du temps de réponse."}},
    {&T::ReadPolynomial, {"Error reading the user polynomial", "Ошибка при считывании полинома пользователя", "Помилка під час зчитування полінома користувача", "Fehler beim Lesen des Benutzerpolynoms", "Error al leer el polinomio de usuario", "Erreur de lecture du polynôme utilisateur"}},
    {&T::ReadFlags, {"Error reading the channel flags", "Ошибка при считывании флагов канала", "Помилка під час зчитування прапорців каналу", "Fehler beim Lesen der Kanal-Flags", "Error al leer los indicadores del canal", "Erreur de lecture des indicateurs du canal"}},
    {&T::ReadLedLimits, {"Error reading the LED indication limits", "Ошибка при считывании пределов светодиодной индикации", "Помилка під час зчитування меж світлодіодної індикації", "Fehler beim Lesen der Grenzen der LED-Anzeige", "Error al leer los límites de la indicación LED", "Erreur de lecture des limites de l'indication LED"}},
    {&T::WriteSelectedRange, {"Error writing the selected range.", "Ошибка при записи текущего диапазона.", "Помилка під час запису поточного діапазону.", "Fehler beim Schreiben des gewählten Messbereichs.", "Error al escribir el rango seleccionado.", "Erreur d'écriture de la plage sélectionnée."}},
    {&T::WriteFilterCutoff, {"Error writing the filter cutoff frequency.", "Ошибка при записи частоты среза фильтра.", "Помилка під час запису частоти зрізу фільтра.", "Fehler beim Schreiben der Grenzfrequenz des Filters.", "Error al escribir la frecuencia de corte del filtro.", "Erreur d'écriture de la fréquence de coupure du filtre."}},
    {&T::WriteResponseTime, {"Error writing the response time.", "Ошибка при записи времени отклика.", "Помилка під час запису часу відгуку.", "Fehler beim Schreiben der Ansprechzeit.", "Error al escribir el tiempo de respuesta.", "Erreur d'écriture du temps de réponse."}},
    {&T::WritePolynomial, {"Error writing the user polynomial.", "Ошибка при записи полинома пользователя.", "Помилка під час запису полінома користувача.", "Fehler beim Schreiben des Benutzerpolynoms.", "Error al escribir el polinomio de usuario.", "Erreur d'écriture du polynôme utilisateur."}},
    {&T::WriteFlags, {"Error setting the channel flags", "Ошибка при установке флагов канала", "Помилка під час встановлення прапорців каналу", "Fehler beim Setzen der Kanal-Flags", "Error al establecer los indicadores del canal", "Erreur lors du réglage des indicateurs du canal"}},
    {&T::WriteLedLimits, {"Error writing the LED indication limits.", "Ошибка при записи пределов светодиодной индикации.", "Помилка під час запису меж світлодіодної індикації.", "Fehler beim Schreiben der Grenzen der LED-Anzeige.", "Error al escribir los límites de la indicación LED.", "Erreur d'écriture des limites de l'indication LED."}},
    {&T::WriteOutputMode, {"Error writing the output mode.", "Ошибка при записи режима установки выхода.", "Помилка під час запису режиму встановлення виходу.", "Fehler beim Schreiben des Ausgangsmodus.", "Error al escribir el modo de la salida.", "Erreur d'écriture du mode de la sortie."}},
    {&T::WriteStartValue, {"Error writing the start value.", "Ошибка при записи начального значения.", "Помилка під час запису початкового значення.", "Fehler beim Schreiben des Startwerts.", "Error al escribir el valor inicial.", "Erreur d'écriture de la valeur initiale."}},
    {&T::WriteSteps, {"Error writing the list of periods.", "Ошибка при записи масива периодов.", "Помилка під час запису масиву періодів.", "Fehler beim Schreiben der Periodenliste.", "Error al escribir la lista de periodos.", "Erreur d'écriture de la liste des périodes."}},
    {&T::ReadOutputMode, {"Error reading the output mode.", "Ошибка при считывании режима установки выхода.", "Помилка під час зчитування режиму встановлення виходу.", "Fehler beim Lesen des Ausgangsmodus.", "Error al leer el modo de la salida.", "Erreur de lecture du mode de la sortie."}},
    {&T::ReadStartValue, {"Error reading the start value.", "Ошибка при считывании начального значения.", "Помилка під час зчитування початкового значення.", "Fehler beim Lesen des Startwerts.", "Error al leer el valor inicial.", "Erreur de lecture de la valeur initiale."}},
    {&T::ReadSteps, {"Error reading the list of periods.", "Ошибка при считывании масива периодов.", "Помилка під час зчитування масиву періодів.", "Fehler beim Lesen der Periodenliste.", "Error al leer la lista de periodos.", "Erreur de lecture de la liste des périodes."}},
    {&T::ReadHardwareRange, {"Error reading the hardware range.", "Ошибка при считывании аппаратного диапазона.", "Помилка під час зчитування апаратного діапазону.", "Fehler beim Lesen des Hardwarebereichs.", "Error al leer el rango de hardware.", "Erreur de lecture de la plage matérielle."}},
    {&T::ReadThreshold, {"Error reading the switching threshold.", "Ошибка при чтении разделительного уровня.", "Помилка під час читання розділювального рівня.", "Fehler beim Lesen der Schaltschwelle.", "Error al leer el umbral de conmutación.", "Erreur de lecture du seuil de commutation."}},
    {&T::ReadCaptureLevel, {"Error capturing the level.", "Ошибка при захвате уровня.", "Помилка під час захоплення рівня.", "Fehler beim Erfassen des Pegels.", "Error al capturar el nivel.", "Erreur de capture du niveau."}},
    {&T::ReadLogicOneLevel, {"Error reading the logical one level.", "Ошибка при считывании уровня логической единицы.", "Помилка під час зчитування рівня логічної одиниці.", "Fehler beim Lesen des Pegels der logischen Eins.", "Error al leer el nivel del uno lógico.", "Erreur de lecture du niveau du un logique."}},
    {&T::ReadLineBreakLevel, {"Error reading the line break level.", "Ошибка при считывании уровня контроля обрыва линии.", "Помилка під час зчитування рівня контролю обриву лінії.", "Fehler beim Lesen des Pegels der Leitungsbruchüberwachung.", "Error al leer el nivel de detección de rotura de línea.", "Erreur de lecture du niveau de détection de coupure de ligne."}},
    {&T::ReadLineBreakCheck, {"Error reading whether the line break check is on.", "Ошибка при считывании разрешения контроля обрыва линии.", "Помилка під час зчитування дозволу контролю обриву лінії.", "Fehler beim Lesen der Freigabe der Leitungsbruchüberwachung.", "Error al leer la activación de la detección de rotura de línea.", "Erreur de lecture de l'activation de la détection de coupure de ligne."}},
    {&T::ReadTemperature, {"Error reading the temperature", "Ошибка при чтении температуры", "Помилка під час читання температури", "Fehler beim Lesen der Temperatur", "Error al leer la temperatura", "Erreur de lecture de la température"}},
    {&T::ReadPhysicalChannel, {"Error reading the physical channel number.", "Ошибка при считывании номера физического канал.", "Помилка під час зчитування номера фізичного каналу.", "Fehler beim Lesen der physischen Kanalnummer.", "Error al leer el número del canal físico.", "Erreur de lecture du numéro de canal physique."}},
    {&T::ReadSeparationLevel, {"Error reading the separation level", "Ошибка при считывании разделительного уровня", "Помилка під час зчитування розділювального рівня", "Fehler beim Lesen des Trennpegels", "Error al leer el nivel de separación", "Erreur de lecture du niveau de séparation"}},
    {&T::WriteHardwareRange, {"Error writing the hardware range.", "Ошибка при записи аппаратного диапазона.", "Помилка під час запису апаратного діапазону.", "Fehler beim Schreiben des Hardwarebereichs.", "Error al escribir el rango de hardware.", "Erreur d'écriture de la plage matérielle."}},
    {&T::WriteThreshold, {"Error saving the level.", "Ошибка при сохранении уровня.", "Помилка під час збереження рівня.", "Fehler beim Speichern des Pegels.", "Error al guardar el nivel.", "Erreur d'enregistrement du niveau."}},
    {&T::WriteCaptureLevel, {"Error saving the captured level.", "Ошибка при сохранении захвате уровня.", "Помилка під час збереження захопленого рівня.", "Fehler beim Speichern des erfassten Pegels.", "Error al guardar el nivel capturado.", "Erreur d'enregistrement du niveau capturé."}},
    {&T::WriteLogicOneLevel, {"Error writing the logical one level.", "Ошибка при записи уровня логической единицы.", "Помилка під час запису рівня логічної одиниці.", "Fehler beim Schreiben des Pegels der logischen Eins.", "Error al escribir el nivel del uno lógico.", "Erreur d'écriture du niveau du un logique."}},
    {&T::WriteLineBreakLevel, {"Error writing the line break level.", "Ошибка при записи уровня контроля обрыва линии.", "Помилка під час запису рівня контролю обриву лінії.", "Fehler beim Schreiben des Pegels der Leitungsbruchüberwachung.", "Error al escribir el nivel de detección de rotura de línea.", "Erreur d'écriture du niveau de détection de coupure de ligne."}},
    {&T::WriteLineBreakCheck, {"Error switching the line break check on or off.", "Ошибка при записи разрешения контроля обрыва линии.", "Помилка під час запису дозволу контролю обриву лінії.", "Fehler beim Schreiben der Freigabe der Leitungsbruchüberwachung.", "Error al escribir la activación de la detección de rotura de línea.", "Erreur d'écriture de l'activation de la détection de coupure de ligne."}},
    {&T::WritePhysicalChannel, {"Error writing the physical channel number.", "Ошибка при записи номера физического канала.", "Помилка під час запису номера фізичного каналу.", "Fehler beim Schreiben der physischen Kanalnummer.", "Error al escribir el número del canal físico.", "Erreur d'écriture du numéro de canal physique."}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TChannelLanguage, DVV_CHANNEL_TEXTS(DVV_TEXT_FIELD))

// Every text of the channels has its field here.
#define DVV_COUNT_TEXT(name) +1
static_assert(sizeof(TChannelTexts) == (0 DVV_CHANNEL_TEXTS(DVV_COUNT_TEXT)) * sizeof(QString));
#undef DVV_COUNT_TEXT

TChannelTexts TChannelLanguage::ChannelTexts() const {
    TChannelTexts t;
#define DVV_COPY_TEXT(name) t.name = name;
    DVV_CHANNEL_TEXTS(DVV_COPY_TEXT)
#undef DVV_COPY_TEXT
    return t;
}

TChannelLanguageLocalization& ChannelLanguage() {
    static TChannelLanguageLocalization table(kRows);
    return table;
}

void ApplyChannelTexts(quint8 LanguageID) {
    SetChannelTexts(ChannelLanguage().Texts(LanguageID).ChannelTexts());
    ApplySensorChannelTexts(LanguageID);
}
