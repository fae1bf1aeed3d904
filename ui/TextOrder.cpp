#include "ui/TextOrder.h"
#include "core/ParallelChunks.h"
#include <QLocale>
#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <unicode/ucol.h>
#include <unicode/uiter.h>
#include <unicode/uvernum.h>

namespace {

// Enough bytes of a key to tell most texts apart: some eight letters.
constexpr int32_t kHeadBytes = 16;
constexpr size_t kKeyChunk = 4096;

struct TCloseCollator {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using TCollator = std::unique_ptr<UCollator, TCloseCollator>;

// The collator QCollator makes by default for the collation language of the
// default locale; none for the C locale, where QCollator compares the
// characters' codes.
TCollator OpenCollator() {
    const QLocale locale = QLocale().collation();
    if (locale.language() == QLocale::C)
        return nullptr;
    const QByteArray name =
        locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    TCollator c(ucol_open(name.constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    ucol_setAttribute(c.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(c.get(), UCOL_STRENGTH, UCOL_DEFAULT_STRENGTH, &status);
    ucol_setAttribute(c.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(c.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    if (U_FAILURE(status))
        return nullptr;
    return c;
}

// A collator for one thread.
TCollator CloneOf(const UCollator* c) {
    UErrorCode status = U_ZERO_ERROR;
#if U_ICU_VERSION_MAJOR_NUM >= 71
    TCollator clone(ucol_clone(c, &status));
#else
    TCollator clone(ucol_safeClone(c, nullptr, nullptr, &status));
#endif
    return U_SUCCESS(status) ? std::move(clone) : nullptr;
}

// The next up to `count` bytes of the text's key; fewer once the key ends.
// A key holds no zero byte, so zeros after its end order a shorter key
// first, as its terminating zero does.
int32_t KeyPart(const UCollator* c, std::string_view text, uint32_t state[2], uint8_t* out,
                int32_t count) {
    UCharIterator it;
    uiter_setUTF8(&it, text.data(), static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucol_nextSortKeyPart(c, &it, state, out, count, &status);
    return U_FAILURE(status) ? 0 : n;
}

std::vector<uint8_t> WholeKey(const UCollator* c, std::string_view text) {
    std::vector<uint8_t> key;
    uint32_t state[2] = {0, 0};
    uint8_t part[64];
    for (int32_t n; (n = KeyPart(c, text, state, part, sizeof part)) > 0;) {
        key.insert(key.end(), part, part + n);
        if (n < static_cast<int32_t>(sizeof part))
            break;
    }
    return key;
}

struct TEntry {
    std::array<uint8_t, kHeadBytes> Head{};
    uint32_t Pos = 0;
};

// Entries [begin, end) share a head that the key goes on past: ordered by
// their whole keys.
void SortByWholeKeys(const UCollator* c, const std::vector<std::string_view>& texts, TEntry* begin,
                     TEntry* end, bool descending) {
    std::vector<std::pair<std::vector<uint8_t>, uint32_t>> keyed;
    keyed.reserve(static_cast<size_t>(end - begin));
    for (TEntry* e = begin; e != end; ++e)
        keyed.emplace_back(WholeKey(c, texts[e->Pos]), e->Pos);
    std::sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        if (a.first != b.first)
            return descending ? b.first < a.first : a.first < b.first;
        return a.second < b.second;
    });
    for (const auto& k : keyed)
        (begin++)->Pos = k.second;
}

} // namespace

std::vector<uint32_t> OrderOfTexts(const std::vector<std::string_view>& texts, bool descending) {
    std::vector<uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), uint32_t{0});
    const TCollator collator = OpenCollator();
    if (!collator) {
        std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
            return descending ? texts[b] < texts[a] : texts[a] < texts[b];
        });
        return order;
    }
    std::vector<TEntry> entries(texts.size());
    InChunks(texts.size(), kKeyChunk, [&](size_t begin, size_t end) {
        const TCollator own = CloneOf(collator.get());
        const UCollator* c = own ? own.get() : collator.get();
        for (size_t i = begin; i < end; ++i) {
            entries[i].Pos = static_cast<uint32_t>(i);
            uint32_t state[2] = {0, 0};
            KeyPart(c, texts[i], state, entries[i].Head.data(), kHeadBytes);
        }
    });
    std::sort(entries.begin(), entries.end(), [descending](const TEntry& a, const TEntry& b) {
        if (a.Head != b.Head)
            return descending ? b.Head < a.Head : a.Head < b.Head;
        return a.Pos < b.Pos;
    });
    for (size_t i = 0; i < entries.size();) {
        size_t j = i + 1;
        while (j < entries.size() && entries[j].Head == entries[i].Head)
            ++j;
        if (j - i > 1 && entries[i].Head.back() != 0)
            SortByWholeKeys(collator.get(), texts, &entries[i], &entries[j], descending);
        i = j;
    }
    for (size_t i = 0; i < entries.size(); ++i)
        order[i] = entries[i].Pos;
    return order;
}
