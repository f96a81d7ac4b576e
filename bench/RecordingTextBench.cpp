// Records per second for tandrel-rec's dump and pack of a recording of a million mixed records,
// against od printing the same file's bytes in hex, and for two edits, thin and retime, against
// dump, all measured in the same run. The commands are timed in-process through the tool's
// library (file reading and writing included) and, when the program's path is given, as the
// program itself; od is always a spawned process.
//   bench_recording_text [path/to/tandrel-rec]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RecordRetime.h"
#include "RecordText.h"
#include "RecordThin.h"
#include "recording/InputRecord.h"

namespace {

constexpr int Records = 1000000;
constexpr int Rounds = 3;
// The edits timed: moves at most one each 50 ms, and half speed.
constexpr int64_t ThinInterval = 50;
constexpr RetimeOptions HalfSpeed = {RetimeMode::Speed, SpeedOneMillionths / 2, 0};

using Clock = std::chrono::steady_clock;

// A busy recording: mostly moves, now and then a key, a button (an X button too) or either
// wheel, and once in a thousand records one that has no plain line.
InputRecord RecordNumber(int i)
{
    const int32_t delay = i % 37;
    switch (i % 16) {
    case 3: return {Key, static_cast<int16_t>(0x41 + i % 26), 1, delay, 0, 0};
    case 4: return {Key, static_cast<int16_t>(0x41 + i % 26), 0, delay, 0, 0};
    case 7: return {Key, 0x10, static_cast<int8_t>(i % 2), delay, 0, 0};
    case 9: return {Button, 513, 0, delay, 0, 0};
    case 10: return {Button, 514, 0, delay, 0, 0};
    case 11: return {Button, static_cast<int16_t>(0x20B + i % 2), 0, delay, 0, 1 + (i >> 4) % 2};
    case 12: return {HorizontalWheel, 0, 0, delay, 0, i % 3 - 1};
    case 13: return {Wheel, 0, 0, delay, 0, i % 5 - 2};
    case 15:
        if (i % 1000 == 15) return {5, 0, 0, delay, 0, 0};
        [[fallthrough]];
    default: return {Move, 0, 0, delay, i % 1920 - 20, (i >> 4) % 1080};
    }
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes(std::filesystem::file_size(path));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out.flush());
}

