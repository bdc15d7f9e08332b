// The texts of the virtual instruments. Columns: English, Russian, Ukrainian, German, Spanish,
// French.
#include "localization/InstrumentsLanguage.h"

namespace {

using T = TVirtualInstrumentsLanguage;

// clang-format off
const TVirtualInstrumentsLanguageLocalization::TRow kRows[] = {
    {&T::GeneratorCaption, {"Generator", "Генератор", "Генератор", "Generator", "Generador", "Générateur"}},
    {&T::GeneratorPoint, {"Generator's connect point", "Точка подключения генератора", "Точка підключення генератора", "Anschlusspunkt des Generators", "Punto de conexión del generador", "Point de connexion du générateur"}},
    {&T::Device, {"Device", "Устройство", "Пристрій", "Gerät", "Dispositivo", "Appareil"}},
    {&T::Channel, {"Channel", "Канал", "Канал", "Kanal", "Canal", "Canal"}},
    {&T::SignalParameters, {"Signal parameters", "Параметры сигнала", "Параметри сигналу", "Signalparameter", "Parámetros de la señal", "Paramètres du signal"}},
    {&T::SignalLevel, {"Signal level", "Уровень сигнала", "Рівень сигналу", "Signalpegel", "Nivel de la señal", "Niveau du signal"}},
    {&T::SignalNoiseLevel, {"Signal noise level", "Уровень шума сигнала", "Рівень шуму сигналу", "Rauschpegel des Signals", "Nivel de ruido de la señal", "Niveau de bruit du signal"}},
    {&T::NoiseLevel, {"Noise level", "Уровень шума", "Рівень шуму", "Rauschpegel", "Nivel de ruido", "Niveau de bruit"}},
    {&T::GeneratorSignal, {"Generator signal", "Сигнал генератора", "Сигнал генератора", "Generatorsignal", "Señal del generador", "Signal du générateur"}},
    {&T::ChannelValue, {"Channel value", "Значение канала", "Значення каналу", "Kanalwert", "Valor del canal", "Valeur du canal"}},
    {&T::TesterCaption, {"Tester", "Тестер", "Тестер", "Tester", "Comprobador", "Testeur"}},
    {&T::TesterPoint, {"Tester connection point", "Точка подключения тестера", "Точка підключення тестера", "Anschlusspunkt des Testers", "Punto de conexión del comprobador", "Point de connexion du testeur"}},
    {&T::Value, {"Value", "Значение", "Значення", "Wert", "Valor", "Valeur"}},
    {&T::ContactCaption, {"Contact", "Контакт", "Контакт", "Kontakt", "Contacto", "Contact"}},
    {&T::ContactPoint, {"Contact point", "Точка подключения контакта", "Точка підключення контакту", "Anschlusspunkt des Kontakts", "Punto de conexión del contacto", "Point de connexion du contact"}},
    {&T::RelayContact, {"Relay contact", "Контакт реле", "Контакт реле", "Relaiskontakt", "Contacto del relé", "Contact du relais"}},
    {&T::OnOff, {"On/Off", "Вкл/Выкл", "Увімк/Вимк", "Ein/Aus", "Encendido/Apagado", "Marche/Arrêt"}},
    {&T::LineBreak, {"Line break", "Обрыв линии", "Обрив лінії", "Leitungsbruch", "Línea rota", "Rupture de ligne"}},
    {&T::Address, {"Address", "Адрес", "Адреса", "Adresse", "Dirección", "Adresse"}},
    {&T::Waveform, {"Waveform", "Форма сигнала", "Форма сигналу", "Signalform", "Forma de onda", "Forme d'onde"}},
    {&T::WaveLevel, {"Level with noise", "Уровень с шумом", "Рівень із шумом", "Pegel mit Rauschen", "Nivel con ruido", "Niveau avec bruit"}},
    {&T::WaveSine, {"Sine", "Синус", "Синус", "Sinus", "Seno", "Sinus"}},
    {&T::WaveRamp, {"Ramp", "Пила", "Пилка", "Rampe", "Rampa", "Rampe"}},
    {&T::PeriodS, {"Period, s", "Период, с", "Період, с", "Periode, s", "Periodo, s", "Période, s"}},
    {&T::EmulatorStopped, {"The emulator is stopped", "Эмулятор остановлен", "Емулятор зупинено", "Der Emulator ist angehalten", "El emulador está detenido", "L'émulateur est arrêté"}},
    {&T::NoDevices, {"No emulated device has such channels", "Нет эмулируемых устройств с такими каналами", "Немає емульованих пристроїв із такими каналами", "Kein emuliertes Gerät hat solche Kanäle", "Ningún dispositivo emulado tiene tales canales", "Aucun appareil émulé n'a de tels canaux"}},
};
// clang-format on

} // namespace

DVV_DEFINE_TEXT_FIELDS(TVirtualInstrumentsLanguage, DVV_INSTRUMENTS_TEXTS(DVV_TEXT_FIELD))

TVirtualInstrumentsLanguageLocalization& VirtualInstrumentsLanguage() {
    static TVirtualInstrumentsLanguageLocalization table(kRows);
    return table;
}

TTableReport CheckVirtualInstrumentsLanguageTable() {
    return CheckLanguageTable("VirtualInstruments", VirtualInstrumentsLanguage());
}
