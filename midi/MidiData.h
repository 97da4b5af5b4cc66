#pragma once
// A MIDI song in memory: the Standard MIDI File header and its tracks. Track 0 is the
// conductor track holding the tempo and time-signature events.
#include "midi/MidiTrackStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMidiData {
public:
    static constexpr int kDefaultPPQN = 180;

    TMidiData();
    ~TMidiData();
    TMidiData(const TMidiData &) = delete;
    TMidiData &operator=(const TMidiData &) = delete;

    // Clear, forget the file name, become active.
    void New();
    // Frees every track and the extra header; format 1, no tracks, division 180; inactive.
    void Clear();

    int GetTrackCount() const { return static_cast<int>(tracks_.size()); }
    // The track at `index`, or nullptr when there is none.
    TMidiTrackStream *GetTrack(int index);
    const TMidiTrackStream *GetTrack(int index) const;
    // kind 0: the conductor track; kind > 0: an ordinary track, created after a conductor
    // track when the song has none yet (then the result is true).
    bool AddTrack(int kind);

    int GetPPQN() const;
    // Ticks per quarter note, 1..32767 (other values are ignored).
    void SetPPQN(int ppqn);
    int Format() const { return (header_[0] << 8) | header_[1]; }

    const std::string &FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    const std::vector<uint8_t> &ExtraHeader() const { return extraHeader_; }
    bool IsRiff() const { return isRiff_; }

    // The whole song as Standard MIDI File bytes.
    std::vector<uint8_t> SaveToBytes() const;
    // Writes the song to FileName through platform::WriteFileAtomically, so a failed write
    // leaves an existing file as it was. Raises EMidiData with the system's reason.
    void SaveToFile();
    // Reads a Standard MIDI File (or a RIFF "RMID" file); on any failure the song is
    // cleared and the exception passes on.
    void LoadFromBytes(const std::vector<uint8_t> &bytes, bool riff = false);
    // Reads FileName (".RMI"/".RIFF": RIFF container), as activating the song does.
    void LoadFromFile();

    bool Active() const { return active_; }
    // false: Clear; true: load FileName when it is set, else New.
    void SetActive(bool active);

    bool Modified() const { return modified_; }
    void ClearModified();

    // Changes with every change of the song's conductor data (track 0, PPQN, clearing),
    // so positions can tell that what they derived is out of date.
    uint64_t Revision() const;

private:
    void SetTrackCountField();
    void Touch() { revision_ = midi::NextRevision(); }

    std::vector<std::unique_ptr<TMidiTrackStream>> tracks_;
    std::string fileName_;
    std::vector<uint8_t> extraHeader_;
    uint8_t header_[6] = {};
    bool modified_ = false;
    bool active_ = false;
    bool isRiff_ = false;
    uint64_t revision_ = 0;
};
