// Cutting a watched line's bytes into frames: by length and CRC, back to back, through garbage,
// and by silence only where no length can be told.
#include "protocol/StreamFramer.h"
#include "protocol/FrameLength.h"
#include "support/ModbusFrames.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

namespace {

struct TCut {
    QByteArray Data;
    TFrameRole Role;
    bool Intact;
};

struct TFramerRig {
    explicit TFramerRig(TTransferProtocol Protocol) : Framer(Protocol) {
        Framer.OnFrame = [this](const quint8* Data, int Length, TFrameRole Role, bool Intact, qint64) {
            Cuts.push_back({QByteArray(reinterpret_cast<const char*>(Data), Length), Role, Intact});
        };
    }
    // Feeds Bytes in pieces of Piece bytes at the same instant (no silence between them).
    void Feed(const QByteArray& Bytes, int Piece, qint64 Ticks = 0) {
        for (int i = 0; i < Bytes.size(); i += Piece)
            Framer.Feed(reinterpret_cast<const quint8*>(Bytes.constData()) + i,
                        int(std::min<qsizetype>(Piece, Bytes.size() - i)), Ticks);
    }
    TStreamFramer Framer;
    std::vector<TCut> Cuts;
};

} // namespace

TEST(FrameLength, ModbusRequestsAndAnswers) {
    struct TCase {
        const char* Hex;
        TFrameRole Role;
        int Length;
    };
    for (const TCase& c : std::vector<TCase>{{"01", TFrameRole::Request, 0},
                                             {"0103", TFrameRole::Request, 8},
                                             {"0106", TFrameRole::Request, 8},
                                             {"011001000002", TFrameRole::Request, 0},
                                             {"01100100000204", TFrameRole::Request, 13},
                                             {"0103", TFrameRole::Answer, 0},
                                             {"010304", TFrameRole::Answer, 9},
                                             {"0110", TFrameRole::Answer, 8},
                                             {"0183", TFrameRole::Answer, 5},
                                             {"0183", TFrameRole::Request, -1},
                                             {"0141", TFrameRole::Request, -1},
                                             {"0141", TFrameRole::Answer, -1},
                                             {"01C1", TFrameRole::Answer, -1}}) {
        const QByteArray b = QByteArray::fromHex(c.Hex);
        EXPECT_EQ(
            FrameLength(tpModbus, c.Role, reinterpret_cast<const quint8*>(b.constData()), int(b.size())),
            c.Length)
            << c.Hex;
    }
    EXPECT_EQ(FrameLength(tpNerix, TFrameRole::Answer, nullptr, 0), 11);
    EXPECT_EQ(FrameLength(tpZoVuru, TFrameRole::Request, nullptr, 0), -1);
}

TEST(StreamFramer, NerixBackToBackInAnyPieces) {
    const QByteArray request = NerixFrame(1, 0, 2, 3, 0);
    const QByteArray answer = NerixFrame(1, 0, 2, 3, 0x12345678);
    const QByteArray other = NerixFrame(2, 0, 2, 3, 0);
    for (int piece : {1, 3, 11, 64}) {
        TFramerRig rig(tpNerix);
        rig.Feed(request + answer + other + other + answer, piece);
        ASSERT_EQ(rig.Cuts.size(), 5u) << piece;
        EXPECT_EQ(rig.Cuts[0].Role, TFrameRole::Request);
        EXPECT_EQ(rig.Cuts[1].Role, TFrameRole::Answer);
        EXPECT_EQ(rig.Cuts[1].Data, answer);
        EXPECT_EQ(rig.Cuts[2].Role, TFrameRole::Request);
        // A read's answer holding 0 has the request's very bytes: the repeat is taken as the answer.
        EXPECT_EQ(rig.Cuts[3].Role, TFrameRole::Answer);
        EXPECT_EQ(rig.Cuts[4].Role, TFrameRole::Request); // not an answer to device 2's request
        for (const TCut& c : rig.Cuts)
            EXPECT_TRUE(c.Intact);
    }
}

TEST(StreamFramer, GarbageRunsToTheNextIntactFrame) {
    const QByteArray frame = NerixFrame(1, 0, 2, 3, 0);
    TFramerRig rig(tpNerix);
    rig.Feed(QByteArray::fromHex("FF00") + frame + QByteArray::fromHex("AA") + frame, 1);
    ASSERT_EQ(rig.Cuts.size(), 4u);
    EXPECT_EQ(rig.Cuts[0].Data, QByteArray::fromHex("FF00"));
    EXPECT_FALSE(rig.Cuts[0].Intact);
    EXPECT_EQ(rig.Cuts[1].Data, frame);
    EXPECT_EQ(rig.Cuts[2].Data, QByteArray::fromHex("AA"));
    EXPECT_EQ(rig.Cuts[3].Data, frame);
    EXPECT_EQ(rig.Framer.Pending(), 0);

    // The start of a frame waits out a pause longer than the gap (a reader held up on a busy
    // machine) and is completed by its remaining bytes.
    rig.Cuts.clear();
    rig.Feed(frame.left(6), 6, 1'000'000);
    rig.Framer.Poll(30'000'000);
    EXPECT_TRUE(rig.Cuts.empty());
    rig.Feed(frame.mid(6), 5, 60'000'000);
    ASSERT_EQ(rig.Cuts.size(), 1u);
    EXPECT_EQ(rig.Cuts[0].Data, frame);
    EXPECT_TRUE(rig.Cuts[0].Intact);

    // A start that is never completed goes as garbage once the next frame shows it cut short...
    rig.Cuts.clear();
    rig.Feed(frame.left(6) + frame, 17, 100'000'000);
    ASSERT_EQ(rig.Cuts.size(), 2u);
    EXPECT_EQ(rig.Cuts[0].Data.size(), 6);
    EXPECT_EQ(rig.Cuts[1].Data, frame);
    // ... or after a long silence.
    rig.Cuts.clear();
    rig.Feed(frame.left(6), 6, 200'000'000);
    rig.Framer.Poll(200'000'000 + TStreamFramer::kStaleNs / 2);
    EXPECT_TRUE(rig.Cuts.empty());
    rig.Framer.Poll(200'000'000 + TStreamFramer::kStaleNs + 1);
    ASSERT_EQ(rig.Cuts.size(), 1u);
    EXPECT_EQ(rig.Cuts[0].Data.size(), 6);
    EXPECT_FALSE(rig.Cuts[0].Intact);
}

