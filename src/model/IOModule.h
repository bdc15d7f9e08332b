#pragma once

#include "model/AOChannel.h"
#include "model/AnalogInputModules.h"
#include "model/DIChannel.h"
#include "model/DIOManager.h"
#include "model/DOChannel.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/ZUVOModule.h"

#include <initializer_list>
#include <memory>
#include <vector>

// The base of the discrete, mixed and analog output models: it holds their channel objects, the
// manager and the health controllers, maps their registers and answers the accessors of every
// model. Not a model itself.
class TIOModule : public TZUVOModule {
public:
    TIOModule();
    ~TIOModule() override;

    int AnalogInputCount() const override { return FAnalogInputs.Count(); }
    TSimpleChannel* AnalogInput(int Index) override { return FAnalogInputs.At(Index); }
    int DiscreteInputCount() const override { return int(FDiscreteInputs.size()); }
    TDIChannel* DiscreteInput(int Index) override;
    int DiscreteOutputCount() const override { return int(FDiscreteOutputs.size()); }
    TDOChannel* DiscreteOutput(int Index) override;
    int AnalogOutputCount() const override { return int(FAnalogOutputs.size()); }
    TAOChannel* AnalogOutput(int Index) override;
    TDIOManager* DIOManager() override { return FManager.get(); }
    TDIOManagerExt* DIOManagerExt() override { return FManagerExt.get(); }
    TIntachnessCtrlChannel* IntachnessCtrl() override { return FIntachnessCtrl.get(); }

    // What the manager sees: every discrete input and output of the model, also those without an
    // accessor of their own.
    int ManagedInputCount() const { return int(FDiscreteInputs.size()); }
    int ManagedOutputCount() const { return int(FDiscreteOutputs.size()); }
    // The extended manager's point of output 0: the outputs follow the inputs, except on the model
    // that numbers both from 0.
    virtual int FirstManagedOutput() const { return ManagedInputCount(); }

protected:
    // Discrete channel objects sit at object × 256 + 16 with this many properties.
    static constexpr int kDIProperties = 12;
    static constexpr int kDOProperties = 9;

    static quint16 DiscreteBase(quint8 Object) { return quint16(Object * 256 + 16); }

    // Each takes the next indexes of its kind, in the order the objects are given.
    void AddDiscreteInputs(std::initializer_list<quint8> Objects, int Properties = kDIProperties);
    void AddDiscreteInputs(quint8 First, int Count, int Properties = kDIProperties);
    void AddDiscreteOutputs(quint8 First, int Count);
    // Analog inputs at object × 256 in the given layout.
    void AddAnalogInputs(quint8 First, int Count, TRegisterLayout Layout);
    // An analog output with its register rows from Base on.
    void AddAnalogOutput(quint8 Object, quint16 Base);
    void AddManager(quint8 Object, quint16 Base, int Properties = 5);
    void AddManagerExt(quint8 Object, quint16 Base);
    template <class T> T* AddIntachnessCtrl(quint8 Object, quint16 Base, int Properties) {
        AddRegisterSequence(Tunnel(), Object, Base, Properties);
        auto controller = std::make_unique<T>(this, Object);
        T* result = controller.get();
        FIntachnessCtrl = std::move(controller);
        return result;
    }

    TSimpleChannelList FAnalogInputs;
    std::vector<std::unique_ptr<TDIChannel>> FDiscreteInputs;
    std::vector<std::unique_ptr<TDOChannel>> FDiscreteOutputs;
    std::vector<std::unique_ptr<TAOChannel>> FAnalogOutputs;
    std::unique_ptr<TDIOManager> FManager;
    std::unique_ptr<TDIOManagerExt> FManagerExt;
    std::unique_ptr<TIntachnessCtrlChannel> FIntachnessCtrl;
};
