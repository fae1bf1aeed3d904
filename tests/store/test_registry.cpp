#include "core/Messages.h"
#include "store/RegFileFormat.h"
#include "store/Registry.h"
#include "store/SettingsSchema.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Memory = std::make_shared<TMemoryRegistry>();
        Previous = SetRegistryBackend(Memory);
        auto told = [this](const std::string& t, TMsgKind k) { Notices.emplace_back(t, k); };
        PreviousHandlers = SetMessageHandlers({told, {}, {}, {}, {}});
    }
    void TearDown() override {
        SetRegistryBackend(Previous);
        SetMessageHandlers(PreviousHandlers);
    }
    // A fresh registry holding what the settings file says under Options.
    void UseFile(const std::string& values) {
        TRegData data;
        std::vector<TRegFileSkip> skipped;
        std::string error;
        ASSERT_TRUE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(kRegistryRoot) +
                                     "\\Options]\n" + values,
                                 data, skipped, error))
            << error;
        ASSERT_TRUE(skipped.empty()) << skipped[0].Why;
        Memory = std::make_shared<TMemoryRegistry>(data);
        SetRegistryBackend(Memory);
    }
    // A value as stored, by full key path.
    TRegValue Stored(const std::string& key, const std::string& name) {
        const TRegData data = Memory->Load();
        const TRegValue* v = data.Find(key, name);
        EXPECT_NE(v, nullptr) << key << " / " << name;
        return v ? *v : TRegValue();
    }
    void Put(const std::string& key, const std::string& name, TRegValue v) {
        Memory->Update([&](TRegData& d) { d.Set(key, name, v); });
    }

    std::shared_ptr<TMemoryRegistry> Memory;
    std::shared_ptr<TRegistryBackend> Previous;
    TMessageHandlers PreviousHandlers;
    std::vector<std::pair<std::string, TMsgKind>> Notices;
};

// A store that can be read but not written, as on a full disk.
class TUnwritable : public TMemoryRegistry {
public:
    bool Full = true;
    void Update(const std::function<void(TRegData&)>& change) override {
        if (Full)
            throw TTickwellError("Unable to save the settings to /home/ann/registry.reg: No "
                                 "space left on device");
        TMemoryRegistry::Update(change);
    }
    std::string Where() const override { return "/home/ann/registry.reg"; }
};

const std::string kOptions = std::string(kRegistryRoot) + "\\Options";

TEST_F(RegistryTest, TypedStyleStoresEachKindAsItsRegistryType) {
    TWinRegistry reg;
    reg.WriteInteger("Options", "MainWindow", -2);
    reg.WriteBool("Options", "Beep", true);
    reg.WriteFloat("QuickMode", "LastRun", 44848);
    EXPECT_EQ(Stored(kOptions, "MainWindow"), TRegValue::Number(0xFFFFFFFEu));
    EXPECT_EQ(Stored(kOptions, "Beep"), TRegValue::Number(1));
    // Little-endian IEEE double, as in the files the format comes from.
    EXPECT_EQ(Stored(std::string(kRegistryRoot) + "\\QuickMode", "LastRun"),
              TRegValue::Binary({0x00, 0x00, 0x00, 0x00, 0x00, 0xe6, 0xe5, 0x40}));
    Put(kOptions, "Beep", TRegValue::Number(5));
    EXPECT_TRUE(TWinRegistry().ReadBool("Options", "Beep", false)) << "any non-zero number";
}

TEST_F(RegistryTest, EachReadTakesEveryFormOfItsKindAndGivesTheDefaultForAnyOther) {
    struct {
        const char* Stored;
        char Read;            // Number, Text, Date
        const char* Expected; // the defaults: "7", "dflt", "1.5"
    } cases[] = {
        {"hex(5):00,00,00,0e", 'N', "14"},
        {"hex(4):fe,ff,ff,ff", 'N', "-2"},
        {"hex(4):0e,00", 'N', "7"},
        {"\"14\"", 'N', "7"},
        {"hex(1):2f,6d,65,64,69,61,00", 'T', "/media"},
        {"hex(2):2f,6d", 'T', "/m"},
        {"hex(1):2f,00,6d,00,00,00", 'T', "/m"},               // UTF-16LE
        {"hex(1):3d,d8,00,de,00,00", 'T', "\xF0\x9F\x98\x80"}, // a surrogate pair
        {"hex(1):00,d8,00,00", 'T', "dflt"},                   // a lone one
        {"hex(1):e9,74,e9,00", 'T', "\xC3\xA9t\xC3\xA9"},      // Windows-1252
        {"hex(1):c3,a9,00", 'T', "\xC3\xA9"},                  // UTF-8
        {"dword:00000001", 'T', "dflt"},
        {"hex(3):00,00,00,00,00,e6,e5,40", 'D', "44848"},
        {"hex:01,02,03,04", 'D', "1.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        UseFile(std::string("\"V\"=") + c.Stored + "\n");
        Notices.clear();
        const TWinRegistry reg;
        const auto read = [&] {
            std::ostringstream out;
            if (c.Read == 'N')
                out << reg.ReadInteger("Options", "V", 7);
            else if (c.Read == 'T')
                out << reg.ReadString("Options", "V", "dflt");
            else
                out << reg.ReadFloat("Options", "V", 1.5);
            return out.str();
        };
        read(); // a second read tells nothing new
        const std::string got = read();
        EXPECT_EQ(got, c.Expected);
        const bool fellBack = got == "7" || got == "dflt" || got == "1.5";
        ASSERT_EQ(Notices.size(), fellBack ? 1u : 0u) << "told once, and only about a default";
        EXPECT_TRUE(!fellBack || Notices[0].first.find("\"V\" of [HKEY_CURRENT_USER\\" + kOptions +
                                                       "]") != std::string::npos);
    }
}

