#pragma once

#include <cstdint>
#include <vector>

namespace generador {

// Pseudo-random numbers that depend only on the seed: the same seed gives the same database on
// every machine and compiler (no std:: distributions, whose results vary between libraries).
class Azar {
public:
    explicit Azar(std::uint64_t semilla)
    {
        std::uint64_t x = semilla;
        for (auto &e : s_) {
            x += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            e = z ^ (z >> 31);
        }
    }

    std::uint64_t siguiente()
    {
        const std::uint64_t r = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return r;
    }

    // Integer in [0, n).
    std::uint64_t menorQue(std::uint64_t n)
    {
        return static_cast<std::uint64_t>((static_cast<unsigned __int128>(siguiente()) * n) >> 64);
    }
    // Integer in [a, b].
    long long entre(long long a, long long b) { return a + static_cast<long long>(menorQue(static_cast<std::uint64_t>(b - a + 1))); }
    // Real in [0, 1).
    double real() { return static_cast<double>(siguiente() >> 11) * 0x1.0p-53; }
    bool probabilidad(double p) { return real() < p; }

    template <class T>
    const T &uno(const std::vector<T> &v) { return v[menorQue(v.size())]; }

    // Index chosen by integer weights.
    int ponderado(const std::vector<int> &pesos)
    {
        long long total = 0;
        for (int p : pesos)
            total += p;
        long long r = static_cast<long long>(menorQue(static_cast<std::uint64_t>(total)));
        for (std::size_t i = 0; i < pesos.size(); ++i) {
            if (r < pesos[i])
                return static_cast<int>(i);
            r -= pesos[i];
        }
        return static_cast<int>(pesos.size()) - 1;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t s_[4];
};

} // namespace generador
