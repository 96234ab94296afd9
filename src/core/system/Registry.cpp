#include "Registry.h"

#include "files/Windows1252.h"

namespace qb {
namespace {

constexpr int kValueBufferSize = 1024;

// The value's bytes as the call left them: up to the size it reported, less one final zero.
QByteArray ReturnedBytes(const QByteArray& buffer, quint32 size) {
    QByteArray bytes = buffer.left(int(size));
    if (bytes.endsWith('\0')) {
        bytes.chop(1);
    }
    return bytes;
}

QString HexText(const QByteArray& littleEndian) {
    QString text = QStringLiteral("&h");
    for (auto byte = littleEndian.crbegin(); byte != littleEndian.crend(); ++byte) {
        text += QStringLiteral("%1").arg(uchar(*byte), 2, 16, QChar(u'0')).toUpper();
    }
    return text;
}

} // namespace

bool GetKeyValue(Registry& registry, RegistryKey keyRoot, const QString& keyName,
                 const QString& subKeyRef, QString& keyVal) {
    const std::optional<RegistryKey> key = registry.OpenKey(keyRoot, keyName, kKeyAllAccess);
    if (!key) {
        keyVal.clear();
        return false;
    }
    QByteArray buffer(kValueBufferSize, '\0');
    const std::optional<RegistryValueInfo> info = registry.QueryValue(*key, subKeyRef, buffer);
    if (!info) {
        keyVal.clear();
        registry.CloseKey(*key);
        return false;
    }
    const QByteArray bytes = ReturnedBytes(buffer, info->size);
    if (info->type == kStringValue) {
        keyVal = FromWindows1252(bytes);
    } else if (info->type == kDwordValue) {
        keyVal = HexText(bytes);
    }
    registry.CloseKey(*key);
    return true;
}

} // namespace qb
