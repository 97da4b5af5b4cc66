#pragma once
// Per-track outputs of a song: every track plays through a logical port of its own, all
// on the song's output device.
#include "midi/MidiData.h"
#include "midi/MidiOutputPort.h"

#include <functional>
#include <memory>
#include <vector>

class TTrackOutputs;

class TTrackOutput {
public:
    // Plays track `trackIndex` of `data` through a new port on device `portId`.
    TTrackOutput(TPhysicalPortList &ports, TMidiData *data, int trackIndex, int portId, int sysexLatency);
    TTrackOutput(const TTrackOutput &) = delete;
    TTrackOutput &operator=(const TTrackOutput &) = delete;

    // The track played (looked up in the song each time, nullptr when it is gone).
    TMidiTrackStream *Track() const;
    TMidiOutputPort &Port() { return *port_; }
    // The track's program on the track's channel (sent only when the device has another).
    void SendPatch();

    int NextEvent = 0;  // index of the next event to send
    bool Muted = false; // notes are not sent while playing

private:
    TMidiData *data_;
    int trackIndex_;
    std::unique_ptr<TMidiOutputPort> port_;
};

class TTrackOutputs {
public:
    explicit TTrackOutputs(TPhysicalPortList &ports);
    ~TTrackOutputs();
    TTrackOutputs(const TTrackOutputs &) = delete;
    TTrackOutputs &operator=(const TTrackOutputs &) = delete;

    bool Active() const { return active_; }
    // true: one output per track of the song, in track order, on DefaultOutputPort;
    // false: frees them all (each port switches off its notes).
    void SetActive(bool active);
    TMidiData *MidiData() const { return data_; }
    void SetMidiData(TMidiData *data);
    int DefaultOutputPort() const { return defaultPort_; }
    // Takes effect at the next activation.
    void SetDefaultOutputPort(int portId) { defaultPort_ = portId; }
    // Pause of each port when it is freed (see TMidiOutputPort).
    int SysexLatency() const { return sysexLatency_; }
    void SetSysexLatency(int ms) { sysexLatency_ = ms < 0 ? 0 : ms; }

    int GetCount() const { return static_cast<int>(outputs_.size()); }
    TTrackOutput *GetOutput(int index) const;
    void AllNotesOff();
    void ResetControllers();
    void Rewind();
    void SendPatches();

    // Called for every event the iterator sends: (outputs, track index, status byte).
    std::function<void(TTrackOutputs &, int, uint8_t)> OnEvent;

private:
    TPhysicalPortList &ports_;
    TMidiData *data_ = nullptr;
    std::vector<std::unique_ptr<TTrackOutput>> outputs_;
    int defaultPort_ = -1;
    int sysexLatency_;
    bool active_ = false;
};
