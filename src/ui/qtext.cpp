#include "ui/qtext.h"

#include <QDir>

namespace ui {

QString trimControl(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

#ifdef _WIN32

QString toQtPath(const std::filesystem::path &path)
{
    return QDir::toNativeSeparators(QString::fromStdWString(path.native()));
}

std::filesystem::path fromQtPath(const QString &text) { return std::filesystem::path(text.toStdWString()); }

#else

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at `p`, or 0 when it is not one.
std::size_t validSequence(const unsigned char *p, std::size_t left)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t low = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        low = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    char32_t code = b & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[k] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not valid.
    if (code < low || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

QString toQtPath(const std::filesystem::path &path)
{
    const std::string &bytes = path.native();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
    QString out;
    out.reserve(static_cast<qsizetype>(size));
    std::size_t k = 0;
    while (k < size) {
        const std::size_t length = validSequence(p + k, size - k);
        if (length == 0) {
            out.append(QChar(static_cast<char16_t>(kEscapeBase + p[k])));
            ++k;
            continue;
        }
        out.append(QString::fromUtf8(reinterpret_cast<const char *>(p + k), static_cast<qsizetype>(length)));
        k += length;
    }
    return out;
}

std::filesystem::path fromQtPath(const QString &text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    qsizetype start = 0;
    auto flush = [&](qsizetype end) {
        if (end > start) {
            const QByteArray utf8 = text.mid(start, end - start).toUtf8();
            bytes.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        }
    };
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text.at(k).unicode();
        const bool highBefore = k > 0 && text.at(k - 1).isHighSurrogate();
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF && !highBefore) {
            flush(k);
            bytes.push_back(static_cast<char>(c - kEscapeBase));
            start = k + 1;
        }
    }
    flush(text.size());
    return std::filesystem::path(bytes);
}

#endif

} // namespace ui
