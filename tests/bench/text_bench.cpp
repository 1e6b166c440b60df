// Linear-time checks for the text core. percent_decode and text_find run on
// 1 MiB and 16 MiB inputs; a time ratio far above 16 means some step is not
// linear (a quadratic one would be in the hundreds). percent_decode is also
// compared with a plain std::string version of the same work.
//
// Without --check this is an ordinary Google Benchmark program. With --check
// it first makes sure both decoders give the same bytes, runs a short fixed
// set of measurements, prints the ratios and a "CHECK PASS" or "CHECK FAIL"
// line, and exits non-zero on failure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "text/codepage.h"
#include "text/percent_decode.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

constexpr std::size_t kSmall = std::size_t{1} << 20;
constexpr std::size_t kLarge = std::size_t{16} << 20;

// 16 MiB leaves the caches and 1 MiB does not, so linear code can measure up
// to about 18 rather than 16; the limit leaves room for that and for noise.
constexpr double kMaxSizeRatio = 20.0;
constexpr double kMaxBaselineRatio = 1.5;

// xorshift64*: the inputs must be the same bytes in every run.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1DULL) >> 32);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }

private:
    std::uint64_t state_;
};

void append_utf8(std::string& out, char32_t c) {  // BMP code points only
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Exactly `size` bytes of a lookup answer as it arrives: ASCII runs, percent
// escapes of UTF-8 Chinese characters, raw Chinese characters and raw two-byte
// pinyin letters. Every character used exists in code page 936 and no '?' is
// used, so a '?' in the decoded text means a conversion went wrong.
std::string make_escaped_input(std::size_t size) {
    static constexpr std::string_view ascii =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789<>/=&.:-_ ";
    static constexpr char32_t pinyin[] = {0x0101, 0x00E1, 0x01CE, 0x00E0, 0x00E9, 0x00FC};
    Rng rng(0x51554F5252494E01ULL);
    std::string out;
    out.reserve(size);
    std::string token, utf8;
    for (;;) {
        token.clear();
        switch (rng.below(4)) {
            case 0:
                for (std::uint32_t n = 1 + rng.below(12); n > 0; --n) token.push_back(ascii[rng.below(ascii.size())]);
                break;
            case 1: {
                utf8.clear();
                append_utf8(utf8, 0x4E00 + rng.below(0x9FA6 - 0x4E00));
                const char* hex = rng.below(4) == 0 ? "0123456789abcdef" : "0123456789ABCDEF";
                for (unsigned char b : utf8) {
                    token.push_back('%');
                    token.push_back(hex[b >> 4]);
                    token.push_back(hex[b & 0xF]);
                }
                break;
            }
            case 2:
                append_utf8(token, 0x4E00 + rng.below(0x9FA6 - 0x4E00));
                break;
            default:
                append_utf8(token, pinyin[rng.below(std::size(pinyin))]);
                break;
        }
        if (out.size() + token.size() > size) break;
        out += token;
    }
    out.append(size - out.size(), 'a');
    return out;
}

constexpr std::string_view kSought = "</EM>";

// Exactly `size` bytes of local text: ASCII and two-byte characters, some of
// them with a trail byte in the ASCII range, and the sought text (in the other
// case) only at the very end, so that text_find walks all of it.
std::string make_local_text(std::size_t size) {
    static constexpr std::string_view ascii = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/=&.:-_ ";
    Rng rng(0x51554F5252494E02ULL);
    const std::size_t body = size - kSought.size();
    std::string out;
    out.reserve(size);
    while (out.size() + 2 <= body) {
        switch (rng.below(3)) {
            case 0:
                out.push_back(ascii[rng.below(ascii.size())]);
                break;
            case 1:
                out.push_back(static_cast<char>(0xB0 + rng.below(0xF8 - 0xB0)));
                out.push_back(static_cast<char>(0xA1 + rng.below(0xFF - 0xA1)));
                break;
            default:
                out.push_back(static_cast<char>(0x81 + rng.below(0xA1 - 0x81)));
                out.push_back(static_cast<char>(0x40 + rng.below(0x7F - 0x40)));
                break;
        }
    }
    out.append(body - out.size(), 'x');
    out += "</em>";
    return out;
}

// Generated once per size; the benchmarks only read them.
const std::string& escaped_input(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(size);
    if (it == cache.end()) it = cache.emplace(size, make_escaped_input(size)).first;
    return it->second;
}

const std::string& local_text(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(size);
    if (it == cache.end()) it = cache.emplace(size, make_local_text(size)).first;
    return it->second;
}

int hex_digit(std::string_view in, std::size_t at) {
    if (at >= in.size()) return 0;
    const auto b = static_cast<unsigned char>(in[at]);
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    return -2;
}

// The same decoding as percent_decode with nothing but std::string: one pass
// over the input, then exactly the code-page calls percent_decode makes (the
// size query and the conversion to UTF-16, then the conversion to the ANSI
// code page). The conversions are most of the time, so both sides pay for them
// and the ratio between the two isolates what the Text/ByteBuffer layer adds.
std::string baseline_decode(std::string_view in) {
    std::string bytes;
    bytes.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        if (in[i] != '%') {
            bytes.push_back(in[i++]);
            continue;
        }
        // Same digit rules as percent_decode: missing counts 0, non-hex -2.
        const int v = 16 * hex_digit(in, i + 1) + hex_digit(in, i + 2);
        const auto b = static_cast<char>(static_cast<unsigned>(v) & 0xFFu);
        if (b != 0) bytes.push_back(b);
        i += 3;
    }
    const int src = static_cast<int>(bytes.size());
    const int units = codepage::multi_byte_to_wide(codepage::utf8, bytes.data(), src, nullptr, 0);
    if (units <= 0) return {};
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(units) * 2);
    codepage::multi_byte_to_wide(codepage::utf8, bytes.data(), src, wide.data(), units);
    std::string local(static_cast<std::size_t>(units) * 2, '\0');
    const int written = codepage::wide_to_multi_byte(codepage::ansi, wide.data(), units, local.data(), units * 2);
    local.resize(static_cast<std::size_t>(std::max(written, 0)));
    return local;
}

