// Fuzzes the Standard MIDI File loader (plain and RIFF "RMID" files). A file that loads must save
// and load again.
#include "midi/MidiData.h"

#include <cstdlib>
#include <exception>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const bool riff = data[0] & 1;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    TMidiData midi;
    try {
        midi.LoadFromBytes(bytes, riff);
    } catch (const std::exception &) {
        return 0;
    }
    const std::vector<uint8_t> saved = midi.SaveToBytes();
    TMidiData again;
    try {
        again.LoadFromBytes(saved, false);
    } catch (const std::exception &) {
        std::abort();
    }
    if (again.GetTrackCount() != midi.GetTrackCount())
        std::abort();
    return 0;
}
