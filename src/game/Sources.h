// The program's one uniform random source and its clock, and the standard pair of them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>

namespace dyeland {

class Sources {
public:
    virtual ~Sources() = default;
    // A value in [0, 1).
    virtual double Random() = 0;
    // Time since the program started, from a clock that never goes back.
    virtual std::int64_t MillisecondsSinceStart() const = 0;
};

// A 64-bit Mersenne twister from a seed, and a clock that runs from the moment this is made or,
// for tests and benchmarks, stands at a fixed reading.
class StandardSources final : public Sources {
public:
    explicit StandardSources(std::uint64_t seed = std::random_device{}(),
                             std::optional<std::int64_t> fixedClock = std::nullopt)
        : engine_(seed), fixedClock_(fixedClock) {}

    // 53 random bits scaled by 2^-53: every value a multiple of 2^-53 and never 1.
    double Random() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    std::int64_t MillisecondsSinceStart() const override {
        using namespace std::chrono;
        return fixedClock_.value_or(
            duration_cast<milliseconds>(steady_clock::now() - start_).count());
    }

private:
    std::mt19937_64 engine_;
    std::optional<std::int64_t> fixedClock_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace dyeland
