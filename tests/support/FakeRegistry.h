#pragma once

#include "system/Registry.h"

#include <QMap>
#include <algorithm>

namespace qb {

// A registry held in memory, under the local-machine root only. Key names match without regard
// to case, as the system's do; a value larger than the caller's buffer is refused, as the
// system refuses it. It records the access asked for and which keys are still open.
class FakeRegistry final : public Registry {
public:
    struct Value {
        quint32 type = kStringValue;
        QByteArray bytes;
    };

    void Set(const QString& key, const QString& name, Value value) {
        keys_[key.toLower()][name.toLower()] = std::move(value);
    }

    std::optional<RegistryKey> OpenKey(RegistryKey parent, const QString& subKey,
                                       quint32 access) override {
        requestedAccess.append(access);
        if (parent != kLocalMachine || !keys_.contains(subKey.toLower())) {
            return std::nullopt;
        }
        const RegistryKey handle = nextHandle_++;
        open_.insert(handle, subKey.toLower());
        return handle;
    }

    std::optional<RegistryValueInfo> QueryValue(RegistryKey key, const QString& name,
                                                QByteArray& buffer) override {
        const auto values = keys_.value(open_.value(key));
        const auto value = values.find(name.toLower());
        if (!open_.contains(key) || value == values.end() || value->bytes.size() > buffer.size()) {
            return std::nullopt;
        }
        std::copy(value->bytes.begin(), value->bytes.end(), buffer.begin());
        return RegistryValueInfo{value->type, quint32(value->bytes.size())};
    }

    void CloseKey(RegistryKey key) override { open_.remove(key); }

    int openKeys() const { return int(open_.size()); }
    QList<quint32> requestedAccess;

private:
    QMap<QString, QMap<QString, Value>> keys_;
    QMap<RegistryKey, QString> open_;
    RegistryKey nextHandle_ = 0x100;
};

} // namespace qb
