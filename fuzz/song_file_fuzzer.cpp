// Fuzzes the song file reader: a first byte chooses between the compressed file as it lies on disk
// and the inflated image (after sixteen well-formed tab records, so the bodies and the trailer get
// the attention). A song that reads must write and read again to the same content.
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFuzzImageCap = size_t(16) << 20;

const std::vector<uint8_t> &DefaultRecords() {
    static const std::vector<uint8_t> records = [] {
        TSongModel song;
        DrumPart drums;
        ResetSongModel(song, drums);
        std::vector<uint8_t> image = EncodeSongImage(song, drums);
        image.resize(kTabCount * kInstrumentTabRecordSize);
        return image;
    }();
    return records;
}

void CheckRoundTrip(TSongModel &song, const DrumPart &drums) {
    for (const DrumSlot &slot : drums.drumSlots)
        if (slot.note < 0 || slot.note > 127)
            std::abort();
    const std::vector<uint8_t> image = EncodeSongImage(song, drums);
    TSongModel again;
    DrumPart againDrums;
    ResetSongModel(again, againDrums);
    if (!DecodeSongImage(image, again, againDrums) || again.TabLists != song.TabLists ||
        againDrums.store.Lines() != drums.store.Lines() || againDrums.list.Items() != drums.list.Items() ||
        again.TimeSignature != song.TimeSignature || again.Tempo != song.Tempo)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if (data[0] & 1) {
        std::vector<uint8_t> image = DefaultRecords();
        image.insert(image.end(), rest.begin(), rest.end());
        if (DecodeSongImage(image, song, drums))
            CheckRoundTrip(song, drums);
    } else if (ReadSongBytes(rest, song, drums, kFuzzImageCap) == TSongReadResult::Ok) {
        CheckRoundTrip(song, drums);
    }
    return 0;
}
