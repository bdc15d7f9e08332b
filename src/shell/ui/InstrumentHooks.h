#pragma once

class TVirtualInstruments;

// Connects the channel windows' instrument hooks to the program's instruments: each hook finds the
// emulated channel at the real channel's bus address and index. Called once at start-up.
void RegisterInstrumentHooks(TVirtualInstruments& Instruments);
