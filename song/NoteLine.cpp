#include "song/NoteLine.h"

TNoteLine ParseNoteLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx) {
    TNoteLine out;
    ParseNoteLine(text, unit, ctx, out);
    return out;
}

void ParseNoteLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TNoteLine &out) {
    out.Class = ClassifyLine(text);
    out.Piano = ctx.Kind == TKind::Piano;
    out.Error.clear();
    if (ctx.Kind == TKind::Drums) {
        out.Chord.Reset();
        out.Keys.Reset();
        if (out.Class == TLineClass::Note)
            out.Class = TLineClass::Empty;
        return;
    }
    if (out.Piano) {
        out.Chord.Reset();
        if (!ParsePianoLine(text, unit, ctx, out.Keys, &out.Error) && out.Error.empty())
            out.Error = kPianoLineFailed;
        return;
    }
    out.Keys.Reset();
    out.Error = ParseChordLine(text, unit, ctx, out.Chord);
}
