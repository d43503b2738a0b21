#include "sim_environment.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace delist {

namespace {

class SimEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        sim_ = std::make_unique<sim::MarketSim>();
        sim_->export_environment();
    }
    void TearDown() override { sim_.reset(); }
    sim::MarketSim& sim() { return *sim_; }

  private:
    std::unique_ptr<sim::MarketSim> sim_;
};

SimEnvironment* const environment =
    static_cast<SimEnvironment*>(::testing::AddGlobalTestEnvironment(new SimEnvironment));

}  // namespace

sim::MarketSim& test_sim() {
    return environment->sim();
}

}  // namespace delist
