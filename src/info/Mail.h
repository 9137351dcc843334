#pragma once
// mailto: addresses for the editorial report and for mail to a puzzle's author, and the program's
// own web and mail addresses.
//
// Every text parameter is Windows-1252, as the puzzle model stores text. The builders percent-encode
// (RFC 6068) every character that would change the meaning of the address or is not plain ASCII,
// as UTF-8, so the mail program shows exactly the text that was typed; line breaks become %0D%0A.

#include <string>
#include <string_view>
#include <vector>

namespace qw {

// Ours, on a reserved example domain until the program has a domain of its own.
inline constexpr const char* kHomePageUrl = "https://www.example.com/quotewell/";
inline constexpr const char* kMakerReportAddress = "reports@example.com";

// Percent-encodes Windows-1252 text for a mailto: header value or address. Kept as they are:
// letters, digits, - . _ ~ and ! $ ' ( ) * , ; : @. Everything else, '+' included (some mail
// programs read a bare '+' as a space), is the %XX of its UTF-8 bytes.
std::string MailtoEncode(std::string_view ansiText);

// "mailto:" + address + "?Subject=" + subject. The subject is the second header section when there
// are two or more, the only one when there is one, and `caption` when there are none.
std::string AuthorMailSubject(const std::vector<std::string>& headerSections, const std::string& caption);
std::string AuthorMailUrl(const std::string& authorAddress, const std::vector<std::string>& headerSections,
                          const std::string& caption);
// The header sections are the non-empty header strings, in order.
std::vector<std::string> HeaderSections(const std::string (&headerStrings)[3]);

// Exactly one '@' and at least one '.' anywhere.
bool IsValidAddress(const std::string& address);

// publishIndex: 0 no, 1 yes subject to comments, 2 yes. rating: 1..5, 0 when not rated.
std::string ConstructorReportUrl(const std::string& address, const std::string& fileName, int publishIndex,
                                 int rating, const std::vector<std::string>& commentLines);

// CR LF pairs become '|', then every run of '|' becomes one (blank lines merge away).
std::string FoldMakerComments(const std::string& commentsText);

// The body is laid out for a spreadsheet: the '|' separators stay literal, the fields between them
// are encoded.
std::string MakerReportUrl(const std::string& makerAddress, const std::string& fileName, int sentToConstructor,
                           int publishIndex, int rating, const std::string& commentsText);

}  // namespace qw
