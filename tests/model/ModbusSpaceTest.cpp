// Parameter spaces: layout and value conversion in memory, the cycle against a scripted transport,
// and the stepper controller's map mirrored from libmodbus's slave on a pseudo-terminal.
#include "model/ModbusSpace.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/SMModbusMap.h"
#include "platform/EventWait.h"
#include "platform/ProcessTimer.h"
#include "protocol/ByteOrder.h"
#include "protocol/Crc16.h"
#include "support/ModbusSlave.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <bit>
#include <functional>

namespace {

// Answers each request through a callback; an empty answer is a failed exchange.
class TScriptedTransport : public TModbusTransport {
public:
    std::function<QByteArray(const QByteArray& Request, int Expected)> Answer;
    std::vector<QByteArray> Requests;

protected:
    bool DoTransfer(TRequest& Request, int ExpectedLength) override {
        const QByteArray request(reinterpret_cast<const char*>(Request.Buffer.data()), Request.Length);
        Requests.push_back(request);
        const QByteArray answer = Answer ? Answer(request, ExpectedLength) : QByteArray();
        if (answer.size() != ExpectedLength)
            return false;
        std::copy(answer.begin(), answer.end(), Request.Buffer.begin());
        return true;
    }
};

QByteArray WithCrc(QByteArray Frame) {
    const int n = int(Frame.size());
    Frame.resize(n + 2);
    PutCrc16(reinterpret_cast<quint8*>(Frame.data()), n);
    return Frame;
}

// A write is confirmed with the request's first six bytes.
QByteArray WriteConfirmation(const QByteArray& Request) {
    return WithCrc(Request.left(6));
}

TEST(ModbusSpace, LayoutFollowsIndexesNotDeclarationOrder) {
    TModbusSpace space;
    TModbusParameter a, b, c;
    a.SetIndex(2);
    a.SetParamType(mptSingle);
    b.SetIndex(0);
    b.SetParamType(mptWord);
    c.SetIndex(1);
    c.SetParamType(mptInteger);
    for (TModbusParameter* p : {&a, &b, &c})
        p->SetModbusSpace(&space);
    EXPECT_EQ(space.Parameters(), (std::vector<TModbusParameter*>{&b, &c, &a}));
    EXPECT_EQ(b.Offset(), 0);
    EXPECT_EQ(c.Offset(), 1);
    EXPECT_EQ(a.Offset(), 3);
    EXPECT_EQ(a.RegisterAddress(), 4096 + 3);
    EXPECT_EQ(space.BlockLength(), 5);
    // Equal indexes keep the order they were added in.
    TModbusParameter d;
    d.SetIndex(1);
    d.SetModbusSpace(&space);
    EXPECT_EQ(space.Parameters(), (std::vector<TModbusParameter*>{&b, &c, &d, &a}));
    EXPECT_EQ(a.Offset(), 4);
}

TEST(ModbusSpace, ValueConversionByByteOrder) {
    TModbusSpace space;
    TModbusParameter p;
    p.SetParamType(mptInteger);
    p.SetModbusSpace(&space);
    const quint8 wire[] = {0x12, 0x34, 0x56, 0x78};
    const struct {
        TModbusParamByteOrder Order;
        quint32 Integer;
        quint16 Word;
    } cases[] = {{mbo3210, 0x12345678, 0x1234},
                 {mbo0123, 0x78563412, 0x3412},
                 {mbo1032, 0x56781234, 0x3412},
                 {mbo2301, 0x34127856, 0x3412}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Order));
        p.ByteOrder = c.Order;
        std::copy(std::begin(wire), std::end(wire), space.Image());
        EXPECT_EQ(quint32(p.Data().AsInteger()), c.Integer);
        EXPECT_EQ(p.Data().AsWord(), c.Word);
        // The setters store with the inverse mapping.
        std::fill_n(space.Image(), 4, 0);
        p.Data().SetInteger(qint32(c.Integer));
        EXPECT_TRUE(std::equal(std::begin(wire), std::end(wire), space.Image()));
        p.Data().SetFloat(-2.5f);
        EXPECT_EQ(p.Data().AsFloat(), -2.5f);
        p.Data().SetWord(0xBEEF);
        EXPECT_EQ(p.Data().AsWord(), 0xBEEF);
        EXPECT_EQ(space.Image()[0], c.Order == mbo3210 ? 0xBE : 0xEF);
    }
}

