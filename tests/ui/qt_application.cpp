#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Widgets need one QApplication for the whole test program.
class QtApplication final : public ::testing::Environment {
    int argc_ = 1;
    char name_[16] = "quorlin_tests";
    char* argv_[2] = {name_, nullptr};
    std::optional<QApplication> app_;

public:
    void SetUp() override { app_.emplace(argc_, argv_); }
    void TearDown() override { app_.reset(); }
};

[[maybe_unused]] ::testing::Environment* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace
