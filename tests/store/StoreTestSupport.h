#pragma once
// Shared set-up for the store tests: a temporary data folder (TICKWELL_HOME),
// a fixed today, and recorded notices with scripted answers.
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "core/Messages.h"
#include "store/Settings.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace storetest {

struct TShown {
    std::string Text;
    TMsgKind Kind;
};

class StoreTest : public ::testing::Test {
protected:
    std::string Dir;
    std::vector<TShown> Shown;
    std::vector<std::string> Asked;
    std::deque<TAnswer> Answers; // taken in order; empty: DefaultAnswer
    TAnswer DefaultAnswer = anCancel;
    TMessageHandlers OldHandlers;

    void SetUp() override {
        char tmpl[] = "/tmp/tickwell-store-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
        setenv("TICKWELL_HOME", Dir.c_str(), 1);
        FixToday(EncodeDate(2024, 6, 15));
        SetFormatSettings(TFormatSettings{});
        SetRegistryBackend(nullptr);
        auto answer = [this](const std::string& q) {
            Asked.push_back(q);
            if (Answers.empty())
                return DefaultAnswer;
            const TAnswer a = Answers.front();
            Answers.pop_front();
            return a;
        };
        OldHandlers = SetMessageHandlers({[this](const std::string& t, TMsgKind k) {
                                              Shown.push_back({t, k});
                                          },
                                          answer, answer, [] {}, [] {}});
    }

    void TearDown() override {
        SetMessageHandlers(OldHandlers);
        SetClockSource({});
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }

    std::string Path(const std::string& name) const { return Dir + "/" + name; }

    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> t;
        for (const auto& s : Shown)
            t.push_back(s.Text);
        return t;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // Files in the test folder, to see that no temporary is left behind.
    std::vector<std::string> FilesIn(const std::string& dir) const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// A message's first line: what failed (the second says why and where).
inline std::string WhatFailed(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

inline TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

struct TRecSpec {
    std::string Description = "Event";
    TDateTime Start = D(2024, 6, 20);
    bool Simple = true;
    uint8_t Type = 0;
    int16_t Interval = 1;
    TDateTime End = 0; // 0: Start for once only, Start + 100 years otherwise
    int16_t Notice = 7;
    bool Keep = false;
    int16_t Rank = 0;
    int16_t Weekday = 0;
    TDateTime Ack = 0;
};

TTickwellItem* MakeEvent(const TRecSpec& s);
// A once-only event that ended before today (and is not kept): expired.
TTickwellItem* ExpiredEvent(const std::string& desc);
// A repeating event that goes on after today.
TTickwellItem* CurrentEvent(const std::string& desc);
// Runs `write` with files limited to `bytes`, as on a disk that fills.
void WithFileSizeLimit(size_t bytes, const std::function<void()>& write);
// One record laid out by hand, independently of PackRecord.
std::string RawRecord(const std::string& descBytes, uint8_t type, int16_t rank, int16_t weekday,
                      int16_t interval, double start, double end, int16_t notice, uint8_t simple,
                      uint8_t keep, uint8_t noEnd, double ack);

} // namespace storetest
