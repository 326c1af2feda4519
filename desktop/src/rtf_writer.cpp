// SPDX-License-Identifier: Apache-2.0
#include "rtf_writer.hpp"

#include <algorithm>

namespace Kelbrin::Barwright {

namespace {

void appendEscaped(QByteArray& out, const QString& text)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += "\\par\n";
        } else if (c == u'\r') {
            continue;  // "\r\n" is one line break
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            continue;  // other control characters have no RTF text form
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x100) {
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(c)) + '?';
        }
    }
}

// Characters in the longest line of `text`.
qsizetype longestLine(const QString& text)
{
    qsizetype longest = 0;
    qsizetype current = 0;
    for (const QChar c : text) {
        if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            current = 0;
        else if (c != u'\r')
            longest = std::max(longest, ++current);
    }
    return longest;
}

}  // namespace

QByteArray rtfDocument(const QString& faceName, int halfPoints, const QString& text)
{
    QByteArray out;
    out.reserve(128 + text.size() * 2);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 ";
    appendEscaped(out, faceName);
    // LibreOffice Writer lays a line out in runs of at most (line width) / (font height / 8)
    // characters and prints each run at its own position; as the glyph advances in its PDF are
    // rounded down, a second run starts a module or more off the first. A negative right
    // indent of the longest line's length at that rate makes the line wide enough for one run,
    // whatever the page's margins.
    const qint64 rightIndent = (longestLine(text) * halfPoints * 10 + 7) / 8;
    out += ";}}\n\\pard\\plain\\ri-" + QByteArray::number(rightIndent);
    out += "\\f0\\fs" + QByteArray::number(halfPoints) + ' ';
    appendEscaped(out, text);
    out += "\\par\n}\n";
    return out;
}

}  // namespace Kelbrin::Barwright
