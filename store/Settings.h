#pragma once
// The program's settings as one object: each value read and written through
// its descriptor (store/SettingsSchema.h) in the settings store, and a notice
// to those who listen once a write has changed a value, so that a window
// follows the options it uses without whoever changed them knowing it.
//
// Every TSettings is a view of the store in place (RegistryBackend(), the
// one process-wide store there is): the listeners are kept with the store,
// so one made anywhere hears what any other writes.
#include "store/SettingsSchema.h"
#include <functional>
#include <memory>
#include <string>

// A setting's name in the notices: "Options/Beep".
template <class TSetting> std::string SettingKey(const TSetting& s) {
    return std::string(s.Section) + "/" + s.Name;
}

// Listening ends when this goes.
class TSettingsListener {
public:
    TSettingsListener() = default;
    TSettingsListener(std::shared_ptr<TRegistryBackend> store, int id)
        : Store(std::move(store)), Id(id) {}
    TSettingsListener(TSettingsListener&& other) noexcept;
    TSettingsListener& operator=(TSettingsListener&& other) noexcept;
    ~TSettingsListener();

private:
    std::shared_ptr<TRegistryBackend> Store;
    int Id = 0;
};

class TSettings {
public:
    TSettings() : Store(RegistryBackend()) {}

    bool Get(const TBoolSetting& s) const { return ReadSetting(s); }
    std::int32_t Get(const TIntSetting& s) const { return ReadSetting(s); }
    std::uint32_t Get(const TColorSetting& s) const { return ReadSetting(s); }
    std::string Get(const TStringSetting& s) const { return ReadSetting(s); }
    std::string Get(const TFolderSetting& s, const std::string& def) const;

    // Written at once; when the stored value was another (or none), every
    // listener is told the key afterwards. A write the store refuses is told
    // to the user by the store and changes nothing, so nobody hears of it.
    void Set(const TBoolSetting& s, bool value);
    void Set(const TIntSetting& s, std::int32_t value);
    void Set(const TColorSetting& s, std::uint32_t value);
    void Set(const TStringSetting& s, const std::string& value);
    void Set(const TFolderSetting& s, const std::string& value);

    [[nodiscard]] TSettingsListener Listen(std::function<void(const std::string& key)> listener);

private:
    std::shared_ptr<TRegistryBackend> Store;
};
