#include "midi/MidiOutputPort.h"
#include "midi/TrackOutputs.h"
#include "platform/TestDoubles.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using platform::RecordedMessage;
using platform::RecordingMidiOutSystem;

std::vector<RecordedMessage> Msgs(std::initializer_list<std::array<int, 3>> list, int device = 0) {
    std::vector<RecordedMessage> out;
    for (auto &m : list)
        out.push_back({device, 0, static_cast<uint8_t>(m[0]), static_cast<uint8_t>(m[1]), static_cast<uint8_t>(m[2])});
    return out;
}

class OutputPortTest : public ::testing::Test {
protected:
    RecordingMidiOutSystem system{{"Port A", "Port B"}};
    TPhysicalPortList ports{system};

    std::unique_ptr<TMidiOutputPort> Port(int id) {
        auto p = std::make_unique<TMidiOutputPort>(ports, id);
        p->SetSysexLatency(0);
        p->SetActive(true);
        return p;
    }
};

TEST_F(OutputPortTest, PortsOfOneDeviceShareItUntilTheLastGoes) {
    auto a = Port(1);
    auto b = Port(1);
    EXPECT_EQ(system.OpensTotal(), 1);
    EXPECT_EQ(a->Physical(), b->Physical());
    EXPECT_EQ(a->Physical()->ClientCount(), 2);
    a.reset();
    EXPECT_EQ(system.OpenCount(), 1);
    EXPECT_EQ(system.ResetCount(), 0);
    b.reset();
    EXPECT_EQ(system.OpenCount(), 0);
    EXPECT_EQ(system.ResetCount(), 1);
    EXPECT_EQ(ports.SlotCount(), 0);
}

TEST_F(OutputPortTest, ClosedSlotsKeepTheOtherIndexes) {
    auto a = Port(0);
    auto b = Port(1);
    EXPECT_EQ(b->Physical()->GlobalIndex(), 1);
    a.reset();
    EXPECT_EQ(ports.SlotCount(), 2);
    EXPECT_EQ(ports.OpenCount(), 1);
    auto c = Port(-1);
    EXPECT_EQ(c->Physical()->GlobalIndex(), 0);
}

TEST_F(OutputPortTest, UnopenableDeviceFallsBackToTheDefaultAndIsShared) {
    system.SetFailingIds({1});
    auto a = Port(1);
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(system.OpenedIds(), std::vector<int>{-1});
    EXPECT_EQ(a->Physical()->DeviceId(), 1);
    auto b = Port(1);
    EXPECT_EQ(system.OpensTotal(), 1);
    a->NoteOn(0, 60, 100);
    EXPECT_EQ(system.Messages(), Msgs({{0x90, 60, 100}}, -1));
}

TEST_F(OutputPortTest, NoDeviceAtAllStillActiveAndSilent) {
    system.SetFailingIds({0, -1});
    auto a = Port(0);
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(a->GetHandle(), nullptr);
    a->NoteOn(0, 60, 100);
    a->AllNotesOff();
    EXPECT_TRUE(system.Messages().empty());
}

TEST_F(OutputPortTest, AllNotesOffSwitchesOffWhatIsStillCounted) {
    auto a = Port(0);
    a->NoteOn(0, 60, 100);
    a->NoteOn(0, 60, 100);
    a->NoteOff(0, 60, 0);
    a->OutEvent(0x91, 62, 90);
    a->OutEvent(0x91, 62, 0); // note-on with velocity 0 is a note-off
    a->OutEvent(0x91, 62, 0); // never below 0
    EXPECT_EQ(a->NoteCount(1, 62), 0);
    system.Clear();
    a->AllNotesOff();
    EXPECT_EQ(system.Messages(), Msgs({{0x80, 60, 0}}));
    system.Clear();
    a->AllNotesOff();
    EXPECT_TRUE(system.Messages().empty());
}

TEST_F(OutputPortTest, AllNotesOffLiftsSustainAndLeavesOtherPortsNotes) {
    auto a = Port(0);
    auto b = Port(0);
    b->NoteOn(3, 70, 100);
    a->OutEvent(0xB2, 64, 127);
    system.Clear();
    a->AllNotesOff();
    EXPECT_EQ(system.Messages(), Msgs({{0xB2, 64, 0}}));
    EXPECT_EQ(b->NoteCount(3, 70), 1);
}

