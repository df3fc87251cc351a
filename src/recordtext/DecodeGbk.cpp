#include "DecodeGbk.h"

#include "TextCodePage.h"

#include <QStringDecoder>

QString DecodeGbk(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    // Opening the converter costs more than decoding a player name; every text here is whole, so
    // one decoder that keeps no state between calls serves them all.
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString DecodeGbk(const std::string& bytes) { return DecodeGbk(std::string_view(bytes)); }

QString DecodeGbk(const Mgx::GbkText& text) { return text ? DecodeGbk(std::string_view(*text)) : QString(); }

QString DecodeRecordText(std::string_view bytes, std::uint16_t codePage)
{
    if (codePage == Mgx::CodePage::Gbk)
        return DecodeGbk(bytes);
    bytes = bytes.substr(0, bytes.find('\0'));
    QStringDecoder decoder(Mgx::CodePageName(codePage), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return DecodeGbk(bytes);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString DecodeRecordText(const std::string& bytes, std::uint16_t codePage)
{
    return DecodeRecordText(std::string_view(bytes), codePage);
}

QString DecodeRecordText(const Mgx::GbkText& text, std::uint16_t codePage)
{
    return text ? DecodeRecordText(std::string_view(*text), codePage) : QString();
}

QString DecodeChatLine(const Mgx::ChatInGame& line, std::uint16_t codePage)
{
    return DecodeChatLine(line, codePage, codePage);
}

QString DecodeChatLine(const Mgx::ChatInGame& line, std::uint16_t codePage, std::uint16_t nameCodePage)
{
    const bool allGbk = codePage == Mgx::CodePage::Gbk && nameCodePage == Mgx::CodePage::Gbk;
    if (allGbk || line.composedTail == 0 || line.composedTail > line.text.size())
        return DecodeRecordText(std::string_view(line.text), codePage);
    const std::string_view text(line.text);
    const std::size_t split = text.size() - line.composedTail;
    return DecodeRecordText(text.substr(0, split), nameCodePage) + DecodeGbk(text.substr(split));
}