TEST_F(RegistryTest, AStoreThatCannotBeReadOrWrittenIsToldOnceAndNeverThrows) {
    class TUnreadable : public TMemoryRegistry {
    public:
        TRegData Load() override { throw TTickwellError("Unable to read /x: Permission denied"); }
    };
    SetRegistryBackend(std::make_shared<TUnreadable>());
    EXPECT_EQ(ReadSetting(kDfltNotice), 7);
    EXPECT_EQ(ReadSetting(kMainWindow), 0);
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].first,
              "Unable to read /x: Permission denied\nTickwell goes on with the default settings.");

    auto store = std::make_shared<TUnwritable>();
    SetRegistryBackend(store);
    Notices.clear();
    TWinRegistry main;
    EXPECT_NO_THROW(WriteSetting(main, kFormsHm, 500));
    EXPECT_EQ(ReadSetting(main, kFormsHm), 500) << "the open key keeps what it was given";
    EXPECT_NO_THROW(TRegIniFile(kDueListKey).WriteInteger("Sort", "SortCol", 2));
    EXPECT_NO_THROW(main.DeleteValue("Forms", "hm"));
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].first,
              "Unable to save the settings to /home/ann/registry.reg: No space left on device\n"
              "The settings file is left as it was.");
    EXPECT_TRUE(store->Load().Empty());
    // Once saving works again, the next failure is a new one.
    store->Full = false;
    WriteSetting(kFormsHm, 1);
    store->Full = true;
    WriteSetting(kFormsHm, 2);
    EXPECT_EQ(Notices.size(), 2u);
}

TEST_F(RegistryTest, AnOpenKeySeesItsOwnWritesAndLaterOpensSeeEveryWrite) {
    TWinRegistry first;
    TWinRegistry second;
    first.WriteInteger("Forms", "hm", 100);
    second.WriteInteger("Forms", "wm", 200);
    EXPECT_EQ(first.ReadInteger("Forms", "hm", 0), 100);
    const TWinRegistry later;
    EXPECT_EQ(later.ReadInteger("Forms", "hm", 0), 100);
    EXPECT_EQ(later.ReadInteger("Forms", "wm", 0), 200) << "neither write was lost";
}

TEST_F(RegistryTest, AllTextStyleKeepsEverythingAsText) {
    TRegIniFile ini(kDueListKey);
    ini.WriteInteger("Sort", "SortCol", 12);
    ini.WriteBool("Sort", "Ascending", false);
    const std::string sort = std::string(kDueListKey) + "\\Sort";
    EXPECT_EQ(Stored(sort, "SortCol"), TRegValue::String("12"));
    EXPECT_EQ(Stored(sort, "Ascending"), TRegValue::String("0"));

    // Numbers stored by the typed style are read too; bytes are not.
    const std::pair<TRegValue, std::int32_t> values[] = {
        {TRegValue::String("-3"), -3},          {TRegValue::String("0XfF"), 255},
        {TRegValue::String("0xFFFFFFFF"), -1},  {TRegValue::String(""), 99},
        {TRegValue::String("12 "), 99},         {TRegValue::String("0x"), 99},
        {TRegValue::String("99999999999"), 99}, {TRegValue::Number(7), 7},
        {TRegValue::Binary({1}), 99},           {TRegValue::Raw(rtString, {'4', 0}), 4}};
    for (const auto& [value, expected] : values) {
        Put(sort, "SortCol", value);
        EXPECT_EQ(TRegIniFile(kDueListKey).ReadInteger("Sort", "SortCol", 99), expected);
    }
    Put(sort, "Ascending", TRegValue::String("1"));
    EXPECT_TRUE(TRegIniFile(kDueListKey).ReadBool("Sort", "Ascending", false));
}

TEST_F(RegistryTest, ListViewSettingsRoundTrip) {
    const TListViewSettings s{
        .Sizes = {200, 80, 75}, .Order = {2, 0, 1}, .Ascending = false, .SortCol = 2};
    WriteListViewSettings(kMainListKey, s);
    EXPECT_EQ(Stored(std::string(kMainListKey) + "\\Columns", "Sizes"),
              TRegValue::String("200,80,75"));
    const TListViewSettings back = ReadListViewSettings(kMainListKey);
    EXPECT_TRUE(back.Sizes == s.Sizes && back.Order == s.Order && !back.Ascending &&
                back.SortCol == 2);
}

} // namespace