TEST(ModbusSpace, SettingTheCurrentValueDoesNotMark) {
    TModbusSpace space;
    TModbusParameter w, f;
    w.SetModbusSpace(&space);
    f.SetIndex(1);
    f.SetParamType(mptSingle);
    f.SetModbusSpace(&space);
    w.Data().SetWord(0);
    f.Data().SetFloat(0.0f);
    EXPECT_FALSE(w.Modified);
    EXPECT_FALSE(f.Modified);
    w.Data().SetWord(5);
    EXPECT_TRUE(w.Modified);
    EXPECT_FALSE(f.Modified);
    // A parameter outside any space has no bytes: getters give 0 and setters do nothing.
    TModbusParameter loose;
    loose.Data().SetInteger(9);
    EXPECT_EQ(loose.Data().AsInteger(), 0);
    EXPECT_FALSE(loose.Modified);
}

class ScriptedSpace : public ::testing::Test {
protected:
    void SetUp() override {
        a.SetIndex(2);
        a.SetParamType(mptSingle);
        b.SetIndex(0);
        c.SetIndex(1);
        c.SetParamType(mptInteger);
        for (TModbusParameter* p : {&a, &b, &c})
            p->SetModbusSpace(&space);
        space.DeviceAddress = 9;
        space.BaseAddress = 0x0100;
        space.SetModbusTransport(&transport);
    }
    TModbusSpace space;
    TModbusParameter a, b, c;
    TScriptedTransport transport;
};

TEST_F(ScriptedSpace, SingleReadStoresTheParametersOwnBytes) {
    space.SingleReadMode = true;
    space.RefreshIAC = true;
    transport.Answer = [](const QByteArray& r, int expected) {
        const int reg = (quint8(r[2]) << 8) | quint8(r[3]);
        QByteArray data;
        for (int i = 0; i < quint8(r[5]); ++i)
            data += char(reg + i) + QByteArray(1, char(0xA0 + i));
        return WithCrc(QByteArray::fromHex("0903") + char(2 * quint8(r[5])) + data).left(expected);
    };
    ASSERT_TRUE(space.Refresh());
    ASSERT_EQ(transport.Requests.size(), 3u);
    EXPECT_EQ(transport.Requests[2].toHex(' '), WithCrc(QByteArray::fromHex("0903010300 02")).toHex(' '));
    // The parameter at offset 3: reply bytes 3..6 went to image bytes 6..9.
    const quint8 want[] = {0x03, 0xA0, 0x04, 0xA1};
    EXPECT_TRUE(std::equal(std::begin(want), std::end(want), space.Image() + 6));
    // The word parameter asked for its one register only and left its neighbour alone.
    EXPECT_EQ(transport.Requests[0].toHex(' '), WithCrc(QByteArray::fromHex("0903010000 01")).toHex(' '));
    EXPECT_EQ(b.Data().AsWord(), 0x00A0);
}

TEST_F(ScriptedSpace, BlockWriteSendsTheWholeImageAndClearsEveryFlag) {
    space.SingleWriteMode = false;
    c.Data().SetInteger(0x01020304);
    c.Modified = false;
    b.Data().SetWord(0x0A0B);
    ASSERT_TRUE(b.Modified);
    transport.Answer = [](const QByteArray& r, int) { return WriteConfirmation(r); };
    ASSERT_TRUE(space.Refresh());
    ASSERT_EQ(transport.Requests.size(), 1u);
    EXPECT_EQ(transport.Requests[0].toHex(' '),
              WithCrc(QByteArray::fromHex("0910010000050A 0A0B 01020304 00000000")).toHex(' '));
    EXPECT_FALSE(b.Modified);
    EXPECT_FALSE(c.Modified);
    EXPECT_FALSE(a.Modified);
}

