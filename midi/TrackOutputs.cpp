#include "midi/TrackOutputs.h"

TTrackOutput::TTrackOutput(TPhysicalPortList &ports, TMidiData *data, int trackIndex, int portId, int sysexLatency)
    : data_(data), trackIndex_(trackIndex), port_(std::make_unique<TMidiOutputPort>(ports, portId)) {
    port_->SetSysexLatency(sysexLatency);
    port_->SetActive(true);
}

TMidiTrackStream *TTrackOutput::Track() const { return data_ ? data_->GetTrack(trackIndex_) : nullptr; }

void TTrackOutput::SendPatch() {
    if (const TMidiTrackStream *t = Track())
        port_->SetPatch(t->Bank(), t->Program(), t->Channel());
}

TTrackOutputs::TTrackOutputs(TPhysicalPortList &ports) : ports_(ports), sysexLatency_(midi::DefaultSysexLatency()) {}

TTrackOutputs::~TTrackOutputs() { SetActive(false); }

void TTrackOutputs::SetActive(bool active) {
    if (active == active_)
        return;
    if (active) {
        const int count = data_ ? data_->GetTrackCount() : 0;
        for (int i = 0; i < count; ++i)
            outputs_.push_back(std::make_unique<TTrackOutput>(ports_, data_, i, defaultPort_, sysexLatency_));
    } else {
        outputs_.clear();
    }
    active_ = active;
}

void TTrackOutputs::SetMidiData(TMidiData *data) {
    if (data == data_)
        return;
    const bool wasActive = active_;
    SetActive(false);
    data_ = data;
    SetActive(wasActive);
}

TTrackOutput *TTrackOutputs::GetOutput(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return outputs_[static_cast<size_t>(index)].get();
}

void TTrackOutputs::AllNotesOff() {
    for (auto &o : outputs_)
        o->Port().AllNotesOff();
}

void TTrackOutputs::ResetControllers() {
    for (auto &o : outputs_)
        o->Port().ResetControllers();
}

void TTrackOutputs::Rewind() {
    for (auto &o : outputs_)
        o->NextEvent = 0;
}

void TTrackOutputs::SendPatches() {
    for (auto &o : outputs_)
        o->SendPatch();
}
