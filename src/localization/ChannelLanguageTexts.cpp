// The channels' error texts. Columns: English, Russian, Ukrainian, German, Spanish, French.
#include "localization/ChannelLanguage.h"

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
}
