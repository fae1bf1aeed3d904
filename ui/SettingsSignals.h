#pragma once
// The settings' change notices as a Qt signal, for a window that follows the
// options it uses. Made as the window's child, it stops listening with it.
#include "store/Settings.h"
#include <QObject>
#include <QString>

class TSettingsSignals : public QObject {
    Q_OBJECT
public:
    explicit TSettingsSignals(QObject* parent);

    template <class TSetting> static bool Is(const QString& key, const TSetting& s) {
        return key == QString::fromStdString(SettingKey(s));
    }

signals:
    // After a write changed the setting of that key ("Options/Beep").
    void changed(const QString& key);

private:
    TSettingsListener Listener;
};
