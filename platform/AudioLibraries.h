#pragma once
// Keeps FluidSynth, ALSA and RtMidi from writing to the terminal. Their messages go to a
// handler of ours: kept per thread (the last error explains a failed open) and printed
// only when TARROWIND_AUDIO_LOG is set, for diagnosing a machine's sound set-up.
#include <string>

namespace platform {

// Installs the handlers once per process; every backend calls it before using a library.
void QuietAudioLibraries();

// The last error or warning the libraries reported on this thread, then forgets it.
std::string TakeAudioLibraryError();

// Records a message from our own backends in the same way (e.g. RtMidi's error callback).
void NoteAudioLibraryMessage(const std::string &message, bool isError);

// Whether the ALSA sequencer can be opened, asked without printing anything (RtMidi
// would print its failure before we could install its error callback).
bool AlsaSequencerAvailable();

} // namespace platform
