// The window against one in-process market-sim: started before the window's settings are first
// read, with a small latency so that reads take long enough to be watched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "e2e_sim.hpp"

namespace delist {

sim::MarketSim& e2e_sim() {
    static sim::MarketSim sim([] {
        sim::MarketSimOptions options;
        options.latency_ms = 5;
        return options;
    }());
    return sim;
}

}  // namespace delist

int main(int argc, char** argv) {
    delist::e2e_sim().export_environment();
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
