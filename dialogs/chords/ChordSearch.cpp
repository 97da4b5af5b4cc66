#include "dialogs/chords/ChordSearch.h"

#include "song/KeyNames.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace {

constexpr int kBase[6] = {0, 5, 10, 15, 19, 24};
constexpr int kSilent = -1;

int Pair(std::string_view spelling, int pair) {
    const size_t at = static_cast<size_t>(2 * (pair - 1));
    if (at + 2 > spelling.size())
        return 24;
    const char a = spelling[at], b = spelling[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return 24;
    return (a - '0') * 10 + (b - '0');
}

// One record made ready for the walk: pitch classes instead of names.
struct TRecord {
    const TCFormula *formula = nullptr;
    int count = 0;
    std::array<int, kMaxFormulaDegrees> pitch{};  // pitch class of each degree's note; -1 none
    std::array<int, kMaxFormulaDegrees> degree{}; // id of each degree's name (the search's own)
    std::array<std::string, kMaxFormulaDegrees> degreeName;
    uint16_t required = 0; // the chord tones every voicing must sound
    bool possible = false; // every note name is known
};

// A voicing as the walk holds it; strings at or past S stay silent.
struct TVoicing {
    std::array<int, 6> fret{kSilent, kSilent, kSilent, kSilent, kSilent, kSilent};
    std::array<int, 6> degree{kSilent, kSilent, kSilent, kSilent, kSilent, kSilent}; // record degree
    std::array<int, 6> pitch{kSilent, kSilent, kSilent, kSilent, kSilent, kSilent};
    void Silence(int s) {
        fret[static_cast<size_t>(s)] = degree[static_cast<size_t>(s)] = pitch[static_cast<size_t>(s)] = kSilent;
    }
};

struct TKey {
    uint64_t frets = 0;
    uint64_t degrees = 0;
    bool operator==(const TKey &) const = default;
};
struct TKeyHash {
    size_t operator()(const TKey &k) const {
        return std::hash<uint64_t>()(k.frets * 0x9E3779B97F4A7C15ull ^ k.degrees);
    }
};

class TSearch {
public:
    TSearch(const TChordSearchRequest &r, const TSearchPoll &poll, TChordSearchOutcome &out)
        : r_(r), poll_(poll), out_(out) {
        S_ = std::clamp(r.stringCount, 0, 6);
        reach_ = std::clamp(r.reach, 1, 8);
        open_ = OpenStringPitches(r.tuningSpelling, S_);
        shortString_ = r.shortFifthString && S_ > 0;
        sharpRoot_ = Trim(SharpKeyName(r.root));
        rootPitch_ = PitchOfSharpName(sharpRoot_);
        melodyPitch_ = PitchOfSharpName(r.melodyNote);
        typeName_ = Trim(r.typeName);
        const int m = r.melodyString;
        melodyIndex_ = (!r.melodyNote.empty() || r.melodyChecked) && m >= 1 && m <= S_ - 2 ? S_ - m : -1;
    }

    bool Stop() {
        if (!stopped_ && poll_ && poll_(static_cast<int>(out_.detailLines.size())))
            stopped_ = true;
        return stopped_;
    }
    bool Stopped() const { return stopped_; }

    // The one fret of string s that sounds `pitch` in the window starting at w, or -1.
    int FretFor(int s, int pitch, int w) const {
        const int open = open_[static_cast<size_t>(s)];
        const int i = ((pitch - open) % 12 + 12) % 12;
        const int lim = w == 0 ? -1 : w;
        const int candidate = i <= lim ? i + 12 : i;
        if (shortString_ && s == 0) {
            // The short string's open string sounds five above its stored pitch, its fret f
            // (5 and up) f above it; it has no frets 1..4. The window is the one the other
            // strings use: 0..reach, or w+1..w+reach.
            if (i == 5 && (r_.includeOpenStrings || w == 0))
                return 0;
            const int lo = w == 0 ? 0 : w + 1;
            for (const int f : {i, i + 12})
                if (f >= 5 && f >= lo && f <= w + reach_)
                    return f;
            return -1;
        }
        if (r_.includeOpenStrings && (candidate == 0 || candidate == 12))
            return 0;
        return candidate >= w && candidate <= w + reach_ ? candidate : -1;
    }

    int DegreeId(const std::string &name) {
        const std::string lower = LowerCaseAscii(name);
        const auto it = std::find(degreeIds_.begin(), degreeIds_.end(), lower);
        if (it != degreeIds_.end())
            return static_cast<int>(it - degreeIds_.begin());
        degreeIds_.push_back(lower);
        return static_cast<int>(degreeIds_.size()) - 1;
    }

    TRecord Prepare(const TCFormula &f) {
        TRecord rec;
        rec.formula = &f;
        rec.count = f.Count;
        std::array<std::string, kMaxFormulaDegrees> notes = f.NoteNames;
        rec.degreeName = f.Degrees;
        if (r_.noRoot) {
            // The root is no longer required: its place takes the first (or second) degree.
            for (int d = 0; d < f.Count; ++d) {
                if (Trim(f.Degrees[static_cast<size_t>(d)]) != "1")
                    continue;
                const size_t from = d == 0 ? 1 : 0;
                notes[static_cast<size_t>(d)] = f.NoteNames[from];
                rec.degreeName[static_cast<size_t>(d)] = f.Degrees[from];
                break;
            }
        }
        rec.possible = f.Count > 0;
        for (int d = 0; d < f.Count; ++d) {
            const int p = PitchOfSharpName(Trim(notes[static_cast<size_t>(d)]));
            rec.pitch[static_cast<size_t>(d)] = p;
            rec.degreeName[static_cast<size_t>(d)] = Trim(rec.degreeName[static_cast<size_t>(d)]);
            rec.degree[static_cast<size_t>(d)] = DegreeId(rec.degreeName[static_cast<size_t>(d)]);
            if (p < 0)
                rec.possible = false;
            else
                rec.required |= static_cast<uint16_t>(1u << p);
        }
        return rec;
    }

    // The walk over one record in the window starting at w; the number of voicings it listed.
    int Enumerate(const TRecord &rec, int w) {
        std::array<std::array<int, kMaxFormulaDegrees>, 6> grid{};
        for (int s = 0; s < S_; ++s)
            for (int d = 0; d < rec.count; ++d)
                grid[static_cast<size_t>(s)][static_cast<size_t>(d)] =
                    rec.pitch[static_cast<size_t>(d)] < 0 ? -1 : FretFor(s, rec.pitch[static_cast<size_t>(d)], w);
        const size_t before = out_.detailLines.size();
        TVoicing v; // never reset during the walk: each step builds on the last
        // From the third round on every round repeats the second exactly (each step sets a
        // string to the same value as before), so only two rounds can list anything.
        const int rounds = std::min(reach_, 2);
        for (int a = 0; a < S_; ++a) {
            if (Stop())
                return 0;
            int usable = 0;
            for (int round = 0; round < rounds; ++round) {
                for (int d = 0; d < rec.count; ++d) {
                    for (int s = 0; s <= a; ++s) {
                        if (Stop())
                            return static_cast<int>(out_.detailLines.size() - before);
                        const int f = grid[static_cast<size_t>(s)][static_cast<size_t>(d)];
                        if (f == -1)
                            continue;
                        if (++usable == 1)
                            continue; // the first usable cell of each a is passed over
                        v.fret[static_cast<size_t>(s)] = f;
                        v.degree[static_cast<size_t>(s)] = d;
                        v.pitch[static_cast<size_t>(s)] = rec.pitch[static_cast<size_t>(d)];
                        if (shortString_ && s == 0 && f >= 1 && f <= 4)
                            v.Silence(0);
                        TestVariants(rec, v);
                    }
                }
            }
        }
        return static_cast<int>(out_.detailLines.size() - before);
    }

    void TestVariants(const TRecord &rec, const TVoicing &v) {
        TryAdd(rec, v);
        TVoicing t = v;
        t.Silence(0);
        t.Silence(1);
        TryAdd(rec, t);
        t.Silence(2);
        TryAdd(rec, t);
        for (int m = 0; m < S_; ++m) {
            t = v;
            t.Silence(m);
            TryAdd(rec, t);
        }
    }

    void TryAdd(const TRecord &rec, const TVoicing &v) {
        int sounding = 0, lowest = -1;
        unsigned mask = 0;
        for (int k = 0; k < S_; ++k) {
            const int p = v.pitch[static_cast<size_t>(k)];
            if (p == kSilent)
                continue;
            if (lowest < 0)
                lowest = k;
            ++sounding;
            mask |= 1u << p;
        }
        if (sounding < 2)
            return;
        if (!r_.allowInsideUnplayed && sounding != S_ - lowest)
            return; // a silent string above the lowest sounding one
        if (r_.rootOnLowest) {
            if (S_ < 4)
                return;
            int bass = -1;
            for (int k = S_ == 5 ? 1 : 0; k <= 3 && bass < 0; ++k)
                if (v.pitch[static_cast<size_t>(k)] != kSilent)
                    bass = k;
            if (bass < 0 || rootPitch_ < 0 || v.pitch[static_cast<size_t>(bass)] != rootPitch_)
                return;
        }
        if (!rec.possible || (mask & rec.required) != rec.required)
            return;
        if (melodyIndex_ >= 0) {
            if (melodyPitch_ < 0 || v.pitch[static_cast<size_t>(melodyIndex_)] != melodyPitch_)
                return;
            for (int k = melodyIndex_ + 1; k < S_; ++k)
                if (v.pitch[static_cast<size_t>(k)] != kSilent)
                    return;
        }
        TKey key;
        for (int k = 0; k < S_; ++k) {
            const int d = v.degree[static_cast<size_t>(k)];
            key.frets = key.frets << 6 | static_cast<uint64_t>(v.fret[static_cast<size_t>(k)] + 1);
            key.degrees =
                key.degrees << 8 | static_cast<uint64_t>(d == kSilent ? 0 : rec.degree[static_cast<size_t>(d)] + 1);
        }
        if (!seen_.insert(key).second)
            return;
        AddLines(rec, v);
    }

    void AddLines(const TRecord &rec, const TVoicing &v) {
        std::string list = sharpRoot_ + " " + Trim(rec.formula->ShortName) + ",";
        std::string frets, notes, degrees;
        for (int k = 0; k < S_; ++k) {
            const int f = v.fret[static_cast<size_t>(k)];
            const int d = v.degree[static_cast<size_t>(k)];
            if (k > 0) {
                list += ", ";
                frets += ", ";
                notes += ", ";
                degrees += ", ";
            }
            if (f == kSilent) {
                list += " x";
            } else {
                if (f < 10)
                    list += ' ';
                AppendInt(list, f);
            }
            AppendInt(frets, f);
            if (d != kSilent) {
                notes += NoteNameOfPitch(v.pitch[static_cast<size_t>(k)]);
                degrees += rec.degreeName[static_cast<size_t>(d)];
            }
        }
        list += ", " + Trim(r_.duration);
        out_.listLines.push_back(std::move(list));
        out_.detailLines.push_back(r_.root + " " + typeName_ + ", " + frets + ", " + notes + ", " + degrees);
    }

    int S() const { return S_; }
    // The root as the search spells it: a flat name as its sharp, trimmed.
    const std::string &SharpRoot() const { return sharpRoot_; }

private:
    const TChordSearchRequest &r_;
    const TSearchPoll &poll_;
    TChordSearchOutcome &out_;
    int S_ = 6;
    int reach_ = 4;
    std::array<int, 6> open_{};
    bool shortString_ = false;
    std::string sharpRoot_;
    int rootPitch_ = -1;
    int melodyPitch_ = -1;
    int melodyIndex_ = -1;
    std::string typeName_;
    std::vector<std::string> degreeIds_;
    std::unordered_set<TKey, TKeyHash> seen_;
    bool stopped_ = false;
};

} // namespace

