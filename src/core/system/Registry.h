#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace qb {

using RegistryKey = quint32;

inline constexpr RegistryKey kLocalMachine = 0x80000002;
// Query value, set value, create sub-key, enumerate sub-keys, notify, create link, read control.
inline constexpr quint32 kKeyAllAccess = 0x2003F;
inline constexpr quint32 kStringValue = 1;
inline constexpr quint32 kDwordValue = 4;

struct RegistryValueInfo {
    quint32 type = 0;
    quint32 size = 0; // bytes written into the buffer
};

// The system's registry of settings, in the shape of its native calls.
class Registry {
public:
    virtual ~Registry() = default;
    // A sub-key of an open key or a root; nullopt when it is missing or access is refused.
    virtual std::optional<RegistryKey> OpenKey(RegistryKey parent, const QString& subKey,
                                               quint32 access) = 0;
    // Copies the named value into the buffer and tells its type and size; nullopt when the
    // value is missing or does not fit the buffer.
    virtual std::optional<RegistryValueInfo> QueryValue(RegistryKey key, const QString& name,
                                                        QByteArray& buffer) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
};

// Reads one value of a key as text: a string as it is, a 32-bit number as "&h" and its bytes in
// hexadecimal, most significant first; any other type leaves `keyVal` unchanged. False, and
// `keyVal` empty, when the key or the value cannot be read.
bool GetKeyValue(Registry& registry, RegistryKey keyRoot, const QString& keyName,
                 const QString& subKeyRef, QString& keyVal);

} // namespace qb