TEST(StreamFramer, ModbusRequestsAndAnswersBackToBack) {
    const QByteArray read = WithCrc(QByteArray::fromHex("010301000002"));
    const QByteArray readAnswer = WithCrc(QByteArray::fromHex("0103043F800000"));
    const QByteArray write = WithCrc(QByteArray::fromHex("01100100000204 00000001"));
    const QByteArray writeAnswer = WithCrc(QByteArray::fromHex("011001000002"));
    const QByteArray refused = WithCrc(QByteArray::fromHex("018302"));
    // An answer holding 3 bytes is 8 long, like a read request; the conversation tells them apart.
    const QByteArray oddAnswer = WithCrc(QByteArray::fromHex("010303AABBCC"));
    const QByteArray all = read + readAnswer + write + writeAnswer + read + refused + read + read + oddAnswer;
    for (int piece : {1, 2, 7, 200}) {
        TFramerRig rig(tpModbus);
        rig.Feed(all, piece);
        ASSERT_EQ(rig.Cuts.size(), 9u) << piece;
        const std::vector<std::pair<QByteArray, TFrameRole>> expected = {
            {read, TFrameRole::Request},
            {readAnswer, TFrameRole::Answer},
            {write, TFrameRole::Request},
            {writeAnswer, TFrameRole::Answer},
            {read, TFrameRole::Request},
            {refused, TFrameRole::Answer},
            // A read after an unanswered read is a request again, since no answer reading fits.
            {read, TFrameRole::Request},
            {read, TFrameRole::Request},
            {oddAnswer, TFrameRole::Answer}};
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(rig.Cuts[i].Data.toHex(), expected[i].first.toHex()) << piece << " frame " << i;
            EXPECT_EQ(rig.Cuts[i].Role, expected[i].second) << piece << " frame " << i;
            EXPECT_TRUE(rig.Cuts[i].Intact) << i;
        }
        EXPECT_EQ(rig.Cuts[1].Role, TFrameRole::Answer);
        EXPECT_EQ(rig.Cuts[5].Role, TFrameRole::Answer);
    }
}

TEST(StreamFramer, ModbusUnknownFunctionEndsWithSilence) {
    TFramerRig rig(tpModbus);
    const QByteArray diagnostic = WithCrc(QByteArray::fromHex("01080000A537"));
    rig.Feed(diagnostic, 3, 0);
    EXPECT_TRUE(rig.Cuts.empty());
    // The next bytes after a silence start afresh; what waited goes first.
    const QByteArray read = WithCrc(QByteArray::fromHex("010301000002"));
    rig.Feed(read, 8, 50'000'000);
    ASSERT_EQ(rig.Cuts.size(), 2u);
    EXPECT_EQ(rig.Cuts[0].Data, diagnostic);
    EXPECT_FALSE(rig.Cuts[0].Intact);
    EXPECT_EQ(rig.Cuts[1].Data, read);
    EXPECT_TRUE(rig.Cuts[1].Intact);
}

TEST(StreamFramer, ModbusBadCrcIsGarbageUpToTheNextFrame) {
    TFramerRig rig(tpModbus);
    QByteArray bad = WithCrc(QByteArray::fromHex("010301000002"));
    bad[6] = char(bad[6] ^ 0x55);
    const QByteArray read = WithCrc(QByteArray::fromHex("020300000002"));
    rig.Feed(bad + read, 1);
    ASSERT_EQ(rig.Cuts.size(), 2u);
    EXPECT_EQ(rig.Cuts[0].Data, bad);
    EXPECT_FALSE(rig.Cuts[0].Intact);
    EXPECT_EQ(rig.Cuts[1].Data, read);
    // A buffer that never makes a frame is cut by force rather than held for ever.
    TFramerRig flood(tpNerix);
    flood.Feed(QByteArray(5000, '\x00'), 100);
    EXPECT_LT(flood.Framer.Pending(), TStreamFramer::kLimit);
    int total = flood.Framer.Pending();
    for (const TCut& c : flood.Cuts)
        total += int(c.Data.size());
    EXPECT_EQ(total, 5000);
}
