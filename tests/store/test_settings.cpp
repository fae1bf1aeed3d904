#include "core/Messages.h"
#include "store/Settings.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A store whose writes fail, as a full disk does.
class TRefusingRegistry : public TMemoryRegistry {
public:
    void Update(const std::function<void(TRegData&)>&) override {
        throw std::runtime_error("disk full");
    }
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Previous = SetRegistryBackend(nullptr);
        Handlers = SetMessageHandlers({[](const std::string&, TMsgKind) {}, {}, {}, {}, {}});
    }
    void TearDown() override {
        SetRegistryBackend(Previous);
        SetMessageHandlers(Handlers);
    }
    std::shared_ptr<TRegistryBackend> Previous;
    TMessageHandlers Handlers;
};

// Told is what one listener heard, in order; another TSettings writes.
TEST_F(SettingsTest, AListenerHearsEachWriteThatChangedAValue) {
    std::vector<std::string> told;
    TSettings settings;
    {
        const TSettingsListener listening =
            settings.Listen([&](const std::string& key) { told.push_back(key); });
        TSettings other;
        other.Set(kBeep, true);
        other.Set(kBeep, true); // the same again
        other.Set(kWavFile, std::string("/a.wav"));
        other.Set(kDfltNotice, 7); // none stored before: a change
        EXPECT_TRUE(settings.Get(kBeep));
    }
    TSettings().Set(kBeep, false); // nobody listens any more
    EXPECT_EQ(told,
              (std::vector<std::string>{"Options/Beep", "Options/WavFile", "Options/DfltNotice"}));
}

TEST_F(SettingsTest, AWriteTheStoreRefusesIsHeardByNobody) {
    SetRegistryBackend(std::make_shared<TRefusingRegistry>());
    TSettings settings;
    int told = 0;
    const TSettingsListener listening = settings.Listen([&](const std::string&) { ++told; });
    settings.Set(kSunStartWeek, true);
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(settings.Get(kSunStartWeek));
}

} // namespace
