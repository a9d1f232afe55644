#include "TinyHash.h"

#include <QCryptographicHash>
#include <algorithm>

namespace TinyHash {

Digest StringMD5(std::string_view text) {
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(text.data(), static_cast<qsizetype>(text.size())), QCryptographicHash::Md5);
    Digest digest{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(hash.constData()), digest.size(),
                digest.begin());
    return digest;
}

bool SameDigest(const Digest& a, const Digest& b) {
    return a == b;
}

}  // namespace TinyHash
