// make-sounds: makes the game's wave sounds and its background music.
//
//   make-sounds <ship folder>
//
// writes tada.wav, pin.wav, ding.wav, kira.wav and poof.wav (16-bit mono PCM at
// 22050 Hz) into the folder's Sound subfolder and the looping General MIDI piece
// Hanabo.mid into the folder itself. Only exact arithmetic and the program's own
// sine series are used, so the files come out the same byte for byte on every run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::uint8_t> Bytes;

const double Pi = 3.14159265358979323846;
const int Rate = 22050;

double Sin(double x)
{
    // reduce to [-pi, pi] without a library call
    const double turns = x / (2 * Pi);
    x -= 2 * Pi * static_cast<double>(static_cast<long long>(turns + (turns >= 0 ? 0.5 : -0.5)));
    double term = x, sum = x;
    for (int n = 1; n < 12; ++n) {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

// e^x by halving, a short series and squaring.
double Exp(double x)
{
    if (x < 0)
        return 1 / Exp(-x);
    int halvings = 0;
    while (x > 0.5) {
        x /= 2;
        ++halvings;
    }
    double term = 1, sum = 1;
    for (int n = 1; n < 14; ++n) {
        term *= x / n;
        sum += term;
    }
    for (int i = 0; i < halvings; ++i)
        sum *= sum;
    return sum;
}

double Decay(double x) { return Exp(-x); }

// Raised-cosine ramp from 0 to 1 over [0, 1].
double Ramp(double t)
{
    if (t <= 0)
        return 0;
    if (t >= 1)
        return 1;
    return 0.5 - 0.5 * Sin(Pi * t + Pi / 2);
}

// One tone: partials (frequency ratio, weight), an attack and an exponential decay.
struct Partial {
    double ratio, weight, decay;
};

void AddTone(std::vector<double>& out, double start, double length, double frequency, double gain,
             const std::vector<Partial>& partials, double attack = 0.004)
{
    const int first = static_cast<int>(start * Rate);
    const int count = static_cast<int>(length * Rate);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.weight * Decay(p.decay * t) * Sin(2 * Pi * frequency * p.ratio * t);
        // soft attack, and a release over the last 20 ms so that no tone ends in a step
        v *= Ramp(t / attack) * Ramp((length - t) / 0.02);
        out[first + i] += gain * v;
    }
}

double Note(int midi) { return 440.0 * Exp((midi - 69) * 0.0577622650466621); }  // 2^((n-69)/12)

void Le16(Bytes& out, std::uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Le32(Bytes& out, std::uint32_t v)
{
    Le16(out, v & 0xFFFF);
    Le16(out, v >> 16);
}

// The samples scaled so that the loudest reaches peak, faded in and out at the
// ends, as a 16-bit mono wave file.
Bytes Wave(std::vector<double> samples, double peak)
{
    double loudest = 0;
    for (double s : samples)
        loudest = s > loudest ? s : (-s > loudest ? -s : loudest);
    const double scale = loudest > 0 ? peak * 32767 / loudest : 0;
    const std::size_t n = samples.size();
    const std::size_t edge = Rate / 200;  // 5 ms
    Bytes data;
    for (std::size_t i = 0; i < n; ++i) {
        double v = samples[i] * scale;
        if (i < edge)
            v *= Ramp(static_cast<double>(i) / edge);
        if (n - 1 - i < edge)
            v *= Ramp(static_cast<double>(n - 1 - i) / edge);
        const long rounded = static_cast<long>(v + (v >= 0 ? 0.5 : -0.5));
        Le16(data, static_cast<std::uint32_t>(static_cast<std::int16_t>(rounded)));
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    Le32(out, static_cast<std::uint32_t>(36 + data.size()));
    for (char c : std::string("WAVEfmt "))
        out.push_back(static_cast<std::uint8_t>(c));
    Le32(out, 16);
    Le16(out, 1);  // PCM
    Le16(out, 1);  // mono
    Le32(out, Rate);
    Le32(out, Rate * 2);
    Le16(out, 2);
    Le16(out, 16);
    for (char c : std::string("data"))
        out.push_back(static_cast<std::uint8_t>(c));
    Le32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<double> Silence(double seconds) { return std::vector<double>(static_cast<std::size_t>(seconds * Rate), 0.0); }

const std::vector<Partial> Bright = {{1, 1, 3}, {2, 0.45, 5}, {3, 0.25, 7}, {4, 0.12, 9}};
const std::vector<Partial> Bell = {{1, 1, 4}, {2.76, 0.4, 7}, {5.4, 0.2, 11}, {8.93, 0.08, 16}};

// Start, records, a cleared stage: a rising major arpeggio that lands on a chord.
Bytes Tada()
{
    std::vector<double> s = Silence(1.1);
    AddTone(s, 0.00, 0.16, Note(72), 0.8, Bright);
    AddTone(s, 0.09, 0.16, Note(76), 0.8, Bright);
    AddTone(s, 0.18, 0.92, Note(79), 0.7, Bright);
    AddTone(s, 0.18, 0.92, Note(84), 0.8, Bright);
    AddTone(s, 0.18, 0.92, Note(76), 0.5, Bright);
    return Wave(s, 0.7);
}

// A click on a group: a short, high pin.
Bytes Pin()
{
    std::vector<double> s = Silence(0.14);
    AddTone(s, 0, 0.14, 1760, 1, {{1, 1, 30}, {1.5, 0.3, 45}, {3.01, 0.15, 60}}, 0.002);
    return Wave(s, 0.6);
}

// Before a message: a small bell.
Bytes Ding()
{
    std::vector<double> s = Silence(0.75);
    AddTone(s, 0, 0.75, Note(84), 1, Bell, 0.003);
    return Wave(s, 0.6);
}

// A selection that sparkles: three quick rising notes.
Bytes Kira()
{
    std::vector<double> s = Silence(0.2);
    const int notes[3] = {91, 95, 98};
    for (int i = 0; i < 3; ++i)
        AddTone(s, 0.04 * i, 0.2 - 0.04 * i, Note(notes[i]), 0.5, {{1, 1, 22}, {2, 0.2, 30}}, 0.003);
    return Wave(s, 0.4);
}

// Tiles that vanish: a soft falling bubble.
Bytes Poof()
{
    std::vector<double> s = Silence(0.3);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double frequency = 900 - 1500 * t;  // glides down to 450 Hz
        phase += 2 * Pi * frequency / Rate;
        s[i] = Decay(9 * t) * (Sin(phase) + 0.3 * Sin(2 * phase)) * Ramp(t / 0.01) * Ramp((0.3 - t) / 0.03);
    }
    return Wave(s, 0.5);
}

// ---------------------------------------------------------------- the music

const int Ticks = 480;  // per quarter note; an eighth is 240

struct Event {
    std::uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    Bytes bytes;
};

void VarLen(Bytes& out, std::uint32_t v)
{
    std::uint8_t stack[5];
    int n = 0;
    stack[n++] = v & 0x7F;
    while ((v >>= 7) != 0)
        stack[n++] = 0x80 | (v & 0x7F);
    while (n > 0)
        out.push_back(stack[--n]);
}

struct Track {
    std::vector<Event> events;
    void Add(std::uint32_t tick, int order, Bytes bytes) { events.push_back({tick, order, bytes}); }
    void NoteAt(int channel, std::uint32_t tick, std::uint32_t length, int key, int velocity)
    {
        Add(tick, 1, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                      static_cast<std::uint8_t>(velocity)});
        Add(tick + length, 0, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0});
    }
    Bytes Chunk(std::uint32_t end) const
    {
        std::vector<Event> sorted = events;
        // stable insertion sort by (tick, order)
        for (std::size_t i = 1; i < sorted.size(); ++i)
            for (std::size_t j = i; j > 0; --j) {
                const Event& a = sorted[j - 1];
                const Event& b = sorted[j];
                if (a.tick < b.tick || (a.tick == b.tick && a.order <= b.order))
                    break;
                std::swap(sorted[j - 1], sorted[j]);
            }
        Bytes body;
        std::uint32_t now = 0;
        for (const Event& e : sorted) {
            VarLen(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        VarLen(body, end - now);
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        Bytes chunk = {'M', 'T', 'r', 'k'};
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.push_back(static_cast<std::uint8_t>(body.size() >> shift));
        chunk.insert(chunk.end(), body.begin(), body.end());
        return chunk;
    }
};

// Sixteen bars of 4/4 at 100 beats a minute: 38.4 seconds, then it begins again.
const int Bars = 16;
const std::uint32_t Bar = 4 * Ticks;

// The chord of each bar: its root (a MIDI key) and whether it is minor.
struct Chord {
    int root;
    bool minor;
};
const Chord Chords[8] = {{53, false}, {55, false}, {52, true}, {57, true},
                         {50, true},  {55, false}, {48, false}, {48, false}};

// The tune, in (key, eighths) pairs per bar; key 0 is a rest.
const std::vector<std::vector<std::pair<int, int>>> Tune = {
    {{69, 2}, {72, 2}, {74, 2}, {72, 1}, {69, 1}},
    {{67, 2}, {69, 1}, {67, 1}, {74, 4}},
    {{76, 2}, {74, 2}, {71, 2}, {67, 2}},
    {{69, 6}, {67, 1}, {69, 1}},
    {{74, 2}, {72, 2}, {69, 2}, {72, 2}},
    {{74, 3}, {76, 1}, {74, 2}, {71, 2}},
    {{72, 2}, {76, 2}, {79, 2}, {76, 2}},
    {{74, 4}, {0, 2}, {67, 2}},
    {{69, 2}, {72, 2}, {77, 3}, {76, 1}},
    {{74, 2}, {71, 2}, {67, 4}},
    {{67, 2}, {71, 2}, {76, 2}, {79, 2}},
    {{76, 4}, {72, 2}, {69, 2}},
    {{77, 2}, {76, 2}, {74, 2}, {69, 2}},
    {{71, 2}, {74, 2}, {79, 2}, {77, 2}},
    {{76, 6}, {74, 1}, {76, 1}},
    {{72, 6}, {0, 2}},
};

Bytes Music()
{
    const std::uint32_t end = Bars * Bar;
    Track conductor;
    const std::uint32_t tempo = 600000;  // microseconds a quarter: 100 a minute
    conductor.Add(0, 0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                         static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)});
    conductor.Add(0, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});

    Track melody, bass, strings, drums;
    melody.Add(0, 0, {0xC0, 73});   // flute
    melody.Add(0, 0, {0xB0, 91, 40});
    bass.Add(0, 0, {0xC1, 32});     // acoustic bass
    strings.Add(0, 0, {0xC2, 48});  // string ensemble
    strings.Add(0, 0, {0xB2, 7, 70});
    strings.Add(0, 0, {0xB2, 91, 60});
    for (int b = 0; b < Bars; ++b) {
        const std::uint32_t at = b * Bar;
        std::uint32_t t = at;
        for (const auto& note : Tune[b]) {
            const std::uint32_t length = note.second * (Ticks / 2);
            if (note.first != 0)
                melody.NoteAt(0, t, length - 20, note.first, 88);
            t += length;
        }
        const Chord& chord = Chords[b % 8];
        const int third = chord.root + (chord.minor ? 3 : 4);
        for (int key : {chord.root + 12, third + 12, chord.root + 19})
            strings.NoteAt(2, at, Bar - 10, key, 52);
        const int walk[4] = {chord.root - 12, chord.root - 5, chord.root, chord.root - 5};
        for (int beat = 0; beat < 4; ++beat)
            bass.NoteAt(1, at + beat * Ticks, Ticks - 40, walk[beat], beat % 2 == 0 ? 90 : 72);
        for (int eighth = 0; eighth < 8; ++eighth) {
            const std::uint32_t e = at + eighth * (Ticks / 2);
            drums.NoteAt(9, e, 60, 42, eighth % 2 == 0 ? 52 : 36);  // closed hi-hat
            if (eighth == 0 || eighth == 4)
                drums.NoteAt(9, e, 60, 36, 80);  // bass drum
            if (eighth == 2 || eighth == 6)
                drums.NoteAt(9, e, 60, 37, 58);  // side stick
        }
    }
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 5, Ticks >> 8, Ticks & 0xFF};
    for (const Track* track : {&conductor, &melody, &bass, &strings, &drums}) {
        const Bytes chunk = track->Chunk(end);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

bool Write(const std::filesystem::path& path, const Bytes& bytes)
{
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr && std::fclose(f) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "make-sounds: cannot write %s\n", path.string().c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds <ship folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder / "Sound", error);
    bool ok = true;
    ok &= Write(folder / "Sound" / "tada.wav", Tada());
    ok &= Write(folder / "Sound" / "pin.wav", Pin());
    ok &= Write(folder / "Sound" / "ding.wav", Ding());
    ok &= Write(folder / "Sound" / "kira.wav", Kira());
    ok &= Write(folder / "Sound" / "poof.wav", Poof());
    ok &= Write(folder / "Hanabo.mid", Music());
    return ok ? 0 : 1;
}
