#pragma once
// The demo data's only source of chance: splitmix64, small, fast and the same on
// every platform and compiler (std:: distributions are not), so a seed gives the
// same company everywhere. Streams are derived per purpose and per record, so
// what one AF draws never depends on how many draws the AFs before it made.
#include <QtCore/QtGlobal>

#include <cstdint>
#include <vector>

namespace afdemo {

class Prng {
public:
    explicit Prng(std::uint64_t seed) : m_state(seed) {}

    // An independent stream for one purpose and one record.
    static Prng stream(std::uint64_t seed, std::uint64_t purpose, std::uint64_t index = 0) {
        Prng p(seed ^ mix(purpose * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull));
        p.m_state ^= mix(index + 0xD1B54A32D192ED03ull);
        return p;
    }

    std::uint64_t next() {
        m_state += 0x9E3779B97F4A7C15ull;
        return mix(m_state);
    }

    // Uniform in [lo, hi], both included; lo when hi < lo.
    int between(int lo, int hi) {
        if (hi <= lo) return lo;
        const std::uint64_t span = std::uint64_t(std::int64_t(hi) - lo) + 1;
        return int(std::int64_t(lo) + std::int64_t(next() % span));
    }

    // True with probability percent / 100.
    bool percent(int percent) { return between(0, 99) < percent; }

    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    template <typename T>
    const T& pick(const std::vector<T>& from) {
        Q_ASSERT(!from.empty());
        return from[std::size_t(between(0, int(from.size()) - 1))];
    }

    // Index chosen with the given weights (all >= 0, at least one > 0).
    int weighted(const std::vector<int>& weights) {
        int total = 0;
        for (int w : weights) total += w;
        int draw = between(0, total - 1);
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (draw < weights[i]) return int(i);
            draw -= weights[i];
        }
        return int(weights.size()) - 1;
    }

private:
    static std::uint64_t mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

}  // namespace afdemo