TEST_F(ScriptedSpace, SingleWritesOnlyWhatChangedAndAFailureKeepsTheRest) {
    b.Data().SetWord(7);
    a.Data().SetFloat(1.0f);
    int writes = 0;
    transport.Answer = [&](const QByteArray& r, int) {
        return ++writes == 1 ? WriteConfirmation(r) : QByteArray(); // the second write gets no reply
    };
    EXPECT_FALSE(space.Refresh());
    EXPECT_FALSE(b.Modified);
    EXPECT_TRUE(a.Modified);
    EXPECT_EQ(transport.Requests[0].toHex(' '),
              WithCrc(QByteArray::fromHex("0910010000010200 07")).toHex(' '));
    EXPECT_EQ(transport.Requests[1].toHex(' '),
              WithCrc(QByteArray::fromHex("09100103000204 3F800000")).toHex(' '));
    // Retried on the next cycle.
    transport.Answer = [](const QByteArray& r, int) { return WriteConfirmation(r); };
    EXPECT_TRUE(space.Refresh());
    EXPECT_FALSE(a.Modified);
    EXPECT_EQ(transport.Requests.size(), 3u);
    // A reply with a bad CRC is a failure too.
    a.Data().SetFloat(2.0f);
    transport.Answer = [](const QByteArray& r, int) {
        QByteArray bad = WriteConfirmation(r);
        bad[7] = char(bad[7] ^ 1);
        return bad;
    };
    EXPECT_FALSE(space.Refresh());
    EXPECT_TRUE(a.Modified);
}

TEST_F(ScriptedSpace, AValueEnteredDuringAnExchangeIsNotLost) {
    b.Data().SetWord(1);
    transport.OnRequest = [&](TModbusTransport*, int Direction, const TRequest&) {
        if (Direction == 1 && transport.Requests.empty())
            b.Data().SetWord(2); // as a click handled while the write waits for its reply
    };
    transport.Answer = [](const QByteArray& r, int expected) {
        return r[1] == 16 ? WriteConfirmation(r)
                          : WithCrc(QByteArray::fromHex("09030A") + QByteArray(10, 0)).left(expected);
    };
    ASSERT_TRUE(space.Refresh());
    EXPECT_TRUE(b.Modified);
    space.RefreshIAC = true;
    transport.OnRequest = {};
    // The value entered meanwhile is written on the next cycle; the read then brings the device's.
    ASSERT_TRUE(space.Refresh());
    EXPECT_EQ(b.Data().AsWord(), 0);
    EXPECT_EQ(transport.Requests[1].toHex(' '),
              WithCrc(QByteArray::fromHex("0910010000010200 02")).toHex(' '));
}

TEST_F(ScriptedSpace, NothingHappensWhenDisabledSlaveOrWithoutTransport) {
    b.Data().SetWord(1);
    transport.Answer = [](const QByteArray& r, int) { return WriteConfirmation(r); };
    space.Enabled = false;
    EXPECT_FALSE(space.Refresh());
    space.Enabled = true;
    space.IsSlave = true;
    EXPECT_FALSE(space.Refresh());
    space.IsSlave = false;
    space.SetModbusTransport(nullptr);
    EXPECT_FALSE(space.Refresh());
    EXPECT_TRUE(transport.Requests.empty());
    EXPECT_TRUE(b.Modified);
}

TEST_F(ScriptedSpace, ReadsWaitForTheReadInterval) {
    space.ReadInterval = 60;
    int reads = 0;
    transport.Answer = [&](const QByteArray&, int expected) {
        ++reads;
        return WithCrc(QByteArray::fromHex("09030A") + QByteArray(10, 1)).left(expected);
    };
    EXPECT_TRUE(space.Refresh()); // the read timer was never started
    EXPECT_EQ(reads, 0);
    space.RestartReadTimer();
    EXPECT_TRUE(space.Refresh());
    EXPECT_EQ(reads, 0);
    PauseProcessingEvents(70);
    EXPECT_TRUE(space.Refresh());
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(space.Refresh());
    EXPECT_EQ(reads, 1);
}

TEST(ModbusSpace, BlocksBeyondOneRequestFailWithoutTraffic) {
    TModbusSpace space;
    std::vector<std::unique_ptr<TModbusParameter>> params;
    for (int i = 0; i < 63; ++i) {
        params.push_back(std::make_unique<TModbusParameter>());
        params.back()->SetIndex(quint16(i));
        params.back()->SetParamType(mptInteger);
        params.back()->SetModbusSpace(&space);
    }
    EXPECT_EQ(space.BlockLength(), 126);
    TScriptedTransport transport;
    space.SetModbusTransport(&transport);
    space.RefreshIAC = true;
    EXPECT_FALSE(space.Refresh());
    EXPECT_TRUE(transport.Requests.empty());
}

