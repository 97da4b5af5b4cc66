#include "mainwindow/rules/LineCommandRules.h"

namespace linecmd {

std::string DirectiveLine(TDirective which, const TInstrumentTab &tab, int songTempo) {
    switch (which) {
    case TDirective::Volume:
        return "*Volume " + std::to_string(tab.Volume);
    case TDirective::Balance:
        return "*Balance CENTER";
    case TDirective::Instrument:
        return "*Instrument PIANO";
    case TDirective::Channel:
        return "*Channel " + std::to_string(tab.Channel + 1);
    case TDirective::Delay:
        return "*Delay " + std::to_string(tab.Delay);
    case TDirective::Transpose:
        return "*Transpose " + std::to_string(tab.Transpose);
    case TDirective::Tempo:
        return "*Tempo " + std::to_string(songTempo);
    }
    return {};
}

std::string_view SelectAllQuestion(TRangeCommand command) {
    switch (command) {
    case TRangeCommand::Reverse:
        return "Text must be selected first. Select all now and then reverse the order of the lines?";
    case TRangeCommand::Randomize:
        return "Text must be selected first. Select all now and then randomize the order of the lines?";
    case TRangeCommand::KeepHighest:
        return "Text must be selected first. Select all now and keep only the high notes?";
    case TRangeCommand::KeepLowest:
        return "Text must be selected first. Select all now and keep only the low notes?";
    }
    return {};
}

std::string ClearEditorQuestion(std::string_view tabName) {
    return "Do you want to clear all notes for " + std::string(tabName) + "?";
}

TLineBlock DuplicatedBlock(int first, int last) { return {last + 1, 2 * last - first + 1}; }

} // namespace linecmd
