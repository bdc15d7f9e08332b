#include "shell/ui/InstrumentHooks.h"

#include "emulator/ui/InstrumentForms.h"
#include "model/AOChannel.h"
#include "model/DIChannel.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "views/AnalogInputGenerator.h"

namespace {

// A channel without a module has no address: no emulated channel answers to it.
template <class TChannel> int AddressOf(const TChannel& Channel) {
    return Channel.Module() ? Channel.Module()->Address() : -1;
}

} // namespace

void RegisterInstrumentHooks(TVirtualInstruments& Instruments) {
    TVirtualInstruments* instruments = &Instruments;
    AnalogInputGenerator() = [instruments](TGeneratorAction Action, TSimpleChannel& Channel) {
        switch (Action) {
        case gaStart:
            instruments->StartGenerator(AddressOf(Channel), Channel.Index);
            break;
        case gaStop:
            instruments->HideGenerator();
            break;
        case gaToggle:
            instruments->ToggleGenerator(AddressOf(Channel), Channel.Index);
            break;
        case gaClose:
            instruments->CloseGenerator();
            break;
        }
    };
    AnalogOutputTester() = [instruments](TTesterAction Action, TAOChannel& Channel) {
        switch (Action) {
        case taToggle:
            instruments->ToggleTester(AddressOf(Channel), Channel.Index);
            break;
        case taClose:
            instruments->CloseTester();
            break;
        }
    };
    DiscreteInputContact() = [instruments](TContactAction Action, TDIChannel& Channel) {
        if (Action == caToggle)
            instruments->ToggleContact(AddressOf(Channel), Channel.Index);
    };
}