void bench_percent_decode(benchmark::State& state, std::size_t size) {
    const Text in(escaped_input(size));
    for (auto _ : state) {
        Text out = percent_decode(in);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void bench_baseline(benchmark::State& state, std::size_t size) {
    const std::string& in = escaped_input(size);
    for (auto _ : state) {
        std::string out = baseline_decode(in);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void bench_text_find(benchmark::State& state, std::size_t size) {
    const Text searched(local_text(size));
    const Text sought(kSought);
    for (auto _ : state) {
        std::int32_t at = text_find(searched, sought, 1, Case::ignore);
        benchmark::DoNotOptimize(at);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

struct Size {
    const char* label;
    std::size_t bytes;
};
constexpr Size kSizes[] = {{"1MiB", kSmall}, {"16MiB", kLarge}};

std::string name(std::string_view what, const Size& size) { return std::string(what) + "/" + size.label; }

// In check mode every benchmark runs in a few rounds, one after another, so
// that a burst of other work on the machine falls on all sizes of a round
// alike rather than on all runs of one of them. Each ratio is taken within a
// round, and the median over the rounds is judged: one disturbed round, or
// one run that caught the caches unusually quiet, does not decide.
constexpr int kCheckRounds = 5;

void register_benchmarks(bool check) {
    using Fn = void (*)(benchmark::State&, std::size_t);
    const std::pair<const char*, Fn> families[] = {
        {"percent_decode", bench_percent_decode}, {"baseline_decode", bench_baseline}, {"text_find", bench_text_find}};
    for (int round = 0; round < (check ? kCheckRounds : 1); ++round) {
        for (const auto& [what, fn] : families) {
            for (const Size& size : kSizes) {
                auto* b = benchmark::RegisterBenchmark(name(what, size).c_str(), fn, size.bytes);
                b->Unit(benchmark::kMillisecond);
                if (check) b->MinTime(0.1);
            }
        }
    }
}

struct Timing {
    double cpu;
    double wall;
};

// Prints as the console reporter does and keeps each benchmark's times per
// iteration, in seconds, one per round in the order of the rounds.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    CapturingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations <= 0) continue;
            const auto n = static_cast<double>(r.iterations);
            rounds_[r.run_name.function_name].push_back({r.cpu_accumulated_time / n, r.real_accumulated_time / n});
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const std::vector<Timing>& rounds(const std::string& benchmark) const {
        static const std::vector<Timing> none;
        auto it = rounds_.find(benchmark);
        return it == rounds_.end() ? none : it->second;
    }

private:
    std::map<std::string, std::vector<Timing>> rounds_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A comparison with a baseline that decodes differently would mean nothing,
// so the two must agree byte for byte on the measured inputs and on the
// corner cases of the digit rules.
bool decoders_agree(std::ostream& out) {
    std::vector<std::string> inputs = {escaped_input(kSmall), escaped_input(kLarge)};
    for (const char* edge : {"", "abc", "x%", "x%3", "%1zq", "%z1q", "%zzq", "%%41q", "%1z", "a%00b", "%4a%4A",
                             "%E4%B8", "x%E4", "\xE4\xB8\xAD%E4%B8", "ab\xE4\xB8\xAD", "%e4%b8%adx", "a%7F", "%FF%FE"})
        inputs.emplace_back(edge);
    bool ok = true;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string& in = inputs[i];
        const std::string ours(percent_decode(Text(in)).view());
        const std::string plain = baseline_decode(in);
        if (ours != plain) {
            const auto diff = std::mismatch(ours.begin(), ours.end(), plain.begin(), plain.end());
            out << "decoders differ on input " << i << " (" << in.size() << " bytes) at output byte "
                << (diff.first - ours.begin()) << ": percent_decode gave " << ours.size() << " bytes, baseline "
                << plain.size() << "\n";
            ok = false;
        }
        if (i < 2 && (ours.empty() || ours.find('?') != std::string::npos)) {
            out << "decoding the " << (i == 0 ? "1 MiB" : "16 MiB") << " input gave "
                << (ours.empty() ? "nothing" : "a '?'") << "; the conversions did not run as intended\n";
            ok = false;
        }
    }
    return ok;
}

bool text_find_is_right(std::ostream& out) {
    bool ok = true;
    for (const Size& size : kSizes) {
        const std::int32_t want = static_cast<std::int32_t>(size.bytes - kSought.size() + 1);
        const std::int32_t got = text_find(Text(local_text(size.bytes)), Text(kSought), 1, Case::ignore);
        if (got != want) {
            out << "text_find on " << size.label << " gave " << got << ", expected " << want << "\n";
            ok = false;
        }
    }
    return ok;
}

// Judged on CPU time: these two cores are shared with other builds, and time
// spent descheduled is not the code's cost (the scheduling shows in wall time
// only, which is printed beside it). A non-linear step shows in both.
bool within(std::ostream& out, const char* what, const std::vector<Timing>& numerator,
            const std::vector<Timing>& denominator, double limit) {
    std::vector<double> cpu_ratios, wall_ratios;
    for (std::size_t i = 0; i < std::min(numerator.size(), denominator.size()); ++i) {
        if (numerator[i].cpu <= 0.0 || denominator[i].cpu <= 0.0 || numerator[i].wall <= 0.0 ||
            denominator[i].wall <= 0.0)
            continue;
        cpu_ratios.push_back(numerator[i].cpu / denominator[i].cpu);
        wall_ratios.push_back(numerator[i].wall / denominator[i].wall);
    }
    if (cpu_ratios.empty()) {
        out << what << ": no measurement\n";
        return false;
    }
    const double cpu = median(cpu_ratios);
    const double wall = median(wall_ratios);
    const bool ok = cpu <= limit;
    char line[200];
    std::snprintf(line, sizeof line, "%-46s %8.2f %8.2f %8.2f%s", what, cpu, wall, limit, ok ? "" : "  <-- too high");
    out << line << "\n";
    return ok;
}

int run_check() {
    std::ostream& out = std::cout;
    bool ok = decoders_agree(out);
    ok = text_find_is_right(out) && ok;
    if (!ok) {
        out << "CHECK FAIL (wrong results; nothing measured)\n";
        return 1;
    }
    out << "percent_decode and the baseline agree on the 1 MiB and 16 MiB inputs and the corner cases\n";

    CapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter, ".");  // all of them, whatever --benchmark_filter says

    const auto t = [&](const char* what, const Size& size) { return reporter.rounds(name(what, size)); };
    const Size& small = kSizes[0];
    const Size& large = kSizes[1];
    char header[200];
    std::snprintf(header, sizeof header, "\n%-46s %8s %8s %8s", "ratio (median of the rounds)", "cpu", "wall", "limit");
    out << header << "\n";
    const bool decode_scales = within(out, "percent_decode time 16 MiB / 1 MiB", t("percent_decode", large),
                                      t("percent_decode", small), kMaxSizeRatio);
    const bool decode_overhead = within(out, "percent_decode / baseline per byte at 16 MiB", t("percent_decode", large),
                                        t("baseline_decode", large), kMaxBaselineRatio);
    const bool find_scales =
        within(out, "text_find time 16 MiB / 1 MiB", t("text_find", large), t("text_find", small), kMaxSizeRatio);
    ok = decode_scales && decode_overhead && find_scales;
    out << (ok ? "CHECK PASS" : "CHECK FAIL") << std::endl;
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace quorrin

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // glibc gives blocks above its mmap threshold, which stops adapting at
    // 32 MiB, fresh mappings on every call: at 16 MiB each decode pays page
    // faults that the 1 MiB runs never see, and even the plain baseline then
    // measures well above 16. Keeping freed memory in the heap lets both sizes
    // reuse memory alike, so the ratios show the code's own cost per byte.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
#endif
    bool check = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::string_view(argv[i]) == "--check")
            check = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    quorrin::register_benchmarks(check);
    int status = 0;
    if (check)
        status = quorrin::run_check();
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return status;
}