std::array<int, 6> OpenStringPitches(std::string_view spelling, int stringCount) {
    std::array<int, 6> open{};
    for (int k = 0; k < std::clamp(stringCount, 0, 6); ++k) {
        int p = Pair(spelling, 6 - k) - 24 + kBase[k];
        while (p < 0)
            p += 12;
        open[static_cast<size_t>(k)] = p;
    }
    return open;
}

std::vector<int> PositionWindows(std::string_view position) {
    if (position == "ALL") {
        std::vector<int> all(12);
        for (int w = 0; w < 12; ++w)
            all[static_cast<size_t>(w)] = w;
        return all;
    }
    const int n = ReadIntegerDef(position, 0);
    return {n > 0 ? n - 1 : 0};
}

TChordSearchOutcome CalculateChords(const TFormulaTable &table, const TChordSearchRequest &request,
                                    const TSearchPoll &poll) {
    TChordSearchOutcome out;
    TSearch search(request, poll, out);
    const std::string &sharp = search.SharpRoot();

    std::vector<TCFormula> formulas;
    if (request.userDefined)
        formulas = FormulasFromDegreeString(sharp, request.userFormula, request.typeName, out.unknown);
    else
        formulas = table.FindFormulasByName(sharp, request.typeName, out.unknown);
    if (search.S() == 0)
        formulas.clear();

    // A record equal to an earlier one walks the same cells and can only meet voicings already
    // listed: it is passed over (it still counted toward the limit of records).
    std::vector<const TCFormula *> distinct;
    for (const TCFormula &f : formulas) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(), [&f](const TCFormula *g) {
            return g->Count == f.Count && g->Degrees == f.Degrees && g->NoteNames == f.NoteNames;
        });
        if (!seen)
            distinct.push_back(&f);
    }
    std::vector<TRecord> records;
    bool tooMany = false;
    for (const TCFormula *f : distinct) {
        records.push_back(search.Prepare(*f));
        tooMany = tooMany || search.S() < f->Count;
    }

    bool done = false;
    for (const int w : PositionWindows(request.position)) {
        if (done || search.Stop())
            break;
        for (const TRecord &rec : records) {
            if (search.Stop())
                break;
            const int found = search.Enumerate(rec, w);
            if (request.stopAtFirst && found > 0) {
                done = true;
                break;
            }
        }
    }
    out.stopped = search.Stopped();
    if (out.stopped)
        return out;
    if (out.listLines.empty() && tooMany)
        out.warning = request.noRoot ? kCannotCalculateNoRoot : kCannotCalculate;
    out.result = static_cast<int>(out.detailLines.size());
    return out;
}
