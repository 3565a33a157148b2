// Runs the simulation of the scheduler against its reference model.
//
//   simulate --quick [SECONDS]   the fixed seeds, then random seeds for up to SECONDS (at most 60)
//   simulate DAYS [SEED]         random seeds (from SEED) until DAYS simulated days have run
//   simulate --replay FILE       one saved list of steps
//   simulate --seed SEED SECONDS one seed
//
// Prints "Simulation: D simulated days, N steps, differences: K". On the first difference it
// prints the seed, the difference and the shortest list of steps it shrank the case to (save it
// to a file to replay it), and exits with 1.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/simulation.h"

namespace {

using tc::sim::Outcome;

struct Totals {
    double days = 0;
    std::size_t steps = 0;
};

int Report(const Totals& t, int differences) {
    std::printf("Simulation: %.2f simulated days, %zu steps, differences: %d\n", t.days, t.steps,
                differences);
    return differences == 0 ? 0 : 1;
}

// Runs one seed; on a difference prints it with the shrunk steps. False on a difference.
bool RunSeed(std::uint64_t seed, std::int64_t seconds, Totals& totals) {
    const auto steps = tc::sim::Generate(seed, seconds);
    const Outcome o = tc::sim::Run(steps);
    totals.days += o.days;
    totals.steps += o.steps;
    if (o.same) return true;
    std::printf("seed %llu (%lld s): after step %zu of %zu: %s\n",
                static_cast<unsigned long long>(seed), static_cast<long long>(seconds),
                o.failedAt + 1, steps.size(), o.difference.c_str());
    const auto shrunk = tc::sim::Shrink(steps);
    const Outcome s = tc::sim::Run(shrunk);
    std::printf("shrunk to %zu steps (%s):\n%s", shrunk.size(), s.difference.c_str(),
                tc::sim::ToText(shrunk).c_str());
    std::fflush(stdout);
    return false;
}

double Elapsed(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "--quick";
    Totals totals;
    if (first == "--replay") {
        if (argc < 3) return 2;
        std::ifstream in(argv[2]);
        std::stringstream text;
        text << in.rdbuf();
        const Outcome o = tc::sim::Run(tc::sim::StepsFromText(text.str()));
        totals = {o.days, o.steps};
        if (!o.same) std::printf("after step %zu: %s\n", o.failedAt + 1, o.difference.c_str());
        return Report(totals, o.same ? 0 : 1);
    }
    if (first == "--seed") {
        if (argc < 4) return 2;
        const bool same = RunSeed(std::strtoull(argv[2], nullptr, 10), std::atoll(argv[3]), totals);
        return Report(totals, same ? 0 : 1);
    }
    const auto start = std::chrono::steady_clock::now();
    if (first == "--quick") {
        const double limit = std::min(60.0, argc > 2 ? std::atof(argv[2]) : 30.0);
        // Fixed seeds: the same cases on every run.
        for (std::uint64_t seed = 1; seed <= 30; ++seed)
            if (!RunSeed(seed, 6 * 3600, totals)) return Report(totals, 1);
        // Then new cases for the time that is left.
        std::uint64_t seed = static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
        while (Elapsed(start) < limit)
            if (!RunSeed(seed++, 2 * 3600, totals)) return Report(totals, 1);
        return Report(totals, 0);
    }
    const double days = std::atof(first.c_str());
    std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000;
    while (totals.days < days)
        if (!RunSeed(seed++, 12 * 3600, totals)) return Report(totals, 1);
    return Report(totals, 0);
}
