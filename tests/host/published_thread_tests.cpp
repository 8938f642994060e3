// Two writers and a reader at once: the reader only ever sees whole values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "realtime/published.h"

namespace {

struct Coefficients {
    double c[6];
};

Coefficients make(double v) {
    Coefficients k{};
    for (double& x : k.c) x = v;
    return k;
}

TEST(PublishedThreads, NoTornValues) {
    Published<Coefficients> p(make(0));
    std::atomic<bool> stop{false};
    auto writer = [&](double base) {
        for (int i = 0; i < 20000; ++i) p.publish(make(base + i));
    };
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const Coefficients& k = p.current();
            for (double x : k.c)
                if (x != k.c[0]) torn.fetch_add(1);
        }
    });
    std::thread w1(writer, 1e6), w2(writer, 2e6);
    w1.join();
    w2.join();
    stop = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
}

}  // namespace