TEST_F(OutputPortTest, PatchIsSentOnceAndControllersResetOnlyWhenChanged) {
    auto a = Port(0);
    a->SetPatch(0, 5, 2);
    a->SetPatch(0, 5, 2);
    a->SetPatch(0, 130, 2); // out of range: ignored
    EXPECT_EQ(system.Messages(), Msgs({{0xC2, 5, 0}}));
    EXPECT_EQ(a->Physical()->BankCache(2), 127);
    system.Clear();
    a->ResetControllers();
    EXPECT_TRUE(system.Messages().empty());
    a->OutEvent(0xB2, 10, 20);
    system.Clear();
    a->ResetControllers();
    a->ResetControllers();
    EXPECT_EQ(system.Messages(), Msgs({{0xB2, 10, 64}}));
}

TEST_F(OutputPortTest, RefusedMessagesSendAndCountNothing) {
    auto a = Port(0);
    TMidiOutputPort inactive(ports, 0);
    inactive.SetSysexLatency(0);
    inactive.NoteOn(0, 60, 100);
    a->OutEvent(0xF0, 1, 2);
    a->OutEvent(0x40, 1, 2);
    a->OutEvent(0x90, 128, 100);
    a->OutEvent(0x90, 60, 200);
    a->NoteOn(0, -1, 100);
    a->NoteOn(0, 60, 300);
    a->SetPatch(0, 200, 0);
    EXPECT_TRUE(system.Messages().empty());
    EXPECT_EQ(a->NoteCount(0, 60), 0);
    EXPECT_EQ(inactive.NoteCount(0, 60), 0);
    // Refused before any bookkeeping: no count, controller or program lands on a neighbour.
    a->OutEvent(0xB0, 200, 5);
    EXPECT_EQ(a->NoteCount(1, 0), 0);
    EXPECT_EQ(a->Physical()->ControllerValue(1, 72), 0);
    EXPECT_EQ(a->Physical()->ProgramCache(0), 0);
    // Only the data bytes a message has are read: a program change ignores its second byte.
    a->OutEvent(0xC0, 5, 200);
    a->NoteOn(0x11, 60, 100); // channel masked to 1
    EXPECT_EQ(system.Messages(), Msgs({{0xC0, 5, 0}, {0x91, 60, 100}}));
}

TEST_F(OutputPortTest, DetachingSwitchesOffAndResets) {
    auto a = Port(0);
    auto b = Port(0); // keeps the device open
    a->NoteOn(0, 60, 100);
    a->OutEvent(0xB0, 7, 30);
    system.Clear();
    a->SetActive(false);
    EXPECT_EQ(system.Messages(), Msgs({{0x80, 60, 0}, {0xB0, 7, 90}}));
    EXPECT_EQ(system.OpenCount(), 1);
}

TEST_F(OutputPortTest, ChangingThePortIdReattaches) {
    auto a = Port(0);
    a->SetPortId(1);
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(system.OpenedIds(), (std::vector<int>{0, 1}));
    EXPECT_EQ(system.OpenCount(), 1);
}

TEST(TrackOutputs, OneOutputPerTrackOnTheDefaultDevice) {
    RecordingMidiOutSystem system{{"A", "B"}};
    TPhysicalPortList ports{system};
    TMidiData data;
    data.AddTrack(1);
    data.GetTrack(1)->SetChannel(3);
    data.GetTrack(1)->SetPatch(24);
    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetDefaultOutputPort(1);
    outputs.SetMidiData(&data);
    outputs.SetActive(true);
    ASSERT_EQ(outputs.GetCount(), 2);
    EXPECT_EQ(outputs.GetOutput(2), nullptr);
    EXPECT_EQ(system.OpenedIds(), std::vector<int>{1});
    outputs.SendPatches();
    outputs.SendPatches();
    EXPECT_EQ(system.Messages(), Msgs({{0xC3, 24, 0}}, 1));
    outputs.SetActive(false);
    EXPECT_EQ(system.OpenCount(), 0);
}

} // namespace
