#pragma once

#include "Registry.h"

namespace qb {

// The desktops this program runs on keep no registry of the kind it asks: every key is missing.
class SystemRegistry final : public Registry {
public:
    std::optional<RegistryKey> OpenKey(RegistryKey, const QString&, quint32) override {
        return std::nullopt;
    }
    std::optional<RegistryValueInfo> QueryValue(RegistryKey, const QString&, QByteArray&) override {
        return std::nullopt;
    }
    void CloseKey(RegistryKey) override {}
};

} // namespace qb
