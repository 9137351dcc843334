#include "info/Mail.h"

#include <algorithm>
#include <cstring>

#include "puzzle/Win1252.h"

namespace qw {

namespace {

bool KeptAsIs(unsigned char ch)
{
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) return true;
    return ch != 0 && std::strchr("-._~!$'()*,;:@", ch) != nullptr;
}

void AppendEncoded(std::string& out, std::string_view ansiText)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char byte : Win1252ToUtf8(ansiText)) {
        if (KeptAsIs(byte)) {
            out += static_cast<char>(byte);
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
}

const char* const kLineBreak = "%0D%0A";

std::string ReportSubject(const std::string& fileName) { return "[QWB] " + fileName; }

}  // namespace

std::string MailtoEncode(std::string_view ansiText)
{
    std::string out;
    out.reserve(ansiText.size());
    AppendEncoded(out, ansiText);
    return out;
}

std::string AuthorMailSubject(const std::vector<std::string>& headerSections, const std::string& caption)
{
    if (headerSections.size() >= 2) return headerSections[1];
    if (headerSections.size() == 1) return headerSections[0];
    return caption;
}

std::string AuthorMailUrl(const std::string& authorAddress, const std::vector<std::string>& headerSections,
                          const std::string& caption)
{
    return "mailto:" + MailtoEncode(authorAddress) + "?Subject=" +
           MailtoEncode(AuthorMailSubject(headerSections, caption));
}

std::vector<std::string> HeaderSections(const std::string (&headerStrings)[3])
{
    std::vector<std::string> sections;
    for (const std::string& header : headerStrings)
        if (!header.empty()) sections.push_back(header);
    return sections;
}

bool IsValidAddress(const std::string& address)
{
    return std::count(address.begin(), address.end(), '@') == 1 && address.find('.') != std::string::npos;
}

std::string ConstructorReportUrl(const std::string& address, const std::string& fileName, int publishIndex,
                                 int rating, const std::vector<std::string>& commentLines)
{
    static const char* const kPublishTexts[] = {"Publication not recommended",
                                                "Publication recommended, subject to comments below",
                                                "Publication recommended"};
    const std::string publish =
        publishIndex >= 0 && publishIndex <= 2 ? kPublishTexts[publishIndex] : std::string();
    const std::string ratingText =
        rating == 0 ? std::string("Not rated for difficulty") : "Difficulty rating: " + std::to_string(rating);

    std::string url = "mailto:" + MailtoEncode(address) + "?Subject=" + MailtoEncode(ReportSubject(fileName)) +
                      "&Body=" + MailtoEncode(publish) + kLineBreak + kLineBreak + MailtoEncode(ratingText) +
                      kLineBreak + kLineBreak;
    for (const std::string& line : commentLines) {
        AppendEncoded(url, line);
        url += kLineBreak;
    }
    return url;
}

std::string FoldMakerComments(const std::string& commentsText)
{
    std::string out;
    out.reserve(commentsText.size());
    for (size_t i = 0; i < commentsText.size(); ++i) {
        char ch = commentsText[i];
        if (ch == '\r' && i + 1 < commentsText.size() && commentsText[i + 1] == '\n') {
            ch = '|';
            ++i;
        }
        if (ch == '|' && !out.empty() && out.back() == '|') continue;
        out += ch;
    }
    return out;
}

std::string MakerReportUrl(const std::string& makerAddress, const std::string& fileName, int sentToConstructor,
                           int publishIndex, int rating, const std::string& commentsText)
{
    std::string url = "mailto:" + MailtoEncode(makerAddress) + "?Subject=" +
                      MailtoEncode(ReportSubject(fileName)) + "&Body=" + MailtoEncode("DO NOT EDIT!") +
                      kLineBreak + kLineBreak + std::to_string(sentToConstructor) + "|" +
                      std::to_string(publishIndex) + "|" + std::to_string(rating) + "|";
    // The separators are the spreadsheet's column breaks: literal '|' between encoded fields.
    const std::string folded = FoldMakerComments(commentsText);
    size_t start = 0;
    for (;;) {
        const size_t bar = folded.find('|', start);
        AppendEncoded(url, std::string_view(folded).substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos) break;
        url += '|';
        start = bar + 1;
    }
    return url;
}

}  // namespace qw