// ---- against libmodbus ----

class StepperMap : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slave.Ok());
        map.Port.SetPortName(slave.PortPath());
        map.Port.SetInputTimeout(100);
        ASSERT_TRUE(map.Port.Open()) << map.Port.LastError().toStdString();
    }
    // Runs the manager until Done holds or the time is up.
    bool RunUntil(const std::function<bool()>& Done, int Ms = 2000) {
        map.Manager.SetRunning(true);
        QElapsedTimer t;
        t.start();
        while (!Done() && t.elapsed() < Ms)
            PauseProcessingEvents(5);
        const bool done = Done();
        map.Manager.Timer().Pause = [](int) {};
        map.Manager.SetRunning(false);
        return done;
    }
    TModbusSlave slave{1, 8192 + 32};
    TSMModbusMap map;
};

TEST_F(StepperMap, EveryParameterOfTheMap) {
    const struct {
        TModbusParameter TSMModbusMap::*Member;
        int Offset;
        TModbusParamType Type;
        TModbusParamAccess Access;
    } rows[] = {
        {&TSMModbusMap::Options, 0, mptInteger, mpaReadWrite},
        {&TSMModbusMap::MinClock, 2, mptSingle, mpaReadWrite},
        {&TSMModbusMap::MaxClock, 4, mptSingle, mpaReadWrite},
        {&TSMModbusMap::AcceleratingTime, 6, mptWord, mpaReadWrite},
        {&TSMModbusMap::DeltaClk, 7, mptSingle, mpaReadWrite},
        {&TSMModbusMap::ModbusParameter1, 9, mptSingle, mpaReadWrite},
        {&TSMModbusMap::Temperature, 11, mptWord, mpaReadOnly},
        {&TSMModbusMap::StepCounter, 12, mptInteger, mpaReadWrite},
        {&TSMModbusMap::RegStatus, 14, mptWord, mpaReadOnly},
        {&TSMModbusMap::Clock, 15, mptSingle, mpaReadWrite},
        {&TSMModbusMap::MoveRight, 17, mptWord, mpaReadWrite},
        {&TSMModbusMap::StepCount, 18, mptInteger, mpaReadWrite},
        {&TSMModbusMap::Execute, 20, mptWord, mpaReadWrite},
        {&TSMModbusMap::CurrClock, 21, mptSingle, mpaReadOnly},
    };
    ASSERT_EQ(map.Parameters().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const TModbusParameter& p = map.*rows[i].Member;
        SCOPED_TRACE(p.Name().toStdString());
        EXPECT_EQ(map.Parameters()[i], &p);
        EXPECT_EQ(p.Index(), i);
        EXPECT_EQ(p.Offset(), rows[i].Offset);
        EXPECT_EQ(p.RegisterAddress(), 8192 + rows[i].Offset);
        EXPECT_EQ(p.ParamType(), rows[i].Type);
        EXPECT_EQ(p.Access, rows[i].Access);
        EXPECT_FALSE(p.Description.isEmpty());
    }
    EXPECT_EQ(map.Space.BlockLength(), 23);
    EXPECT_EQ(map.Temperature.UnitOfMeasure, QStringLiteral("°C"));
    EXPECT_EQ(map.Space.ReadInterval, 500);
}

TEST_F(StepperMap, AChangedParameterIsWrittenWithinACycleAndReadBack) {
    slave.SetRegister(8192 + 11, 41); // temperature
    slave.SetPair(8192 + 21, std::bit_cast<quint32>(250.0f));
    map.Space.ReadInterval = 100;
    map.Clock.Data().SetFloat(1234.5f);
    int cycles = 0;
    map.Space.OnAfterRefresh = [&](TModbusSpace*) { ++cycles; };
    ASSERT_TRUE(RunUntil([&] { return slave.Pair(8192 + 15) == std::bit_cast<quint32>(1234.5f); }, 500));
    EXPECT_EQ(cycles, 1);
    EXPECT_FALSE(map.Clock.Modified);
    ASSERT_TRUE(RunUntil([&] { return map.Temperature.Data().AsWord() == 41; }));
    EXPECT_EQ(map.CurrClock.Data().AsFloat(), 250.0f);
    EXPECT_EQ(map.Clock.Data().AsFloat(), 1234.5f);
    // The device changes a value: the next block read brings it.
    slave.SetPair(8192 + 12, 0xFFFFFFFE);
    ASSERT_TRUE(RunUntil([&] { return map.StepCounter.Data().AsInteger() == -2; }));
}

