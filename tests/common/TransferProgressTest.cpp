// Progress as data: the time left is the pace so far applied to what is left, on the
// caller's clock, and a new phase starts the clock again.
#include "common/TransferProgress.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TransferProgress at(const char* phase, int done, int total = 100) {
    TransferProgress progress;
    progress.phase = QLatin1String(phase);
    progress.done = done;
    progress.total = total;
    return progress;
}

TEST(TransferProgressTest, EstimatesFromThePaceAndRestartsWithEachPhase) {
    // Phase, done, total, the clock (ms); the time elapsed and left (ms) that it gives.
    const std::tuple<const char*, int, int, qint64, qint64, qint64> steps[] = {
        {"In UPLOAD", 0, 1000, 5000, 0, -1},         // nothing done: no estimate yet
        {"In UPLOAD", 100, 1000, 7000, 2000, 18000}, // 100 in 2 s: 900 more in 18 s
        {"In UPLOAD", 500, 1000, 10000, 5000, 5000},
        {"In UPLOAD", 1000, 1000, 15000, 10000, 0},
        {"In verification", 0, 1000, 15000, 0, -1}, // another phase: the clock starts again
        {"In verification", 250, 1000, 16000, 1000, 3000},
        {"In verification", 0, 1000, 17000, 0, -1}, // the count was cleared
        {"In verification", 10, 20, 18000, 0, 0},   // another total
        {"In verification", 15, 20, 18500, 500, 166},
    };
    ProgressEstimate estimate;
    for (const auto& [phase, done, total, nowMs, elapsedMs, remainingMs] : steps) {
        const TransferProgress stamped = estimate.stamp(at(phase, done, total), nowMs);
        EXPECT_EQ(std::tuple(stamped.elapsedMs, stamped.remainingMs, stamped.done),
                  std::tuple(elapsedMs, remainingMs, done))
            << phase << ' ' << done;
    }
}

TEST(TransferProgressTest, PercentStaysWithinTheBarAndNeedsAPhaseAndATotal) {
    // The last case would overflow a plain product.
    // clang-format off
    const std::tuple<int, int, int> cases[] = {{0, 100, 0}, {999, 1000, 99}, {1000, 1000, 100},
        {1200, 1000, 100}, {-3, 100, 0}, {5, 0, 0}, {2'000'000'000, 2'100'000'000, 95}};
    // clang-format on
    for (const auto& [done, total, percent] : cases)
        EXPECT_EQ(at("p", done, total).percent(), percent) << done << "/" << total;
    EXPECT_EQ(std::tuple(at("p", 0).started(), at("", 5).started(), at("p", 0, 0).started()),
              std::tuple(true, false, false));
}

TEST(TransferProgressTest, DurationsToTheNearestSecond) {
    const std::pair<qint64, const char*> cases[] = {
        {-5, "0:00"},         {0, "0:00"},          {499, "0:00"},          {500, "0:01"},
        {59499, "0:59"},      {59500, "1:00"},      {201600, "3:22"},       {3599499, "59:59"},
        {3600000, "1:00:00"}, {3723000, "1:02:03"}, {36000000, "10:00:00"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(FormatDuration(ms), QLatin1String(text)) << ms;
}

} // namespace
