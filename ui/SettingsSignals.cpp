#include "ui/SettingsSignals.h"

TSettingsSignals::TSettingsSignals(QObject* parent)
    : QObject(parent), Listener(TSettings().Listen([this](const std::string& key) {
          emit changed(QString::fromStdString(key));
      })) {}
