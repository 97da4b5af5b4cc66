#include "platform/AudioLibraries.h"

#include <fluidsynth.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace platform {
namespace {

thread_local std::string lastError;

bool EchoToTerminal() {
    static const bool echo = [] {
        const char *v = std::getenv("TARROWIND_AUDIO_LOG");
        return v && *v && std::string(v) != "0";
    }();
    return echo;
}

void FluidLog(int level, const char *message, void *) {
    NoteAudioLibraryMessage(message ? message : "", level <= FLUID_WARN);
}

// ALSA's error handler type (declared here so the build needs no ALSA headers; the
// library itself is already loaded as a dependency of FluidSynth and RtMidi).
using AlsaErrorHandler = void (*)(const char *file, int line, const char *function, int err, const char *fmt, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler);
using AlsaSeqOpen = int (*)(void **handle, const char *name, int streams, int mode);
using AlsaSeqClose = int (*)(void *handle);

void SilentAlsa(const char *, int, const char *, int, const char *, ...) {}

void *AlsaSymbol(const char *name) {
    if (void *sym = dlsym(RTLD_DEFAULT, name))
        return sym;
    static void *lib = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    return lib ? dlsym(lib, name) : nullptr;
}

} // namespace

void NoteAudioLibraryMessage(const std::string &message, bool isError) {
    if (isError)
        lastError = message;
    if (EchoToTerminal())
        std::fprintf(stderr, "tarrowind audio: %s\n", message.c_str());
}

void QuietAudioLibraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, FluidLog, nullptr);
        if (!EchoToTerminal())
            if (auto set = reinterpret_cast<AlsaSetErrorHandler>(AlsaSymbol("snd_lib_error_set_handler")))
                set(SilentAlsa);
    });
}

std::string TakeAudioLibraryError() {
    std::string message;
    message.swap(lastError);
    return message;
}

bool AlsaSequencerAvailable() {
    QuietAudioLibraries();
    auto open = reinterpret_cast<AlsaSeqOpen>(AlsaSymbol("snd_seq_open"));
    auto close = reinterpret_cast<AlsaSeqClose>(AlsaSymbol("snd_seq_close"));
    if (!open || !close)
        return false;
    constexpr int kOpenOutput = 1; // SND_SEQ_OPEN_OUTPUT
    constexpr int kNonBlock = 1;   // SND_SEQ_NONBLOCK
    void *seq = nullptr;
    if (open(&seq, "default", kOpenOutput, kNonBlock) < 0 || !seq)
        return false;
    close(seq);
    return true;
}

} // namespace platform
