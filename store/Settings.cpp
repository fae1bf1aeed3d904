#include "store/Settings.h"

#include <optional>
#include <utility>

namespace {

std::optional<TRegValue> Stored(TRegistryBackend& store, const char* section, const char* name) {
    try {
        const TRegData data = store.Load();
        if (const TRegValue* v = data.Find(std::string(kRegistryRoot) + "\\" + section, name))
            return *v;
    } catch (const std::exception&) {
        // A store that cannot be read has been told about by the write.
    }
    return std::nullopt;
}

template <class TSetting, class TValue>
void Change(TRegistryBackend& store, const TSetting& s, const TValue& value) {
    const std::optional<TRegValue> before = Stored(store, s.Section, s.Name);
    WriteSetting(s, value);
    if (Stored(store, s.Section, s.Name) != before)
        store.TellChanged(SettingKey(s));
}

} // namespace

TSettingsListener::TSettingsListener(TSettingsListener&& other) noexcept
    : Store(std::move(other.Store)), Id(std::exchange(other.Id, 0)) {}

TSettingsListener& TSettingsListener::operator=(TSettingsListener&& other) noexcept {
    if (this != &other) {
        if (Store)
            Store->StopListening(Id);
        Store = std::move(other.Store);
        Id = std::exchange(other.Id, 0);
    }
    return *this;
}

TSettingsListener::~TSettingsListener() {
    if (Store)
        Store->StopListening(Id);
}

std::string TSettings::Get(const TFolderSetting& s, const std::string& def) const {
    return ReadSetting(TWinRegistry(), s, def);
}

void TSettings::Set(const TBoolSetting& s, bool value) {
    Change(*Store, s, value);
}

void TSettings::Set(const TIntSetting& s, std::int32_t value) {
    Change(*Store, s, value);
}

void TSettings::Set(const TColorSetting& s, std::uint32_t value) {
    Change(*Store, s, value);
}

void TSettings::Set(const TStringSetting& s, const std::string& value) {
    Change(*Store, s, value);
}

void TSettings::Set(const TFolderSetting& s, const std::string& value) {
    Change(*Store, s, value);
}

TSettingsListener TSettings::Listen(std::function<void(const std::string& key)> listener) {
    return {Store, Store->Listen(std::move(listener))};
}
