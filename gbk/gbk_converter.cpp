#include "gbk_converter.h"

#include <QString>
#include <QStringEncoder>

namespace {

QStringEncoder GbkEncoder() {
    return QStringEncoder("GBK", QStringConverter::Flag::Stateless);
}

// Which character failed: the converter only tells that one did.
std::optional<char32_t> FirstUnencodable(const QString &text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder encoder = GbkEncoder();
        // The conversion runs when the result becomes a QByteArray.
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, length));
        if (encoder.hasError()) {
            return length == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : static_cast<char32_t>(text.at(i).unicode());
        }
        i += length;
    }
    return std::nullopt;
}

} // namespace

GbkText EncodeGbk(std::string_view utf8) {
    GbkText result;
    QStringEncoder encoder = GbkEncoder();
    if (!encoder.isValid()) {
        return result;
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        result.unencodable = FirstUnencodable(text);
        return result;
    }
    result.ok = true;
    result.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return result;
}