template <typename Step>
double BestSeconds(Step step)
{
    double best = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        const Clock::time_point start = Clock::now();
        if (!step()) return -1;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

bool Run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

std::string Quoted(const std::filesystem::path& path)
{
    std::string quoted = "'";
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

void Report(const char* what, double seconds, double odSeconds)
{
    if (seconds < 0) {
        std::printf("  %-26s failed\n", what);
        return;
    }
    std::printf("  %-26s %8.3f s  %12.0f records/s  %6.1fx od\n", what, seconds, Records / seconds,
                odSeconds / seconds);
}

// An edit's time against a command it should be at least as fast as.
void ReportAgainst(const char* what, double seconds, const char* other, double otherSeconds)
{
    if (seconds < 0 || otherSeconds < 0) {
        std::printf("  %-26s failed\n", what);
        return;
    }
    std::printf("  %-26s %8.3f s  %12.0f records/s  %6.1fx %s\n", what, seconds, Records / seconds,
                otherSeconds / seconds, other);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string tool = argc > 1 ? argv[1] : "";
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tandrel-rec-bench-" + std::to_string(std::rand()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path recording = folder / "bench.rec";
    const std::filesystem::path text = folder / "bench.txt";
    const std::filesystem::path packed = folder / "packed.rec";
    const std::filesystem::path edited = folder / "edited.rec";

    std::vector<uint8_t> bytes(static_cast<size_t>(Records) * InputRecordSize);
    for (int i = 0; i < Records; ++i) EncodeInputRecord(RecordNumber(i), bytes.data() + size_t(i) * InputRecordSize);
    if (!WriteFile(recording, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "cannot write %s\n", recording.string().c_str());
        return 1;
    }

    const double dump = BestSeconds([&] {
        std::string out;
        AppendRecordingText(out, ReadFile(recording));
        return WriteFile(text, out.data(), out.size());
    });
    const double pack = BestSeconds([&] {
        const std::vector<uint8_t> in = ReadFile(text);
        std::vector<uint8_t> out;
        TextError error;
        return ReadRecordingText({reinterpret_cast<const char*>(in.data()), in.size()}, out, error) &&
               WriteFile(packed, out.data(), out.size());
    });
    const bool roundTrip = ReadFile(packed) == bytes;
    const double thin = BestSeconds([&] {
        const std::vector<uint8_t> out = ThinRecording(ReadFile(recording), ThinInterval);
        return WriteFile(edited, out.data(), out.size());
    });
    const uintmax_t thinSize = std::filesystem::file_size(edited);
    const double retime = BestSeconds([&] {
        const std::vector<uint8_t> out = RetimeRecording(ReadFile(recording), HalfSpeed);
        return WriteFile(edited, out.data(), out.size());
    });
    const double od = BestSeconds([&] { return Run("od -An -v -tx1 " + Quoted(recording) + " >/dev/null"); });
    double toolDump = -1;
    double toolPack = -1;
    double toolThin = -1;
    double toolRetime = -1;
    if (!tool.empty()) {
        toolDump = BestSeconds([&] { return Run(Quoted(tool) + " dump " + Quoted(recording) + " >/dev/null"); });
        toolPack = BestSeconds(
            [&] { return Run(Quoted(tool) + " pack " + Quoted(text) + " -o " + Quoted(packed) + " --force"); });
        toolThin = BestSeconds([&] {
            return Run(Quoted(tool) + " thin " + Quoted(recording) + " -o " + Quoted(edited) +
                       " --force --min-interval " + std::to_string(ThinInterval));
        });
        toolRetime = BestSeconds([&] {
            return Run(Quoted(tool) + " retime " + Quoted(recording) + " -o " + Quoted(edited) +
                       " --force --speed 0.5");
        });
    }
    std::error_code ignored;
    const uintmax_t textSize = std::filesystem::file_size(text, ignored);
    std::filesystem::remove_all(folder, ignored);

    std::printf("Text form of %d mixed records (%zu bytes; text %ju bytes), best of %d runs:\n", Records, bytes.size(),
                textSize, Rounds);
    if (od < 0) {
        std::printf("  od failed to run\n");
        return 1;
    }
    std::printf("  %-26s %8.3f s  %12.0f records/s\n", "od -An -v -tx1 (baseline)", od, Records / od);
    Report("dump (in-process)", dump, od);
    Report("pack (in-process)", pack, od);
    if (!tool.empty()) {
        Report("tandrel-rec dump", toolDump, od);
        Report("tandrel-rec pack", toolPack, od);
    }
    std::printf("  round trip byte for byte: %s\n", roundTrip ? "yes" : "NO");
    std::printf("Edits of the same file, against dump (thin --min-interval %lld keeps %ju of %d records):\n",
                static_cast<long long>(ThinInterval), thinSize / InputRecordSize, Records);
    ReportAgainst("thin (in-process)", thin, "dump", dump);
    ReportAgainst("retime --speed 0.5 (in-p.)", retime, "dump", dump);
    if (!tool.empty()) {
        ReportAgainst("tandrel-rec thin", toolThin, "dump", toolDump);
        ReportAgainst("tandrel-rec retime", toolRetime, "dump", toolDump);
    }
    const double slowest = std::max({dump, pack, toolDump, toolPack});
    const bool met =
        roundTrip && dump > 0 && pack > 0 && (tool.empty() || (toolDump > 0 && toolPack > 0)) && od / slowest >= 10;
    std::printf("Goal: dump and pack each at least 10x faster than od: %s (slowest %.1fx)\n", met ? "met" : "NOT met",
                od / slowest);
    const bool editsRan = thin > 0 && retime > 0 && (tool.empty() || (toolThin > 0 && toolRetime > 0));
    const bool editsMet = editsRan && thin <= dump && retime <= dump &&
                          (tool.empty() || (toolThin <= toolDump && toolRetime <= toolDump));
    std::printf("Goal: thin and retime each at least as fast as dump: %s\n", editsMet ? "met" : "NOT met");
    return met && editsMet ? 0 : 1;
}
