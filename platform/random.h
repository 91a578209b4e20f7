#pragma once

#include <cstdint>
#include <random>

namespace vardex {

// The program's one uniform pseudo-random generator, values in [0, 1).
class Random {
  public:
    virtual ~Random() = default;
    virtual void seed(double seed_value) = 0;
    virtual double next() = 0;
};

class StandardRandom final : public Random {
  public:
    void seed(double seed_value) override {
        engine_.seed(static_cast<std::uint32_t>(static_cast<std::int64_t>(seed_value * 1000.0)));
    }
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

  private:
    std::mt19937 engine_{5489u};
};

}  // namespace vardex