TEST_F(StepperMap, EveryTypeInEveryByteOrder) {
    map.Space.RefreshIAC = true;
    for (quint32 options : {0u, 1u, 2u, 3u, 4u, 7u}) {
        SCOPED_TRACE(options);
        map.ApplyOptions(options);
        const auto order = TModbusParamByteOrder(options & 3);
        EXPECT_EQ(map.Clock.ByteOrder, order);
        EXPECT_EQ(map.Options.ByteOrder, mbo3210);
        EXPECT_EQ(map.MoveRight.ByteOrder, options & 4 ? mbo0123 : mbo3210);
        map.Clock.Data().SetFloat(-3.25f - float(options));
        map.StepCount.Data().SetInteger(-100000 - qint32(options));
        map.MoveRight.Data().SetWord(quint16(0x0102 + options));
        ASSERT_TRUE(map.Space.Refresh());
        quint8 clock[4], steps[4];
        for (int i = 0; i < 2; ++i) {
            clock[2 * i] = quint8(slave.Register(8192 + 15 + i) >> 8);
            clock[2 * i + 1] = quint8(slave.Register(8192 + 15 + i));
            steps[2 * i] = quint8(slave.Register(8192 + 18 + i) >> 8);
            steps[2 * i + 1] = quint8(slave.Register(8192 + 18 + i));
        }
        quint8 want[4];
        EncodeValue32(std::bit_cast<quint32>(-3.25f - float(options)), int(order), want);
        EXPECT_TRUE(std::equal(want, want + 4, clock));
        EncodeValue32(quint32(-100000 - qint32(options)), int(order), want);
        EXPECT_TRUE(std::equal(want, want + 4, steps));
        const quint16 word = quint16(0x0102 + options);
        EXPECT_EQ(slave.Register(8192 + 17), options & 4 ? quint16(word << 8 | word >> 8) : word);
        // And read back from the device as the same values.
        EXPECT_EQ(map.Clock.Data().AsFloat(), -3.25f - float(options));
        EXPECT_EQ(map.StepCount.Data().AsInteger(), -100000 - qint32(options));
        EXPECT_EQ(map.MoveRight.Data().AsWord(), word);
    }
}

TEST_F(StepperMap, ASilentDeviceFailsTheCycleAndKeepsTheChange) {
    map.Space.DeviceAddress = 2; // nobody answers
    map.Port.SetInputTimeout(30);
    map.Execute.Data().SetWord(1);
    EXPECT_FALSE(map.Space.Refresh());
    EXPECT_TRUE(map.Execute.Modified);
    EXPECT_EQ(slave.Requests(), 0);
}

TEST_F(StepperMap, TheSpaceWorksThroughAnAccessPoint) {
    // The same frames through the program's access point, as behind a UDP or TCP gateway.
    map.Port.Close();
    TPowerRsBus bus;
    bus.SetPortName(slave.PortPath());
    bus.SetInputTimeout(100);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());
    TAccessPointTransport transport;
    EXPECT_EQ(transport.TransportType(), mttLAN);
    transport.SetAccessPoint(&ap);
    std::vector<int> directions;
    transport.OnRequest = [&](TModbusTransport* Sender, int Direction, const TRequest&) {
        EXPECT_EQ(Sender, &transport);
        directions.push_back(Direction);
    };
    map.Space.SetModbusTransport(&transport);
    EXPECT_EQ(transport.Space(), &map.Space);
    map.Space.RefreshIAC = true;
    slave.SetRegister(8192 + 14, 0x00F1);
    map.MaxClock.Data().SetFloat(5000.0f);
    ASSERT_TRUE(map.Space.Refresh());
    EXPECT_EQ(slave.Pair(8192 + 4), std::bit_cast<quint32>(5000.0f));
    EXPECT_EQ(map.RegStatus.Data().AsWord(), 0x00F1);
    EXPECT_EQ(directions, (std::vector<int>{1, 0, 1, 0}));
    map.Space.SetModbusTransport(&map.Transport);
}

} // namespace
