// The texts of the discrete output and input channel windows and of the sequence editor. Columns:
// English, Russian, Ukrainian, German, Spanish, French.
#include "localization/DiscreteChannelLanguage.h"

namespace {

using T = Tkvd_custom_do_channel_unitLanguage;

// clang-format off
const TDOChannelLanguageLocalization::TRow kRows[] = {
    {&T::Caption, {"Channel parameters", "Параметры канала", "Параметри каналу", "Kanalparameter", "Parámetros del canal", "Paramètres du canal"}},
    {&T::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&T::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&T::Control, {"Control", "Управление", "Керування", "Steuerung", "Control", "Commande"}},
    {&T::Sequence, {"Sequence", "Последовательность", "Послідовність", "Sequenz", "Secuencia", "Séquence"}},
    {&T::Playback, {"Playback", "Воспроизвести", "Відтворити", "Abspielen", "Reproducir", "Lire"}},
    {&T::Start, {"Start", "Пуск", "Пуск", "Start", "Iniciar", "Démarrer"}},
    {&T::Stop, {"Stop", "Стоп", "Стоп", "Stopp", "Detener", "Arrêter"}},
    {&T::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&T::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&T::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&T::ModeError, {"Error selecting output mode", "Ошибка выбора режима установки выхода", "Помилка вибору режиму встановлення виходу", "Fehler bei der Wahl des Ausgangsmodus", "Error al elegir el modo de la salida", "Erreur de choix du mode de la sortie"}},
    {&T::SequenceSaveError, {"Sequence saving error", "Ошибка сохранения последовательности", "Помилка збереження послідовності", "Fehler beim Speichern der Sequenz", "Error al guardar la secuencia", "Erreur d'enregistrement de la séquence"}},
    {&T::PlaybackError, {"Sequence playback error", "Ошибка воспроизведения последовательности", "Помилка відтворення послідовності", "Fehler beim Abspielen der Sequenz", "Error al reproducir la secuencia", "Erreur de lecture de la séquence"}},
    {&T::ProtectedMode, {"Protected mode", "Защищенный режим", "Захищений режим", "Geschützter Modus", "Modo protegido", "Mode protégé"}},
    {&T::StandartMode, {"Standart mode", "Стандартный режим", "Стандартний режим", "Standardmodus", "Modo estándar", "Mode standard"}},
    {&T::Status, {"Status", "Статус", "Статус", "Status", "Estado", "État"}},
    {&T::LogicalOne, {"Logical one", "Логическая единица", "Логічна одиниця", "Logisch eins", "Uno lógico", "Un logique"}},
    {&T::ResponceTime, {"Responce time", "Время отклика", "Час відгуку", "Ansprechzeit", "Tiempo de respuesta", "Temps de réponse"}},
    {&T::Generator, {"Generator", "Генератор", "Генератор", "Generator", "Generador", "Générateur"}},
    {&T::LineFaultControl, {"Control of line fault", "Контроль обрыва линии", "Контроль обриву лінії", "Leitungsbruchüberwachung", "Control de rotura de línea", "Contrôle de rupture de ligne"}},
    {&T::ContactClosed, {"Contact closed", "Контакт замкнут", "Контакт замкнений", "Kontakt geschlossen", "Contacto cerrado", "Contact fermé"}},
    {&T::ContactOpened, {"Contact opened", "Контакт разомкнут", "Контакт розімкнений", "Kontakt offen", "Contacto abierto", "Contact ouvert"}},
    {&T::LineBreak, {"Line break", "Обрыв линии", "Обрив лінії", "Leitungsbruch", "Línea rota", "Rupture de ligne"}},
    {&T::ShortCircuit, {"Short circuit", "КЗ линии", "КЗ лінії", "Kurzschluss", "Cortocircuito", "Court-circuit"}},
    {&T::LineBreakStatusError, {"Error setting line break status", "Ошибка установки статуса обрыва линии", "Помилка встановлення статусу обриву лінії", "Fehler beim Setzen der Leitungsbruchüberwachung", "Error al fijar el control de rotura de línea", "Erreur de réglage du contrôle de rupture de ligne"}},
    {&T::ResponseTimeMs, {"Response time, ms", "Время отклика, мс", "Час відгуку, мс", "Ansprechzeit, ms", "Tiempo de respuesta, ms", "Temps de réponse, ms"}},
    {&T::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&T::Ms, {"ms", "мс", "мс", "ms", "ms", "ms"}},
};
// clang-format on

using D = TDIDCDialogLanguage;

// clang-format off
const TDIDCDialogLanguageLocalization::TRow kDialogRows[] = {
    {&D::Caption, {"Channel parameters", "Параметры канала", "Параметри каналу", "Kanalparameter", "Parámetros del canal", "Paramètres du canal"}},
    {&D::DeviceAddress, {"Device address", "Адрес устройства", "Адреса пристрою", "Geräteadresse", "Dirección del dispositivo", "Adresse de l'appareil"}},
    {&D::BaudRate, {"Baud rate", "Скорость обмена", "Швидкість обміну", "Baudrate", "Velocidad", "Débit"}},
    {&D::PhysicalChannel, {"Physical channel number", "Номер физического канала", "Номер фізичного каналу", "Nummer des physischen Kanals", "Número del canal físico", "Numéro du canal physique"}},
    {&D::ResponseTime, {"Response time", "Время отклика", "Час відгуку", "Ansprechzeit", "Tiempo de respuesta", "Temps de réponse"}},
    {&D::LineBreakControl, {"Line break control", "Контроль обрыва линии", "Контроль обриву лінії", "Leitungsbruchüberwachung", "Control de rotura de línea", "Contrôle de rupture de ligne"}},
    {&D::Generator, {"Generator", "Генератор", "Генератор", "Generator", "Generador", "Générateur"}},
    {&D::StartUpper, {"START", "ПУСК", "ПУСК", "START", "INICIAR", "DÉMARRER"}},
    {&D::StopUpper, {"STOP", "СТОП", "СТОП", "STOPP", "DETENER", "ARRÊTER"}},
    {&D::Status, {"Status", "Статус", "Статус", "Status", "Estado", "État"}},
    {&D::Module, {"Module", "Модуль", "Модуль", "Modul", "Módulo", "Module"}},
    {&D::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&D::ContactClosed, {"Contact closed", "Контакт замкнут", "Контакт замкнений", "Kontakt geschlossen", "Contacto cerrado", "Contact fermé"}},
    {&D::LogicalOne, {"Logical one", "Логическая единица", "Логічна одиниця", "Logisch eins", "Uno lógico", "Un logique"}},
    {&D::ContactOpened, {"Contact opened", "Контакт разомкнут", "Контакт розімкнений", "Kontakt offen", "Contacto abierto", "Contact ouvert"}},
    {&D::LineBreak, {"Line break", "Обрыв линии", "Обрив лінії", "Leitungsbruch", "Línea rota", "Rupture de ligne"}},
    {&D::LineBreakStateError, {"Line break state control error", "Ошибка статуса контроля обрыва линии", "Помилка статусу контролю обриву лінії", "Fehler der Leitungsbruchüberwachung", "Error del control de rotura de línea", "Erreur du contrôle de rupture de ligne"}},
    {&D::Change, {"Change", "Сменить", "Змінити", "Ändern", "Cambiar", "Changer"}},
    {&D::Error, {"Error", "Ошибка", "Помилка", "Fehler", "Error", "Erreur"}},
    {&D::RemapCaption, {"Channel reassignment", "Переназначение каналов", "Перепризначення каналів", "Kanalzuordnung", "Reasignación de canales", "Réaffectation des canaux"}},
    {&D::ProgramChannel, {"Program channel", "Программный канал", "Програмний канал", "Programmkanal", "Canal de programa", "Canal logiciel"}},
    {&D::HardwareChannel, {"Hardware channel", "Аппаратный канал", "Апаратний канал", "Hardwarekanal", "Canal físico", "Canal matériel"}},
    {&D::Remapping, {"Reassignment", "Переназначение", "Перепризначення", "Zuordnung", "Reasignación", "Réaffectation"}},
    {&D::Remapped, {"remaped", "переназначен", "перепризначено", "neu zugeordnet", "reasignado", "réaffecté"}},
    {&D::HardChannelCaption, {"Hard channel", "Аппаратный канал", "Апаратний канал", "Hardwarekanal", "Canal físico", "Canal matériel"}},
    {&D::HardChannelLabel, {"Physical channel", "Физический канал", "Фізичний канал", "Physischer Kanal", "Canal físico", "Canal physique"}},
    {&D::Default, {"Default", "По умолчанию", "За замовчуванням", "Standard", "Predeterminado", "Par défaut"}},
    {&D::Ok, {"OK", "OK", "OK", "OK", "Aceptar", "OK"}},
    {&D::Cancel, {"Cancel", "Отмена", "Скасувати", "Abbrechen", "Cancelar", "Annuler"}},
};
// clang-format on

using S = TSequenceEditorLanguage;

// clang-format off
const TSequenceEditorLanguageLocalization::TRow kSequenceRows[] = {
    {&S::Caption, {"Sequences generator", "Генератор последовательностей", "Генератор послідовностей", "Sequenzgenerator", "Generador de secuencias", "Générateur de séquences"}},
    {&S::EntryLevel, {"Entry level", "Начальный уровень", "Початковий рівень", "Anfangspegel", "Nivel inicial", "Niveau initial"}},
    {&S::Inactive, {"Inactive", "Неактивный", "Неактивний", "Inaktiv", "Inactivo", "Inactif"}},
    {&S::Active, {"Active", "Активный", "Активний", "Aktiv", "Activo", "Actif"}},
    {&S::Period, {"Period", "Период", "Період", "Periode", "Periodo", "Période"}},
    {&S::Duration, {"Duration", "Длительность", "Тривалість", "Dauer", "Duración", "Durée"}},
    {&S::Diagram, {"Timing sequence diagram", "Временная диаграмма последовательности", "Часова діаграма послідовності", "Zeitdiagramm der Sequenz", "Diagrama temporal de la secuencia", "Chronogramme de la séquence"}},
    {&S::Close, {"Close", "Закрыть", "Закрити", "Schließen", "Cerrar", "Fermer"}},
    {&S::Apply, {"Apply", "Применить", "Застосувати", "Übernehmen", "Aplicar", "Appliquer"}},
    {&S::New, {"New", "Новый", "Новий", "Neu", "Nuevo", "Nouveau"}},
    {&S::Edit, {"Edit", "Изменить", "Змінити", "Bearbeiten", "Editar", "Modifier"}},
    {&S::Delete, {"Delete", "Удалить", "Видалити", "Löschen", "Eliminar", "Supprimer"}},
    {&S::DeleteAll, {"Delete all", "Удалить все", "Видалити всі", "Alle löschen", "Eliminar todo", "Tout supprimer"}},
    {&S::LimitReached, {"Limit reached", "Достигнут предел", "Досягнуто межі", "Grenze erreicht", "Límite alcanzado", "Limite atteinte"}},
    {&S::MaxDuration, {"Maximum period duration", "Максимальная длительность периода", "Максимальна тривалість періоду", "Maximale Periodendauer", "Duración máxima del periodo", "Durée maximale de la période"}},
    {&S::ErrorReadingSequence, {"Error reading sequence", "Ошибка чтения последовательности", "Помилка читання послідовності", "Fehler beim Lesen der Sequenz", "Error al leer la secuencia", "Erreur de lecture de la séquence"}},
    {&S::ErrorReadingEntryLevel, {"Error reading entry level", "Ошибка чтения начального уровня", "Помилка читання початкового рівня", "Fehler beim Lesen des Anfangspegels", "Error al leer el nivel inicial", "Erreur de lecture du niveau initial"}},
    {&S::PeriodCaption, {"Period duration", "Длительность периода", "Тривалість періоду", "Periodendauer", "Duración del periodo", "Durée de la période"}},
    {&S::Hours, {"Hours", "Часы", "Години", "Stunden", "Horas", "Heures"}},
    {&S::Minutes, {"Minutes", "Минуты", "Хвилини", "Minuten", "Minutos", "Minutes"}},
    {&S::Seconds, {"Seconds", "Секунды", "Секунди", "Sekunden", "Segundos", "Secondes"}},
    {&S::Milliseconds, {"Milliseconds", "Миллисекунды", "Мілісекунди", "Millisekunden", "Milisegundos", "Millisecondes"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(Tkvd_custom_do_channel_unitLanguage, DVV_DO_CHANNEL_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TDIDCDialogLanguage, DVV_DIDC_DIALOG_TEXTS(DVV_TEXT_FIELD))
DVV_DEFINE_TEXT_FIELDS(TSequenceEditorLanguage, DVV_SEQUENCE_EDITOR_TEXTS(DVV_TEXT_FIELD))

TDOChannelLanguageLocalization& DOChannelLanguage() {
    static TDOChannelLanguageLocalization table(kRows);
    return table;
}

TDIDCDialogLanguageLocalization& DIDCDialogLanguage() {
    static TDIDCDialogLanguageLocalization table(kDialogRows);
    return table;
}

TSequenceEditorLanguageLocalization& SequenceEditorLanguage() {
    static TSequenceEditorLanguageLocalization table(kSequenceRows);
    return table;
}

std::vector<TTableReport> CheckDiscreteChannelLanguageTables() {
    return {CheckLanguageTable("kvd_custom_do_channel_unit", DOChannelLanguage()),
            CheckLanguageTable("DIDCDialog", DIDCDialogLanguage()),
            CheckLanguageTable("SequenceEditor", SequenceEditorLanguage())};
}
